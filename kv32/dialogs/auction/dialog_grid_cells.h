// The cells of a small read-only table placed on a dialog: column titles,
// widths and alignment, and the text of every cell. The dialog's own model
// fills it; KvDialogGrid shows it. Row 0 holds the titles; data rows and
// columns count from 1.
#pragma once

#include <string>
#include <vector>

#include "fw/core/gridsource.h"

class KvGridCells : public fw::GridSource {
public:
    // Sizes the table and empties every title and cell.
    void Init(int rows, int columns);
    // Grows or shrinks the data rows; the cells of the rows kept stay.
    void SetRowCount(int rows);
    int RowCount() const { return static_cast<int>(m_cells.size()); }
    int ColumnCount() const { return m_nColumns; }

    // Out of range calls change nothing.
    void SetTitle(int column, std::string title);
    void SetText(int row, int column, std::string text);
    void SetWidth(int column, int pixels);
    void SetAlign(int column, fw::Align align);
    // "" outside the table.
    const std::string& Text(int row, int column) const;
    int Width(int column) const;
    // Empties the text of every data cell; titles and the row count stay.
    void ClearTexts();
    // Lines of the title row (a title written with '\n' takes two).
    void SetTitleLines(int lines) { m_nTitleLines = lines; }
    int TitleLines() const { return m_nTitleLines; }

    int rowCount() const override { return RowCount(); }
    int columnCount() const override { return m_nColumns; }
    bool cellStyle(int row, int col, fw::CellStyle& style) const override;

private:
    bool InColumns(int column) const { return column >= 1 && column <= m_nColumns; }

    int m_nColumns = 0;
    int m_nTitleLines = 1;
    std::vector<std::string> m_titles;
    std::vector<int> m_widths;
    std::vector<fw::Align> m_aligns;
    std::vector<std::vector<std::string>> m_cells;
};
