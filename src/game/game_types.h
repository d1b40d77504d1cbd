#pragma once

#include <QtGlobal>
#include <optional>

// The states of the main screen: no game (Enter starts one), the count of
// three before answering, and answering.
enum class PlayState { Idle, Countdown, Answering };

enum class GameMode { Single, Battle };
enum class Outcome { Completed, Aborted, TimedOut };
enum class Taker { Nobody, Player, Cpu };

// A game as it ended: what decides its records, its result and its history.
struct GameResult {
    GameMode mode = GameMode::Single;
    int pattern = 0;
    std::optional<int> rank; // battles only
    Outcome outcome = Outcome::Aborted;
    qint64 timeMs = 0;         // from the start of answering to the end
    bool questionShown = false; // played with questions on, or one was peeked at
    bool answerShown = false;
    int playerLetters = 0;      // battles only
    int cpuLetters = 0;
    bool reachedAnswering = false; // false: ended in the countdown
    int letters = 0;               // of all the pattern's answers

    bool completed() const { return outcome == Outcome::Completed; }
};
