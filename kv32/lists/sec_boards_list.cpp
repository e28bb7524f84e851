#include "kv32/lists/sec_boards_list.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <unordered_map>

#include "fw/core/gridsource.h"
#include "fw/core/strings.h"
#include "kv32/lists/row_hint_relay.h"
#include "kv32/lists/securities_list.h"
#include "kv32/res/market_window_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/grid/gx_atoms.h"

namespace {

// The Securities window's column of position k of a board group (k = 0 is
// its "Short Name").
const KvListColumn& GroupColumn(int k)
{
    return CSecsDoc::Columns()[static_cast<std::size_t>(k)];
}

std::string Trimmed(const char* text, std::size_t width)
{
    std::string s(text, strnlen(text, width));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

} // namespace

CSecBrdsDoc::CSecBrdsDoc()
{
    Kv32RegisterMarketWindowResources();
    CBoardTable& boards = BoardTable();
    std::unordered_map<std::string, int> boardOfCode;
    for (int b = 0; b < boards.GetCount(); ++b) {
        m_boards.push_back(Trimmed(boards.GetRec(b)->szCode, sizeof boards.GetRec(b)->szCode));
        boardOfCode.emplace(m_boards.back(), b);
    }
    CSecurityTable& securities = SecurityTable();
    std::unordered_map<std::string_view, int> rowOfName;
    for (int index : securities.GetDistinctList()) {
        const SecurityRec& s = *securities.GetRec(index);
        RowKey key {};
        std::memcpy(key.szShortName, s.szShortName, sizeof key.szShortName - 1);
        key.nRow = static_cast<std::int32_t>(m_keys.size());
        rowOfName.emplace(s.szShortName, key.nRow);
        m_keys.push_back(key);
        m_firstSecurity.push_back(index);
    }
    m_onBoard.assign(m_boards.size(), std::vector<std::int32_t>(m_keys.size(), -1));
    m_rowOfSecurity.assign(static_cast<std::size_t>(securities.GetCount()), -1);
    for (int i = 0; i < securities.GetCount(); ++i) {
        const SecurityRec& s = *securities.GetRec(i);
        const auto row = rowOfName.find(s.szShortName);
        const auto board = boardOfCode.find(Trimmed(s.szCode + 1, 4));
        if (row == rowOfName.end() || board == boardOfCode.end())
            continue;
        std::int32_t& entry = m_onBoard[static_cast<std::size_t>(board->second)][static_cast<std::size_t>(row->second)];
        // The first security of a short name on a board is the one shown.
        if (entry < 0) {
            entry = i;
            m_rowOfSecurity[static_cast<std::size_t>(i)] = row->second;
        }
    }
}

CSecBrdsDoc::~CSecBrdsDoc()
{
    ReleaseTitles();
}

void CSecBrdsDoc::ReleaseTitles()
{
    for (std::uint16_t atom : m_titleAtoms)
        kvcore::KvDeleteAtom(atom);
    m_titleAtoms.clear();
}

bool CSecBrdsDoc::onNewDocument()
{
    if (!CTDoc::onNewDocument())
        return false;
    Retitle();
    return true;
}

void CSecBrdsDoc::MakeTitle(std::string& title)
{
    title = Kv32ShellString(GetDocID());
}

void CSecBrdsDoc::AddColumnTitles()
{
    ReleaseTitles();
    m_atoms = 1;
    m_available.clear();
    CBoardTable& boards = BoardTable();
    const std::string shortName = fw::loadString(IDS_SECURITIES_FIRST_COLUMN);
    for (int b = 0; b < BoardCount(); ++b) {
        const BoardRec* board = b < boards.GetCount() ? boards.GetRec(b) : nullptr;
        const std::string name = board == nullptr ? m_boards[static_cast<std::size_t>(b)] : board->szName;
        for (int k = 0; k < kGroupColumns; ++k) {
            const std::string title = k == 0
                ? shortName
                : name + " " + fw::loadString(IDS_SECURITIES_FIRST_COLUMN + static_cast<unsigned>(k));
            const std::uint16_t atom = kvcore::KvAddAtom(title.substr(0, kvcore::kMaxAtomLength));
            if (atom != 0)
                m_titleAtoms.push_back(atom);
            m_available.push_back(atom);
        }
    }
}

void CSecBrdsDoc::AddDefaultSelColumns()
{
    if (BoardCount() == 0)
        return;
    m_selected.push_back(0);
    for (int b = 0; b < BoardCount(); ++b)
        for (int id : { 2904, 2905, 2906 })
            m_selected.push_back(static_cast<std::uint16_t>(b * kGroupColumns + id - CSecsDoc::kFirstColumn));
}

void CSecBrdsDoc::LoadDocumentInfo()
{
    CTDoc::LoadDocumentInfo();
    const auto columns = static_cast<std::uint16_t>(GetMaxColumns());
    std::erase_if(m_selected, [columns](std::uint16_t id) { return id >= columns; });
    if (m_selected.empty())
        AddDefaultSelColumns();
    m_width.resize(static_cast<std::size_t>(columns), 0);
}

void CSecBrdsDoc::SetDocDescription()
{
    const auto n = static_cast<std::size_t>(GetMaxColumns());
    // The first column reads the row's own short name; every other cell is
    // drawn from the security its board group shows.
    m_offset.assign(n, 0);
    m_type.assign(n, kvcore::kGXOwner);
    m_justify.assign(n, kJustLeft);
    for (std::size_t c = 0; c < n; ++c)
        m_justify[c] = GroupColumn(static_cast<int>(c % kGroupColumns)).justify;
    if (n > 0) {
        m_type[0] = kvcore::kGXText;
        m_offset[0] = static_cast<std::uint16_t>(offsetof(RowKey, szShortName));
    }
    m_columnIdCount = static_cast<std::uint16_t>(n);
}

const std::uint8_t* CSecBrdsDoc::GetRowData(int row) const
{
    if (row < 0 || row >= GetRowCount())
        return nullptr;
    return reinterpret_cast<const std::uint8_t*>(&m_keys[static_cast<std::size_t>(row)]);
}

std::vector<std::uint32_t>& CSecBrdsDoc::GetColorRefArray()
{
    return SecurityTable().m_aColors;
}

std::vector<std::uint16_t>& CSecBrdsDoc::GetColorElemArray()
{
    return SecurityTable().m_aColorNames;
}

int CSecBrdsDoc::HostIndexOfRow(int row) const
{
    if (row < 0 || row >= GetRowCount())
        return -1;
    const int index = m_firstSecurity[static_cast<std::size_t>(row)];
    return index < SecurityTable().GetCount() ? index : -1;
}

int CSecBrdsDoc::SecurityOnBoard(int row, int board) const
{
    if (row < 0 || row >= GetRowCount() || board < 0 || board >= BoardCount())
        return -1;
    const int index = m_onBoard[static_cast<std::size_t>(board)][static_cast<std::size_t>(row)];
    return index < SecurityTable().GetCount() ? index : -1;
}

const SecurityRec* CSecBrdsDoc::CellSecurity(int row, int columnId) const
{
    if (columnId < 0)
        return nullptr;
    const int index = SecurityOnBoard(row, columnId / kGroupColumns);
    return index < 0 ? nullptr : SecurityTable().GetRec(index);
}

int CSecBrdsDoc::RowOfKey(const std::uint8_t* value) const
{
    if (value == nullptr)
        return -1;
    return reinterpret_cast<const RowKey*>(value)->nRow;
}

void CSecBrdsDoc::OwnerDrawCell(const std::uint8_t* value, int col, int, fw::CellStyle& style) const
{
    const SecurityRec* security = CellSecurity(RowOfKey(value), col);
    if (security != nullptr)
        KvDrawFieldCell(reinterpret_cast<const std::uint8_t*>(security), GroupColumn(col % kGroupColumns), style);
}

int CSecBrdsDoc::OwnerDrawSort(const std::uint8_t* a, const std::uint8_t* b, int col) const
{
    const auto* x = reinterpret_cast<const std::uint8_t*>(CellSecurity(RowOfKey(a), col));
    const auto* y = reinterpret_cast<const std::uint8_t*>(CellSecurity(RowOfKey(b), col));
    return KvCompareField(x, y, GroupColumn(col % kGroupColumns));
}

void CSecBrdsDoc::UpdateDocument(intptr_t hint, fw::Hint* object)
{
    KvRelayRowHint(*this, hint, object, m_rowHint, [this](const fw::RowHint& hostHint) {
        const int end = std::min(hostHint.GetSize(), static_cast<int>(m_rowOfSecurity.size()));
        for (int i = 0; i < end; ++i) {
            const int row = m_rowOfSecurity[static_cast<std::size_t>(i)];
            if (row >= 0 && hostHint.GetRow(i))
                m_rowHint.AddRow(row);
        }
    });
}

int CSecBrdsDoc::FindRowOfShortName(std::string_view text) const
{
    for (int row = 0; row < GetRowCount(); ++row)
        if (text == m_keys[static_cast<std::size_t>(row)].szShortName)
            return row;
    return -1;
}
