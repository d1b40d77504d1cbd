// The rules of a game on the session alone: a hand-moved clock, timers
// ticked by hand, an opponent that needs the seconds the test gives it.
#include "game/game_session.h"
#include "game/opponent.h"
#include "platform/key_codes.h"
#include "puzzle/word_file.h"
#include "support/fakes.h"
#include "support/sample_puzzle.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

// Needs the seconds the test set for each slot, 10 for the others.
class ScriptedOpponent final : public Opponent {
public:
    std::map<int, double> seconds;
    std::vector<int> planned;
    double PlanCpuWord(int, int slot) override
    {
        planned.push_back(slot);
        const auto found = seconds.find(slot);
        return found == seconds.end() ? 10 : found->second;
    }
};

struct Taken {
    Taker by;
    int slot;
    qint64 atMs;
    bool last;
};

class Session : public ::testing::Test {
protected:
    std::unique_ptr<PuzzleSet> puzzles = [] {
        auto set = std::make_unique<PuzzleSet>();
        ReadWordFile(samplePuzzleLines(), *set);
        return set;
    }();
    FakeClock clock;
    ScriptedRandom random{{0.5}};
    ManualTimer countdown;
    ManualTimer ticks;
    GameSession session{*puzzles, clock, random, countdown, ticks};

    QStringList digits;
    std::vector<std::pair<int, qint64>> current;
    std::vector<Taken> taken;
    QStringList wrong;
    std::vector<GameResult> ended;
    QString clockText;

    void SetUp() override
    {
        QObject::connect(&session, &GameSession::countdownChanged, [this](const QString& d) { digits.append(d); });
        QObject::connect(&session, &GameSession::wordBecameCurrent,
                         [this](int slot, qint64 at) { current.emplace_back(slot, at); });
        QObject::connect(&session, &GameSession::wordTaken,
                         [this](Taker by, int slot, qint64 at, bool last) { taken.push_back({by, slot, at, last}); });
        QObject::connect(&session, &GameSession::wrongAnswer, [this](const QString& text) { wrong.append(text); });
        QObject::connect(&session, &GameSession::gameEnded, [this](const GameResult& r) { ended.push_back(r); });
        QObject::connect(&session, &GameSession::clockChanged,
                         [this](double s, bool limit) { clockText = QString::number(s) + (limit ? "!" : ""); });
    }

    const GameState& state() const { return session.state(); }

    GameSession::Start start(int pattern, std::shared_ptr<Opponent> opponent = {}, bool questions = true)
    {
        GameSession::Setup setup;
        setup.mode = opponent ? GameMode::Battle : GameMode::Single;
        setup.pattern = pattern;
        setup.questionsOn = questions;
        if (opponent) {
            setup.rank = 4;
            setup.opponent = [opponent](int) { return opponent; };
        }
        return session.StartGame(std::move(setup));
    }

    // Ticks the countdown every 100 ms until answering begins.
    void countDown()
    {
        while (countdown.running()) {
            clock.advance(100);
            session.Timer4_Timer();
        }
    }

    // Lets ms pass, the clock ticking every 100 ms while it runs.
    void wait(qint64 ms)
    {
        for (qint64 t = 0; t < ms && ticks.running(); t += 100) {
            clock.advance(100);
            session.Timer1_Timer();
        }
    }

    void enter(const QString& text) { session.Text1_KeyDown(vbKeyReturn, text); }
};

} // namespace

