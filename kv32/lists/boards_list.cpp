#include "kv32/lists/boards_list.h"

#include <cstddef>
#include <cstring>

#include "kv32/res/market_window_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/res/table_strings.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/host_table.h"

namespace {

constexpr KvStateListLayout kBoards { 2, 450, offsetof(BoardRec, szCode), offsetof(BoardRec, szName),
    offsetof(BoardRec, szStatus), offsetof(BoardRec, nActive), 5, 6, ID_MW_SUSPEND_BOARD, ID_MW_UNSUSPEND_BOARD,
    IDS_SUSPENDED_BOARD };
constexpr KvStateListLayout kMarkets { 3, 500, offsetof(MarketRec, szCode), offsetof(MarketRec, szName),
    offsetof(MarketRec, szState), offsetof(MarketRec, nState), 1, 2, ID_MW_SUSPEND_MARKET, ID_MW_UNSUSPEND_MARKET,
    IDS_SUSPENDED_MARKETS };
constexpr KvStateListLayout kInstruments { 5, 490, offsetof(MarketRec, szCode), offsetof(MarketRec, szName),
    offsetof(MarketRec, szState), offsetof(MarketRec, nState), 3, 4, ID_MW_SUSPEND_INSTRUMENT,
    ID_MW_UNSUSPEND_INSTRUMENT, IDS_SUSPENDED_INSTRUMENTS };

} // namespace

CStateListDoc::CStateListDoc(const KvStateListLayout& layout)
    : m_layout(layout)
    , m_columns {
        { static_cast<std::uint16_t>(layout.firstColumn), layout.nameOffset, kJustLeft, kvcore::kGXText },
        { static_cast<std::uint16_t>(layout.firstColumn + 1), layout.statusOffset, kJustLeft, kvcore::kGXText },
    }
{
    Kv32RegisterMarketWindowResources();
}

bool CStateListDoc::onNewDocument()
{
    if (!CTDoc::onNewDocument())
        return false;
    Retitle();
    return true;
}

const std::uint8_t* CStateListDoc::GetRowData(int row) const
{
    return row < 0 || row >= HostCount() ? nullptr : HostRecord(row);
}

void CStateListDoc::SetDocDescription()
{
    KvDescribeColumns(*this, m_columns, m_layout.firstColumn, kColumns);
}

void CStateListDoc::MakeTitle(std::string& title)
{
    title = Kv32ShellString(GetDocID());
}

const char* CStateListDoc::Code(int row) const
{
    const std::uint8_t* rec = GetRowData(row);
    return rec == nullptr ? "" : reinterpret_cast<const char*>(rec + m_layout.codeOffset);
}

const char* CStateListDoc::Name(int row) const
{
    const std::uint8_t* rec = GetRowData(row);
    return rec == nullptr ? "" : reinterpret_cast<const char*>(rec + m_layout.nameOffset);
}

const char* CStateListDoc::Status(int row) const
{
    const std::uint8_t* rec = GetRowData(row);
    return rec == nullptr ? nullptr : reinterpret_cast<const char*>(rec + m_layout.statusOffset);
}

CBoardsDoc::CBoardsDoc()
    : CStateListDocT(BoardTable(), kBoards)
{
}

CMarketsDoc::CMarketsDoc()
    : CStateListDocT(MarketTable(), kMarkets)
{
}

CInstrsDoc::CInstrsDoc()
    : CStateListDocT(InstrumentTable(), kInstruments)
{
}

bool StateCommandAllowed(bool suspend, const char* status)
{
    return status != nullptr && Kv32TableString(suspend ? IDS_STATE_ACTIVE : IDS_STATE_SUSPENDED) == status;
}

std::string BuildStateSuspendText(char operatorCode, std::string_view code, bool notify, char displayType)
{
    KvFieldWriter w;
    AppendUserField(w);
    w.Char(operatorCode);
    w.Text(code, 4);
    w.Char(notify ? 'Y' : 'N');
    w.Char(displayType);
    return w.Str();
}

std::optional<KvRowTransaction> StateSuspendTransaction(const CStateListDoc& doc, int row, bool suspend)
{
    if (doc.GetRowData(row) == nullptr)
        return std::nullopt;
    const CSession* session = KvSession();
    KvRowTransaction t;
    t.code = 142;
    t.text = BuildStateSuspendText(suspend ? doc.Layout().suspendOperator : doc.Layout().unsuspendOperator,
        doc.Code(row), session == nullptr || session->m_bSuspendNotify != 0, KvDisplayType());
    t.identifier = doc.Name(row);
    if (t.text.empty())
        return std::nullopt;
    return t;
}
