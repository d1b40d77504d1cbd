#pragma once

#include "game/opponent.h"

#include <QtGlobal>
#include <vector>

// The player's own fastest game, word by word: for each word it needs exactly
// the split the player had on it then. A tie goes to the best game: to win a
// word, the player must beat it.
class BestGameOpponent final : public Opponent {
public:
    explicit BestGameOpponent(std::vector<qint64> splitsMs) : m_splitsMs(std::move(splitsMs)) {}
    double PlanCpuWord(int pattern, int slot) override;
    bool takesOnTheMoment() const override { return true; }
    const std::vector<qint64>& splits() const { return m_splitsMs; }

private:
    std::vector<qint64> m_splitsMs;
};

// How far the player is behind the best game after the word at `slot` was
// taken `elapsedMs` after answering began: the time so far minus the best
// game's splits of the same words, in seconds. Negative: ahead.
double paceSeconds(const std::vector<qint64>& bestSplitsMs, int slot, qint64 elapsedMs);
