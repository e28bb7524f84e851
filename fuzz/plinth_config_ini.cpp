// The INI reader on arbitrary text. The first line names the section, the second the key;
// the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ini_scan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t first = input.find('\n');
    const std::string_view section = input.substr(0, first);
    std::string_view rest = first == std::string_view::npos ? std::string_view() : input.substr(first + 1);
    const size_t second = rest.find('\n');
    const std::string_view key = rest.substr(0, second);
    const std::string_view text = second == std::string_view::npos ? std::string_view() : rest.substr(second + 1);

    size_t total = 0;
    if (auto value = plinth::ini::findValue(text, section, key)) {
        total += value->size();
        total += static_cast<size_t>(plinth::ini::atoiClamped(value->substr(0, 15)) & 1);
    }
    for (std::string_view name : plinth::ini::listKeys(text, section))
        total += name.size();
    total += static_cast<size_t>(plinth::ini::atoiClamped(input) & 1);
    return total == SIZE_MAX ? 1 : 0;
}
