#include "game/best_game_opponent.h"

double BestGameOpponent::PlanCpuWord(int, int slot)
{
    if (slot < 0 || slot >= static_cast<int>(m_splitsMs.size())) {
        return 0; // no split of its own: a word the best game never saw is lost at once
    }
    return static_cast<double>(m_splitsMs[static_cast<std::size_t>(slot)]) / 1000;
}

double paceSeconds(const std::vector<qint64>& bestSplitsMs, int slot, qint64 elapsedMs)
{
    qint64 best = 0;
    for (int i = 0; i <= slot && i < static_cast<int>(bestSplitsMs.size()); ++i) {
        best += bestSplitsMs[static_cast<std::size_t>(i)];
    }
    return static_cast<double>(elapsedMs - best) / 1000;
}
