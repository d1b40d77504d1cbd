// Any bytes as a container: the reader must stop at the end of the data.
#include "platform/random.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static StdRandom random(1);
    static GsxSeq seq(random);
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const UnpackResult result = unpackData(seq, bytes);
    if (result.ok()) {
        // What was read whole must pack and read back the same.
        const auto packed = packData(seq, result.lines);
        if (packed && unpackData(seq, *packed).lines != result.lines) {
            __builtin_trap();
        }
    }
    return 0;
}
