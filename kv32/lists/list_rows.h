// The rows of a table-index window: the indices of the host records that pass
// the window's filter, in host order. A host table tells what changed with a
// hint over its records; the rows turn it into a hint over their own
// positions, so that the grid repaints only those. A filter is asked only
// about the records the host hint flags.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "fw/core/document.h"

class CListRows {
public:
    int Count() const { return static_cast<int>(m_rows.size()); }
    bool Empty() const { return m_rows.empty(); }
    // The host index of a row; 0 <= row < Count().
    std::uint32_t At(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    const std::vector<std::uint32_t>& Indices() const { return m_rows; }
    void Clear() { m_rows.clear(); }
    // The row that shows the host index, or -1.
    int RowOf(std::uint32_t hostIndex) const
    {
        const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), hostIndex);
        return it != m_rows.end() && *it == hostIndex ? static_cast<int>(it - m_rows.begin()) : -1;
    }

    // Every host record from 0 to hostCount - 1 that match(index) accepts.
    template <class Match> void Refilter(int hostCount, Match&& match)
    {
        m_rows.clear();
        for (int i = 0; i < hostCount; ++i)
            if (match(i))
                m_rows.push_back(static_cast<std::uint32_t>(i));
    }

    // Brings the rows in step with a host hint and fills rowHint with the
    // positions to repaint. With changedInPlace clear the host only appended
    // records: the flagged ones after the last row are tested. Otherwise every
    // flagged record is tested again where it stands; unflagged records keep
    // their verdict. Rows that moved are flagged as well.
    template <class Match>
    void Refresh(const fw::RowHint& hostHint, int hostCount, bool changedInPlace, Match&& match, fw::RowHint& rowHint)
    {
        const int end = std::min(hostHint.GetSize(), hostCount);
        if (!changedInPlace) {
            const std::size_t before = m_rows.size();
            const int from = m_rows.empty() ? 0 : static_cast<int>(m_rows.back()) + 1;
            for (int i = from; i < end; ++i)
                if (hostHint.GetRow(i) && match(i))
                    m_rows.push_back(static_cast<std::uint32_t>(i));
            rowHint.Clear();
            rowHint.SetSize(Count());
            for (std::size_t p = before; p < m_rows.size(); ++p)
                rowHint.AddRow(static_cast<int>(p));
            return;
        }
        // Rows past the end of the table (it was emptied) go away.
        while (!m_rows.empty() && m_rows.back() >= static_cast<std::uint32_t>(hostCount))
            m_rows.pop_back();
        m_flagged.clear();
        for (int i = 0; i < end; ++i)
            if (hostHint.GetRow(i))
                m_flagged.push_back(static_cast<std::uint32_t>(i));
        // Merge the old rows with the flagged records: an unflagged row stays,
        // a flagged record is a row when the filter accepts it.
        std::vector<std::uint32_t>& fresh = m_spare;
        fresh.clear();
        fresh.reserve(m_rows.size() + m_flagged.size());
        m_tested.clear();
        std::size_t f = 0;
        const auto takeFlagged = [&](std::uint32_t index) {
            if (match(static_cast<int>(index))) {
                m_tested.push_back(static_cast<std::uint32_t>(fresh.size()));
                fresh.push_back(index);
            }
        };
        for (std::uint32_t row : m_rows) {
            while (f < m_flagged.size() && m_flagged[f] < row)
                takeFlagged(m_flagged[f++]);
            if (f < m_flagged.size() && m_flagged[f] == row) {
                takeFlagged(m_flagged[f++]);
                continue;
            }
            fresh.push_back(row);
        }
        while (f < m_flagged.size())
            takeFlagged(m_flagged[f++]);
        // Positions whose record changed, and from the first move on every
        // position that shows another record than before.
        rowHint.Clear();
        rowHint.SetSize(static_cast<int>(fresh.size()));
        for (std::uint32_t p : m_tested)
            rowHint.AddRow(static_cast<int>(p));
        const std::size_t same = std::min(m_rows.size(), fresh.size());
        std::size_t p = 0;
        while (p < same && m_rows[p] == fresh[p])
            ++p;
        for (; p < fresh.size(); ++p)
            if (p >= m_rows.size() || m_rows[p] != fresh[p])
                rowHint.AddRow(static_cast<int>(p));
        m_rows.swap(fresh);
    }

private:
    std::vector<std::uint32_t> m_rows;
    // Working lists kept between refreshes, so a refresh allocates nothing new.
    std::vector<std::uint32_t> m_spare;
    std::vector<std::uint32_t> m_flagged;
    std::vector<std::uint32_t> m_tested;
};
