#pragma once

#include "game/game_types.h"

#include <QDate>
#include <QString>

struct SingleRecordTable;
struct BattleRecordTable;

// What a finished game does to the records: which line of which file changes
// and to what, the message of the result and the sound. The window only
// applies it, saves and shows it.
struct RecordDecision {
    enum class File { None, Single, Battle };
    enum class Sound { None, NewRecord, Lost };

    File file = File::None; // the record file to save; None: nothing is recorded
    int pattern = 0;
    // Single practice: the line of the kind played (with or without questions).
    bool withQuestion = false;
    qint16 count = 0;
    double best = 0;
    double date = 0;
    // Battles: the rank's counts after the battle (a draw changes neither).
    int rank = 0;
    double wins = 0;
    double losses = 0;

    QString message; // the result dialog's second line; may be empty
    Sound sound = Sound::None;
};

// No one types a letter in less than this.
inline constexpr double kFastestMsPerLetter = 30;

// Only a completed game is judged. Single practice: not recorded when the
// answer was shown; otherwise the count grows and a time below the best (or
// the first time) becomes the best, dated today. Battles: the side with more
// letters wins; a draw is saved unchanged. A race against the player's best
// changes the single-practice line when every word was won, and never the
// battle records.
RecordDecision decideRecord(const GameResult& game, const SingleRecordTable& single, const BattleRecordTable& battle,
                            QDate today);

// Writes the decided line into the tables.
void applyRecord(const RecordDecision& decision, SingleRecordTable& single, BattleRecordTable& battle);
