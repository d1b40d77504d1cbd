#include "platform/files.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QFileInfo>
#include "support/file_size_limit.h"

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

// Where the game's files and the player's records are, for each way the game is laid out.
using GameFolderChoice = TempDirTest;

namespace {
bool neverWritable(const QString&) { return false; }
} // namespace

TEST_F(GameFolderChoice, APortableFolderKeepsItsRecordsBesideTheGameWhileItCanBeWritten)
{
    writeFile("data2.dat", "x");
    const QString user = path("home/.local/share/Tazumeki");

    const GameFolders portable = locateGameFolders(dir.path(), user);
    EXPECT_EQ(portable.files, dir.path());
    EXPECT_EQ(portable.records, dir.path());
    EXPECT_TRUE(portable.recordsBesideGame());
    EXPECT_FALSE(portable.recordsFolderIsNew);

    // A read-only copy (a CD, a system folder) plays from there and saves to the player's folder.
    const GameFolders readOnly = locateGameFolders(dir.path(), user, neverWritable);
    EXPECT_EQ(readOnly.files, dir.path());
    EXPECT_EQ(readOnly.records, user);
    EXPECT_FALSE(readOnly.recordsBesideGame());
    EXPECT_TRUE(readOnly.recordsFolderIsNew);
    ASSERT_TRUE(QDir().mkpath(user));
    EXPECT_FALSE(locateGameFolders(dir.path(), user, neverWritable).recordsFolderIsNew);
}

TEST_F(GameFolderChoice, AnInstalledGameFindsItsFilesFromItsOwnPrefix)
{
    ASSERT_TRUE(QDir().mkpath(path("opt/x/bin")));
    ASSERT_TRUE(QDir().mkpath(path("opt/x/share/tazumeki")));
    writeFile("opt/x/share/tazumeki/data2.dat", "x");
    const QString user = path("data");

    const GameFolders installed = locateGameFolders(path("opt/x/bin"), user);
    EXPECT_EQ(installed.files, path("opt/x/share/tazumeki"));
    EXPECT_EQ(installed.records, user);
    EXPECT_TRUE(installed.recordsFolderIsNew);

    // Without any puzzle file the records still never go into a bare bin folder.
    const GameFolders bare = locateGameFolders(path("opt/x"), user);
    EXPECT_EQ(bare.files, path("opt/x"));
    EXPECT_EQ(bare.records, user);
}

TEST_F(GameFolderChoice, RecordFilesMakeTheirFolderOnFirstUse)
{
    const QString records = path("a/b/Tazumeki");
    const QString file = recordFile(records, QStringLiteral("data1.dat"));
    EXPECT_EQ(file, records + QStringLiteral("/data1.dat"));
    EXPECT_TRUE(QFileInfo(records).isDir());
    EXPECT_TRUE(atomicReplace(file, "records"));
    EXPECT_TRUE(canCreateFilesIn(records));
    EXPECT_FALSE(canCreateFilesIn(path("no/such/folder")));
    EXPECT_EQ(QDir(records).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("data1.dat")});
}
