#pragma once

#include <QList>
#include <QString>

struct PuzzleSet;
struct WordFileReport;

// Every broken rule of a puzzle set: words off the board or longer than the
// board, crossings that disagree, last word indexes outside the slots, words
// without a header. Line numbers come from the report when it is given.
struct PuzzleProblem {
    int line; // 0 when unknown
    QString message;
};

QList<PuzzleProblem> checkPuzzleSet(const PuzzleSet& set, const WordFileReport* report = nullptr);
