#include "kv32/dialogs/auction/dialog_grid_cells.h"

#include <algorithm>

namespace {

const std::string kEmpty;

} // namespace

void KvGridCells::Init(int rows, int columns)
{
    m_nColumns = std::max(columns, 0);
    const auto n = static_cast<size_t>(m_nColumns);
    m_titles.assign(n, std::string());
    m_widths.assign(n, -1);
    m_aligns.assign(n, fw::Align::Right);
    m_cells.clear();
    SetRowCount(rows);
}

void KvGridCells::SetRowCount(int rows)
{
    m_cells.resize(static_cast<size_t>(std::max(rows, 0)), std::vector<std::string>(static_cast<size_t>(m_nColumns)));
}

void KvGridCells::SetTitle(int column, std::string title)
{
    if (InColumns(column))
        m_titles[static_cast<size_t>(column - 1)] = std::move(title);
}

void KvGridCells::SetText(int row, int column, std::string text)
{
    if (row >= 1 && row <= RowCount() && InColumns(column))
        m_cells[static_cast<size_t>(row - 1)][static_cast<size_t>(column - 1)] = std::move(text);
}

void KvGridCells::SetWidth(int column, int pixels)
{
    if (InColumns(column))
        m_widths[static_cast<size_t>(column - 1)] = pixels;
}

void KvGridCells::SetAlign(int column, fw::Align align)
{
    if (InColumns(column))
        m_aligns[static_cast<size_t>(column - 1)] = align;
}

const std::string& KvGridCells::Text(int row, int column) const
{
    if (!InColumns(column))
        return kEmpty;
    if (row == 0)
        return m_titles[static_cast<size_t>(column - 1)];
    if (row < 1 || row > RowCount())
        return kEmpty;
    return m_cells[static_cast<size_t>(row - 1)][static_cast<size_t>(column - 1)];
}

int KvGridCells::Width(int column) const
{
    return InColumns(column) ? m_widths[static_cast<size_t>(column - 1)] : -1;
}

void KvGridCells::ClearTexts()
{
    for (auto& row : m_cells)
        std::fill(row.begin(), row.end(), std::string());
}

bool KvGridCells::cellStyle(int row, int col, fw::CellStyle& style) const
{
    if (!InColumns(col) || row < 0 || row > RowCount())
        return false;
    style.value = Text(row, col);
    style.align = row == 0 ? fw::Align::Center : m_aligns[static_cast<size_t>(col - 1)];
    // A figure cut short would read as another figure.
    style.fit = row != 0;
    return true;
}
