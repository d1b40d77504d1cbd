#pragma once

#include "game/game_types.h"

#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

// One game as the play history keeps it: every game that reached answering,
// whatever ended it, with one entry per word that became current.

struct WordPlay {
    int slot = 0;
    QString answer;
    qint64 ms = 0; // from becoming current to its taking, or to the game's end
    Taker taker = Taker::Nobody;
    int wrongEnters = 0;
    int keys = 0;
    bool questionShown = false;
    bool answerShown = false;
};

struct PlayedGame {
    qint64 id = 0;      // the history's own number for the game; 0 until kept
    QDateTime playedAt; // local time when answering started, to the second
    GameMode mode = GameMode::Single;
    int pattern = 0;
    std::optional<int> rank; // battles only
    std::optional<qint64> racedGame; // races: the game raced against
    bool questions = false;
    bool answerShown = false;
    Outcome outcome = Outcome::Aborted;
    qint64 timeMs = 0;
    int playerLetters = 0;
    int cpuLetters = 0;
    std::vector<WordPlay> words;

    bool completed() const { return outcome == Outcome::Completed; }
    int keys() const
    {
        int total = 0;
        for (const WordPlay& word : words) {
            total += word.keys;
        }
        return total;
    }
};

// The names the database and the exports use.
QString modeName(GameMode mode);
QString outcomeName(Outcome outcome);
QString takerName(Taker taker); // empty for nobody
std::optional<GameMode> modeFromName(const QString& name);
std::optional<Outcome> outcomeFromName(const QString& name);
std::optional<Taker> takerFromName(const QString& name);

// "2026-12-09T12:34:56", local time without an offset.
QString playedAtText(const QDateTime& at);
QDateTime playedAtFromText(const QString& text);
