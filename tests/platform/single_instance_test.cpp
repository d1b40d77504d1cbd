#include "platform/single_instance.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <sys/wait.h>
#include <unistd.h>

class SingleInstanceTest : public TempDirTest {};

TEST_F(SingleInstanceTest, ASecondCopyOnTheSameFolderBringsTheFirstForward)
{
    SingleInstance first(dir.path());
    int shown = 0;
    QObject::connect(&first, &SingleInstance::showRequested, [&] { ++shown; });
    ASSERT_EQ(first.claim(), SingleInstance::Claim::Claimed);
    EXPECT_TRUE(QFile::exists(path(SingleInstance::lockFileName())));

    SingleInstance second(dir.path());
    EXPECT_EQ(second.claim(), SingleInstance::Claim::ShownRunning);
    QElapsedTimer waited;
    waited.start();
    while (shown == 0 && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_EQ(shown, 1);

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
