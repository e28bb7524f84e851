#include "kv32/lists/alert_defs_list.h"

#include <cstddef>
#include <cstring>
#include <string_view>

#include "fw/core/gridsource.h"
#include "kv32/filters/operator_names.h"
#include "kv32/res/alert_window_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/res/table_strings.h"
#include "kv32/tables/alert_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/security_table.h"

using kvcore::kGXDouble;
using kvcore::kGXOwner;
using kvcore::kGXText;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(KvAlertDefRow, field))

constexpr std::uint16_t kJustCentre = 1;

constexpr KvListColumn kPartyColumns[] = {
    { 0, KV_AT(szSubject), kJustLeft, kGXText },
    { 1, KV_AT(szFigure), kJustLeft, kGXText },
    { 2, KV_AT(nOperator), kJustCentre, kGXOwner },
    { 3, KV_AT(dLimit), kJustRight, kGXDouble },
    { 4, KV_AT(nModified), kJustLeft, kGXOwner },
    { 5, KV_AT(nNotified), kJustLeft, kGXOwner },
};

constexpr KvListColumn kSecurityColumns[] = {
    { 0, KV_AT(szSubject), kJustLeft, kGXText },
    { 1, KV_AT(szBoard), kJustLeft, kGXText },
    { 2, KV_AT(szFigure), kJustLeft, kGXText },
    { 3, KV_AT(nOperator), kJustCentre, kGXOwner },
    { 4, KV_AT(dLimit), kJustRight, kGXDouble },
    { 5, KV_AT(nNotified), kJustLeft, kGXOwner },
};

#undef KV_AT

// The column tables give positions; the window's first id makes them ids.
std::vector<KvListColumn> WithIds(std::span<const KvListColumn> columns, int first)
{
    std::vector<KvListColumn> out(columns.begin(), columns.end());
    for (KvListColumn& c : out)
        c.id = static_cast<std::uint16_t>(c.id + first);
    return out;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.remove_suffix(1);
    return text;
}

// An owner-drawn field of a row (operator or flag).
std::int32_t ReadInt(const std::uint8_t* at)
{
    std::int32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

template <class Def> KvAlertDefRow RowOf(const Def& def, int definition, int figure, int figures)
{
    KvAlertDefRow row {};
    row.nCode = definition * figures + figure;
    row.nDefinition = definition;
    row.nLink = def.nLink;
    row.nOperator = def.anOperator[figure];
    row.nModified = def.anChanged[figure];
    row.nNotified = def.anFired[figure];
    row.dLimit = def.adLimit[figure];
    return row;
}

} // namespace

CAlertDefsDoc::CAlertDefsDoc(Kind kind)
    : m_kind(kind)
{
    Kv32RegisterAlertWindowResources();
}

int CAlertDefsDoc::GetFirstColumnID()
{
    switch (m_kind) {
    case Kind::Firms: return IDS_FIRM_ALERTS_FIRST_COLUMN;
    case Kind::Users: return IDS_USER_ALERTS_FIRST_COLUMN;
    default: return IDS_SEC_ALERTS_FIRST_COLUMN;
    }
}

std::span<const KvListColumn> CAlertDefsDoc::Columns() const
{
    if (m_kind == Kind::Securities)
        return kSecurityColumns;
    return kPartyColumns;
}

void CAlertDefsDoc::SetDocDescription()
{
    const int first = GetFirstColumnID();
    KvDescribeColumns(*this, WithIds(Columns(), first), first, GetMaxColumns());
}

bool CAlertDefsDoc::onNewDocument()
{
    if (!CTDoc::onNewDocument())
        return false;
    ApplyFilter(true);
    return true;
}

