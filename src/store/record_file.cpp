#include "store/record_file.h"

#include "platform/files.h"
#include "platform/kept_copies.h"
#include "store/line_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

void removeLeftover(const QString& path, const QString& tempName)
{
    const QDir dir = QFileInfo(path).dir();
    const QString leftover = dir.filePath(tempName);
    if (fileExists(leftover)) {
        deleteFile(leftover);
    }
    // A save killed before its rename leaves its new file as "<name>.XXXXXX"
    // beside the old one; nothing would ever remove it otherwise.
    const QString name = QFileInfo(path).fileName();
    const auto unfinished = [&name](const QString& entry) {
        if (entry.size() != name.size() + 7 || !entry.startsWith(name) || entry[name.size()] != u'.') {
            return false;
        }
        return std::all_of(entry.cbegin() + name.size() + 1, entry.cend(),
                           [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
    };
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (unfinished(entry)) {
            deleteFile(dir.filePath(entry));
        }
    }
}

} // namespace

RecordLoad loadRecordFile(GsxSeq& seq, const QString& path, const QString& tempName,
                          const std::function<QString(const QStringList&)>& read,
                          const std::function<QStringList()>& whole)
{
    removeLeftover(path, tempName);
    RecordLoad load;
    const UnpackResult unpacked = unpackLines(seq, path);
    if (unpacked.status == UnpackResult::Status::Missing) {
        // Starting from nothing is normal, unless the records were put aside
        // earlier and could not be written back: the player must know where they are.
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
    load.keptAs = keepDamagedCopy(path);
    // With the original safe, the file becomes whole again; without, it is never written over.
    load.saveBlocked = load.keptAs.isEmpty() || !saveRecordFile(seq, path, tempName, whole(), nullptr);
    return load;
}

bool saveRecordFile(GsxSeq& seq, const QString& path, const QString& tempName, const QStringList& lines, QString* error)
{
    removeLeftover(path, tempName);
    return packLines(seq, lines, path, error);
}
