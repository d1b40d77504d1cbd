#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

#include "puzzle/puzzle_set.h"
#include "store/quoted_fields.h"

// What ReadWordFile could not take, and where each entry came from, for the
// checking tool.
struct WordFileReport {
    struct Problem {
        int line; // 1-based line number
        QString message;
    };
    QList<Problem> skipped;  // lines outside the tables, left out
    QList<Problem> warnings; // lines taken, but with something odd
    // The line that last wrote a header or a word slot; 0 when none did.
    PuzzleSet::PerPattern<int> headerLine{};
    PuzzleSet::PerWord<int> wordLine{};
};

// Reads the lines of the word file into the set; later lines overwrite earlier
// ones. A line whose pattern, slot or numbers lie outside the tables, or that
// has fewer than seven fields, is skipped.
void ReadWordFile(const QStringList& lines, PuzzleSet& set, WordFileReport* report = nullptr);
