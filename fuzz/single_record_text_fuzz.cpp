// Any text as the single-practice record lines: what is read must write and
// read back to the same table, with no complaint the second time.
#include "platform/cp932.h"
#include "store/line_file.h"
#include "store/single_records.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    auto table = std::make_unique<SingleRecordTable>();
    ReadSingleText(textToLines(decodeCp932(bytes)), *table);

    const QStringList written = WriteSingleText(*table);
    auto back = std::make_unique<SingleRecordTable>();
    // Lines past the table are kept as they came, so nothing a later version wrote is lost.
    if (written.size() != SingleRecordTable::kPatterns + table->extraLines.size() || !ReadSingleText(written, *back).isEmpty()
        || back->CountWithQuestion != table->CountWithQuestion || back->BestWithQuestion != table->BestWithQuestion
        || back->DateWithQuestion != table->DateWithQuestion || back->CountNoQuestion != table->CountNoQuestion
        || back->BestNoQuestion != table->BestNoQuestion || back->DateNoQuestion != table->DateNoQuestion
        || back->extraLines != table->extraLines) {
        __builtin_trap();
    }
    return 0;
}
