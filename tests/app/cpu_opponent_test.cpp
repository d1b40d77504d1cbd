#include "app/cpu_opponent.h"
#include "platform/random.h"
#include "puzzle/rank_table.h"
#include "support/main_fixture.h"

#include <cmath>

namespace {

CpuRank rankOf(const RankTable& t, int r)
{
    return {t.WordBaseTime[r], t.LetterTime[r], t.LetterStumbleRate[r], t.WordStumbleRate[r]};
}

} // namespace

TEST(RankTable, NineRanksWeakestFirst)
{
    RankTable t;
    FillRankTable(t);
    EXPECT_EQ(t.RankName[0], QStringLiteral("タマゴ"));
    EXPECT_EQ(t.RankName[5], QStringLiteral("マスター(ブロンズ)"));
    EXPECT_EQ(t.RankName[8], QStringLiteral("zemka"));
    EXPECT_EQ(t.WordBaseTime[0], 12.0);
    EXPECT_EQ(t.LetterTime[6], 0.25);
    EXPECT_EQ(t.LetterStumbleRate[0], 0.20);
    EXPECT_EQ(t.WordStumbleRate[4], 0.09);
    // Ranks 7 and 8 differ only in their base time.
    EXPECT_EQ(t.LetterTime[7], t.LetterTime[8]);
    EXPECT_EQ(t.WordStumbleRate[7], t.WordStumbleRate[8]);
    EXPECT_NE(t.WordBaseTime[7], t.WordBaseTime[8]);
}

TEST(CpuWordTime, StumblesFollowTheDrawnNumbers)
{
    const CpuRank rank{2.0, 0.5, 0.2, 0.1};
    // Letters: u > p one time, u <= p² three times, else two; word: 0.005 <= q² triples.
    ScriptedRandom random({0.9, 0.03, 0.1, 0.005});
    EXPECT_DOUBLE_EQ(drawCpuWordTime(rank, 3, random), (0.5 + 1.5 + 1.0) * 3 + 2.0);
    ScriptedRandom none({0.99});
    EXPECT_DOUBLE_EQ(drawCpuWordTime(rank, 0, none), 2.0);
}

TEST(CpuWordTime, EveryRankHasItsMinimumAndExpectedMean)
{
    RankTable t;
    FillRankTable(t);
    StdRandom random(20261209);
    for (int r = 0; r < RankTable::kRanks; ++r) {
        const CpuRank rank = rankOf(t, r);
        const int letters = 4;
        const double minimum = rank.wordBaseTime + letters * rank.letterTime;
        const double p = rank.letterStumbleRate;
        const double q = rank.wordStumbleRate;
        const double letterMean = rank.letterTime * ((1 - p) + 2 * (p - p * p) + 3 * p * p);
        const double wordFactor = (1 - q) + 2 * (q - q * q) + 3 * q * q;
        const double expected = letters * letterMean * wordFactor + rank.wordBaseTime;
        double lowest = 1e9;
        double sum = 0;
        const int draws = 20000;
        for (int i = 0; i < draws; ++i) {
            const double time = drawCpuWordTime(rank, letters, random);
            lowest = std::min(lowest, time);
            sum += time;
        }
        EXPECT_NEAR(lowest, minimum, 1e-9) << "rank " << r;
        EXPECT_NEAR(sum / draws, expected, expected * 0.01) << "rank " << r;
    }
}

class Battle : public MainFixture {
protected:
    void chooseRank(int r)
    {
        main->Option6->setChecked(true);
        main->Combo2->setCurrentIndex(r);
    }
    void tick(qint64 ms)
    {
        clock.advance(ms);
        answerResultDialog();
        main->Timer1_Timer();
        main->Timer3->setInterval(0);
    }
};

TEST_F(Battle, RankListAfterStartUp)
{
    makeMain();
    ASSERT_EQ(main->Combo2->count(), 9);
    EXPECT_EQ(main->Combo2->currentText(), QStringLiteral("タマゴ"));
    EXPECT_EQ(main->Combo2->itemText(8), QStringLiteral("zemka"));
}

