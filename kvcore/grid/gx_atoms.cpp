#include "kvcore/grid/gx_atoms.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>

namespace kvcore {

namespace {

// String atoms take the upper range of the 16-bit numbers, as the platform's did.
constexpr std::uint32_t kFirstAtom = 0xC000;
constexpr std::uint32_t kLastAtom = 0xFFFF;

struct Entry {
    std::string text;
    int references = 0;
};

struct AtomTable {
    std::mutex lock;
    std::map<std::uint16_t, Entry> entries;
};

AtomTable& Table()
{
    static AtomTable table;
    return table;
}

bool SameText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

} // namespace

std::uint16_t KvAddAtom(const std::string& text)
{
    if (text.empty() || text.size() > kMaxAtomLength)
        return 0;
    AtomTable& table = Table();
    std::lock_guard guard(table.lock);
    for (auto& [atom, entry] : table.entries)
        if (SameText(entry.text, text)) {
            ++entry.references;
            return atom;
        }
    for (std::uint32_t atom = kFirstAtom; atom <= kLastAtom; ++atom)
        if (!table.entries.contains(static_cast<std::uint16_t>(atom))) {
            table.entries[static_cast<std::uint16_t>(atom)] = { text, 1 };
            return static_cast<std::uint16_t>(atom);
        }
    return 0;
}

std::string KvGetAtomName(std::uint16_t atom, std::size_t maxLength)
{
    AtomTable& table = Table();
    std::lock_guard guard(table.lock);
    const auto found = table.entries.find(atom);
    if (found == table.entries.end())
        return {};
    return found->second.text.substr(0, maxLength);
}

bool KvDeleteAtom(std::uint16_t atom)
{
    AtomTable& table = Table();
    std::lock_guard guard(table.lock);
    const auto found = table.entries.find(atom);
    if (found == table.entries.end())
        return false;
    if (--found->second.references == 0)
        table.entries.erase(found);
    return true;
}

} // namespace kvcore
