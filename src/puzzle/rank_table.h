#pragma once

#include "store/counts.h"

#include <QString>
#include <array>

// The nine strengths of the CPU opponent, weakest first.
struct RankTable {
    static constexpr int kRanks = kRankCount;
    template <typename T>
    using PerRank = std::array<T, kRanks>;

    PerRank<QString> RankName{};
    PerRank<double> WordBaseTime{};      // seconds added once per word
    PerRank<double> LetterTime{};        // seconds per letter
    PerRank<double> LetterStumbleRate{}; // a letter takes 2 or 3 letter times
    PerRank<double> WordStumbleRate{};   // the letters' total is doubled or tripled
};

void FillRankTable(RankTable& table);
