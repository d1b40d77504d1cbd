#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

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

bool GameFolders::recordsBesideGame() const
{
    return QDir::cleanPath(files) == QDir::cleanPath(records);
}

bool canCreateFilesIn(const QString& dir)
{
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".write-test-XXXXXX")));
    return probe.open();
}

GameFolders locateGameFolders(const QString& exeDir, const QString& userDataDir, bool (*canWriteIn)(const QString& dir))
{
    const QDir exe(exeDir);
    const auto away = [&](const QString& files) {
        return GameFolders{files, QDir::cleanPath(userDataDir), !QFileInfo::exists(userDataDir)};
    };
    if (QFileInfo(exe.filePath(QStringLiteral("data2.dat"))).isFile()) {
        const bool writable = canWriteIn ? canWriteIn(exeDir) : canCreateFilesIn(exeDir);
        return writable ? GameFolders{QDir::cleanPath(exeDir), QDir::cleanPath(exeDir)} : away(QDir::cleanPath(exeDir));
    }
    const QString installed = QDir::cleanPath(exe.filePath(QStringLiteral("../share/tazumeki")));
    if (QFileInfo(QDir(installed).filePath(QStringLiteral("data2.dat"))).isFile()) {
        return away(installed);
    }
    // No puzzle file anywhere: the game starts empty; an executable's folder
    // that is not a game folder is no place for records.
    return away(QDir::cleanPath(exeDir));
}

GameFolders gameFolders()
{
    return locateGameFolders(AppDir(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString recordFile(const QString& recordsDir, const QString& name)
{
    QDir().mkpath(recordsDir);
    return QDir(recordsDir).filePath(name);
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
