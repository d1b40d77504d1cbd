#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The states of the main screen: no game (Enter starts one), the count of
// three before answering, and answering.
enum class PlayState { Idle, Countdown, Answering };

// Race: against the splits of the player's own fastest game.
enum class GameMode { Single, Battle, Race };

// The race has its place after the nine CPU ranks in the rank list.
inline constexpr int kRaceRank = 9;
inline const QString kRaceRankName = QStringLiteral("自己ベスト");
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
