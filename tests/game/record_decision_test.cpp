// Which record line a finished game changes, and what the result says.
#include "game/record_decision.h"
#include "game/result_texts.h"
#include "store/battle_records.h"
#include "store/record_fields.h"
#include "store/single_records.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

GameResult single(qint64 ms, bool questions = true)
{
    GameResult r;
    r.mode = GameMode::Single;
    r.pattern = 1;
    r.outcome = Outcome::Completed;
    r.timeMs = ms;
    r.questionShown = questions;
    r.reachedAnswering = true;
    return r;
}

GameResult battle(int rank, int player, int cpu)
{
    GameResult r;
    r.mode = GameMode::Battle;
    r.pattern = 2;
    r.rank = rank;
    r.outcome = Outcome::Completed;
    r.playerLetters = player;
    r.cpuLetters = cpu;
    return r;
}

class Records : public ::testing::Test {
protected:
    std::unique_ptr<SingleRecordTable> singles = std::make_unique<SingleRecordTable>();
    std::unique_ptr<BattleRecordTable> battles = std::make_unique<BattleRecordTable>();
    const QDate today{2026, 12, 9};

    RecordDecision play(const GameResult& game, QDate day)
    {
        const RecordDecision d = decideRecord(game, *singles, *battles, day);
        applyRecord(d, *singles, *battles);
        return d;
    }
};

} // namespace

TEST(ResultTexts, TimesAndBattleOutcomes)
{
    EXPECT_EQ(resultTimeText(45678), QStringLiteral("45.678秒"));
    EXPECT_EQ(resultTimeText(500), QStringLiteral("0.500秒"));
    EXPECT_EQ(resultTimeText(180001), QStringLiteral("180.000秒"));
    EXPECT_EQ(battleResultText(12, 8), QStringLiteral("12:8であなたの勝ち"));
    EXPECT_EQ(battleResultText(8, 12), QStringLiteral("12:8でＣＰＵの勝ち"));
    EXPECT_EQ(battleResultText(10, 10), QStringLiteral("10:10で引き分け"));
}

TEST_F(Records, TheFirstTimeIsABestThenOnlyFasterOnes)
{
    RecordDecision d = play(single(20'000), today);
    EXPECT_EQ(d.file, RecordDecision::File::Single);
    EXPECT_EQ(d.message, kNewBestWithQuestion);
    EXPECT_EQ(d.sound, RecordDecision::Sound::NewRecord);
    EXPECT_EQ(singles->CountWithQuestion[1], 1);
    EXPECT_EQ(singles->BestWithQuestion[1], 20'000);
    EXPECT_EQ(singles->DateWithQuestion[1], dayNumber(2026, 12, 9));

    d = play(single(20'000), today.addDays(1)); // equal: counted, not a best
    EXPECT_EQ(d.file, RecordDecision::File::Single);
    EXPECT_TRUE(d.message.isEmpty());
    EXPECT_EQ(d.sound, RecordDecision::Sound::None);
    EXPECT_EQ(singles->CountWithQuestion[1], 2);
    EXPECT_EQ(singles->DateWithQuestion[1], dayNumber(2026, 12, 9));

    d = play(single(19'999), today.addDays(1));
    EXPECT_EQ(d.message, kNewBestWithQuestion);
    EXPECT_EQ(singles->DateWithQuestion[1], dayNumber(2026, 12, 10));

    // The other kind keeps its own line; a game over the limit records its real time.
    d = play(single(181'234, false), today);
    EXPECT_EQ(d.message, kNewBestNoQuestion);
    EXPECT_EQ(singles->BestNoQuestion[1], 181'234);
    EXPECT_EQ(singles->CountWithQuestion[1], 3);

    singles->CountNoQuestion[1] = 32767;
    play(single(1000, false), today);
    EXPECT_EQ(singles->CountNoQuestion[1], 32767); // full stays full
}

TEST_F(Records, AShownAnswerOrAnUnfinishedGameRecordsNothing)
{
    GameResult peeked = single(5000);
    peeked.answerShown = true;
    EXPECT_EQ(play(peeked, today).file, RecordDecision::File::None);
    for (Outcome o : {Outcome::Aborted, Outcome::TimedOut}) {
        GameResult game = battle(3, 9, 1);
        game.outcome = o;
        EXPECT_EQ(play(game, today).file, RecordDecision::File::None);
    }
    EXPECT_EQ(singles->CountWithQuestion[1], 0);
    EXPECT_EQ(battles->Wins[2][3], 0);
}

TEST_F(Records, BattlesCountPerRankAndADrawIsSavedUnchanged)
{
    RecordDecision d = play(battle(0, 12, 8), today);
    EXPECT_EQ(d.file, RecordDecision::File::Battle);
    EXPECT_EQ(d.message, QStringLiteral("12:8であなたの勝ち"));
    EXPECT_EQ(d.sound, RecordDecision::Sound::NewRecord);
    d = play(battle(8, 3, 7), today);
    EXPECT_EQ(d.message, QStringLiteral("7:3でＣＰＵの勝ち"));
    EXPECT_EQ(d.sound, RecordDecision::Sound::Lost);
    d = play(battle(8, 5, 5), today);
    EXPECT_EQ(d.file, RecordDecision::File::Battle); // saved all the same
    EXPECT_EQ(d.sound, RecordDecision::Sound::None);
    EXPECT_EQ(d.message, QStringLiteral("5:5で引き分け"));
    EXPECT_EQ(battles->Wins[2][0], 1);
    EXPECT_EQ(battles->Losses[2][0], 0);
    EXPECT_EQ(battles->Losses[2][8], 1);
    EXPECT_EQ(battles->Wins[2][8], 0);
    EXPECT_EQ(singles->CountWithQuestion[2], 0);
}
