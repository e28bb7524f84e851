// The dragged-rows reader over arbitrary bytes: it must refuse or accept without a
// crash, a read past the end or an allocation driven by a forged count, and a list it
// accepts must write back to bytes that read as the same list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "kvcore/controls/row_payload.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto list = ReadRowPayload(std::span(data, size));
    if (!list)
        return 0;
    const auto again = ReadRowPayload(WriteRowPayload(*list));
    if (!again || again->rows != list->rows)
        std::abort();
    return 0;
}
