// The language string source compiler on arbitrary text: it either reports a syntax error
// or produces a table that the compiled-file reader accepts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lang_format.h"
#include "lang_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto result = plinth::lang::compileSource(std::string_view(reinterpret_cast<const char*>(data), size));
    if (result.error != 0) {
        if (result.error < 2 || result.error > 7 || result.line < 1)
            std::abort();
        return 0;
    }
    const auto bytes = plinth::lang::encode(result.table);
    if (!bytes)
        return 0;
    const auto back = plinth::lang::decode(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size());
    if (!back || back->cells != result.table.cells || back->texts != result.table.texts)
        std::abort();
    (void)plinth::lang::headerText(result.identifiers);
    return 0;
}
