#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <io.h>
#endif

QString AppDir()
{
    return QCoreApplication::applicationDirPath();
}

QString appFile(const QString& appDir, const QString& relative)
{
    QString tail = relative;
    tail.replace(u'\\', u'/');
    while (tail.startsWith(u'/')) {
        tail.remove(0, 1);
    }
    return QDir(appDir).filePath(tail);
}

bool fileExists(const QString& path)
{
    return QFileInfo(path).isFile();
}

bool deleteFile(const QString& path)
{
    return QFile::remove(path);
}

bool atomicReplace(const QString& path, const QByteArray& data, QString* error)
{
    QSaveFile file(path);
    auto fail = [&](const QString& why) {
        if (error) {
            *error = why;
        }
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(file.errorString());
    }
    if (file.write(data) != data.size() || !file.flush()) {
        return fail(file.errorString());
    }
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0) {
        return fail(QStringLiteral("could not flush the file to disk"));
    }
#elif defined(Q_OS_WIN)
    if (::_commit(file.handle()) != 0) {
        return fail(QStringLiteral("could not flush the file to disk"));
    }
#endif
    if (!file.commit()) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    return true;
}

QByteArray readWholeFile(const QString& path, bool* ok, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (ok) {
            *ok = false;
        }
        if (error) {
            *error = file.errorString();
        }
        return {};
    }
    QByteArray data = file.readAll();
    if (ok) {
        *ok = file.error() == QFileDevice::NoError;
    }
    if (error && file.error() != QFileDevice::NoError) {
        *error = file.errorString();
    }
    return data;
}
