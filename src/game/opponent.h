#pragma once

// Whoever races the player for each word. The game asks it, each time a word
// becomes current, how many seconds it needs for that word; when that time
// has passed and the player has not taken the word, the opponent takes it.
class Opponent {
public:
    virtual ~Opponent() = default;
    // Seconds needed for word `slot` of `pattern`, which has just become current.
    virtual double PlanCpuWord(int pattern, int slot) = 0;
    // True when the word is the opponent's the moment its time has passed,
    // also between two clock ticks: an Enter after it comes too late. The
    // CPU's word is taken on the tick instead.
    virtual bool takesOnTheMoment() const { return false; }
};
