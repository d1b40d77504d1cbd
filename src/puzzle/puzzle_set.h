#pragma once

#include "store/counts.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <vector>

// Every pattern the game can play: 99 playable patterns and the title pattern,
// each with up to 16 word slots.
struct PuzzleSet {
    static constexpr int kPatterns = kPatternSlots;
    static constexpr int kSlots = kWordSlots;
    static constexpr int kPlayablePatterns = ::kPlayablePatterns;
    static constexpr int kTitlePattern = kTitlePatternIndex;

    template <typename T>
    using PerPattern = std::array<T, kPatterns>;
    template <typename T>
    using PerWord = std::array<std::array<T, kSlots>, kPatterns>;

    PerPattern<qint16> LastWordIndex{};
    PerPattern<QString> PatternName{};
    PerWord<qint16> WordCell{};
    PerWord<qint16> WordDirection{};
    PerWord<QString> WordAnswer{};
    PerWord<QString> WordQuestion{};

    // The last slot that is played: LastWordIndex kept inside the slots, so
    // no hand-edited file can make the game index past the table.
    int lastSlot(int pattern) const { return qBound(0, int(LastWordIndex[pattern]), kSlots - 1); }
};

// A pattern is played only when it has words and each of them an answer: a
// pattern missing from the file, or with a word lost to damage, would be
// "cleared" by an Enter on nothing.
bool isPlayable(const PuzzleSet& set, int pattern);
// The playable patterns among 0 to 98, in order.
std::vector<int> playablePatterns(const PuzzleSet& set);
// How many letters the pattern's answers have in all.
int patternLetters(const PuzzleSet& set, int pattern);

// Only 1 means down; every other value runs across.
constexpr bool isDown(qint16 direction) { return direction == 1; }

#include <QList>

class GsxSeq;
struct UnpackResult;

// The cells a word covers, one per character of its answer, in order. Cells
// are not bounded here: a damaged file may place a word off the board, and
// each user decides what to do with such cells.
QList<int> wordCells(const PuzzleSet& set, int pattern, int slot);


// The cells of a word that lie on the board, in word order, as many as its
// answer has characters: a damaged file cannot make the board draw outside
// its 49 cells, wrap a word into the next row, or go past seven cells.
QList<int> boardCells(const PuzzleSet& set, int pattern, int slot);

// How much of a puzzle file is read at most.
inline constexpr qint64 kMostPuzzleBytes = 16 << 20;
inline constexpr qsizetype kMostPuzzleLines = 100'000;

// Fills the set from data2.dat in appDir; a missing file leaves it empty.
// The result tells whether the file was whole.
UnpackResult Get_Question(GsxSeq& seq, const QString& appDir, PuzzleSet& set);
