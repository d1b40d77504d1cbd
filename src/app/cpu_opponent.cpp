#include "app/cpu_opponent.h"

#include "app/main_form.h"
#include "app/module1.h"
#include "platform/clock.h"
#include "platform/random.h"

#include <QComboBox>

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

void Main::PlanCpuWord()
{
    m_services.random.seed(static_cast<quint64>(m_services.clock.nowMs()));
    const int r = qBound(0, Combo2->currentIndex(), RankTable::kRanks - 1);
    const RankTable& ranks = m_module.ranks;
    const CpuRank rank{ranks.WordBaseTime[r], ranks.LetterTime[r], ranks.LetterStumbleRate[r], ranks.WordStumbleRate[r]};
    CpuWordTime = drawCpuWordTime(rank, static_cast<int>(m_module.puzzles.WordAnswer[PatternIndex][WordIndex].size()),
                                  m_services.random);
}
