#pragma once

#include "view/question_layout.h"

#include <QString>
#include <array>

// A question on the three lines of the question panel (see layoutQuestion):
// Japanese 20 characters a line, the rest on the third; a question with
// spaces between its words wrapped at them to the labels' width.
std::array<QString, 3> splitQuestion(const QString& question);
