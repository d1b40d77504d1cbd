#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class GsxSeq;

// Loading and saving a record file whole, for both record stores.
struct RecordLoad {
    bool found = false;   // the file existed
    bool damaged = false; // it could not be read whole; what could be read was kept
    QString problem;      // why, for the player
    QString keptAs;       // where the damaged file was copied aside
};

// Unpacks the file at path and hands its lines to read, which fills the table
// and returns a problem (empty when the lines were whole). A damaged file is
// copied aside before anything can replace it. A plain text file left behind
// by an interrupted run (tempName) is removed.
RecordLoad loadRecordFile(GsxSeq& seq, const QString& path, const QString& tempName,
                          const std::function<QString(const QStringList&)>& read);

bool saveRecordFile(GsxSeq& seq, const QString& path, const QString& tempName, const QStringList& lines, QString* error);

// Copies a file to "<path>.damaged", or "<path>.damaged.2", ... never over an earlier copy.
QString keepDamagedCopy(const QString& path);
