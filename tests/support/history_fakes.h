#pragma once

#include "history/history_store.h"

// Keeps the games in memory, or refuses every write like a full disk.
class MemoryHistoryStore final : public HistoryStore {
public:
    std::vector<PlayedGame> games;
    bool failWrites = false;
    bool busy = false; // another program holds the file, for now
    int writes = 0;

    bool append(const PlayedGame& game, QString* error) override
    {
        ++writes;
        if (failWrites || busy) {
            *error = busy ? QStringLiteral("in use") : QStringLiteral("disk full");
            return false;
        }
        games.push_back(game);
        games.back().id = static_cast<qint64>(games.size());
        return true;
    }
    bool failedForNow() const override { return busy; }
    QString loadError; // set: the history cannot be read
    HistoryLoad loadAll() override { return HistoryLoad{loadError.isEmpty() ? games : std::vector<PlayedGame>{}, 0, loadError}; }
};

// A game made by hand for the windows and the figures.
inline PlayedGame singleGame(int pattern, QDateTime at, qint64 ms, bool questions = true,
                             Outcome outcome = Outcome::Completed)
{
    PlayedGame game;
    game.playedAt = at;
    game.pattern = pattern;
    game.questions = questions;
    game.outcome = outcome;
    game.timeMs = ms;
    return game;
}

inline WordPlay wordPlay(int slot, const QString& answer, qint64 ms, Taker taker = Taker::Player, int keys = 0)
{
    WordPlay word;
    word.slot = slot;
    word.answer = answer;
    word.ms = ms;
    word.taker = taker;
    word.keys = keys;
    return word;
}

// One key as the key log keeps it: which mora of the word it made, and where.
inline KeyStroke keyStroke(qint64 ms, const char* key, const char* kana = "", int mora = -1, int place = -1,
                           bool missed = false)
{
    KeyStroke s;
    s.ms = ms;
    s.key = QString::fromUtf8(key);
    s.kana = QString::fromUtf8(kana);
    s.mora = mora;
    s.place = place;
    s.missed = missed;
    return s;
}
