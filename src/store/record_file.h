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
    QString notAFile;         // a link or no plain file where the record file belongs: left alone
};

// Lines past a record file's own (a later version's file) are kept as they
// are, up to this many; a file with more is damaged.
inline constexpr int kKeptExtraLines = 1000;

// Unpacks the file at path, a file of `lines` lines, and hands them to read,
// which fills the table and returns a problem (empty when the lines were
// whole). A damaged file is copied aside and replaced at once by `whole`, the
// lines of what could be read, so it is reported once; when that cannot be
// done safely nothing changes and the file is never saved over. A link or
// anything but a plain file at path is neither read nor written. What an
// interrupted run left (tempName, a killed save's new file) is removed.
RecordLoad loadRecordFile(GsxSeq& seq, const QString& path, const QString& tempName, int lines,
                          const std::function<QString(const QStringList&)>& read,
                          const std::function<QStringList()>& whole);

bool saveRecordFile(GsxSeq& seq, const QString& path, const QString& tempName, const QStringList& lines, QString* error);
