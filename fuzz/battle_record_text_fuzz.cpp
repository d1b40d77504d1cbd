// Any text as the battle record lines: what is read must write and read back
// to the same counts, with no complaint the second time.
#include "platform/cp932.h"
#include "store/battle_records.h"
#include "store/line_file.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    auto table = std::make_unique<BattleRecordTable>();
    ReadBattleText(textToLines(decodeCp932(bytes)), *table);

    const QStringList written = WriteBattleText(*table);
    auto back = std::make_unique<BattleRecordTable>();
    // Lines past the table are kept as they came, so nothing a later version wrote is lost.
    if (written.size() != BattleRecordTable::kPatterns * BattleRecordTable::kRanks + table->extraLines.size()
        || !ReadBattleText(written, *back).isEmpty() || back->Wins != table->Wins || back->Losses != table->Losses
        || back->extraLines != table->extraLines) {
        __builtin_trap();
    }
    return 0;
}
