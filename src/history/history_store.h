#pragma once

#include "history/played_game.h"

#include <QString>
#include <vector>

// What a read of the history found.
struct HistoryLoad {
    std::vector<PlayedGame> games; // in the order they were played
    int skipped = 0;               // rows that made no sense (a hand-edited file)
    QString error;                 // why nothing could be read; empty when it could
    bool ok() const { return error.isEmpty(); }
};

// Where finished games are kept. Main writes one game at a time; the history
// windows and the data tool read them all.
class HistoryStore {
public:
    virtual ~HistoryStore() = default;
    // Adds one game with its words, all or nothing.
    virtual bool append(const PlayedGame& game, QString* error) = 0;
    // The last append failed only for now (another program held the file):
    // the same game may be tried again later.
    virtual bool failedForNow() const { return false; }
    virtual HistoryLoad loadAll() = 0;
    // Something the player should hear about once (a damaged file put
    // aside); empty when there is nothing new.
    virtual QString takeNotice() { return QString(); }
};
