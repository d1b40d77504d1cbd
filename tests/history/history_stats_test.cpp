#include "history/history_stats.h"
#include "support/history_fakes.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

QDateTime day(int d, int hour = 12)
{
    return QDateTime(QDate(2026, 12, d), QTime(hour, 0));
}

PlayedGame played(int pattern, int d, qint64 ms, std::vector<WordPlay> words, bool questions = true,
                  Outcome outcome = Outcome::Completed)
{
    PlayedGame game = singleGame(pattern, day(d), ms, questions, outcome);
    game.words = std::move(words);
    return game;
}

PlayedGame battle(int rank, int player, int cpu, std::vector<WordPlay> words = {})
{
    PlayedGame game = singleGame(5, day(9), 10'000);
    game.mode = GameMode::Battle;
    game.rank = rank;
    game.playerLetters = player;
    game.cpuLetters = cpu;
    game.words = std::move(words);
    return game;
}

} // namespace

TEST(HistoryStats, ProgressSeparatesQuestionsAndStepsTheBest)
{
    PlayedGame peeked = played(1, 3, 9'000, {wordPlay(0, "あ", 9'000, Taker::Player, 30)}, false);
    peeked.answerShown = true;
    const std::vector<PlayedGame> games = {
        played(1, 1, 20'000, {wordPlay(0, "あ", 20'000, Taker::Player, 40)}),
        played(1, 2, 5'000, {wordPlay(0, "あ", 5'000, Taker::Nobody, 3)}, true, Outcome::Aborted),
        played(1, 2, 18'000, {wordPlay(0, "あ", 18'000, Taker::Player, 30)}, false),
        peeked, // fastest, but no record counts it
        played(1, 4, 19'000, {wordPlay(0, "あ", 19'000, Taker::Player, 38)}),
        played(2, 4, 1'000, {}),
    };
    const PatternProgress progress = patternProgress(games, 1);
    EXPECT_EQ(progress.played, 5);
    EXPECT_EQ(progress.completed, 4);
    EXPECT_EQ(progress.withQuestions, (std::vector<QPointF>{{1, 20}, {4, 19}}));
    EXPECT_EQ(progress.withoutQuestions, (std::vector<QPointF>{{2, 18}, {3, 9}}));
    EXPECT_EQ(progress.bestSoFar, (std::vector<QPointF>{{1, 20}, {2, 20}, {2, 18}, {3, 18}, {4, 18}}));
    ASSERT_TRUE(progress.bestKeysPerMinute && progress.lastKeysPerMinute);
    EXPECT_DOUBLE_EQ(*progress.bestKeysPerMinute, 200) << "30 keys in 9 seconds";
    EXPECT_DOUBLE_EQ(*progress.lastKeysPerMinute, 120) << "38 keys in 19 seconds";
    EXPECT_FALSE(patternProgress(games, 50).bestKeysPerMinute.has_value());
}