TEST_F(Session, AWholeGameFromCountdownToResult)
{
    const qint64 pressed = clock.now;
    ASSERT_EQ(start(0), GameSession::Start::Started);
    EXPECT_EQ(state().PlayState, PlayState::Countdown);
    EXPECT_TRUE(countdown.running());
    EXPECT_FALSE(ticks.running());
    enter(QStringLiteral("さくら")); // no word yet
    EXPECT_TRUE(taken.empty());

    countDown();
    digits.removeDuplicates();
    EXPECT_EQ(digits, (QStringList{"3", "2", "1", ""}));
    EXPECT_EQ(clock.now - pressed, 3000);
    EXPECT_EQ(state().PlayState, PlayState::Answering);
    EXPECT_EQ(state().GameStartTime, double(clock.now)); // the countdown does not count
    EXPECT_FALSE(countdown.running());
    EXPECT_TRUE(ticks.running());
    ASSERT_EQ(current.size(), 1u);
    EXPECT_EQ(current[0], std::make_pair(0, clock.now));

    wait(2000);
    EXPECT_EQ(clockText, QStringLiteral("2"));
    enter(QStringLiteral("さくら"));
    wait(1500);
    enter(QStringLiteral("さかな"));
    EXPECT_EQ(state().WordIndex, 2);
    EXPECT_EQ(state().LastTaker, Taker::Player);
    wait(700);
    enter(QStringLiteral("らいおん"));

    ASSERT_EQ(taken.size(), 3u);
    EXPECT_TRUE(taken[2].last);
    EXPECT_EQ(taken[1].atMs - taken[0].atMs, 1500);
    ASSERT_EQ(current.size(), 3u);
    EXPECT_EQ(current[1].second, taken[0].atMs); // a word's split starts where the last one's ended
    ASSERT_EQ(ended.size(), 1u);
    const GameResult& r = ended[0];
    EXPECT_EQ(r.outcome, Outcome::Completed);
    EXPECT_EQ(r.timeMs, 4200);
    EXPECT_EQ(r.pattern, 0);
    EXPECT_TRUE(r.reachedAnswering);
    EXPECT_TRUE(r.questionShown);
    EXPECT_EQ(r.playerLetters, 0); // counted in battles only
    EXPECT_EQ(state().PlayState, PlayState::Idle);
    EXPECT_TRUE(state().CompletedFlag);
    EXPECT_FALSE(ticks.running());
}

TEST_F(Session, OnlyTheExactAnswerTakesAWord)
{
    start(0);
    countDown();
    for (const QString& text : {QStringLiteral("サクラ"), QStringLiteral("さくら "), QStringLiteral("ｻｸﾗ"), QString()}) {
        enter(text);
    }
    session.Text1_KeyDown('A', QStringLiteral("さくら")); // only Enter answers
    EXPECT_EQ(wrong.size(), 4);
    EXPECT_TRUE(taken.empty());
    EXPECT_EQ(state().WordIndex, 0);
    EXPECT_TRUE(ticks.running());
}

TEST_F(Session, TheLimitEndsAGameWithoutAResultButALateLastEnterCounts)
{
    start(1);
    countDown();
    wait(179'900);
    EXPECT_EQ(state().PlayState, PlayState::Answering);
    wait(100);
    EXPECT_EQ(clockText, QStringLiteral("180!"));
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].outcome, Outcome::TimedOut);
    EXPECT_FALSE(state().CompletedFlag);
    EXPECT_FALSE(ticks.running());

    // The last Enter came after 180 s but before the tick that would have ended the game.
    ended.clear();
    start(1);
    countDown();
    clock.advance(181'234);
    enter(QStringLiteral("あいうえおかき"));
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].outcome, Outcome::Completed);
    EXPECT_EQ(ended[0].timeMs, 181'234);
}

TEST_F(Session, EscEndsTheCountdownOrAnsweringAndNothingElse)
{
    session.EndGame(); // idle: nothing to end
    EXPECT_TRUE(ended.empty());

    start(0);
    clock.advance(1200);
    session.Timer4_Timer();
    session.EndGame();
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].outcome, Outcome::Aborted);
    EXPECT_FALSE(ended[0].reachedAnswering);
    EXPECT_FALSE(countdown.running());
    EXPECT_TRUE(current.empty());

    start(0);
    countDown();
    enter(QStringLiteral("さくら"));
    session.EndGame();
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_EQ(ended[1].outcome, Outcome::Aborted);
    EXPECT_TRUE(ended[1].reachedAnswering);
    EXPECT_FALSE(state().CompletedFlag);
    EXPECT_FALSE(ticks.running());
    enter(QStringLiteral("さかな")); // the game is over
    EXPECT_EQ(taken.size(), 1u);
}

TEST_F(Session, PeekingIsRememberedOnlyWhileAnswering)
{
    EXPECT_FALSE(session.Command3_Click());
    start(1, {}, false);
    EXPECT_FALSE(session.Command2_Click()); // the countdown
    EXPECT_FALSE(state().QuestionShownFlag);
    countDown();
    EXPECT_TRUE(session.Command3_Click());
    EXPECT_TRUE(session.Command2_Click());
    enter(QStringLiteral("あいうえおかき"));
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_TRUE(ended[0].questionShown); // played as with questions
    EXPECT_TRUE(ended[0].answerShown);

    start(1, {}, false);
    countDown();
    enter(QStringLiteral("あいうえおかき"));
    EXPECT_FALSE(ended[1].questionShown);
    EXPECT_FALSE(ended[1].answerShown);
}

