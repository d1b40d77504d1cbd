#include "platform/files.h"
#include "support/temp_dir.h"

#include <QDir>
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
