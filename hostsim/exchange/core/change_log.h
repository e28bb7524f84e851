#pragma once
// The change stream of one table: every change gets the next sequence number
// (one counter per table, shared by all sessions) and names the object it
// reports (an index into the table) and the firms that may see it (none =
// everyone). A standing request names the last sequence number it received;
// the stream hands out the later changes in order.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace exchange {

struct Change {
    int64_t seq = 0;
    std::size_t object = 0;
};

class ChangeLog {
public:
    // Records a change of `object`, seen by `firms` (empty: by everyone).
    int64_t add(std::size_t object, const std::vector<std::string>& firms = {});
    int64_t last() const { return entries_.empty() ? 0 : entries_.back().seq; }
    std::size_t size() const { return entries_.size(); }

    // Visits the changes after `after` that `firm` may see (nullptr: every
    // change) in sequence order while `visit` returns true.
    template <typename Visit> void after(int64_t after, const std::string* firm, Visit visit) const
    {
        if (firm == nullptr) {
            for (std::size_t i = firstAfter(entries_, after); i < entries_.size(); ++i) {
                if (!visit(entries_[i]))
                    return;
            }
            return;
        }
        const auto it = byFirm_.find(*firm);
        const std::vector<Change>& own = it == byFirm_.end() ? empty_ : it->second;
        // Changes for everyone and the firm's own, merged by sequence number.
        std::size_t a = firstAfter(public_, after), b = firstAfter(own, after);
        while (a < public_.size() || b < own.size()) {
            const bool takePublic = b >= own.size() || (a < public_.size() && public_[a].seq < own[b].seq);
            if (!visit(takePublic ? public_[a++] : own[b++]))
                return;
        }
    }

private:
    static std::size_t firstAfter(const std::vector<Change>& list, int64_t after);

    std::vector<Change> entries_;
    std::vector<Change> public_;
    std::unordered_map<std::string, std::vector<Change>> byFirm_;
    std::vector<Change> empty_;
};

} // namespace exchange
