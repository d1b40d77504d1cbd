#include "platform/kept_copies.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {

// "<path>.damaged", then "<path>.damaged.2", ...
QString damagedCopyName(const QString& path, int n)
{
    return n == 1 ? path + QStringLiteral(".damaged") : path + QStringLiteral(".damaged.%1").arg(n);
}

QByteArray contentHash(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        return {};
    }
    return hash.result();
}

bool sameContent(const QString& a, const QString& b)
{
    if (QFileInfo(a).size() != QFileInfo(b).size()) {
        return false;
    }
    const QByteArray first = contentHash(a);
    return !first.isEmpty() && first == contentHash(b);
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
        if (!QFileInfo::exists(copy) && !QFileInfo(copy).isSymLink()) {
            // A failed copy leaves nothing behind; the original stays where it is.
            return QFile::copy(path, copy) ? copy : QString();
        }
        if (QFileInfo(copy).isFile() && !QFileInfo(copy).isSymLink() && sameContent(copy, path)) {
            return copy; // this content is kept already
        }
    }
    return QString();
}
