#pragma once

// A word list of a player's own, as a spreadsheet or a flashcard program
// exports it: answer, clue, and optionally a theme tag and the written form,
// tab-separated, one word a line. The same columns as the word bank, so the
// bank reads here too. Checked against what the game can show and store.

#include "crossword.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// No list of words comes near this; a larger file is refused unread.
inline constexpr qint64 kMostWordListBytes = 16 << 20;
// Nor this many words: the builder compares every pair of them, and 99
// patterns use at most 1,584.
inline constexpr int kMostWords = 5000;
// More problems than this are counted, not listed: a file that is no word
// list at all would otherwise print one line per line.
inline constexpr int kMostListedProblems = 200;

struct WordList {
    Bank bank;             // the lines without problems
    QStringList problems;  // "FILE:LINE: what is wrong", or "FILE: what is wrong"
    QString encoding;      // as read: UTF-8, UTF-16 or CP932
    int skippedProblems = 0; // beyond kMostListedProblems

    bool ok() const { return problems.isEmpty(); }
};

// Reads the file at path (a plain file of at most kMostWordListBytes).
WordList readWordList(const QString& path);
// The same from bytes; `shownPath` names the file in the problems. Valid
// UTF-8 (or UTF-16 with its byte-order mark) is read as such, anything else
// as code page 932; bytes that are neither, or NUL bytes, make it no text.
WordList parseWordList(const QByteArray& bytes, const QString& shownPath);

// A pattern name of a set of one's own fits where the screens show it: no
// wider, in the main screen's caption font, than the six full-width
// characters the shipped names are held to.
bool ownSetNameFits(const std::string& name);
