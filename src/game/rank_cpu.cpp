#include "game/rank_cpu.h"

#include "platform/clock.h"
#include "platform/random.h"
#include "puzzle/puzzle_set.h"
#include "puzzle/rank_table.h"

namespace {

// 1 with probability 1 − p, 3 with probability p², 2 otherwise.
int stumbleFactor(double p, Random& random)
{
    const double u = random.next();
    if (u > p) {
        return 1;
    }
    return u <= p * p ? 3 : 2;
}

} // namespace

double drawCpuWordTime(const CpuRank& rank, int letters, Random& random)
{
    double time = 0;
    for (int i = 0; i < letters; ++i) {
        time += rank.letterTime * stumbleFactor(rank.letterStumbleRate, random);
    }
    time *= stumbleFactor(rank.wordStumbleRate, random);
    return time + rank.wordBaseTime;
}

RankCpu::RankCpu(const RankTable& ranks, int rank, const PuzzleSet& puzzles, const Clock& clock, Random& random)
    : m_puzzles(puzzles), m_clock(clock), m_random(random)
{
    const int r = qBound(0, rank, RankTable::kRanks - 1);
    m_rank = {ranks.WordBaseTime[r], ranks.LetterTime[r], ranks.LetterStumbleRate[r], ranks.WordStumbleRate[r]};
}

double RankCpu::PlanCpuWord(int pattern, int slot)
{
    m_random.seed(static_cast<quint64>(m_clock.nowMs()));
    const int letters = pattern >= 0 && pattern < PuzzleSet::kPatterns && slot >= 0 && slot < PuzzleSet::kSlots
                            ? static_cast<int>(m_puzzles.WordAnswer[pattern][slot].size())
                            : 0;
    return drawCpuWordTime(m_rank, letters, m_random);
}
