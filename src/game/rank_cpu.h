#pragma once

#include "game/opponent.h"

class Clock;
class Random;
struct PuzzleSet;
struct RankTable;

struct CpuRank {
    double wordBaseTime;
    double letterTime;
    double letterStumbleRate;
    double wordStumbleRate;
};

// Seconds the CPU needs for a word of `letters` characters: each letter costs
// one, two or three letter times (p: u > p one; u <= p² three; else two), the
// letters' total is kept, tripled or doubled the same way with q, and the
// base time is added.
double drawCpuWordTime(const CpuRank& rank, int letters, Random& random);

// The CPU of one of the nine ranks: a fresh draw for every word, the random
// numbers seeded from the clock each time.
class RankCpu final : public Opponent {
public:
    RankCpu(const RankTable& ranks, int rank, const PuzzleSet& puzzles, const Clock& clock, Random& random);
    double PlanCpuWord(int pattern, int slot) override;

private:
    CpuRank m_rank;
    const PuzzleSet& m_puzzles;
    const Clock& m_clock;
    Random& m_random;
};
