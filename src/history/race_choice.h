#pragma once

#include "history/played_game.h"

#include <optional>
#include <vector>

struct PuzzleSet;

// The game a race runs against: the player's fastest cleared single-practice
// game of the pattern with the same question setting, no answer shown, every
// word taken by the player, and the same words as the pattern has now (a
// puzzle set that changed since has other answers; a game kept without a
// word's split is no match either).
struct RaceTarget {
    qint64 gameId = 0;
    qint64 timeMs = 0;
    std::vector<qint64> splitsMs; // per word slot
};
std::optional<RaceTarget> bestGameToRace(const std::vector<PlayedGame>& games, const PuzzleSet& puzzles, int pattern,
                                         bool questions);
// The patterns that have such a game, for a race on a pattern drawn at random.
std::vector<int> patternsToRace(const std::vector<PlayedGame>& games, const PuzzleSet& puzzles, bool questions);
