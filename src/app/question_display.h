#pragma once

#include <QString>
#include <array>

// A question on the three lines of the question panel: 20 characters on the
// first and second lines, the rest on the third. Characters are counted as
// the player sees them (a surrogate pair is one).
std::array<QString, 3> splitQuestion(const QString& question);

inline const QString kUnregisteredQuestion = QStringLiteral("（未登録）");
