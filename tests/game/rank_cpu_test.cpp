#include "game/rank_cpu.h"
#include "platform/random.h"
#include "puzzle/puzzle_set.h"
#include "puzzle/rank_table.h"
#include "support/fakes.h"

#include <gtest/gtest.h>
#include <cmath>
#include <memory>

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

TEST(RankCpu, EachWordIsDrawnAfreshFromTheClockAndTheAnswersLength)
{
    RankTable ranks;
    FillRankTable(ranks);
    auto puzzles = std::make_unique<PuzzleSet>();
    puzzles->WordAnswer[4][2] = QStringLiteral("からすみち");
    FakeClock clock;
    ScriptedRandom random({0.99}); // no stumbles
    RankCpu cpu(ranks, 8, *puzzles, clock, random);
    EXPECT_DOUBLE_EQ(cpu.PlanCpuWord(4, 2), 0.4 + 5 * 0.2);
    clock.advance(1234);
    EXPECT_DOUBLE_EQ(cpu.PlanCpuWord(4, 3), 0.4); // an empty answer: the base time alone
    EXPECT_EQ(random.seeds, (std::vector<quint64>{1'000'000, 1'001'234}));
}
