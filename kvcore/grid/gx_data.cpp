#include "kvcore/grid/gx_data.h"

#include "kvcore/grid/gx_doc.h"

#include <algorithm>
#include <string>

namespace kvcore {

int CTGXData::rowCount() const { return m_pDoc ? std::max(m_pDoc->GetRowCount(), 0) : 0; }

int CTGXData::columnCount() const { return m_pDoc ? m_pDoc->GetColumnNumber() : 0; }

bool CTGXData::cellStyle(int row, int col, fw::CellStyle& style) const
{
    if (!m_pDoc || !m_pDoc->GetStyleRowCol(row, col, style))
        return false;
    // A row header the document leaves alone shows the grid's own: the row number.
    if (col == 0 && row > 0 && style.value.empty())
        style.value = std::to_string(row);
    return true;
}

bool CTGXData::moveColumns(int from, int to, int dest)
{
    if (!m_pDoc || from < 1 || to < from || dest < 1)
        return false;
    auto& selected = m_pDoc->m_selected;
    const auto count = static_cast<int>(selected.size());
    const int moved = to - from + 1;
    if (to > count || dest > count - moved + 1)
        return false;
    const std::vector<std::uint16_t> block(selected.begin() + (from - 1), selected.begin() + to);
    selected.erase(selected.begin() + (from - 1), selected.begin() + to);
    selected.insert(selected.begin() + (dest - 1), block.begin(), block.end());
    // The live widths travel with their columns.
    auto& widths = m_pDoc->m_displayWidths;
    if (static_cast<int>(widths.size()) >= to) {
        const std::vector<std::uint16_t> movedWidths(widths.begin() + (from - 1), widths.begin() + to);
        widths.erase(widths.begin() + (from - 1), widths.begin() + to);
        widths.insert(widths.begin() + std::min(dest - 1, static_cast<int>(widths.size())), movedWidths.begin(), movedWidths.end());
    }
    return true;
}

void CTGXData::columnResized(int col, int width)
{
    if (!m_pDoc || col < 1 || col > m_pDoc->GetColumnNumber() || width < 0)
        return;
    auto& widths = m_pDoc->m_displayWidths;
    if (widths.size() < static_cast<std::size_t>(col))
        widths.resize(static_cast<std::size_t>(col), 0);
    widths[static_cast<std::size_t>(col - 1)] = static_cast<std::uint16_t>(std::min(width, 0xFFFF));
}

void CTGXData::frozenColumnsChanged(int count)
{
    if (m_pDoc)
        m_pDoc->m_fixedColumns = std::max(count, 0);
}

} // namespace kvcore
