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
    if (written.size() != BattleRecordTable::kPatterns * BattleRecordTable::kRanks
        || !ReadBattleText(written, *back).isEmpty() || back->Wins != table->Wins || back->Losses != table->Losses) {
        __builtin_trap();
    }
    return 0;
}
