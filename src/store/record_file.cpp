#include "store/record_file.h"

#include "platform/files.h"
#include "store/line_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

void removeLeftover(const QString& path, const QString& tempName)
{
    const QString leftover = QFileInfo(path).dir().filePath(tempName);
    if (fileExists(leftover)) {
        deleteFile(leftover);
    }
}

// "<path>.damaged", then "<path>.damaged.2", ...
QString damagedCopyName(const QString& path, int n)
{
    return n == 1 ? path + QStringLiteral(".damaged") : path + QStringLiteral(".damaged.%1").arg(n);
}

} // namespace

QString newestDamagedCopy(const QString& path)
{
    QString newest;
    for (int n = 1; n < 1000; ++n) {
        const QString copy = damagedCopyName(path, n);
        if (!QFileInfo::exists(copy)) {
            break;
        }
        newest = copy;
    }
    return newest;
}

QString keepDamagedCopy(const QString& path)
{
    for (int n = 1; n < 1000; ++n) {
        const QString copy = damagedCopyName(path, n);
        if (!QFileInfo::exists(copy)) {
            return QFile::copy(path, copy) || QFile::rename(path, copy) ? copy : QString();
        }
    }
    return QString();
}

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
