// Any bytes as data2.dat, loaded as at start and drawn: every word of every
// pattern keeps its cells on the board, in one row or one column, in order.
#include "platform/files.h"
#include "platform/random.h"
#include "puzzle/puzzle_set.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir folder;
    static StdRandom random(3);
    static GsxSeq seq(random);
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!atomicReplace(QDir(folder.path()).filePath(QStringLiteral("data2.dat")), bytes)) {
        __builtin_trap();
    }
    auto set = std::make_unique<PuzzleSet>();
    Get_Question(seq, folder.path(), *set);

    for (int p = 0; p < PuzzleSet::kPatterns; ++p) {
        if (set->lastSlot(p) < 0 || set->lastSlot(p) >= PuzzleSet::kSlots) {
            __builtin_trap();
        }
        for (int w = 0; w < PuzzleSet::kSlots; ++w) {
            const QList<int> cells = boardCells(*set, p, w);
            const int step = isDown(set->WordDirection[p][w]) ? kBoardSide : 1;
            if (cells.size() > kBoardSide || cells.size() > set->WordAnswer[p][w].size()) {
                __builtin_trap();
            }
            for (qsizetype i = 0; i < cells.size(); ++i) {
                const bool onBoard = cells[i] >= 0 && cells[i] < kBoardCells;
                const bool follows = i == 0
                    || (cells[i] == cells[i - 1] + step && (step != 1 || cells[i] / kBoardSide == cells[0] / kBoardSide));
                if (!onBoard || !follows) {
                    __builtin_trap();
                }
            }
        }
    }
    return 0;
}
