#include "history/race_choice.h"
#include "puzzle/word_file.h"
#include "support/history_fakes.h"
#include "support/sample_puzzle.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// A cleared game of pattern 0 (さくら, さかな, らいおん) with these splits.
PlayedGame cleared(qint64 id, std::vector<qint64> splits, bool questions = true)
{
    PlayedGame game = singleGame(0, QDateTime(QDate(2026, 12, 1), QTime(9, 0)).addDays(id), 0, questions);
    game.id = id;
    const char* answers[] = {"さくら", "さかな", "らいおん"};
    for (int i = 0; i < 3; ++i) {
        game.words.push_back(wordPlay(i, QString::fromUtf8(answers[i]), splits[std::size_t(i)]));
        game.timeMs += splits[std::size_t(i)];
    }
    return game;
}

class RaceChoice : public ::testing::Test {
protected:
    std::unique_ptr<PuzzleSet> puzzles = [] {
        auto set = std::make_unique<PuzzleSet>();
        ReadWordFile(samplePuzzleLines(), *set);
        return set;
    }();
};

} // namespace

TEST_F(RaceChoice, TheFastestClearedGameWithTheSameQuestionSettingAndNoAnswerShown)
{
    std::vector<PlayedGame> games = {cleared(1, {3000, 3000, 3000}), cleared(2, {2000, 2000, 2000}),
                                     cleared(3, {1000, 1000, 1000}, false)};
    PlayedGame peeked = cleared(4, {500, 500, 500});
    peeked.answerShown = true;
    PlayedGame unfinished = cleared(5, {400, 400, 400});
    unfinished.outcome = Outcome::TimedOut;
    PlayedGame battle = cleared(6, {300, 300, 300});
    battle.mode = GameMode::Battle;
    games.insert(games.end(), {peeked, unfinished, battle});

    const auto withQuestions = bestGameToRace(games, *puzzles, 0, true);
    ASSERT_TRUE(withQuestions);
    EXPECT_EQ(withQuestions->gameId, 2);
    EXPECT_EQ(withQuestions->splitsMs, (std::vector<qint64>{2000, 2000, 2000}));
    EXPECT_EQ(withQuestions->timeMs, 6000);
    EXPECT_EQ(bestGameToRace(games, *puzzles, 0, false)->gameId, 3);
    EXPECT_FALSE(bestGameToRace(games, *puzzles, 1, true)) << "pattern 1 was never cleared";
    EXPECT_EQ(patternsToRace(games, *puzzles, true), std::vector<int>{0});
    EXPECT_TRUE(patternsToRace(games, *puzzles, false).size() == 1);
}

TEST_F(RaceChoice, AGameOfAnotherPuzzleSetOrWithAWordMissingIsNoMatch)
{
    PlayedGame changed = cleared(1, {100, 100, 100});
    changed.words[1].answer = QStringLiteral("さんま"); // the set had another word in slot 1 then
    PlayedGame missing = cleared(2, {200, 200, 200});
    missing.words.pop_back(); // a hand-edited history lost a split
    PlayedGame unkept = cleared(0, {300, 300, 300}); // never written: no number to race against
    std::vector<PlayedGame> games = {changed, missing, unkept};
    EXPECT_FALSE(bestGameToRace(games, *puzzles, 0, true));
    games.push_back(cleared(3, {5000, 5000, 5000}));
    EXPECT_EQ(bestGameToRace(games, *puzzles, 0, true)->gameId, 3);
}
