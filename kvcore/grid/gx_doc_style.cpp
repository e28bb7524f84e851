// The look and text of one grid cell, asked for at every repaint.
#include "fw/core/gridsource.h"
#include "fw/core/strings.h"
#include "kvcore/grid/gx_atoms.h"
#include "kvcore/grid/gx_doc.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

#include <cstdio>
#include <cstring>

namespace kvcore {

void CTGXDoc::OwnerDrawCell(const std::uint8_t*, int, int, fw::CellStyle&) const { }

std::string CTGXDoc::GetColumnTitleText(int columnId) const
{
    if (columnId < 0 || static_cast<std::size_t>(columnId) >= m_available.size())
        return {};
    const std::uint16_t title = m_available[static_cast<std::size_t>(columnId)];
    return m_atoms ? KvGetAtomName(title, kMaxTitleLength) : fw::loadString(title);
}

std::string CTGXDoc::GetColumnTitle(int view) const { return GetColumnTitleText(MapColView2Doc(view)); }

namespace {

template <typename T> T CellValue(const std::uint8_t* record, std::size_t offset)
{
    T value{};
    std::memcpy(&value, record + offset, sizeof value);
    return value;
}

} // namespace

bool CTGXDoc::ShowsZero(int columnId, const std::uint8_t* record) const
{
    const std::string title = GetColumnTitleText(columnId);
    for (const YieldEntry& entry : m_yields) {
        if (!entry.valid || entry.title != title)
            continue;
        if (!entry.hasPrice)
            return true;
        for (std::size_t pos = 1; pos <= m_columnIdCount && pos < m_offset.size(); ++pos)
            if (GetColumnTitleText(static_cast<int>(pos)) == entry.priceTitle)
                return !CellValue<CDouble>(record, m_offset[pos]).Format(1, 0).empty();
    }
    return false;
}

bool CTGXDoc::GetStyleRowCol(int row, int col, fw::CellStyle& style) const
{
    if (col > GetColumnNumber() || col < 0 || row < 0)
        return false;
    if (col == 0)
        return true;
    if (row > GetRowCount())
        return false;
    const int id = MapColView2Doc(col);
    if (row == 0) {
        style.value = GetColumnTitleText(id);
        style.bold = HasSortKey(id);
        return true;
    }
    const auto index = static_cast<std::size_t>(row - 1);
    const int docRow = index < m_rowMap.size() ? static_cast<int>(m_rowMap[index]) : row - 1;
    const std::uint8_t* record = GetRowData(docRow);
    if (!record || id < 0 || static_cast<std::size_t>(id) >= m_type.size() || static_cast<std::size_t>(id) >= m_offset.size())
        return false;
    COLORREF back = 0, text = 0;
    GetColorCell(record, id, back, text);
    KeepContrast(back, text);
    style.back = back;
    style.text = text;
    switch (GetColumnJustify(col)) {
    case 1: style.align = fw::Align::Center; break;
    case 2: style.align = fw::Align::Right; break;
    default: style.align = fw::Align::Left; break;
    }
    const std::size_t off = m_offset[static_cast<std::size_t>(id)];
    char buffer[32];
    switch (m_type[static_cast<std::size_t>(id)] & 0xFF) {
    case kGXUnsigned:
        std::snprintf(buffer, sizeof buffer, "%lu", static_cast<unsigned long>(CellValue<std::uint32_t>(record, off)));
        style.value = buffer;
        style.fit = m_fitControl;
        break;
    case kGXSigned:
        std::snprintf(buffer, sizeof buffer, "%ld", static_cast<long>(CellValue<std::int32_t>(record, off)));
        style.value = buffer;
        style.fit = m_fitControl;
        break;
    case kGXText:
        style.value = reinterpret_cast<const char*>(record + off);
        break;
    case kGXDouble:
        style.value = CellValue<CDouble>(record, off).Format(1, ShowsZero(id, record) ? 1 : 0);
        style.fit = m_fitControl;
        break;
    case kGXDate: style.value = CellValue<CDateTime>(record, off).FormatDate(); break;
    case kGXTime: style.value = CellValue<CDateTime>(record, off).FormatTime(); break;
    case kGXOwner: OwnerDrawCell(record + off, id, row, style); break;
    default: style.value = "Not Supported Data Type"; break;
    }
    return true;
}

} // namespace kvcore
