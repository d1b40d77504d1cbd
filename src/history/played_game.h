#pragma once

#include "game/game_types.h"
#include "input/key_log.h"

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
    // Every key while it was current, ms from its becoming current. Typed
    // through an input method, only its commits are seen.
    std::vector<KeyStroke> strokes;
    bool inputMethod = false;
};

struct PlayedGame {
    qint64 id = 0;      // the history's own number for the game; 0 until kept
    QString setId;      // the player's own puzzle set it was played on; empty: the shipped one
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

// Only the games of one puzzle set stay (empty: the shipped set's); a
// pattern number means nothing across sets.
void keepOnlySet(std::vector<PlayedGame>& games, const QString& setId);

// Keys per minute and misses of one game, for its result:
// "毎分 272 打 ・ ミス 3"; empty for a game of no time.
QString typingLine(const PlayedGame& game);

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
