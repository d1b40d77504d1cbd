#include "puzzle/puzzle_set.h"

#include "platform/files.h"
#include "puzzle/word_file.h"
#include "store/line_file.h"

#include <algorithm>

QList<int> wordCells(const PuzzleSet& set, int pattern, int slot)
{
    QList<int> cells;
    if (pattern < 0 || pattern >= PuzzleSet::kPatterns || slot < 0 || slot >= PuzzleSet::kSlots) {
        return cells;
    }
    const QString& answer = set.WordAnswer[pattern][slot];
    const int step = isDown(set.WordDirection[pattern][slot]) ? kBoardSide : 1;
    int cell = set.WordCell[pattern][slot];
    cells.reserve(answer.size());
    for (qsizetype i = 0; i < answer.size(); ++i) {
        cells.append(cell);
        cell += step;
    }
    return cells;
}

QList<int> boardCells(const PuzzleSet& set, int pattern, int slot)
{
    QList<int> cells;
    if (pattern < 0 || pattern >= PuzzleSet::kPatterns || slot < 0 || slot >= PuzzleSet::kSlots) {
        return cells;
    }
    const int start = set.WordCell[pattern][slot];
    if (start < 0 || start >= kBoardCells) {
        return cells;
    }
    const bool down = isDown(set.WordDirection[pattern][slot]);
    const int row = start / kBoardSide;
    const int column = start % kBoardSide;
    const qsizetype length = std::min<qsizetype>(set.WordAnswer[pattern][slot].size(), kBoardSide);
    for (int i = 0; i < length; ++i) {
        const int r = down ? row + i : row;
        const int c = down ? column : column + i;
        if (r >= kBoardSide || c >= kBoardSide) {
            break;
        }
        cells.append(r * kBoardSide + c);
    }
    return cells;
}

bool isPlayable(const PuzzleSet& set, int pattern)
{
    if (pattern < 0 || pattern >= PuzzleSet::kPlayablePatterns || set.LastWordIndex[pattern] < 0 ||
        set.LastWordIndex[pattern] >= PuzzleSet::kSlots) {
        return false;
    }
    for (int slot = 0; slot <= set.LastWordIndex[pattern]; ++slot) {
        if (set.WordAnswer[pattern][slot].isEmpty()) {
            return false;
        }
    }
    return true;
}

std::vector<int> playablePatterns(const PuzzleSet& set)
{
    std::vector<int> patterns;
    for (int p = 0; p < PuzzleSet::kPlayablePatterns; ++p) {
        if (isPlayable(set, p)) {
            patterns.push_back(p);
        }
    }
    return patterns;
}

int patternLetters(const PuzzleSet& set, int pattern)
{
    int letters = 0;
    for (int slot = 0; slot <= set.lastSlot(pattern); ++slot) {
        letters += static_cast<int>(set.WordAnswer[pattern][slot].size());
    }
    return letters;
}

UnpackResult Get_Question(GsxSeq& seq, const QString& appDir, PuzzleSet& set)
{
    const QString path = appFile(appDir, QStringLiteral("\\data2.dat"));
    const QString leftover = appFile(appDir, QStringLiteral("\\word.txt"));
    if (fileExists(path) && fileExists(leftover)) {
        deleteFile(leftover); // the text form of an interrupted run, never read
    }
    // A set is at most 100 patterns of 16 words; a file far past that is no puzzle set.
    UnpackResult result = unpackLines(seq, path, ReadLimits{kMostPuzzleBytes, kMostPuzzleLines});
    // A damaged file still gives every line read before the damage.
    ReadWordFile(result.lines, set);
    return result;
}
