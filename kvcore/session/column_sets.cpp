#include "kvcore/session/column_sets.h"

#include <charconv>

namespace {
int ValidIndex(int index)
{
    return index < 0 || index >= kColumnSetCount ? 0 : index;
}
} // namespace

KvColumnSets::KvColumnSets(const KvLayoutEntry& entry, int current, Columns shown)
    : m_sets(entry.columnSets)
    , m_current(ValidIndex(current))
    , m_selection(std::move(shown))
{
}

const KvColumnSets::Columns& KvColumnSets::Switch(int index)
{
    m_sets[static_cast<std::size_t>(m_current)] = m_selection;
    m_current = ValidIndex(index);
    m_selection = m_sets[static_cast<std::size_t>(m_current)];
    return m_selection;
}

void KvColumnSets::Commit(KvLayoutEntry& entry)
{
    m_sets[static_cast<std::size_t>(m_current)] = m_selection;
    entry.columnSets = m_sets;
}

int KvCheckFixedColumns(std::string_view editText, std::size_t chosen, int& fixed)
{
    const std::string_view head = editText.substr(0, 6);
    std::size_t start = 0;
    while (start < head.size() && head[start] == ' ')
        ++start;
    int value = 0;
    const auto [end, ec] = std::from_chars(head.data() + start, head.data() + head.size(), value);
    (void)end;
    if (ec != std::errc())
        value = 0;
    fixed = value;
    return value < 0 || static_cast<std::size_t>(value) > chosen ? IDS_TOO_MANY_FIXED_COLUMNS : 0;
}
