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
    // their verdict. Rows that moved are flagged as well, as ranges. The work
    // follows the flagged records: a record that stays in or out of the rows
    // costs a search, and rows that come or go cost a block copy of the rows
    // after the first of them, however many they are.
    template <class Match>
    void Refresh(const fw::RowHint& hostHint, int hostCount, bool changedInPlace, Match&& match, fw::RowHint& rowHint)
    {
        const int end = std::min(hostHint.GetSize(), hostCount);
        CollectFlagged(hostHint, end);
        rowHint.Clear();
        rowHint.SetCoversMoves(true);
        if (!changedInPlace) {
            const std::size_t before = m_rows.size();
            const auto from = m_rows.empty() ? 0u : m_rows.back() + 1;
            for (auto it = std::lower_bound(m_flagged.begin(), m_flagged.end(), from); it != m_flagged.end(); ++it)
                if (match(static_cast<int>(*it)))
                    m_rows.push_back(*it);
            rowHint.SetSize(Count());
            for (std::size_t p = before; p < m_rows.size(); ++p)
                rowHint.AddRow(static_cast<int>(p));
            return;
        }
        // Rows past the end of the table (it was emptied) go away.
        while (!m_rows.empty() && m_rows.back() >= static_cast<std::uint32_t>(hostCount))
            m_rows.pop_back();
        // The verdict on every flagged record: a row whose record changed,
        // a row to remove, or a record to insert before the row at pos.
        m_changed.clear();
        m_edits.clear();
        std::size_t pos = 0;
        for (const std::uint32_t index : m_flagged) {
            pos = static_cast<std::size_t>(
                std::lower_bound(m_rows.begin() + static_cast<std::ptrdiff_t>(pos), m_rows.end(), index) - m_rows.begin());
            const bool isRow = pos < m_rows.size() && m_rows[pos] == index;
            const bool listed = match(static_cast<int>(index));
            if (isRow && listed)
                m_changed.push_back(pos);
            else if (isRow)
                m_edits.push_back({ pos, index, false });
            else if (listed)
                m_edits.push_back({ pos, index, true });
        }
        if (m_edits.empty()) {
            rowHint.SetSize(Count());
            for (const std::size_t p : m_changed)
                rowHint.AddRow(static_cast<int>(p));
            return;
        }
        ApplyEdits(rowHint);
    }

private:
    struct Edit {
        std::size_t pos; // the row it goes before, or the row it removes
        std::uint32_t index;
        bool insert;
    };

    // The host indices the hint flags below end, ascending.
    void CollectFlagged(const fw::RowHint& hostHint, int end)
    {
        m_flagged.clear();
        const std::vector<int>& rows = hostHint.Rows();
        if (hostHint.Ranges().empty()) {
            for (const int i : rows) {
                if (i >= end)
                    break;
                m_flagged.push_back(static_cast<std::uint32_t>(i));
            }
            return;
        }
        for (int i = 0; i < end; ++i)
            if (hostHint.GetRow(i))
                m_flagged.push_back(static_cast<std::uint32_t>(i));
    }

    // Inserts and removes the rows of m_edits (ascending) in one pass over
    // the rows from the first of them (records appended at the end move
    // nothing), and flags the rows whose record changed, the new rows, and
    // the runs of rows that moved.
    void ApplyEdits(fw::RowHint& rowHint)
    {
        const std::size_t first = m_edits.front().pos;
        std::vector<std::uint32_t>& tail = m_spare;
        tail.clear();
        tail.reserve(m_rows.size() - first + m_edits.size());
        std::size_t changed = 0;
        while (changed < m_changed.size() && m_changed[changed] < first)
            ++changed;
        std::ptrdiff_t shift = 0; // new position - old position of the rows copied next
        std::size_t from = first; // the next old row to copy
        int movedFrom = -1; // the first position of the run of moved rows
        const auto copyUpTo = [&](std::size_t stop) {
            if (stop <= from)
                return;
            const auto newFrom = static_cast<int>(first + tail.size());
            tail.insert(tail.end(), m_rows.begin() + static_cast<std::ptrdiff_t>(from),
                m_rows.begin() + static_cast<std::ptrdiff_t>(stop));
            if (shift != 0) {
                if (movedFrom < 0)
                    movedFrom = newFrom;
            } else if (movedFrom >= 0) {
                rowHint.AddRange(movedFrom, newFrom - 1);
                movedFrom = -1;
            }
            for (; changed < m_changed.size() && m_changed[changed] < stop; ++changed)
                m_changedNew.push_back(static_cast<int>(static_cast<std::ptrdiff_t>(m_changed[changed]) + shift));
            from = stop;
        };
        m_changedNew.clear();
        for (const Edit& e : m_edits) {
            copyUpTo(e.pos);
            if (e.insert) {
                const auto at = static_cast<int>(first + tail.size());
                tail.push_back(e.index);
                if (movedFrom < 0)
                    movedFrom = at;
                ++shift;
            } else {
                from = e.pos + 1;
                --shift;
            }
        }
        copyUpTo(m_rows.size());
        m_rows.resize(first);
        m_rows.insert(m_rows.end(), tail.begin(), tail.end());
        if (movedFrom >= 0)
            rowHint.AddRange(movedFrom, Count() - 1);
        rowHint.SetSize(Count());
        for (std::size_t c = 0; c < m_changed.size() && m_changed[c] < first; ++c)
            rowHint.AddRow(static_cast<int>(m_changed[c]));
        for (const int p : m_changedNew)
            rowHint.AddRow(p);
    }

    std::vector<std::uint32_t> m_rows;
    // Working lists kept between refreshes, so a refresh allocates nothing new.
    std::vector<std::uint32_t> m_spare;
    std::vector<std::uint32_t> m_flagged;
    std::vector<std::size_t> m_changed;
    std::vector<int> m_changedNew;
    std::vector<Edit> m_edits;
};
