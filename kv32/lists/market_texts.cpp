#include "kv32/lists/market_texts.h"

std::string KvFormatText(std::string_view pattern, std::initializer_list<std::string_view> values)
{
    std::string out;
    out.reserve(pattern.size() + 32);
    auto next = values.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's') {
            if (next != values.end())
                out += *next++;
            ++i;
            continue;
        }
        out += pattern[i];
    }
    return out;
}
