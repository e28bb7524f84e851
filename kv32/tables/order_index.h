// A sorted number -> row index for tables whose rows are appended in the
// order the host numbers them (orders, trades, deals): binary search instead
// of a scan, a block that grows in large steps, and a free list of entries
// whose rows may be taken over by a later record.
#pragma once

#include <cstdint>
#include <memory>

class COrderIndex {
public:
    struct Entry {
        uint32_t key; // order (trade, deal) number
        int32_t row; // the record's row, -1 = none (the row went to another record)
        int32_t link; // -1 while the row is in use; on the free list the next entry, -2 at the end
    };
    static constexpr int32_t kNoRow = -1;
    static constexpr int32_t kInUse = -1;
    static constexpr int32_t kListEnd = -2;
    static constexpr int kDefaultCapacity = 150000;
    static constexpr int kDefaultGrowBy = 50000;

    explicit COrderIndex(int capacity = kDefaultCapacity, int growBy = kDefaultGrowBy);

    // The entry of the key; -1 when absent.
    int Find(uint32_t key) const;
    // Adds {key, row, in use}. Keys normally arrive in increasing order and
    // are appended; a lower one is put at its sorted place. A key that is
    // already present takes the new row. The entry's position.
    int Insert(uint32_t key, int32_t row);
    // Makes room for `needed` entries (so that an insert after it cannot fail).
    void Reserve(int needed);
    // Empties the index; the capacity stays.
    void Clear();

    // Puts an entry whose row is in use at the tail of the free list; false
    // (and nothing changed) for an entry that is already on it or has no row.
    bool PushFree(int entry);
    // Takes the head of the free list: its row, which the entry gives up
    // (row -1); -1 when the list is empty.
    int32_t TakeFree();
    // Takes an entry off the free list wherever it stands (its row is in use again).
    void RemoveFree(int entry);
    bool HasFree() const { return m_nHead != -1; }

    int GetCount() const { return m_nCount; }
    int GetCapacity() const { return m_nCapacity; }
    int FreeHead() const { return m_nHead; }
    int FreeTail() const { return m_nTail; }
    const Entry& At(int i) const { return m_entries[i]; }

    // New orders counted since the index was last cleared (the status bar shows it).
    int m_nNewOrders = 0;

private:
    // Relinks the free list after entries from `from` on moved one place up.
    void ShiftLinks(int from);

    std::unique_ptr<Entry[]> m_entries;
    int m_nCount = 0;
    int m_nCapacity = 0;
    int m_nInitialCapacity;
    int m_nGrowBy;
    int m_nHead = -1;
    int m_nTail = -1;
};
