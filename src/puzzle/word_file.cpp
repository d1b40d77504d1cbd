#include "puzzle/word_file.h"

#include <optional>

namespace {

std::optional<qint16> parseNumber(const QString& field)
{
    if (field.isEmpty()) {
        return 0; // an empty number field reads as 0
    }
    bool ok = false;
    const int value = field.toInt(&ok, 10);
    if (!ok || value < -32768 || value > 32767) {
        return std::nullopt;
    }
    return static_cast<qint16>(value);
}

} // namespace

void ReadWordFile(const QStringList& lines, PuzzleSet& set, WordFileReport* report)
{
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const int lineNumber = static_cast<int>(index) + 1;
        auto skip = [&](const QString& why) {
            if (report) {
                report->skipped.append({lineNumber, why});
            }
        };
        const QStringList f = splitWordFields(lines[index]);
        if (f.size() < 7) {
            // A blank line at the end of a hand-made file is no problem worth a report.
            if (!(f.size() == 1 && f[0].isEmpty())) {
                skip(QStringLiteral("%1 fields instead of 7").arg(f.size()));
            }
            continue;
        }
        const auto pattern = parseNumber(f[0]);
        const auto kind = parseNumber(f[1]);
        const auto third = parseNumber(f[2]);
        if (!pattern || !kind || !third) {
            skip(QStringLiteral("a number in fields 1 to 3 is not a whole number from -32768 to 32767"));
            continue;
        }
        if (*pattern < 0 || *pattern >= PuzzleSet::kPatterns) {
            skip(QStringLiteral("pattern %1 is outside 0 to 99").arg(*pattern));
            continue;
        }
        const int p = *pattern;
        if (*kind == 1) {
            set.LastWordIndex[p] = *third;
            set.PatternName[p] = f[5];
            if (report) {
                report->headerLine[p] = lineNumber;
            }
        } else {
            const auto cell = parseNumber(f[3]);
            const auto direction = parseNumber(f[4]);
            if (!cell || !direction) {
                skip(QStringLiteral("a number in fields 4 and 5 is not a whole number from -32768 to 32767"));
                continue;
            }
            if (*third < 0 || *third >= PuzzleSet::kSlots) {
                skip(QStringLiteral("word slot %1 is outside 0 to 15").arg(*third));
                continue;
            }
            const int w = *third;
            set.WordCell[p][w] = *cell;
            set.WordDirection[p][w] = *direction;
            set.WordAnswer[p][w] = f[5];
            set.WordQuestion[p][w] = f[6];
            if (report) {
                report->wordLine[p][w] = lineNumber;
            }
        }
        if (f.size() > 7 && report) {
            report->warnings.append({lineNumber, QStringLiteral("%1 fields: the text after the seventh is ignored "
                                                                "(quote a text that holds a comma)")
                                                     .arg(f.size())});
        }
    }
}
