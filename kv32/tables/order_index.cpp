#include "kv32/tables/order_index.h"

#include <algorithm>
#include <cstring>

COrderIndex::COrderIndex(int capacity, int growBy)
    : m_nInitialCapacity(capacity > 0 ? capacity : 1)
    , m_nGrowBy(growBy > 0 ? growBy : 1)
{
}

int COrderIndex::Find(uint32_t key) const
{
    if (m_nCount == 0)
        return -1;
    const Entry* begin = m_entries.get();
    const Entry* end = begin + m_nCount;
    // Most look-ups are of recent numbers: the last entry first.
    if (end[-1].key == key)
        return m_nCount - 1;
    const Entry* it = std::lower_bound(begin, end, key, [](const Entry& e, uint32_t k) { return e.key < k; });
    return it != end && it->key == key ? static_cast<int>(it - begin) : -1;
}

void COrderIndex::Reserve(int needed)
{
    if (needed <= m_nCapacity)
        return;
    // The first block has the initial size, each later one grows by a step;
    // entries move to the new block.
    int capacity = m_nCapacity == 0 ? m_nInitialCapacity : m_nCapacity;
    while (capacity < needed)
        capacity += m_nGrowBy;
    std::unique_ptr<Entry[]> block(new Entry[static_cast<size_t>(capacity)]);
    if (m_nCount > 0)
        std::memcpy(block.get(), m_entries.get(), sizeof(Entry) * static_cast<size_t>(m_nCount));
    m_entries = std::move(block);
    m_nCapacity = capacity;
}

int COrderIndex::Insert(uint32_t key, int32_t row)
{
    int at = m_nCount;
    if (m_nCount > 0 && key <= m_entries[m_nCount - 1].key) {
        Entry* begin = m_entries.get();
        at = static_cast<int>(std::lower_bound(begin, begin + m_nCount, key, [](const Entry& e, uint32_t k) {
            return e.key < k;
        }) - begin);
        if (m_entries[at].key == key) {
            // The number's old row is no longer its own: off the free list, new row.
            if (m_entries[at].link != kInUse)
                RemoveFree(at);
            m_entries[at].row = row;
            return at;
        }
    }
    Reserve(m_nCount + 1);
    if (at < m_nCount) {
        std::memmove(&m_entries[at + 1], &m_entries[at], sizeof(Entry) * static_cast<size_t>(m_nCount - at));
        ++m_nCount;
        ShiftLinks(at);
    } else {
        ++m_nCount;
    }
    m_entries[at] = { key, row, kInUse };
    return at;
}

void COrderIndex::ShiftLinks(int from)
{
    if (m_nHead < 0)
        return;
    const auto moved = [from](int i) { return i >= from ? i + 1 : i; };
    for (int i = 0; i < m_nCount; ++i) {
        if (m_entries[i].link >= 0)
            m_entries[i].link = moved(m_entries[i].link);
    }
    if (m_nHead >= 0)
        m_nHead = moved(m_nHead);
    if (m_nTail >= 0)
        m_nTail = moved(m_nTail);
}

void COrderIndex::Clear()
{
    m_nCount = 0;
    m_nHead = m_nTail = -1;
    m_nNewOrders = 0;
}

bool COrderIndex::PushFree(int entry)
{
    if (entry < 0 || entry >= m_nCount)
        return false;
    Entry& e = m_entries[entry];
    if (e.row == kNoRow || e.link != kInUse)
        return false;
    e.link = kListEnd;
    if (m_nTail >= 0)
        m_entries[m_nTail].link = entry;
    else
        m_nHead = entry;
    m_nTail = entry;
    return true;
}

int32_t COrderIndex::TakeFree()
{
    if (m_nHead < 0)
        return kNoRow;
    Entry& e = m_entries[m_nHead];
    const int32_t row = e.row;
    m_nHead = e.link >= 0 ? e.link : -1;
    if (m_nHead < 0)
        m_nTail = -1;
    e.row = kNoRow;
    e.link = kInUse;
    return row;
}

void COrderIndex::RemoveFree(int entry)
{
    if (entry < 0 || entry >= m_nCount || m_entries[entry].link == kInUse)
        return;
    const int32_t next = m_entries[entry].link >= 0 ? m_entries[entry].link : -1;
    if (m_nHead == entry) {
        m_nHead = next;
    } else {
        int prev = m_nHead;
        while (prev >= 0 && m_entries[prev].link != entry)
            prev = m_entries[prev].link >= 0 ? m_entries[prev].link : -1;
        if (prev < 0)
            return;
        m_entries[prev].link = next >= 0 ? next : kListEnd;
        if (m_nTail == entry)
            m_nTail = prev;
    }
    if (m_nHead < 0)
        m_nTail = -1;
    m_entries[entry].link = kInUse;
}
