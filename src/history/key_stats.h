#pragma once

#include "history/played_game.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

// Which kana and keys cost the player time, from the keys the history keeps.
// Only words typed through the game's own conversion count: an input
// method's keys are never seen, so its words are left out, never guessed.

// One kana (a mora: きゃ is one), as it stood in answers.
struct KanaFigures {
    QString kana;
    int count = 0;  // times it stood in an answer
    int missed = 0; // of those, times a slip came first at its place
    int timed = 0;  // times it had a kana before it in its word
    std::optional<qint64> medianMs; // from the previous kana's last key to its own
    QString romaji; // the keys most often typed for it
    double missRate() const { return count > 0 ? double(missed) / count : 0; }
};

// One physical key, as it was pressed.
struct KeyFigures {
    QString key; // as KeyStroke keeps it: "a", "-", "Backspace", "Enter" …
    int presses = 0;
    int missed = 0;
    std::optional<qint64> medianIntervalMs; // to the next key of the same word
    double missRate() const { return presses > 0 ? double(missed) / presses : 0; }
};

struct KeyStats {
    std::vector<KanaFigures> kana; // in kana order
    std::vector<KeyFigures> keys;  // in key order
    int words = 0;            // words typed through the conversion
    int inputMethodWords = 0; // words typed through an input method, left out
    int strokes = 0;
    bool empty() const { return strokes == 0; }
};

// Over the games played on or after `since` (every game without it).
KeyStats keyStats(const std::vector<PlayedGame>& games, std::optional<QDate> since = std::nullopt);

// The slowest kana by median time, and the most missed by miss rate, among
// those seen at least `atLeast` times; ties go to the one seen more often.
std::vector<KanaFigures> slowestKana(const KeyStats& stats, int limit = 10, int atLeast = 3);
std::vector<KanaFigures> mostMissedKana(const KeyStats& stats, int limit = 10, int atLeast = 3);