void CAlertDefsDoc::BuildRows()
{
    m_rows.clear();
    if (m_kind == Kind::Securities) {
        CSecAlertTable& table = SecAlertTable();
        CSecurityTable& securities = SecurityTable();
        for (int d = 0; d < table.GetCount(); ++d) {
            const CSecAlertLimits& def = *table.GetRec(d);
            for (int f = 0; f < CSecAlertLimits::kFigures; ++f) {
                if (def.anOperator[f] == 0)
                    continue;
                KvAlertDefRow row = RowOf(def, d, f, CSecAlertLimits::kFigures);
                const std::string_view code(def.szCode, strnlen(def.szCode, sizeof def.szCode));
                if (def.nLink >= 0 && def.nLink < securities.GetCount()) {
                    const SecurityRec& sec = *securities.GetRec(def.nLink);
                    CopyText(row.szSubject, sec.szShortName);
                    CopyText(row.szBoard, sec.szBoardName);
                } else {
                    // A security the host no longer lists: its code says which.
                    CopyText(row.szSubject, Trimmed(code.size() > 5 ? code.substr(5) : std::string_view()));
                    CopyText(row.szBoard, Trimmed(code.size() > 1 ? code.substr(1, 4) : std::string_view()));
                }
                CopyText(row.szFigure, Kv32AlertString(IDS_SEC_FIGURE_FIRST + static_cast<unsigned>(f)));
                m_rows.push_back(row);
            }
        }
        return;
    }
    CPartyAlertTable& table = m_kind == Kind::Firms ? static_cast<CPartyAlertTable&>(FirmAlertTable())
                                                    : static_cast<CPartyAlertTable&>(UserAlertTable());
    const unsigned names = m_kind == Kind::Firms ? IDS_FIRM_FIGURE_FIRST : IDS_USER_FIGURE_FIRST;
    for (int d = 0; d < table.GetCount(); ++d) {
        const CAlertLimits& def = *table.GetRec(d);
        for (int f = 0; f < CAlertLimits::kFigures; ++f) {
            if (def.anOperator[f] == 0)
                continue;
            KvAlertDefRow row = RowOf(def, d, f, CAlertLimits::kFigures);
            CopyText(row.szSubject, Trimmed(std::string_view(def.szCode, strnlen(def.szCode, sizeof def.szCode))));
            CopyText(row.szFigure, Kv32AlertString(names + static_cast<unsigned>(f)));
            m_rows.push_back(row);
        }
    }
}

const KvAlertDefRow* CAlertDefsDoc::GetRowRecord(int row) const
{
    if (row < 0 || row >= GetRowCount())
        return nullptr;
    return &m_rows[static_cast<std::size_t>(row)];
}

const std::uint8_t* CAlertDefsDoc::GetRowData(int row) const
{
    return reinterpret_cast<const std::uint8_t*>(GetRowRecord(row));
}

int CAlertDefsDoc::HostIndexOfRow(int row) const
{
    const KvAlertDefRow* r = GetRowRecord(row);
    return r == nullptr ? -1 : r->nLink;
}

int CAlertDefsDoc::DefinitionOfRow(int row) const
{
    const KvAlertDefRow* r = GetRowRecord(row);
    return r == nullptr ? -1 : r->nDefinition;
}

int CAlertDefsDoc::ApplyFilter(bool retitle)
{
    const std::size_t before = m_rows.size();
    BuildRows();
    if (retitle || m_rows.size() != before)
        Retitle();
    return 1;
}

void CAlertDefsDoc::UpdateDocument(intptr_t, fw::Hint*)
{
    CTDoc::UpdateDocument(0, nullptr);
}

void CAlertDefsDoc::MakeTitle(std::string& title)
{
    title = Kv32ShellString(GetDocID());
}

void CAlertDefsDoc::OwnerDrawCell(const std::uint8_t* value, int col, int, fw::CellStyle& style) const
{
    const std::int32_t code = ReadInt(value);
    const bool isOperator = col >= 0 && static_cast<std::size_t>(col) < m_offset.size()
        && m_offset[static_cast<std::size_t>(col)] == offsetof(KvAlertDefRow, nOperator);
    if (isOperator) {
        style.value = OperatorName(code);
        style.align = fw::Align::Center;
        return;
    }
    style.value = code != 0 ? Kv32TableString(IDS_YES) : Kv32TableString(IDS_NO);
}

int CAlertDefsDoc::OwnerDrawSort(const std::uint8_t* a, const std::uint8_t* b, int col) const
{
    if (col < 0 || static_cast<std::size_t>(col) >= m_offset.size())
        return 0;
    const std::size_t off = m_offset[static_cast<std::size_t>(col)];
    return CompareInts(ReadInt(a + off), ReadInt(b + off));
}
