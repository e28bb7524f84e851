#pragma once
// CTGXData: what the grid widget asks, answered from the grid document. It keeps no cells: every
// count and cell style comes from the document as it is now, so the grid always shows the
// document's rows in the document's order. The one edit it accepts is a column move, which
// reorders the document's selected columns; column widths and the frozen count the user changes
// go into the document's layout.
#include "fw/core/gridsource.h"
#include "kvcore/kvcore_api.h"

namespace kvcore {

class CTGXDoc;

class KVCORE_API CTGXData : public fw::GridSource {
public:
    CTGXData() = default;
    explicit CTGXData(CTGXDoc* doc) : m_pDoc(doc) {}

    void SetDocument(CTGXDoc* doc) { m_pDoc = doc; }
    CTGXDoc* GetDocument() const { return m_pDoc; }

    int rowCount() const override;
    int columnCount() const override;
    // The document's style of the cell; row headers the document leaves empty show the row number.
    bool cellStyle(int row, int col, fw::CellStyle& style) const override;
    // Moves display columns from..to (1-based, inclusive) so that they start at display position
    // dest after the move. Refused (false, nothing changed) for a range outside the columns.
    bool moveColumns(int from, int to, int dest) override;
    void columnResized(int col, int width) override;
    void frozenColumnsChanged(int count) override;

private:
    CTGXDoc* m_pDoc = nullptr;
};

} // namespace kvcore