TEST_F(Session, TheOpponentTakesAWordAtTheFirstTickOnItsTime)
{
    auto cpu = std::make_shared<ScriptedOpponent>();
    cpu->seconds = {{0, 1.25}, {1, 0.5}, {2, 30}};
    start(0, cpu);
    countDown();
    const qint64 began = clock.now;
    wait(1200);
    EXPECT_TRUE(taken.empty());
    wait(100); // 1.3 s: the first tick at or after 1.25 s
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].by, Taker::Cpu);
    EXPECT_EQ(taken[0].atMs - began, 1300);
    EXPECT_EQ(state().CpuLetters, 3);
    EXPECT_EQ(state().LastTaker, Taker::Cpu);
    // Its next word is timed from that moment, never carried over.
    EXPECT_EQ(state().CpuWordStartTime, double(clock.now));
    EXPECT_EQ(state().CpuWordTime, 0.5);

    // The player a moment before the opponent: the word is the player's and
    // the opponent starts the next one afresh.
    wait(400);
    enter(QStringLiteral("さかな"));
    EXPECT_EQ(taken.back().by, Taker::Player);
    EXPECT_EQ(state().PlayerLetters, 3);
    EXPECT_EQ(state().CpuWordStartTime, double(clock.now));
    EXPECT_EQ(cpu->planned, (std::vector<int>{0, 1, 2}));
    wait(29'900);
    EXPECT_EQ(state().CpuLetters, 3);
    wait(100);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].cpuLetters, 7);
    EXPECT_EQ(ended[0].playerLetters, 3);
    EXPECT_EQ(ended[0].mode, GameMode::Battle);
    EXPECT_EQ(ended[0].rank, 4);
}

TEST_F(Session, LettersNotWordsDecideABattle)
{
    auto cpu = std::make_shared<ScriptedOpponent>();
    cpu->seconds = {{0, 1}, {1, 1}, {2, 60}};
    start(2, cpu);
    countDown();
    wait(2000); // いぬ and ねこ to the opponent
    enter(QStringLiteral("からすみち"));
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].playerLetters, 5);
    EXPECT_EQ(ended[0].cpuLetters, 4);
}

TEST_F(Session, AWholeLimitOfTicksRunsInAnInstantAndTheIdlePlayerLosesEveryWord)
{
    auto cpu = std::make_shared<ScriptedOpponent>();
    cpu->seconds = {{0, 179}, {1, 0.3}, {2, 0.3}};
    start(0, cpu);
    countDown();
    wait(180'000);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].outcome, Outcome::Completed);
    EXPECT_EQ(ended[0].cpuLetters, 10);
    EXPECT_EQ(ended[0].timeMs, 179'600);
}

TEST_F(Session, NothingStartsOrStopsWhileTheTitleIsWritten)
{
    session.holdForTitle();
    EXPECT_EQ(state().PlayState, PlayState::Answering); // as the screens read it
    EXPECT_FALSE(session.answering());
    EXPECT_EQ(start(0), GameSession::Start::NothingToPlay);
    session.EndGame();
    enter(QString());
    EXPECT_FALSE(session.Command2_Click());
    EXPECT_TRUE(ended.empty());
    EXPECT_TRUE(taken.empty());
    session.releaseTitle();
    EXPECT_EQ(state().PlayState, PlayState::Idle);
    EXPECT_EQ(start(0), GameSession::Start::Started);
    EXPECT_EQ(start(1), GameSession::Start::NothingToPlay); // one game at a time
}

TEST_F(Session, ARandomPatternIsDrawnFromTheCandidates)
{
    GameSession::Setup setup;
    setup.candidates = {0, 2, 3};
    ASSERT_EQ(session.StartGame(setup), GameSession::Start::Started);
    EXPECT_EQ(state().PatternIndex, 2); // the integer part of 0.5 × 3 is 1
    session.EndGame();

    // Patterns without words are never drawn, nor started by hand.
    setup.candidates = {50, 3, 60};
    ASSERT_EQ(session.StartGame(setup), GameSession::Start::Started);
    EXPECT_EQ(state().PatternIndex, 3);
    session.EndGame();
    EXPECT_EQ(start(50), GameSession::Start::NotPlayable);
    setup.candidates = {50, 60};
    EXPECT_EQ(session.StartGame(setup), GameSession::Start::NothingToPlay);
    setup.candidates.clear();
    EXPECT_EQ(session.StartGame(setup), GameSession::Start::NothingToPlay);
    EXPECT_EQ(state().PlayState, PlayState::Idle);
}