TEST_F(Battle, AnIdlePlayerLosesEveryWordToZemka)
{
    makeMain();
    chooseRank(8);
    startAndCountDown(0);
    main->Text1->setText(QStringLiteral("さく")); // half typed
    // さくら: at least 0.4 + 3 × 0.2 seconds.
    tick(900);
    EXPECT_EQ(main->WordIndex, 0);
    for (int i = 0; i < 200 && !main->PlayState.isEmpty(); ++i) {
        tick(100);
        if (main->WordIndex == 1 && i < 50) {
            EXPECT_TRUE(main->Text1->text().isEmpty());
        }
    }
    EXPECT_TRUE(main->PlayState.isEmpty());
    EXPECT_EQ(main->CpuLetters, 10);
    EXPECT_EQ(main->PlayerLetters, 0);
    EXPECT_EQ(result.message, QStringLiteral("10:0でＣＰＵの勝ち"));
    EXPECT_TRUE(sound.played.contains(path("sound/loose.wav")));
    EXPECT_EQ(module->battleRecords.Losses[0][8], 1);
    const auto lines = unpackLines(seq, path("data3.dat")).lines;
    ASSERT_EQ(lines.size(), 891);
    EXPECT_EQ(lines[0 * 9 + 8], QStringLiteral("0,1"));
}

TEST_F(Battle, APlayerWordJustBeforeTheCpuRestartsItsTiming)
{
    makeMain();
    chooseRank(8);
    startAndCountDown(0);
    const double cpuTime = main->CpuWordTime;
    clock.advance(static_cast<qint64>(cpuTime * 1000) - 100);
    answer(QStringLiteral("さくら"));
    EXPECT_EQ(main->PlayerLetters, 3);
    EXPECT_EQ(main->CpuLetters, 0);
    EXPECT_EQ(main->CpuWordStartTime, double(clock.now));
    tick(100); // the old plan's moment has passed, the new plan's has not
    EXPECT_EQ(main->WordIndex, 1);
    EXPECT_EQ(main->CpuLetters, 0);
    // The CPU's tile for the word it takes is pink.
    tick(static_cast<qint64>(main->CpuWordTime * 1000));
    EXPECT_EQ(main->CpuLetters, 3);
    EXPECT_TRUE(isPink(boardPixel(14)));
    EXPECT_TRUE(isYellow(boardPixel(1)));
}

TEST_F(Battle, LettersNotWordsDecideAndADrawIsSaved)
{
    makeMain();
    chooseRank(0);
    startAndCountDown(2);
    // The CPU takes the two short words, the player the five-letter one.
    tick(static_cast<qint64>(main->CpuWordTime * 1000));
    tick(static_cast<qint64>(main->CpuWordTime * 1000));
    EXPECT_EQ(main->CpuLetters, 4);
    answer(QStringLiteral("からすみち"));
    EXPECT_EQ(result.message, QStringLiteral("5:4であなたの勝ち"));
    EXPECT_EQ(module->battleRecords.Wins[2][0], 1);

    // A draw: each side takes a three-letter word.
    module->puzzles.WordAnswer[2][1] = QStringLiteral("ねこた");
    module->puzzles.WordAnswer[2][2] = QStringLiteral("からす");
    module->puzzles.LastWordIndex[2] = 1;
    module->puzzles.WordAnswer[2][0] = QStringLiteral("いぬた");
    deleteFile(path("data3.dat"));
    sound.played.clear();
    startAndCountDown(2);
    answer(QStringLiteral("いぬた"));
    tick(static_cast<qint64>(main->CpuWordTime * 1000));
    EXPECT_EQ(result.message, QStringLiteral("3:3で引き分け"));
    EXPECT_TRUE(sound.played.filter(QStringLiteral(".WAV")).isEmpty());
    EXPECT_TRUE(sound.played.filter(QStringLiteral("loose")).isEmpty());
    EXPECT_TRUE(fileExists(path("data3.dat")));
    EXPECT_EQ(module->battleRecords.Wins[2][0], 1);
    EXPECT_EQ(module->battleRecords.Losses[2][0], 0);
}
