#pragma once

class Random;

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
