#include "view/question_layout.h"

#include "platform/fonts.h"

#include <QFontMetrics>
#include <QList>
#include <QTextLayout>
#include <algorithm>

namespace {

// A space between two words; by hand, since a regular expression would load
// PCRE into the game for this alone.
bool wrapsAtSpaces(const QString& question)
{
    for (qsizetype i = 1; i + 1 < question.size(); ++i) {
        if (question[i] == u' ' && !question[i - 1].isSpace() && !question[i + 1].isSpace()) {
            return true;
        }
    }
    return false;
}

// The offset in `text` of each line's start.
QList<qsizetype> lineStarts(const QString& question, bool spaced, const QFont& font, int width)
{
    QList<qsizetype> starts;
    if (spaced) {
        QTextLayout layout(question, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            starts.append(line.textStart());
        }
        layout.endLayout();
        return starts;
    }
    // Break only between whole characters.
    qsizetype characters = 0;
    for (qsizetype i = 0; i < question.size(); ++i) {
        if (question[i].isLowSurrogate() && i > 0 && question[i - 1].isHighSurrogate()) {
            continue;
        }
        if (characters % kQuestionLineCharacters == 0) {
            starts.append(i);
        }
        ++characters;
    }
    return starts;
}

} // namespace

QFont questionFont()
{
    return windowsFont(kPGothic, 9);
}

QuestionLayout layoutQuestion(const QString& question, const QFont& font, int width)
{
    QuestionLayout layout;
    layout.width = width;
    if (question.isEmpty()) {
        layout.lines[0] = kUnregisteredQuestion;
        layout.linesNeeded = 1;
        layout.widestPx = QFontMetrics(font).horizontalAdvance(kUnregisteredQuestion);
        return layout;
    }
    const bool spaced = wrapsAtSpaces(question);
    const QList<qsizetype> starts = lineStarts(question, spaced, font, width);
    const auto end = [&](qsizetype line) { return line + 1 < starts.size() ? starts[line + 1] : question.size(); };
    const QFontMetrics metrics(font);
    for (qsizetype line = 0; line < starts.size(); ++line) {
        // A wrapped line keeps the space it broke at; the label need not show it.
        const QString text = question.mid(starts[line], end(line) - starts[line]);
        const qsizetype shown = text.size() - (spaced && text.endsWith(u' ') ? 1 : 0);
        layout.widestPx = std::max(layout.widestPx, metrics.horizontalAdvance(text.left(shown)));
        if (line < kQuestionLines - 1) {
            layout.lines[line] = text.left(shown);
        }
    }
    if (starts.size() >= kQuestionLines) {
        layout.lines[kQuestionLines - 1] = question.mid(starts[kQuestionLines - 1]);
    }
    layout.linesNeeded = static_cast<int>(starts.size());
    if (starts.size() > kQuestionLines) {
        const QString rest = question.mid(starts[kQuestionLines]);
        layout.overflowChars = static_cast<int>(rest.toUcs4().size());
    }
    return layout;
}
