// A list window's columns as data: for each column id, where its value lies
// in the row record, how it is aligned and what kind of value it is.
#pragma once

#include <cstdint>
#include <span>

#include "kvcore/grid/gx_doc.h"

struct KvListColumn {
    std::uint16_t id; // also the string id of the title
    std::uint16_t offset; // byte position of the value in the row record
    std::uint16_t justify; // 0 left, 2 right
    std::uint16_t type; // kvcore::GXDataType
};

inline constexpr std::uint16_t kJustLeft = 0;
inline constexpr std::uint16_t kJustRight = 2;

// Fills the grid document's descriptions of the column ids first ..
// first + count - 1 from the table. An id the table does not list shows
// nothing (an owner-drawn cell that the base leaves empty).
void KvDescribeColumns(kvcore::CTGXDoc& doc, std::span<const KvListColumn> columns, int first, int count);

class CDouble;
namespace fw {
struct CellStyle;
}
// An owner-drawn number cell drawn as a number column draws it (grouped, no
// zeros); with redNegative a value below zero is painted red, on the
// background when rows colour their background, else in the text.
void KvDrawNumberCell(const CDouble& value, bool redNegative, fw::CellStyle& style);
// An owner-drawn cell that shows the column's value of another record than
// the row's own, drawn as the grid draws a column of that kind.
void KvDrawFieldCell(const std::uint8_t* record, const KvListColumn& column, fw::CellStyle& style);
// Three-way comparison of the column's values of two records, as the grid
// sorts a column of that kind; a null record comes first.
int KvCompareField(const std::uint8_t* a, const std::uint8_t* b, const KvListColumn& column);
inline constexpr std::uint32_t kNegativeRed = 0x0000FF;
// A value below zero painted red as KvDrawNumberCell paints it; others keep their colours.
void KvPaintNegative(const CDouble& value, std::uint32_t& back, std::uint32_t& text);
