#include "core/change_log.h"

#include <algorithm>

namespace exchange {

int64_t ChangeLog::add(std::size_t object, const std::vector<std::string>& firms)
{
    const Change c { last() + 1, object };
    entries_.push_back(c);
    if (firms.empty()) {
        public_.push_back(c);
        return c.seq;
    }
    for (std::size_t i = 0; i < firms.size(); ++i) {
        // A trade between two accounts of one firm is the firm's once.
        if (std::find(firms.begin(), firms.begin() + static_cast<std::ptrdiff_t>(i), firms[i])
            == firms.begin() + static_cast<std::ptrdiff_t>(i))
            byFirm_[firms[i]].push_back(c);
    }
    return c.seq;
}

std::size_t ChangeLog::firstAfter(const std::vector<Change>& list, int64_t after)
{
    const auto it = std::upper_bound(
        list.begin(), list.end(), after, [](int64_t value, const Change& c) { return value < c.seq; });
    return static_cast<std::size_t>(it - list.begin());
}

} // namespace exchange
