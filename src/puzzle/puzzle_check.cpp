#include "puzzle/puzzle_check.h"

#include "puzzle/puzzle_set.h"
#include "puzzle/word_file.h"

#include <array>

namespace {

bool wordOnBoard(const PuzzleSet& set, int p, int w)
{
    const int cell = set.WordCell[p][w];
    const int length = static_cast<int>(set.WordAnswer[p][w].size());
    if (cell < 0 || cell >= kBoardSide * kBoardSide) {
        return false;
    }
    const int row = cell / kBoardSide;
    const int column = cell % kBoardSide;
    return isDown(set.WordDirection[p][w]) ? row + length <= kBoardSide : column + length <= kBoardSide;
}

} // namespace

QList<PuzzleProblem> checkPuzzleSet(const PuzzleSet& set, const WordFileReport* report)
{
    QList<PuzzleProblem> problems;
    auto wordLine = [&](int p, int w) { return report ? report->wordLine[p][w] : 0; };
    for (int p = 0; p < PuzzleSet::kPatterns; ++p) {
        const bool hasHeader = report ? report->headerLine[p] != 0 : !set.PatternName[p].isEmpty();
        const int last = set.LastWordIndex[p];
        bool hasWords = false;
        for (int w = 0; w < PuzzleSet::kSlots; ++w) {
            hasWords = hasWords || !set.WordAnswer[p][w].isEmpty() || (report && report->wordLine[p][w] != 0);
        }
        if (last < 0 || last >= PuzzleSet::kSlots) {
            problems.append({report ? report->headerLine[p] : 0,
                             QStringLiteral("pattern %1: last word index %2 is outside 0 to 15").arg(p).arg(last)});
        }
        if (hasWords && !hasHeader) {
            problems.append({0, QStringLiteral("pattern %1 has words but no header line").arg(p)});
        }
        if (!hasWords) {
            continue;
        }
        std::array<QChar, kBoardSide * kBoardSide> board{};
        std::array<int, kBoardSide * kBoardSide> owner{};
        owner.fill(-1);
        for (int w = 0; w <= qBound(0, last, PuzzleSet::kSlots - 1); ++w) {
            const QString& answer = set.WordAnswer[p][w];
            const QString where = QStringLiteral("pattern %1, word %2 (%3)").arg(p).arg(w).arg(answer);
            if (answer.size() > kBoardSide) {
                problems.append({wordLine(p, w), where + QStringLiteral(": answer longer than 7 characters")});
            }
            if (!wordOnBoard(set, p, w)) {
                problems.append({wordLine(p, w), where + QStringLiteral(": the word leaves the board")});
                continue;
            }
            const QList<int> cells = wordCells(set, p, w);
            for (qsizetype i = 0; i < cells.size(); ++i) {
                const int cell = cells[i];
                const QChar ch = answer[i];
                if (owner[cell] >= 0 && board[cell] != ch) {
                    problems.append({wordLine(p, w), where + QStringLiteral(": cell %1 holds '%2' but word %3 puts '%4' there")
                                                         .arg(cell)
                                                         .arg(ch)
                                                         .arg(owner[cell])
                                                         .arg(board[cell])});
                }
                board[cell] = ch;
                owner[cell] = w;
            }
        }
    }
    return problems;
}
