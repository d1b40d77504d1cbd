#pragma once

#include "puzzle/puzzle_set.h"
#include "puzzle/rank_table.h"
#include "store/battle_records.h"
#include "store/single_records.h"

// The tables every window shares, owned by main() for the whole run.
struct Module1 {
    PuzzleSet puzzles;
    RankTable ranks;
    SingleRecordTable singleRecords;
    BattleRecordTable battleRecords;
};
