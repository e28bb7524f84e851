#include "kv32/lists/list_columns.h"

#include "fw/core/gridsource.h"
#include "kvcore/values/cdouble.h"

void KvDescribeColumns(kvcore::CTGXDoc& doc, std::span<const KvListColumn> columns, int first, int count)
{
    const auto n = static_cast<std::size_t>(count > 0 ? count : 0);
    doc.m_offset.assign(n, 0);
    doc.m_justify.assign(n, kJustLeft);
    doc.m_type.assign(n, kvcore::kGXOwner);
    for (const KvListColumn& column : columns) {
        const int k = static_cast<int>(column.id) - first;
        if (k < 0 || static_cast<std::size_t>(k) >= n)
            continue;
        doc.m_offset[static_cast<std::size_t>(k)] = column.offset;
        doc.m_justify[static_cast<std::size_t>(k)] = column.justify;
        doc.m_type[static_cast<std::size_t>(k)] = column.type;
    }
    doc.m_columnIdCount = static_cast<std::uint16_t>(n);
}

void KvDrawNumberCell(const CDouble& value, bool redNegative, fw::CellStyle& style)
{
    style.value = value.Format(1, 0);
    style.fit = true;
    if (redNegative)
        KvPaintNegative(value, style.back, style.text);
}

void KvPaintNegative(const CDouble& value, std::uint32_t& back, std::uint32_t& text)
{
    if (!(static_cast<double>(value) < 0))
        return;
    if (kvcore::CTGXDoc::m_iColorMethod == 0) {
        back = kNegativeRed;
        text = kvcore::kWhite; // the grid's own text colour may be red too
    } else
        text = kNegativeRed;
}
