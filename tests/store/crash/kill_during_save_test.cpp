// Saves killed at random moments, with room on the disk and without: each
// record file always holds one whole save, old or new, and the folder holds
// nothing a later start would trip on.
#include "platform/files.h"
#include "platform/random.h"
#include "saved_generation.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"
#include "store/record_file.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

#include <QDir>
#include <chrono>
#include <csignal>
#include <memory>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class KillDuringSave : public TempDirTest {
protected:
    StdRandom random{11};
    GsxSeq seq{random};
    std::mt19937 moments{std::random_device{}()};
    long singleSeen = 0;
    long battleSeen = 0;
    long saveMicros = 10000; // how long one save takes here, measured as the test goes

    void SetUp() override
    {
        auto single = std::make_unique<SingleRecordTable>();
        auto battle = std::make_unique<BattleRecordTable>();
        fillSingle(*single, 0);
        fillBattle(*battle, 0);
        ASSERT_TRUE(SaveSingleRecords(seq, dir.path(), *single));
        ASSERT_TRUE(SaveBattleRecords(seq, dir.path(), *battle));
    }

    // Starts the saver, waits until it runs, lets it save for a random while
    // and kills it. fileLimit > 0: writes past that many bytes fail.
    void killOneSaver(rlim_t fileLimit)
    {
        const QByteArray folder = QFile::encodeName(dir.path());
        const QByteArray first = QByteArray::number(static_cast<qlonglong>(std::max(singleSeen, battleSeen) + 1));
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::dup2(fds[1], STDOUT_FILENO);
            ::close(fds[0]);
            if (fileLimit > 0) {
                std::signal(SIGXFSZ, SIG_IGN);
                struct rlimit limit {};
                ::getrlimit(RLIMIT_FSIZE, &limit);
                limit.rlim_cur = fileLimit;
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            ::execl(TAZUMEKI_RECORD_SAVER, TAZUMEKI_RECORD_SAVER, folder.constData(), first.constData(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        // Let 0 to 3 saves finish, then kill at a random moment inside the
        // next one, scaled to how long the last save took.
        char byte = 0;
        const bool started = ::read(fds[0], &byte, 1) == 1;
        const int finished = std::uniform_int_distribution<int>(0, 3)(moments);
        for (int n = 0; started && n < finished; ++n) {
            const auto before = std::chrono::steady_clock::now();
            if (::read(fds[0], &byte, 1) != 1) {
                break;
            }
            const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - before);
            saveMicros = std::max<long>(1000, took.count());
        }
        ::usleep(static_cast<useconds_t>(std::uniform_int_distribution<long>(0, saveMicros)(moments)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ::close(fds[0]); // only now: a closed pipe would end the saver by itself
        ASSERT_TRUE(started) << "the saver did not start";
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the saver ended on its own: " << status;
    }

    // What the files hold now: one whole save each, never older than before.
    void checkFiles(int round)
    {
        SCOPED_TRACE(round);
        const UnpackResult single = unpackLines(seq, path("data1.dat"));
        ASSERT_EQ(single.status, UnpackResult::Status::Ok) << single.error.toStdString();
        ASSERT_EQ(single.lines.size(), SingleRecordTable::kPatterns);
        auto singleTable = std::make_unique<SingleRecordTable>();
        ASSERT_EQ(ReadSingleText(single.lines, *singleTable), QString());
        const auto singleGen = singleGeneration(*singleTable);
        ASSERT_TRUE(singleGen.has_value()) << "data1.dat mixes two saves";
        ASSERT_GE(*singleGen, singleSeen);
        singleSeen = *singleGen;

        const UnpackResult battle = unpackLines(seq, path("data3.dat"));
        ASSERT_EQ(battle.status, UnpackResult::Status::Ok) << battle.error.toStdString();
        ASSERT_EQ(battle.lines.size(), BattleRecordTable::kPatterns * BattleRecordTable::kRanks);
        auto battleTable = std::make_unique<BattleRecordTable>();
        ASSERT_EQ(ReadBattleText(battle.lines, *battleTable), QString());
        const auto battleGen = battleGeneration(*battleTable);
        ASSERT_TRUE(battleGen.has_value()) << "data3.dat mixes two saves";
        ASSERT_GE(*battleGen, battleSeen);
        battleSeen = *battleGen;

        // A later start reads both whole and leaves only the two files.
        EXPECT_FALSE(LoadSingleRecords(seq, dir.path(), *singleTable).damaged);
        EXPECT_FALSE(LoadBattleRecords(seq, dir.path(), *battleTable).damaged);
        ASSERT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).join(u' '),
                  QStringLiteral("data1.dat data3.dat"));
    }
};

} // namespace

TEST_F(KillDuringSave, EveryFileIsOneWholeSave)
{
    for (int round = 1; round <= 200; ++round) {
        ASSERT_NO_FATAL_FAILURE(killOneSaver(0));
        ASSERT_NO_FATAL_FAILURE(checkFiles(round));
    }
    // Half the rounds let a save of each file finish before the kill.
    EXPECT_GE(singleSeen, 50);
    EXPECT_GE(battleSeen, 50);
}

TEST_F(KillDuringSave, AFullDiskNeverCostsTheOldFile)
{
    for (int round = 1; round <= 50; ++round) {
        // Sometimes only the smaller file fits, sometimes neither.
        const rlim_t limit = std::uniform_int_distribution<rlim_t>(GsxSeq::kHeaderSize, 12000)(moments);
        ASSERT_NO_FATAL_FAILURE(killOneSaver(limit));
        ASSERT_NO_FATAL_FAILURE(checkFiles(round));
    }
}
