#include "platform/kept_copies.h"

#include <QFile>
#include <QFileInfo>

namespace {

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
