#include "puzzle/puzzle_set.h"

#include "platform/files.h"
#include "puzzle/word_file.h"
#include "store/line_file.h"

QList<int> wordCells(const PuzzleSet& set, int pattern, int slot)
{
    QList<int> cells;
    if (pattern < 0 || pattern >= PuzzleSet::kPatterns || slot < 0 || slot >= PuzzleSet::kSlots) {
        return cells;
    }
    const QString& answer = set.WordAnswer[pattern][slot];
    const int step = isDown(set.WordDirection[pattern][slot]) ? 7 : 1;
    int cell = set.WordCell[pattern][slot];
    cells.reserve(answer.size());
    for (qsizetype i = 0; i < answer.size(); ++i) {
        cells.append(cell);
        cell += step;
    }
    return cells;
}

UnpackResult Get_Question(GsxSeq& seq, const QString& appDir, PuzzleSet& set)
{
    const QString path = appFile(appDir, QStringLiteral("\\data2.dat"));
    const QString leftover = appFile(appDir, QStringLiteral("\\word.txt"));
    if (fileExists(path) && fileExists(leftover)) {
        deleteFile(leftover); // the text form of an interrupted run, never read
    }
    UnpackResult result = unpackLines(seq, path);
    // A damaged file still gives every line read before the damage.
    ReadWordFile(result.lines, set);
    return result;
}
