// The column chooser's working state, without the dialog: nine alternative column selections
// of a table, the set in use, and the check of the fixed-columns count.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "kvcore/kvcore_api.h"
#include "kvcore/session/session_record.h"

inline constexpr int IDS_TOO_MANY_FIXED_COLUMNS = 30102;

class KVCORE_API KvColumnSets {
public:
    using Columns = std::vector<std::uint16_t>;

    // Working copies of the entry's sets; `current` outside 0-8 becomes 0. The selection
    // the window shows now is stored into the current set, as the dialog does when it opens.
    KvColumnSets(const KvLayoutEntry& entry, int current, Columns shown);

    // Keeps the selection in the set being left and takes the chosen set's columns; an index
    // outside 0-8 (or none, -1) becomes 0.
    const Columns& Switch(int index);
    void SetSelection(Columns selection) { m_selection = std::move(selection); }
    const Columns& Selection() const { return m_selection; }
    int Current() const { return m_current; }

    // Writes the working sets into the entry; the selection goes into the current set.
    void Commit(KvLayoutEntry& entry);

private:
    std::array<Columns, kColumnSetCount> m_sets;
    int m_current = 0;
    Columns m_selection;
};

// The fixed-columns count from the edit's text: its first 6 characters as a decimal number
// (none gives 0). 0 when it is at most `chosen`, else 30102.
KVCORE_API int KvCheckFixedColumns(std::string_view editText, std::size_t chosen, int& fixed);
