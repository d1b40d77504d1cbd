#include "platform/game_folders.h"

#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace {

const QStringList& recordNames()
{
    static const QStringList names{QStringLiteral("data1.dat"), QStringLiteral("data3.dat"),
                                   QStringLiteral("history.db")};
    return names;
}

} // namespace

bool GameFolders::recordsBesideGame() const
{
    return !records.isEmpty() && QDir::cleanPath(files) == QDir::cleanPath(records);
}

FolderChoice chooseGameFolders(const QString& exeDir, const QString& userDataDir, const QString& userDataProblem)
{
    FolderChoice choice;
    choice.userData = userDataDir.isEmpty() ? QString() : QDir::cleanPath(userDataDir);
    choice.userDataProblem = userDataProblem;
    const QDir exe(exeDir);
    if (QFileInfo(exe.filePath(QStringLiteral("data2.dat"))).isFile()) {
        choice.files = QDir::cleanPath(exeDir);
        choice.portable = choice.files;
        return choice;
    }
    const QString installed = QDir::cleanPath(exe.filePath(QStringLiteral("../share/tazumeki")));
    // No puzzle file anywhere: the game starts empty; an executable's folder
    // that is not a game folder is no place for records.
    choice.files = QFileInfo(QDir(installed).filePath(QStringLiteral("data2.dat"))).isFile() ? installed
                                                                                              : QDir::cleanPath(exeDir);
    return choice;
}

QString userDataFolder(QString* problem)
{
#ifdef Q_OS_UNIX
    const QString home = qEnvironmentVariable("HOME");
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(base)) {
        if (!QDir::isAbsolutePath(home)) {
            *problem = QStringLiteral("ホームフォルダー（HOME）が設定されていません");
            return QString();
        }
        base = QDir(home).filePath(QStringLiteral(".local/share"));
    }
    return QDir::cleanPath(QDir(base).filePath(QCoreApplication::applicationName()));
#else
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty()) {
        *problem = QStringLiteral("データ用のフォルダーが見つかりません");
    }
    return folder;
#endif
}

GameFolders recordsAway(const FolderChoice& choice)
{
    GameFolders folders;
    folders.files = choice.files;
    folders.portable = choice.portable;
    if (choice.userData.isEmpty()) {
        folders.recordsProblem = choice.userDataProblem;
        return folders;
    }
    if (!QDir().mkpath(choice.userData) || !QFileInfo(choice.userData).isDir()) {
        folders.recordsProblem = QStringLiteral("%1 を作れませんでした").arg(QDir::toNativeSeparators(choice.userData));
        return folders;
    }
    folders.records = choice.userData;
    return folders;
}

bool holdsRecords(const QString& folder)
{
    for (const QString& name : recordNames()) {
        if (QFileInfo::exists(QDir(folder).filePath(name))) {
            return true;
        }
    }
    return false;
}

QStringList copyRecordsFrom(const QString& from, const QString& to)
{
    QStringList copied;
    if (from.isEmpty() || to.isEmpty() || holdsRecords(to)) {
        return copied;
    }
    for (const QString& name : recordNames()) {
        const QString source = QDir(from).filePath(name);
        // Plain files only: a link could lead anywhere.
        if (pathKind(source) == PathKind::File && QFile::copy(source, QDir(to).filePath(name))) {
            copied.append(name);
            // Games not yet written into the database itself travel with it.
            const QString journal = source + QStringLiteral("-wal");
            if (name == QLatin1String("history.db") && pathKind(journal) == PathKind::File) {
                QFile::copy(journal, QDir(to).filePath(name + QStringLiteral("-wal")));
            }
        }
    }
    return copied;
}
