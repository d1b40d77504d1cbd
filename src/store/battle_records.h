#pragma once

#include "store/counts.h"

#include <QString>
#include <QStringList>
#include <array>

class GsxSeq;
struct RecordLoad;

// Battles won and lost per playable pattern and CPU rank; whole numbers held as doubles.
struct BattleRecordTable {
    static constexpr int kPatterns = kPlayablePatterns;
    static constexpr int kRanks = kRankCount;
    using Counts = std::array<std::array<double, kRanks>, kPatterns>;

    Counts Wins{};
    Counts Losses{};
    // Lines past the 891st (a later version's file), written back as they are.
    QStringList extraLines;
};

// The text form: 891 lines "Wins,Losses", by pattern, then rank; then the extra lines.
QStringList WriteBattleText(const BattleRecordTable& table);
QString ReadBattleText(const QStringList& lines, BattleRecordTable& table);

// Clears the table, then fills it from data3.dat when there is one.
RecordLoad LoadBattleRecords(GsxSeq& seq, const QString& recordsDir, BattleRecordTable& table);
bool SaveBattleRecords(GsxSeq& seq, const QString& recordsDir, const BattleRecordTable& table, QString* error = nullptr);
