// Any text as a word file: nothing may index outside the tables.
#include "platform/cp932.h"
#include "puzzle/puzzle_check.h"
#include "puzzle/puzzle_set.h"
#include "puzzle/word_file.h"
#include "store/line_file.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    auto set = std::make_unique<PuzzleSet>();
    WordFileReport report;
    ReadWordFile(textToLines(decodeCp932(bytes)), *set, &report);
    checkPuzzleSet(*set, &report);
    for (int p = 0; p < PuzzleSet::kPatterns; ++p) {
        for (int w = 0; w <= set->lastSlot(p); ++w) {
            wordCells(*set, p, w);
        }
    }
    return 0;
}
