#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <memory>

// The application the data tool runs in. Building a set, and checking one
// against its word list, measure text in the game's fonts: that takes a GUI
// application, off screen unless a platform is asked for, with the game's
// font substitutions. Every other command makes do with the core.
std::unique_ptr<QCoreApplication> makeDataToolApplication(int& argc, char** argv);

// tazumeki-data build WORDS -o SET [--name TITLE] [--patterns N] [--seed S] [--check]
int buildCommand(const QStringList& args);

// The builder's rules of a set of one's own, read back against the word list
// it was made from; each problem said on stderr. Returns the exit code.
int checkAgainstWordList(const QString& setPath, const QStringList& setLines, const QString& listPath);

inline const char* kBuildUsage =
    "  tazumeki-data build WORDS -o SET [--name TITLE] [--patterns N] [--seed S] [--check]\n"
    "                                                   a puzzle set of your own from a word list\n"
    "    WORDS: one word a line, answer TAB clue [TAB tag [TAB written form]], UTF-8 or Shift_JIS;\n"
    "    blank lines and lines starting with # are skipped. --name: the set's name (default: the\n"
    "    list's file name); --patterns: at most N (default: as many as the words allow, up to 99);\n"
    "    --check: only report the list's problems and how many patterns it makes; writes nothing\n"
    "  tazumeki-data check SET --words WORDS            also the builder's rules, against the list\n";
