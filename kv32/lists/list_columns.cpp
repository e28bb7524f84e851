#include "kv32/lists/list_columns.h"

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
