// The number and date fields on their own: a field that reads must write back
// to a field that reads as the same value, and any value at all must format
// without undefined behaviour.
#include "platform/cp932.h"
#include "store/record_fields.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString field = decodeCp932(bytes);

    if (const auto number = parseRecordNumber(field)) {
        const auto again = parseRecordNumber(formatRecordNumber(*number));
        if (!again || *again != *number) {
            __builtin_trap();
        }
    }
    if (const auto date = parseRecordDate(field)) {
        const auto again = parseRecordDate(formatRecordDate(*date));
        if (!again || *again != *date) {
            __builtin_trap();
        }
    }

    // The raw bytes as a stored value: whatever it is, formatting is defined,
    // and what it writes reads back stable.
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        formatRecordNumber(value);
        const QString text = formatRecordDate(value);
        if (const auto read = parseRecordDate(text); read && formatRecordDate(*read) != text) {
            __builtin_trap();
        }
    }
    return 0;
}
