#include "kv32/lists/table_index_doc.h"

#include <cstdio>

#include "kv32/res/shell_strings.h"
#include "kvcore/grid/ct_hint.h"

CTableIndexDoc::CTableIndexDoc(std::unique_ptr<CListCriteria> filter)
    : m_filter(filter ? std::move(filter) : std::make_unique<CListAllCriteria>())
{
}

CTableIndexDoc::~CTableIndexDoc() = default;

void CTableIndexDoc::SetFilter(std::unique_ptr<CListCriteria> filter)
{
    m_filter = filter ? std::move(filter) : std::make_unique<CListAllCriteria>();
}

bool CTableIndexDoc::onNewDocument()
{
    if (!CTDoc::onNewDocument())
        return false;
    m_rowColors = &HostColors();
    ApplyFilter(true);
    m_bOpened = 1;
    return true;
}

void CTableIndexDoc::GetColorCell(const std::uint8_t* record, int col, kvcore::COLORREF& back, kvcore::COLORREF& text) const
{
    CTGXDoc::GetColorCell(record, col, back, text);
    if (record == nullptr || m_rowColors == nullptr || ColorIndexOffset() >= 0)
        return;
    const int index = RowColorIndex(record);
    if (index < 0 || static_cast<std::size_t>(index) >= m_rowColors->size())
        return;
    const kvcore::COLORREF colour = (*m_rowColors)[static_cast<std::size_t>(index)];
    if (m_iColorMethod == 0)
        back = colour;
    else if (m_iColorMethod == 1)
        text = colour;
}

void CTableIndexDoc::onCloseDocument()
{
    if (m_bOpened)
        m_aRows.Clear();
    CTDoc::onCloseDocument();
}

void CTableIndexDoc::Serialize(fw::Archive& ar)
{
    CTDoc::Serialize(ar);
    m_filter->Serialize(ar);
}

const std::uint8_t* CTableIndexDoc::GetRowData(int row) const
{
    const int index = HostIndexOfRow(row);
    return index < 0 ? nullptr : HostRecord(index);
}

int CTableIndexDoc::HostIndexOfRow(int row) const
{
    if (row < 0 || row >= m_aRows.Count())
        return -1;
    const auto index = static_cast<int>(m_aRows.At(row));
    // A table emptied at the end of a session leaves no record behind a row.
    return index < HostCount() ? index : -1;
}

int CTableIndexDoc::RowOfHostIndex(int hostIndex) const
{
    return hostIndex < 0 ? -1 : m_aRows.RowOf(static_cast<std::uint32_t>(hostIndex));
}

void CTableIndexDoc::SetDocDescription()
{
    KvDescribeColumns(*this, Columns(), GetFirstColumnID(), GetMaxColumns());
}

void CTableIndexDoc::MakeTitle(std::string& title)
{
    title = Kv32ShellString(GetDocID());
    m_filter->GetDescription(title);
    if (!m_aRows.Empty()) {
        char count[24];
        std::snprintf(count, sizeof count, " - %d", m_aRows.Count());
        title += count;
    }
}

int CTableIndexDoc::ApplyFilter(bool retitle)
{
    const int before = m_aRows.Count();
    m_aRows.Refilter(HostCount(), [this](int i) { return m_filter->Match(HostRecord(i)); });
    if (retitle || m_aRows.Count() != before)
        Retitle();
    return 1;
}

void CTableIndexDoc::UpdateDocument(intptr_t hint, fw::Hint* object)
{
    const int before = m_aRows.Count();
    const auto* hostHint = dynamic_cast<const fw::RowHint*>(object);
    if (hostHint == nullptr) {
        CTDoc::UpdateDocument(hint, nullptr); // filters and retitles
        return;
    }
    m_aRows.Refresh(*hostHint, HostCount(), HostChangedInPlace(), [this](int i) { return MatchHinted(i); }, m_rowHint);
    kvcore::CTGXDoc::UpdateDocument(hint, &m_rowHint);
    if (m_aRows.Count() != before)
        Retitle();
}
