#pragma once
// Expected records written from the layout tables: a record of `length`
// blanks with each listed field's text placed at its offset. The texts are
// written out in full (zero-padded numbers, blank-padded names), never built
// by the code under test.
#include <string>
#include <utility>
#include <vector>

namespace exchange::test {

inline std::string Golden(std::size_t length, const std::vector<std::pair<std::size_t, std::string>>& fields)
{
    std::string r(length, ' ');
    for (const auto& [offset, text] : fields) {
        if (offset + text.size() > length)
            return "field at " + std::to_string(offset) + " runs past the record";
        r.replace(offset, text.size(), text);
    }
    return r;
}

} // namespace exchange::test
