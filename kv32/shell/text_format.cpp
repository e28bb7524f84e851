#include "kv32/shell/text_format.h"

#include <cstring>

std::string KvFillText(std::string_view pattern, std::initializer_list<std::string_view> values)
{
    std::string out;
    auto next = values.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 >= pattern.size()) {
            out += pattern[i];
            continue;
        }
        if (pattern[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        while (j < pattern.size() && pattern[j] == 'l')
            ++j;
        if (j < pattern.size() && std::strchr("dsu", pattern[j]) != nullptr) {
            if (next != values.end())
                out += *next++;
            i = j;
            continue;
        }
        out += pattern[i];
    }
    return out;
}
