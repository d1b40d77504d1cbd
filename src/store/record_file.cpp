#include "store/record_file.h"

#include "platform/files.h"
#include "platform/kept_copies.h"
#include "store/line_file.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A record file is a few kilobytes; what lies beyond this is not read.
constexpr qint64 kMostBytesRead = 1 << 20;

void removeLeftovers(const QString& path, const QString& tempName)
{
    // The plain text form of an interrupted run of the game's first versions.
    const QString leftover = QFileInfo(path).dir().filePath(tempName);
    if (fileExists(leftover)) {
        deleteFile(leftover);
    }
    removeUnfinishedSaves(path);
}

} // namespace

RecordLoad loadRecordFile(GsxSeq& seq, const QString& path, const QString& tempName, int lines,
                          const std::function<QString(const QStringList&)>& read,
                          const std::function<QStringList()>& whole)
{
    removeLeftovers(path, tempName);
    RecordLoad load;
    const PathKind kind = pathKind(path);
    if (kind == PathKind::Link || kind == PathKind::Other) {
        // Never read through it nor replaced: it may lead to a file the game does not own.
        load.found = true;
        load.notAFile = notAFileReason(path);
        load.saveBlocked = true;
        return load;
    }
    const UnpackResult unpacked = unpackLines(seq, path, ReadLimits{kMostBytesRead, lines + kKeptExtraLines});
    if (unpacked.status == UnpackResult::Status::Missing) {
        // Starting from nothing is normal, unless the records were put aside
        // earlier and are not back: the player must know where they are.
        load.orphan = newestDamagedCopy(path);
        return load;
    }
    load.found = true;
    const QString textProblem = read(unpacked.lines);
    if (unpacked.ok() && textProblem.isEmpty()) {
        return load;
    }
    load.damaged = true;
    load.problem = unpacked.ok() ? textProblem : unpacked.error;
    // The original stays in place until a copy is safe and the readable lines
    // have replaced it whole; a full disk changes nothing.
    load.keptAs = keepDamagedCopy(path);
    load.saveBlocked = load.keptAs.isEmpty() || !saveRecordFile(seq, path, tempName, whole(), nullptr);
    return load;
}

bool saveRecordFile(GsxSeq& seq, const QString& path, const QString& tempName, const QStringList& lines, QString* error)
{
    removeLeftovers(path, tempName);
    return packLines(seq, lines, path, error);
}
