#pragma once
// What a grid document asks of the grid views that show it (current cell, selection, live column
// widths). The windowed grid view implements it; the document stays free of widgets.
#include "fw/core/gridsource.h"

#include <vector>

namespace kvcore {

class GXGridAccess {
public:
    virtual ~GXGridAccess() = default;
    // The current cell in grid co-ordinates (row 0 titles, column 0 row headers); invalid when none.
    virtual fw::GridCell GridCurrentCell() const = 0;
    // The selected grid rows, in the order the user selected them.
    virtual std::vector<int> GridSelectedRows() const = 0;
    // The width the grid shows at display position pos (0-based), unzoomed.
    virtual int GetColWidth(unsigned pos) const = 0;
    virtual bool IsGridVisible() const = 0;
};

} // namespace kvcore
