#include "platform/files.h"
#include "platform/game_folders.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include "support/file_size_limit.h"

#include <sys/stat.h>

using AtomicReplace = TempDirTest;

TEST_F(AtomicReplace, WritesAndReplacesWholeFiles)
{
    QString error;
    ASSERT_TRUE(atomicReplace(path("a.dat"), QByteArray("a long first version"), &error)) << error.toStdString();
    ASSERT_TRUE(atomicReplace(path("a.dat"), QByteArray("short"), &error));
    EXPECT_EQ(readFile("a.dat"), QByteArray("short"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.dat")});
}

TEST_F(AtomicReplace, FailureIntoAMissingFolderIsReported)
{
    QString error;
    EXPECT_FALSE(atomicReplace(path("no/such/folder/a.dat"), QByteArray("x"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(AtomicReplace, AFullDiskLeavesTheOldFileWhole)
{
    writeFile("records.dat", QByteArray(50, 'o'));
    QString error;
    bool ok = true;
    {
        FileSizeLimit full(100);
        ok = atomicReplace(path("records.dat"), QByteArray(4096, 'n'), &error);
    }

    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFile("records.dat"), QByteArray(50, 'o'));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("records.dat")});
}

TEST_F(AtomicReplace, AppFileTurnsBackslashNamesIntoPaths)
{
    EXPECT_EQ(appFile(dir.path(), QStringLiteral("\\sound\\Boom.wav")), path("sound/Boom.wav"));
    EXPECT_EQ(appFile(dir.path(), QStringLiteral("\\data2.dat")), path("data2.dat"));
    EXPECT_FALSE(fileExists(path("data2.dat")));
    writeFile("data2.dat", "x");
    EXPECT_TRUE(fileExists(path("data2.dat")));
    EXPECT_TRUE(deleteFile(path("data2.dat")));
    EXPECT_FALSE(fileExists(path("data2.dat")));
}

TEST_F(AtomicReplace, OnlyTheGamesOwnUnfinishedSavesAreRemoved)
{
    writeFile("data1.dat", "records");
    // What a save killed before its rename leaves, under the game's own name.
    writeFile("data1.dat~tazumeki-save-Ab3xYz", "half a new file");
    // A person's files: a backup, a copy, and a name that merely looks random.
    for (const char* name : {"data1.dat.backup", "data1.dat.before", "data1.dat.Ab3xYz", "data1.dat~tazumeki-save-notes.txt",
                             "data3.dat~tazumeki-save-Ab3xYz"}) {
        writeFile(name, "the player's");
    }
    removeUnfinishedSaves(path("data1.dat"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(u' '),
              QStringLiteral("data1.dat data1.dat.Ab3xYz data1.dat.backup data1.dat.before "
                             "data1.dat~tazumeki-save-notes.txt data3.dat~tazumeki-save-Ab3xYz"));
}

TEST_F(AtomicReplace, ALinkOrAFolderIsNeverReplacedNorWrittenThrough)
{
    ASSERT_TRUE(QDir().mkpath(path("elsewhere")));
    writeFile("elsewhere/precious.txt", "not the game's");
    ASSERT_TRUE(QFile::link(path("elsewhere/precious.txt"), path("absolute.dat")));
    ASSERT_TRUE(QFile::link(QStringLiteral("elsewhere/precious.txt"), path("relative.dat")));
    ASSERT_TRUE(QDir().mkpath(path("folder.dat")));
    for (const char* name : {"absolute.dat", "relative.dat", "folder.dat"}) {
        QString error;
        EXPECT_FALSE(atomicReplace(path(name), "records", &error)) << name;
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(readFile("elsewhere/precious.txt"), QByteArray("not the game's"));
    EXPECT_TRUE(QFileInfo(path("absolute.dat")).isSymLink());
    EXPECT_TRUE(QFileInfo(path("relative.dat")).isSymLink());
    EXPECT_EQ(pathKind(path("relative.dat")), PathKind::Link);
    EXPECT_EQ(pathKind(path("folder.dat")), PathKind::Other);
    EXPECT_EQ(pathKind(path("elsewhere/precious.txt")), PathKind::File);
    EXPECT_EQ(pathKind(path("none.dat")), PathKind::Missing);
}

TEST_F(AtomicReplace, ReadingStopsAtItsBoundAndNeverWaitsOnAPipe)
{
    writeFile("big.dat", QByteArray(5000, 'x'));
    bool ok = false;
    bool cut = false;
    EXPECT_EQ(readWholeFile(path("big.dat"), &ok, nullptr, 1000, &cut).size(), 1000);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(cut);
    EXPECT_EQ(readWholeFile(path("big.dat"), &ok, nullptr, 5000, &cut).size(), 5000);
    EXPECT_FALSE(cut);

    // A pipe with no writer would block the open for ever.
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe.dat")).constData(), 0600), 0);
    QString error;
    EXPECT_TRUE(readWholeFile(path("pipe.dat"), &ok, &error).isEmpty());
    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.isEmpty());
}

// Where the game's files and the player's records are, for each way the game is laid out.
using GameFolderChoice = TempDirTest;

TEST_F(GameFolderChoice, APortableFolderOrAnInstalledGameFindsItsFiles)
{
    writeFile("data2.dat", "x");
    const QString user = path("home/.local/share/Tazumeki");
    const FolderChoice portable = chooseGameFolders(dir.path(), user);
    EXPECT_EQ(portable.files, dir.path());
    EXPECT_EQ(portable.portable, dir.path());
    EXPECT_EQ(portable.userData, user);
    EXPECT_FALSE(QFileInfo::exists(user)); // choosing writes nothing

    ASSERT_TRUE(QDir().mkpath(path("opt/x/bin")));
    ASSERT_TRUE(QDir().mkpath(path("opt/x/share/tazumeki")));
    writeFile("opt/x/share/tazumeki/data2.dat", "x");
    const FolderChoice installed = chooseGameFolders(path("opt/x/bin"), user);
    EXPECT_EQ(installed.files, path("opt/x/share/tazumeki"));
    EXPECT_TRUE(installed.portable.isEmpty());
    // Without any puzzle file the records still never go into a bare bin folder.
    EXPECT_TRUE(chooseGameFolders(path("opt/x"), user).portable.isEmpty());
}

TEST_F(GameFolderChoice, TheDataFolderFollowsTheXdgRulesAndSaysWhenThereIsNone)
{
    const QByteArray home = qgetenv("HOME");
    const QByteArray xdg = qgetenv("XDG_DATA_HOME");
    QString problem;
    qputenv("HOME", QFile::encodeName(path("home")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(path("data")));
    EXPECT_EQ(userDataFolder(&problem), path("data/") + QCoreApplication::applicationName());
    qputenv("XDG_DATA_HOME", "relative/data"); // not allowed by the rules: ignored
    EXPECT_EQ(userDataFolder(&problem), path("home/.local/share/") + QCoreApplication::applicationName());
    qunsetenv("HOME");
    qunsetenv("XDG_DATA_HOME");
    EXPECT_TRUE(userDataFolder(&problem).isEmpty());
    EXPECT_FALSE(problem.isEmpty());

    // A home that is a file: the folder cannot be made, and the game knows why.
    writeFile("home-file", "x");
    qputenv("HOME", QFile::encodeName(path("home-file")));
    const GameFolders away = recordsAway(chooseGameFolders(dir.path(), userDataFolder(&problem)));
    EXPECT_TRUE(away.records.isEmpty());
    EXPECT_TRUE(away.recordsProblem.contains(QStringLiteral("home-file"))) << away.recordsProblem.toStdString();
    qputenv("HOME", home);
    xdg.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", xdg);
}

TEST_F(GameFolderChoice, RecordsOfTheGameFolderAreCopiedOnceAndNeverOverwritten)
{
    ASSERT_TRUE(QDir().mkpath(path("game")));
    writeFile("game/data1.dat", "single");
    writeFile("game/history.db", "games");
    writeFile("game/history.db-wal", "more games");
    writeFile("elsewhere.dat", "battles elsewhere");
    ASSERT_TRUE(QFile::link(path("elsewhere.dat"), path("game/data3.dat"))); // never followed
    ASSERT_TRUE(QDir().mkpath(path("data")));
    EXPECT_EQ(copyRecordsFrom(path("game"), path("data")), (QStringList{"data1.dat", "history.db"}));
    EXPECT_EQ(readFile("data/data1.dat"), QByteArray("single"));
    EXPECT_EQ(readFile("data/history.db-wal"), QByteArray("more games"));
    EXPECT_FALSE(QFileInfo::exists(path("data/data3.dat")));
    EXPECT_EQ(readFile("game/data1.dat"), QByteArray("single")); // copied, not moved

    // The data folder holds records now: nothing is copied over them.
    writeFile("game/data1.dat", "newer");
    EXPECT_TRUE(copyRecordsFrom(path("game"), path("data")).isEmpty());
    EXPECT_EQ(readFile("data/data1.dat"), QByteArray("single"));
    EXPECT_TRUE(holdsRecords(path("game")));
}

TEST_F(GameFolderChoice, RecordFilesMakeTheirFolderOnFirstUse)
{
    const QString records = path("a/b/Tazumeki");
    const QString file = recordFile(records, QStringLiteral("data1.dat"));
    EXPECT_EQ(file, records + QStringLiteral("/data1.dat"));
    EXPECT_TRUE(QFileInfo(records).isDir());
    EXPECT_TRUE(atomicReplace(file, "records"));
    EXPECT_EQ(QDir(records).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("data1.dat")});
}
