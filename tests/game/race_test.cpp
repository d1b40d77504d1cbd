// Racing your best game: its splits as the opponent, word by word.
#include "game/best_game_opponent.h"
#include "game/game_session.h"
#include "game/record_decision.h"
#include "platform/key_codes.h"
#include "puzzle/word_file.h"
#include "store/battle_records.h"
#include "store/single_records.h"
#include "support/fakes.h"
#include "support/sample_puzzle.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class Race : public ::testing::Test {
protected:
    std::unique_ptr<PuzzleSet> puzzles = [] {
        auto set = std::make_unique<PuzzleSet>();
        ReadWordFile(samplePuzzleLines(), *set);
        return set;
    }();
    FakeClock clock;
    ScriptedRandom random;
    ManualTimer countdown;
    ManualTimer ticks;
    GameSession session{*puzzles, clock, random, countdown, ticks};
    std::vector<std::pair<Taker, qint64>> taken; // who, and when after answering began
    std::optional<GameResult> ended;
    qint64 began = 0;

    // Pattern 0 (さくら, さかな, らいおん) against a best of 2.0, 1.5 and 3.0 seconds.
    void start(std::vector<qint64> best = {2000, 1500, 3000})
    {
        QObject::connect(&session, &GameSession::wordTaken,
                         [this](Taker by, int, qint64 at, bool) { taken.emplace_back(by, at - began); });
        QObject::connect(&session, &GameSession::gameEnded, [this](const GameResult& r) { ended = r; });
        GameSession::Setup setup;
        setup.mode = GameMode::Race;
        setup.pattern = 0;
        auto best_ = std::make_shared<BestGameOpponent>(std::move(best));
        setup.opponent = [best_](int) { return best_; };
        ASSERT_EQ(session.StartGame(std::move(setup)), GameSession::Start::Started);
        clock.advance(3000);
        session.Timer4_Timer();
        began = clock.now;
    }
    void at(qint64 msSinceLastTake) { clock.advance(msSinceLastTake); }
    void tick() { session.Timer1_Timer(); }
    void enter(const QString& text) { session.Text1_KeyDown(vbKeyReturn, text); }
};

} // namespace

TEST_F(Race, TheBestTakesAWordAtItsSplitAndOneMillisecondLessWinsIt)
{
    start();
    at(1999);
    enter(QStringLiteral("さくら")); // 1 ms before the best: yours
    at(1500);
    tick(); // exactly the best's split on さかな: the best's
    at(2999);
    enter(QStringLiteral("らいおん"));
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken[0], std::make_pair(Taker::Player, qint64(1999)));
    EXPECT_EQ(taken[1], std::make_pair(Taker::Cpu, qint64(3499)));
    EXPECT_EQ(taken[2].first, Taker::Player);
    ASSERT_TRUE(ended);
    EXPECT_EQ(ended->mode, GameMode::Race);
    EXPECT_EQ(ended->playerLetters, 7);
    EXPECT_EQ(ended->cpuLetters, 3);
}

TEST_F(Race, ATieGoesToTheBestEvenBetweenTwoTicks)
{
    start();
    at(2000);
    enter(QStringLiteral("さくら")); // as fast as the best: not faster
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].first, Taker::Cpu);
    at(1550); // past the best's 1.5 s, before any tick
    enter(QStringLiteral("さかな"));
    EXPECT_EQ(taken[1].first, Taker::Cpu);
}

TEST_F(Race, HowFarAheadOrBehindAfterEachWord)
{
    const std::vector<qint64> best{2000, 1500, 3000};
    EXPECT_DOUBLE_EQ(paceSeconds(best, 0, 1700), -0.3);
    EXPECT_DOUBLE_EQ(paceSeconds(best, 1, 1700 + 1900), 0.1);
    EXPECT_DOUBLE_EQ(paceSeconds(best, 2, 6500), 0.0);
    EXPECT_DOUBLE_EQ(paceSeconds({}, 0, 1000), 1.0) << "no split: the whole time is behind";
    BestGameOpponent short_({500});
    EXPECT_DOUBLE_EQ(short_.PlanCpuWord(0, 0), 0.5);
    EXPECT_DOUBLE_EQ(short_.PlanCpuWord(0, 5), 0.0) << "a word the best never saw is lost at once";
}

TEST(RaceRecords, EveryWordWonCountsAsSinglePracticeAndALostRaceDoesNot)
{
    auto single = std::make_unique<SingleRecordTable>();
    auto battle = std::make_unique<BattleRecordTable>();
    single->BestWithQuestion[0] = 30'000;
    single->CountWithQuestion[0] = 4;
    GameResult race;
    race.mode = GameMode::Race;
    race.pattern = 0;
    race.outcome = Outcome::Completed;
    race.questionShown = true;
    race.timeMs = 25'000;
    race.playerLetters = 10;
    race.letters = 10;

    RecordDecision won = decideRecord(race, *single, *battle, QDate(2026, 12, 9));
    EXPECT_EQ(won.file, RecordDecision::File::Single);
    EXPECT_EQ(won.best, 25'000);
    EXPECT_EQ(won.count, 5);
    EXPECT_EQ(won.sound, RecordDecision::Sound::NewRecord);
    EXPECT_EQ(won.message, QStringLiteral("10:0であなたの勝ち"));

    race.answerShown = true; // as in single practice: a shown answer records nothing
    EXPECT_EQ(decideRecord(race, *single, *battle, QDate(2026, 12, 9)).file, RecordDecision::File::None);
    race.answerShown = false;
    race.playerLetters = 7; // won, but not every word
    race.cpuLetters = 3;
    EXPECT_EQ(decideRecord(race, *single, *battle, QDate(2026, 12, 9)).file, RecordDecision::File::None);
    race.playerLetters = 3;
    race.cpuLetters = 7;
    const RecordDecision lost = decideRecord(race, *single, *battle, QDate(2026, 12, 9));
    EXPECT_EQ(lost.file, RecordDecision::File::None); // the battle records are never a race's
    EXPECT_EQ(lost.sound, RecordDecision::Sound::Lost);
    EXPECT_EQ(lost.message, QStringLiteral("7:3でＣＰＵの勝ち"));
}
