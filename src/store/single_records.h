#pragma once

#include "store/counts.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>

class GsxSeq;
struct RecordLoad;

// Single-practice records per playable pattern, with and without questions
// shown. Best times are milliseconds (0 = none yet); dates count days since
// 1899-12-30.
struct SingleRecordTable {
    static constexpr int kPatterns = kPlayablePatterns;
    template <typename T>
    using PerPattern = std::array<T, kPatterns>;

    PerPattern<qint16> CountWithQuestion{};
    PerPattern<double> BestWithQuestion{};
    PerPattern<double> DateWithQuestion{};
    PerPattern<qint16> CountNoQuestion{};
    PerPattern<double> BestNoQuestion{};
    PerPattern<double> DateNoQuestion{};
    // Lines past the 99th (a later version's file), written back as they are.
    QStringList extraLines;
};

// The text form: 99 lines of six comma-separated fields, then the extra lines.
QStringList WriteSingleText(const SingleRecordTable& table);
// Fills the table from the text form; returns what was wrong (empty when whole).
// Lines and fields that cannot be read keep their zeros.
QString ReadSingleText(const QStringList& lines, SingleRecordTable& table);

RecordLoad LoadSingleRecords(GsxSeq& seq, const QString& recordsDir, SingleRecordTable& table);
bool SaveSingleRecords(GsxSeq& seq, const QString& recordsDir, const SingleRecordTable& table, QString* error = nullptr);
