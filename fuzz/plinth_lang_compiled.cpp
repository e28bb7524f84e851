// The compiled language string reader on arbitrary bytes; whatever it accepts must answer
// every lookup inside its own buffers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "lang_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto table = plinth::lang::decode(data, size);
    if (!table)
        return 0;
    size_t total = 0;
    for (uint32_t offset : table->nameOffsets)
        total += std::strlen(table->names.c_str() + offset);
    for (int32_t cell : table->cells)
        if (cell != plinth::lang::kNoText)
            total += std::strlen(table->texts.c_str() + cell);
    // A table that loads writes back to the same bytes, up to ignored trailing bytes.
    auto again = plinth::lang::encode(*table);
    if (!again || again->size() > size || std::memcmp(again->data(), data, again->size()) != 0)
        std::abort();
    return total == SIZE_MAX ? 1 : 0;
}
