#include "history/game_log.h"

#include <gtest/gtest.h>

namespace {

GameLog::Start startAt(qint64 ms, GameMode mode = GameMode::Single, int rank = 3)
{
    GameLog::Start start;
    start.mode = mode;
    start.pattern = 7;
    start.rank = rank;
    start.playedAt = QDateTime(QDate(2026, 12, 9), QTime(12, 34, 56));
    start.startMs = ms;
    return start;
}

qint64 sumOfSplits(const PlayedGame& game)
{
    qint64 sum = 0;
    for (const WordPlay& word : game.words) {
        sum += word.ms;
    }
    return sum;
}

} // namespace

TEST(GameLog, CompletedGameSplitsAddUpToItsTime)
{
    GameLog log;
    log.begin(startAt(1000));
    log.wordBecameCurrent(0, QStringLiteral("さくら"), 1000, true);
    log.keyPressed(Qt::Key_S);
    log.keyPressed(Qt::Key_Shift); // a modifier alone is not typing
    log.keyPressed(Qt::Key_unknown); // a kana key without a name of its own
    log.keyPressed(13);
    log.wrongEnter();
    log.keyPressed(13);
    log.wordTaken(Taker::Player);
    log.wordBecameCurrent(1, QStringLiteral("さかな"), 2203, true);
    log.answerShown();
    log.wordTaken(Taker::Player);
    const PlayedGame game = log.finish(true, 4804, true, true, 0, 0);

    EXPECT_FALSE(log.active());
    EXPECT_EQ(game.outcome, Outcome::Completed);
    EXPECT_EQ(game.timeMs, 3804);
    ASSERT_EQ(game.words.size(), 2u);
    EXPECT_EQ(game.words[0].ms, 1203);
    EXPECT_EQ(game.words[1].ms, 2601);
    EXPECT_EQ(sumOfSplits(game), game.timeMs);
    EXPECT_EQ(game.words[0].keys, 4);
    EXPECT_EQ(game.words[0].wrongEnters, 1);
    EXPECT_FALSE(game.words[0].answerShown);
    EXPECT_TRUE(game.words[1].answerShown);
    EXPECT_EQ(game.words[1].answer, QStringLiteral("さかな"));
    EXPECT_EQ(game.words[1].taker, Taker::Player);
    EXPECT_FALSE(game.rank.has_value()) << "single practice has no rank";
    EXPECT_EQ(game.pattern, 7);
    EXPECT_EQ(game.playedAt, QDateTime(QDate(2026, 12, 9), QTime(12, 34, 56)));
}

TEST(GameLog, UnfinishedGamesEndTheCurrentWordWithNobodyTakingIt)
{
    GameLog log;
    log.begin(startAt(0, GameMode::Battle, 4));
    log.wordBecameCurrent(0, QStringLiteral("いぬ"), 0, false);
    log.wordTaken(Taker::Cpu);
    log.wordBecameCurrent(1, QStringLiteral("ねこ"), 900, false);
    log.questionShown();
    log.timeRanOut();
    PlayedGame game = log.finish(false, 180'050, false, false, 0, 2);
    EXPECT_EQ(game.outcome, Outcome::TimedOut);
    EXPECT_EQ(game.rank, 4);
    EXPECT_EQ(game.cpuLetters, 2);
    EXPECT_EQ(game.words[0].taker, Taker::Cpu);
    EXPECT_EQ(game.words[1].taker, Taker::Nobody);
    EXPECT_TRUE(game.words[1].questionShown);
    EXPECT_EQ(game.words[1].ms, 180'050 - 900);
    EXPECT_EQ(sumOfSplits(game), game.timeMs);

    // The next game starts clean: neither the time-out nor the words carry over.
    log.begin(startAt(200'000));
    log.wordBecameCurrent(0, QStringLiteral("いぬ"), 200'000, false);
    game = log.finish(false, 200'500, false, false, 0, 0);
    EXPECT_EQ(game.outcome, Outcome::Aborted);
    EXPECT_EQ(game.words.size(), 1u);
    EXPECT_EQ(game.timeMs, 500);
}

TEST(GameLog, NothingIsCountedOutsideAGame)
{
    GameLog log;
    log.keyPressed(Qt::Key_A);
    log.wrongEnter();
    log.wordTaken(Taker::Player);
    log.timeRanOut();
    log.wordBecameCurrent(0, QStringLiteral("あ"), 10, true);
    EXPECT_FALSE(log.active());

    log.begin(startAt(100));
    log.wordBecameCurrent(0, QStringLiteral("あ"), 100, true);
    const PlayedGame game = log.finish(false, 50, false, false, 0, 0); // a clock that went back
    EXPECT_EQ(game.outcome, Outcome::Aborted) << "a time-out before begin does not count";
    EXPECT_EQ(game.timeMs, 0);
    EXPECT_EQ(game.words[0].ms, 0);
    EXPECT_EQ(game.words[0].keys, 0);
}

TEST(GameLog, EachWordTakesItsOwnKeysCountedFromItsStart)
{
    GameLog log;
    log.keys().press(500, QStringLiteral("x")); // on the title screen: no game's
    log.begin(startAt(1000, GameMode::Battle));
    log.wordBecameCurrent(0, QStringLiteral("いぬ"), 1000, true);
    log.keys().press(1150, QStringLiteral("i"));
    log.keys().press(1300, QStringLiteral("Enter"));
    log.wrongEnter();
    log.keys().press(1400, QStringLiteral("i"));
    log.wordTaken(Taker::Cpu); // the CPU took it: what was typed stays with the word
    log.wordBecameCurrent(1, QStringLiteral("ねこ"), 2000, true);
    log.keys().press(2100, QStringLiteral("n"));
    const PlayedGame game = log.finish(false, 2600, true, false, 0, 2);

    ASSERT_EQ(game.words.size(), 2u);
    const std::vector<KeyStroke>& first = game.words[0].strokes;
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].ms, 150);
    EXPECT_TRUE(first[0].missed) << "its answer was rejected";
    EXPECT_FALSE(first[1].missed);
    EXPECT_FALSE(first[2].missed);
    EXPECT_EQ(first[2].ms, 400);
    EXPECT_EQ(game.words[0].taker, Taker::Cpu);
    ASSERT_EQ(game.words[1].strokes.size(), 1u) << "an unfinished word keeps its keys too";
    EXPECT_EQ(game.words[1].strokes[0].ms, 100);
    EXPECT_TRUE(log.keys().strokes().empty());
}
