#include "platform/records_claim.h"
#include "platform/single_instance.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <sys/wait.h>
#include <unistd.h>

class SingleInstanceTest : public TempDirTest {};

TEST_F(SingleInstanceTest, ASecondCopyOnTheSameFolderBringsTheFirstForward)
{
    SingleInstance first(dir.path());
    QStringList shown;
    QObject::connect(&first, &SingleInstance::showRequested, [&](const QString& message) { shown.append(message); });
    ASSERT_EQ(first.claim(), SingleInstance::Claim::Claimed);
    EXPECT_TRUE(QFile::exists(path(SingleInstance::lockFileName())));

    auto waitFor = [&](qsizetype count) {
        QElapsedTimer waited;
        waited.start();
        while (shown.size() < count && waited.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
    };
    SingleInstance second(dir.path());
    EXPECT_EQ(second.claim(), SingleInstance::Claim::ShownRunning);
    waitFor(1);
    EXPECT_EQ(shown, QStringList{QString()});

    // A start with a set to open hands its path over; a huge message is cut.
    SingleInstance third(dir.path());
    EXPECT_EQ(third.claim(QStringLiteral("/tmp/授業.tazumeki")), SingleInstance::Claim::ShownRunning);
    waitFor(2);
    EXPECT_EQ(shown.value(1), QStringLiteral("/tmp/授業.tazumeki"));
    SingleInstance fourth(dir.path());
    EXPECT_EQ(fourth.claim(QString(100'000, u'x')), SingleInstance::Claim::ShownRunning);
    waitFor(3);
    EXPECT_EQ(shown.value(2).size(), SingleInstance::kLongestMessage);

    // Another records folder is another game.
    QTemporaryDir other;
    SingleInstance elsewhere(other.path());
    EXPECT_EQ(elsewhere.claim(), SingleInstance::Claim::Claimed);
}

TEST_F(SingleInstanceTest, ACrashedCopyLeavesNoLockBehind)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Takes the lock and dies without a word, as a crash would.
        QLockFile lock(QDir(dir.path()).filePath(SingleInstance::lockFileName()));
        lock.setStaleLockTime(0);
        _exit(lock.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(QFile::exists(path(SingleInstance::lockFileName())));

    SingleInstance next(dir.path());
    EXPECT_EQ(next.claim(), SingleInstance::Claim::Claimed);
}

TEST_F(SingleInstanceTest, ALockWhoseOwnerCannotBeCheckedGoesStaleOnlyWhenNotRenewed)
{
    const QString lock = path(SingleInstance::lockFileName());
    auto age = [&](int minutes) {
        QFile file(lock);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-60 * minutes), QFileDevice::FileModificationTime));
    };
    // A copy on another machine sharing the folder, and a lock file that says nothing.
    for (const QByteArray& content : {QByteArray("4242\ntazumeki\nanother-machine\n"), QByteArray(), QByteArray("\x01garbled")}) {
        writeFile(SingleInstance::lockFileName(), content);
        age(5); // renewed lately: its copy may well be running
        SingleInstance early(dir.path());
        EXPECT_EQ(early.claim(), SingleInstance::Claim::AlreadyRunning) << content.toStdString();
        age(60);
        SingleInstance late(dir.path());
        EXPECT_EQ(late.claim(), SingleInstance::Claim::Claimed) << content.toStdString();
    }
}

TEST_F(SingleInstanceTest, ALockThatIsALinkIsLeftAlone)
{
    writeFile("target.txt", "the player's");
    ASSERT_TRUE(QFile::link(path("target.txt"), path(SingleInstance::lockFileName())));
    SingleInstance copy(dir.path());
    EXPECT_EQ(copy.claim(), SingleInstance::Claim::NotAFile);
    EXPECT_TRUE(QFileInfo(path(SingleInstance::lockFileName())).isSymLink());
    EXPECT_EQ(readFile("target.txt"), QByteArray("the player's"));
}

TEST_F(SingleInstanceTest, ASecondCopyTouchesNoFolderBeforeItKnowsItIsNotAlone)
{
    writeFile("data2.dat", "x");
    const FolderChoice choice = chooseGameFolders(dir.path(), path("data/Tazumeki"));
    RecordsClaim first = claimRecordsFolder(choice);
    ASSERT_EQ(first.claim, SingleInstance::Claim::Claimed);
    EXPECT_EQ(first.folders.records, dir.path());

    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    const QDateTime changed = QFileInfo(dir.path()).lastModified();
    QThread::msleep(20); // a file made and removed would move the folder's time
    RecordsClaim second = claimRecordsFolder(choice);
    EXPECT_NE(second.claim, SingleInstance::Claim::Claimed);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    EXPECT_EQ(QFileInfo(dir.path()).lastModified(), changed);
    EXPECT_FALSE(QFileInfo::exists(path("data")));
}

TEST_F(SingleInstanceTest, AGameFolderThatTakesNoLockKeepsItsRecordsInTheDataFolder)
{
    // A game folder where no file can be made (here: a file stands where the folder would be).
    writeFile("not-a-folder", "x");
    FolderChoice choice;
    choice.files = dir.path();
    choice.portable = path("not-a-folder");
    choice.userData = path("data/Tazumeki");
    RecordsClaim away = claimRecordsFolder(choice);
    EXPECT_EQ(away.claim, SingleInstance::Claim::Claimed);
    EXPECT_EQ(away.folders.records, path("data/Tazumeki"));
    EXPECT_EQ(away.folders.portable, path("not-a-folder"));
    EXPECT_TRUE(QFileInfo(path("data/Tazumeki")).isDir());

    // No data folder either: no records, and the reason.
    choice.userData.clear();
    choice.userDataProblem = QStringLiteral("no home");
    RecordsClaim none = claimRecordsFolder(choice);
    EXPECT_TRUE(none.folders.records.isEmpty());
    EXPECT_EQ(none.folders.recordsProblem, QStringLiteral("no home"));
}
