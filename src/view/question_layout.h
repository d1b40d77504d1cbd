#pragma once

#include <QFont>
#include <QString>
#include <array>

// The question box of the main screen: three labels, each one line of
// kQuestionLineWidth pixels. The game shows questions with it, and the set
// builder measures a clue with it before a player ever sees the clue.
inline constexpr int kQuestionLines = 3;
inline constexpr int kQuestionLineWidth = 249;
// Questions without spaces between words (Japanese) break every this many characters.
inline constexpr int kQuestionLineCharacters = 20;

inline const QString kUnregisteredQuestion = QStringLiteral("（未登録）");

// The labels' font.
QFont questionFont();

struct QuestionLayout {
    // What the three labels show; the last one holds all the rest.
    std::array<QString, kQuestionLines> lines;
    int linesNeeded = 0;   // lines the whole question takes
    int widestPx = 0;      // the widest of those lines
    int overflowChars = 0; // characters beyond the last line that fits
    int width = kQuestionLineWidth;

    bool fits() const { return linesNeeded <= kQuestionLines && widestPx <= width; }
};

// A question that has an ASCII space between two words wraps at the spaces
// to the width (a word longer than a line breaks anywhere); any other keeps
// 20 characters a line, a character outside the basic plane counted as one.
// An empty question shows （未登録）.
QuestionLayout layoutQuestion(const QString& question, const QFont& font = questionFont(), int width = kQuestionLineWidth);
