#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class GsxSeq;

// Loading and saving a record file whole, for both record stores.
struct RecordLoad {
    bool found = false;       // the file existed
    bool damaged = false;     // it could not be read whole; what could be read was kept
    QString problem;          // why, for the player
    QString keptAs;           // where the damaged file was put aside
    bool saveBlocked = false; // it could be neither put aside nor replaced safely: never save over it
    QString orphan;           // no file, but an earlier damaged one was put aside here
};

// Unpacks the file at path and hands its lines to read, which fills the table
// and returns a problem (empty when the lines were whole). A damaged file is
// put aside (copied, or moved when it cannot even be read) and replaced at
// once by `whole`, the lines of what could be read, so it is reported once.
// A plain text file left behind by an interrupted run (tempName) is removed.
RecordLoad loadRecordFile(GsxSeq& seq, const QString& path, const QString& tempName,
                          const std::function<QString(const QStringList&)>& read,
                          const std::function<QStringList()>& whole);

bool saveRecordFile(GsxSeq& seq, const QString& path, const QString& tempName, const QStringList& lines, QString* error);
