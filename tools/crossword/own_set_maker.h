#pragma once

// Makes a puzzle set of a player's own from a word list: the crossword
// builder's patterns, the game's own title pattern carrying the set's name,
// packed as data2.dat is.

#include "crossword.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// Words a pattern of one's own holds at least. The shipped patterns hold 10
// to 16; eight still makes a crossword of several crossings and a game of
// a minute or so, and lets a list of a week's thirty words make patterns.
inline constexpr int kOwnSetMinWords = 8;

struct OwnSetOptions {
    QString name;                     // the set's name, pattern 99's
    int patterns = kPlayedPatterns;   // at most
    std::uint32_t seed = 1;
};

struct OwnSetBuild {
    std::vector<Pattern> patterns; // the played ones
    QStringList lines;             // the word file, title pattern last
    QByteArray bytes;              // the container
    QString problem;               // why nothing was made, for a person

    bool ok() const { return problem.isEmpty(); }
};

// Why a set cannot carry this name; empty when it can.
QString setNameProblem(const QString& name);

// Builds the set. The same bank and options give the same bytes: even the
// container's key table is drawn from a seed taken from the lines.
OwnSetBuild buildOwnSet(const Bank& bank, const OwnSetOptions& options);

// The game's title pattern (pattern 99 of the shipped set) with the set's name.
QStringList titlePatternLines(const QString& setName);

// Every rule of a set of one's own its lines break, read back from the file:
// the builder's rules against the word list it was made from, and the title
// pattern is the game's. Empty when it keeps them all.
QStringList ownSetProblems(const QStringList& lines, const Bank& bank);
