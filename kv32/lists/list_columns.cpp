#include "kv32/lists/list_columns.h"

#include <cstring>

#include "fw/core/gridsource.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

namespace {

template <class T> T FieldValue(const std::uint8_t* record, std::size_t offset)
{
    T value {};
    std::memcpy(&value, record + offset, sizeof value);
    return value;
}

template <class T> int ThreeWay(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

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

void KvDrawFieldCell(const std::uint8_t* record, const KvListColumn& column, fw::CellStyle& style)
{
    if (record == nullptr)
        return;
    switch (column.type) {
    case kvcore::kGXText: style.value = reinterpret_cast<const char*>(record + column.offset); break;
    case kvcore::kGXDouble: KvDrawNumberCell(FieldValue<CDouble>(record, column.offset), false, style); break;
    case kvcore::kGXDate: style.value = FieldValue<CDateTime>(record, column.offset).FormatDate(); break;
    case kvcore::kGXTime: style.value = FieldValue<CDateTime>(record, column.offset).FormatTime(); break;
    default: break;
    }
}

int KvCompareField(const std::uint8_t* a, const std::uint8_t* b, const KvListColumn& column)
{
    if (a == nullptr || b == nullptr)
        return ThreeWay(a != nullptr, b != nullptr);
    switch (column.type) {
    case kvcore::kGXText:
        return ThreeWay(std::strcmp(reinterpret_cast<const char*>(a + column.offset),
                            reinterpret_cast<const char*>(b + column.offset)),
            0);
    case kvcore::kGXDouble:
        return ThreeWay(static_cast<double>(FieldValue<CDouble>(a, column.offset)),
            static_cast<double>(FieldValue<CDouble>(b, column.offset)));
    case kvcore::kGXDate:
    case kvcore::kGXTime: {
        const CDateTime x = FieldValue<CDateTime>(a, column.offset);
        const CDateTime y = FieldValue<CDateTime>(b, column.offset);
        if (!x.IsValid() || !y.IsValid())
            return ThreeWay(x.IsValid(), y.IsValid());
        const auto order = x <=> y;
        return order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    default: return 0;
    }
}
