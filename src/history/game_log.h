#pragma once

#include "history/played_game.h"

#include <optional>
#include <utility>

class Clock;
class GameSession;

// Collects one game while it is played. The main screen tells it what
// happens; at the end it yields the game with its words. Every split runs
// from one clock reading to the next, so the splits of a game add up to its
// game time exactly.
class GameLog {
public:
    struct Start {
        GameMode mode = GameMode::Single;
        int pattern = 0;
        std::optional<int> rank;
        std::optional<qint64> racedGame;
        QString setId;
        QDateTime playedAt;
        qint64 startMs = 0; // the reading answering started at
    };

    // Logs every game of the session that reaches answering, from its events;
    // each finished game waits in takeFinished.
    void follow(const GameSession& session, const Clock& clock);
    std::optional<PlayedGame> takeFinished() { return std::exchange(m_finished, std::nullopt); }
    // The next game races the kept game with this number.
    void raceAgainst(std::optional<qint64> gameId) { m_raced = gameId; }
    // The games from now on are played on this set (empty: the shipped one).
    void playSet(const QString& setId) { m_setId = setId; }

    // Answering started; nothing is logged before this.
    void begin(const Start& start);
    bool active() const { return m_active; }

    // The word at slot became current at the clock reading atMs; the word
    // before it, if any, ends there.
    void wordBecameCurrent(int slot, const QString& answer, qint64 atMs, bool questionShown);
    // A key pressed in the answer box; modifiers alone are not typing.
    void keyPressed(int qtKey);
    // Where the answer box logs each key, at the same clock's readings; the
    // current word takes them when it ends.
    KeyLog& keys() { return m_keys; }
    void wrongEnter();
    void questionShown();
    void answerShown();
    void wordTaken(Taker by);
    void timeRanOut();

    // Closes the game at the clock reading endMs and hands it over; the log
    // is then empty until the next begin.
    PlayedGame finish(bool completed, qint64 endMs, bool questions, bool answerShown, int playerLetters, int cpuLetters);

private:
    WordPlay* current();
    void closeCurrent(qint64 atMs);

    bool m_active = false;
    bool m_timedOut = false;
    PlayedGame m_game;
    qint64 m_startMs = 0;
    qint64 m_currentSince = 0;
    bool m_wordOpen = false;
    std::optional<PlayedGame> m_finished;
    std::optional<qint64> m_raced;
    QString m_setId;
    KeyLog m_keys;
};

// Whether a key press counts as typing (Shift or Ctrl alone do not; a key
// with no Qt name, as kana keys may arrive, does).
bool countsAsKeystroke(int qtKey);
