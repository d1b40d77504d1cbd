#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cstdio>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#endif

QString AppDir()
{
    return QCoreApplication::applicationDirPath();
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

PathKind pathKind(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        return PathKind::Link;
    }
    if (!info.exists()) {
        return PathKind::Missing;
    }
    return info.isFile() ? PathKind::File : PathKind::Other;
}

QString notAFileReason(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        return QStringLiteral("%1 はシンボリックリンクです").arg(info.fileName());
    }
    if (info.isDir()) {
        return QStringLiteral("%1 はフォルダーです").arg(info.fileName());
    }
    return QStringLiteral("%1 は通常のファイルではありません").arg(info.fileName());
}

QString unfinishedSavePattern(const QString& path)
{
    return path + QStringLiteral("~tazumeki-save-XXXXXX");
}

void removeUnfinishedSaves(const QString& path)
{
    const QFileInfo target(path);
    const QString prefix = target.fileName() + QStringLiteral("~tazumeki-save-");
    const QDir dir = target.dir();
    // Matched by hand: a name filter is a regular expression, and would load
    // PCRE into the game at every start for this alone.
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!entry.startsWith(prefix) || entry.size() != prefix.size() + 6) {
            continue;
        }
        const QString tail = entry.mid(prefix.size());
        if (std::all_of(tail.cbegin(), tail.cend(), [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); })) {
            QFile::remove(dir.filePath(entry));
        }
    }
}

namespace {

// Renames from over to, replacing it in one step.
bool replaceWith(const QString& from, const QString& to, QString* error)
{
#ifdef Q_OS_WIN
    const bool moved = MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(from).utf16()),
                                   reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(to).utf16()),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    const bool moved = std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
    if (!moved && error) {
        *error = QStringLiteral("could not replace %1").arg(QDir::toNativeSeparators(to));
    }
    return moved;
}

} // namespace

bool atomicReplace(const QString& path, const QByteArray& data, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error) {
            *error = why;
        }
        return false;
    };
    const PathKind kind = pathKind(path);
    if (kind == PathKind::Link || kind == PathKind::Other) {
        return fail(notAFileReason(path));
    }
    QTemporaryFile file(unfinishedSavePattern(path));
    if (!file.open()) {
        return fail(file.errorString());
    }
    // The new file gets the old one's permissions, or a plain file's.
    const QFileDevice::Permissions permissions = kind == PathKind::File
                                                     ? QFileInfo(path).permissions()
                                                     : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                           QFileDevice::ReadGroup | QFileDevice::ReadOther;
    file.setPermissions(permissions);
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
    file.close();
    if (!replaceWith(file.fileName(), path, error)) {
        return false; // the temporary file goes with `file`
    }
    file.setAutoRemove(false);
    return true;
}

QByteArray readWholeFile(const QString& path, bool* ok, QString* error, qint64 maxBytes, bool* cut)
{
    auto set = [](auto* out, auto value) {
        if (out) {
            *out = value;
        }
    };
    set(ok, false);
    set(cut, false);
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile()) {
        set(error, notAFileReason(path));
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        set(error, file.errorString());
        return {};
    }
    QByteArray data = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) {
        set(error, file.errorString());
        return data;
    }
    set(ok, true);
    if (maxBytes >= 0 && data.size() == maxBytes && !file.atEnd()) {
        set(cut, true);
    }
    return data;
}
