#pragma once

#include "puzzle/puzzle_set.h"

// The tables every window shares, owned by main() for the whole run.
struct Module1 {
    PuzzleSet puzzles;
};
