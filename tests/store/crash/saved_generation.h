#pragma once

#include "store/battle_records.h"
#include "store/single_records.h"

#include <optional>

// Tables whose every line tells which save wrote it.
inline void fillSingle(SingleRecordTable& t, long generation)
{
    for (int k = 0; k < SingleRecordTable::kPatterns; ++k) {
        t.CountWithQuestion[k] = static_cast<qint16>(generation % 30000);
        t.BestWithQuestion[k] = static_cast<double>(generation) * 1000 + k;
        t.DateWithQuestion[k] = 40000 + generation % 5000;
        t.CountNoQuestion[k] = static_cast<qint16>(k);
        t.BestNoQuestion[k] = static_cast<double>(generation);
        t.DateNoQuestion[k] = 0;
    }
}

inline void fillBattle(BattleRecordTable& t, long generation)
{
    for (int p = 0; p < BattleRecordTable::kPatterns; ++p) {
        for (int r = 0; r < BattleRecordTable::kRanks; ++r) {
            t.Wins[p][r] = static_cast<double>(generation);
            t.Losses[p][r] = p * BattleRecordTable::kRanks + r;
        }
    }
}

// The one generation every line agrees on, or nothing when lines disagree.
inline std::optional<long> singleGeneration(const SingleRecordTable& t)
{
    const long generation = static_cast<long>(t.BestNoQuestion[0]);
    SingleRecordTable expected;
    fillSingle(expected, generation);
    const bool same = t.CountWithQuestion == expected.CountWithQuestion && t.BestWithQuestion == expected.BestWithQuestion
                   && t.DateWithQuestion == expected.DateWithQuestion && t.CountNoQuestion == expected.CountNoQuestion
                   && t.BestNoQuestion == expected.BestNoQuestion && t.DateNoQuestion == expected.DateNoQuestion;
    return same ? std::optional<long>(generation) : std::nullopt;
}

inline std::optional<long> battleGeneration(const BattleRecordTable& t)
{
    const long generation = static_cast<long>(t.Wins[0][0]);
    BattleRecordTable expected;
    fillBattle(expected, generation);
    return t.Wins == expected.Wins && t.Losses == expected.Losses ? std::optional<long>(generation) : std::nullopt;
}