TEST(HistoryStats, WordSplitsMarkTheThreeSlowestByMedian)
{
    auto words = [](qint64 a, qint64 b, qint64 c, qint64 d) {
        return std::vector<WordPlay>{wordPlay(0, "い", a), wordPlay(1, "ろ", b), wordPlay(2, "は", c),
                                     wordPlay(3, "に", d)};
    };
    std::vector<PlayedGame> games = {played(1, 1, 0, words(1000, 4000, 3000, 100)),
                                     played(1, 2, 0, words(3000, 2000, 3000, 200)),
                                     played(1, 3, 0, words(2000, 1000, 3000, 300))};
    games.push_back(played(1, 4, 0, {wordPlay(0, "い", 60'000, Taker::Nobody)}, true, Outcome::TimedOut));
    const std::vector<WordSplits> splits = wordSplits(games, 1);
    ASSERT_EQ(splits.size(), 4u);
    EXPECT_EQ(splits[0].best, 1000);
    EXPECT_EQ(splits[0].median, 2000) << "the word nobody took does not count";
    EXPECT_EQ(splits[0].last, 2000);
    EXPECT_EQ(splits[0].samples, 3);
    EXPECT_EQ(splits[1].median, 2000);
    EXPECT_EQ(splits[2].median, 3000);
    EXPECT_TRUE(splits[0].slowest && splits[1].slowest && splits[2].slowest);
    EXPECT_FALSE(splits[3].slowest);

    games.resize(2); // an even count: the middle two averaged
    EXPECT_EQ(wordSplits(games, 1)[3].median, 150);

    // The puzzle set changed since: slot 0 now holds another word, which never merges with い.
    games.push_back(played(1, 5, 0, {wordPlay(0, "あたらしい", 7000)}));
    const std::vector<WordSplits> changed = wordSplits(games, 1);
    ASSERT_EQ(changed.size(), 5u);
    EXPECT_EQ(changed[0].samples + changed[1].samples, 3);
    EXPECT_EQ(std::count_if(changed.begin(), changed.end(), [](const WordSplits& w) { return w.best == 7000; }), 1);
}

TEST(HistoryStats, BattlesPerRankAndTheCpusWords)
{
    const std::vector<PlayedGame> games = {
        battle(2, 5, 3, {wordPlay(0, "いぬ", 1, Taker::Cpu), wordPlay(1, "ねこ", 1, Taker::Player)}),
        battle(2, 2, 6, {wordPlay(0, "いぬ", 1, Taker::Cpu), wordPlay(2, "からす", 1, Taker::Cpu)}),
        battle(0, 4, 4),
        battle(2, 1, 0),
    };
    PlayedGame unfinished = battle(7, 0, 2, {wordPlay(1, "ねこ", 1, Taker::Cpu)});
    unfinished.outcome = Outcome::Aborted;
    std::vector<PlayedGame> all = games;
    all.push_back(unfinished);

    const BattleSummary summary = battleSummary(all, 5);
    EXPECT_EQ(summary.battles, 4);
    ASSERT_EQ(summary.ranks.size(), 2u) << "an unfinished battle has no winner";
    EXPECT_EQ(summary.ranks[0].rank, 0);
    EXPECT_EQ(summary.ranks[0].draws, 1);
    EXPECT_EQ(summary.ranks[0].recent, QStringLiteral("△"));
    const RankBattles& r2 = summary.ranks[1];
    EXPECT_EQ(r2.wins, 2);
    EXPECT_EQ(r2.losses, 1);
    EXPECT_EQ(r2.recent, QStringLiteral("○●○"));
    EXPECT_EQ(r2.balance, (std::vector<QPointF>{{1, 1}, {2, 0}, {4, 1}}));
    ASSERT_EQ(summary.cpuWords.size(), 3u);
    EXPECT_EQ(summary.cpuWords[0].answer, QStringLiteral("いぬ"));
    EXPECT_EQ(summary.cpuWords[0].count, 2);
    // Counted by the word: a word that moved to another slot is still the same word.
    std::vector<PlayedGame> moved = all;
    moved.push_back(battle(2, 0, 2, {wordPlay(5, "いぬ", 1, Taker::Cpu)}));
    EXPECT_EQ(battleSummary(moved, 5).cpuWords[0].count, 3);
    EXPECT_EQ(battleSummary(all, 5, 1).cpuWords.size(), 1u);
}

TEST(HistoryStats, DaysTotalsAndImprovements)
{
    const QDate today(2026, 12, 9);
    std::vector<PlayedGame> games = {
        played(3, 1, 30'000, {}), // December 1st, inside 30 days
        played(3, 9, 25'000, {}),
        played(3, 9, 40'000, {}, true, Outcome::Aborted),
    };
    PlayedGame old = played(3, 1, 28'000, {});
    old.playedAt = QDateTime(QDate(2026, 10, 1), QTime(8, 0));
    PlayedGame oldOther = old;
    oldOther.pattern = 4;
    oldOther.timeMs = 50'000;
    PlayedGame newOther = played(4, 5, 20'000, {});
    PlayedGame onlyNew = played(6, 5, 10'000, {});
    games.insert(games.begin(), {old, oldOther});
    games.push_back(newOther);
    games.push_back(onlyNew);
    // First played within the 30 days, and faster since: a player's first month shows it.
    games.push_back(played(7, 2, 30'000, {}));
    games.push_back(played(7, 8, 22'000, {}));

    const std::vector<DayTotals> days = dailyTotals(games, today);
    ASSERT_EQ(days.size(), 30u);
    EXPECT_EQ(days.front().day, QDate(2026, 11, 10));
    EXPECT_EQ(days.back().day, today);
    EXPECT_EQ(days.back().games, 2);
    EXPECT_EQ(days.back().ms, 65'000);
    EXPECT_EQ(days[21].games, 1) << "December 1st";
    EXPECT_EQ(totalTimePlayed(games), 28'000 + 50'000 + 30'000 + 25'000 + 40'000 + 20'000 + 10'000 + 52'000);

    const std::vector<Improvement> improved = improvedPatterns(games, today);
    ASSERT_EQ(improved.size(), 3u) << "one game of a pattern is nothing to improve on";
    EXPECT_EQ(improved[0].pattern, 4);
    EXPECT_EQ(improved[0].before - improved[0].now, 30'000);
    EXPECT_EQ(improved[1].pattern, 7);
    EXPECT_EQ(improved[1].before, 30'000);
    EXPECT_EQ(improved[1].now, 22'000);
    EXPECT_EQ(improved[2].pattern, 3);
    EXPECT_EQ(improved[2].now, 25'000);
}
