#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class GsxSeq;
struct PuzzleSet;

// A puzzle set of the player's own: a .tazumeki file, the same container as
// data2.dat, made from a word list. The game only ever reads it.
struct OwnSet {
    QString file; // absolute path
    QString id;   // from its content: the same set has the same records wherever it lies
    QString name; // the title pattern's name
};

inline const QString kOwnSetSuffix = QStringLiteral("tazumeki");

// Sixteen hex digits of the SHA-256 of the file's bytes.
QString ownSetId(const QByteArray& bytes);

struct OwnSetLoad {
    std::optional<OwnSet> set;
    QString problem; // why the file was refused, for a person; empty when read
};

// Reads a set file into `puzzles`. A file that is no plain file, cannot be
// read whole, breaks a rule of the board or has no pattern to play is
// refused, and `puzzles` is left as it was.
OwnSetLoad loadOwnSet(GsxSeq& seq, const QString& path, PuzzleSet& puzzles);

// Where a set's record files live: sets/<id> in the records folder. None
// when a link or something other than a folder stands in the way, with
// problem saying why (the records would otherwise go where the link leads).
QString ownSetRecordsFolder(const QString& recordsDir, const QString& id, QString* problem);
