#pragma once
// What a grid asks of the data it shows, cell by cell. The grid keeps no cells: every paint asks
// again, so a document that changes rows needs only to name them. Free of Qt.
#include "fw/core/fw_core_api.h"
#include <cstdint>
#include <string>

namespace fw {

enum class Align { Left, Center, Right };

// Colours are 0x00BBGGRR; kDefaultColor leaves the grid's own colour.
inline constexpr uint32_t kDefaultColor = 0xFFFFFFFFu;

struct FW_CORE_API CellStyle {
    std::string value; // Windows-1250
    uint32_t back = kDefaultColor;
    uint32_t text = kDefaultColor;
    Align align = Align::Left;
    bool bold = false;
    // Show a row of '#' instead of a value that does not fit (numbers must never look truncated).
    bool fit = false;
};

// Grid co-ordinates: row 0 is the title row, column 0 the row header; data rows and display
// columns count from 1.
class FW_CORE_API GridSource {
public:
    virtual ~GridSource(); // out of line: the class's vtable lives in this library only
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    // False leaves the cell empty.
    virtual bool cellStyle(int row, int col, CellStyle& style) const = 0;
    // The user dragged display columns from..to before dest (1-based). False refuses the move.
    virtual bool moveColumns(int /*from*/, int /*to*/, int /*dest*/) { return false; }
    // The user changed a column width (in unzoomed pixels) or the frozen column count.
    virtual void columnResized(int /*col*/, int /*width*/) {}
    virtual void frozenColumnsChanged(int /*count*/) {}
};

struct FW_CORE_API GridCell {
    int row = -1;
    int col = -1;
    bool valid() const { return row >= 0 && col >= 0; }
    bool operator==(const GridCell&) const = default;
};

struct FW_CORE_API GridRange {
    int top, left, bottom, right; // inclusive
    bool operator==(const GridRange&) const = default;
};

} // namespace fw
