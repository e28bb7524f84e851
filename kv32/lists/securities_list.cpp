#include "kv32/lists/securities_list.h"

#include <cstddef>
#include <cstring>

#include "fw/core/archive.h"
#include "kv32/lists/market_texts.h"
#include "kv32/lists/row_hint_relay.h"
#include "kv32/res/market_window_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/res/table_strings.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/host_table.h"
#include "kvcore/values/field_writer.h"

using kvcore::kGXDate;
using kvcore::kGXDouble;
using kvcore::kGXText;
using kvcore::kGXTime;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(SecurityRec, field))
#define KV_NUM(id, field) { id, KV_AT(field), kJustRight, kGXDouble }
#define KV_TEXT(id, field) { id, KV_AT(field), kJustLeft, kGXText }

constexpr KvListColumn kColumnTable[] = {
    KV_TEXT(2900, szShortName),
    KV_TEXT(2901, szBoardName),
    KV_TEXT(2902, szStatus),
    KV_TEXT(2903, szRemarks),
    KV_NUM(2904, dBid),
    KV_NUM(2905, dOffer),
    KV_NUM(2906, dLast),
    KV_NUM(2907, dClose),
    KV_NUM(2908, dChangeLast),
    KV_NUM(2909, dHigh),
    KV_NUM(2910, dLow),
    KV_NUM(2911, dOpen),
    KV_NUM(2912, dChangeToday),
    KV_NUM(2913, dPctChangeToday),
    KV_NUM(2914, dVolumeToday),
    KV_NUM(2915, dValueToday),
    KV_NUM(2916, dWap),
    KV_NUM(2917, dPrevPrice),
    { 2918, KV_AT(dtPrevDate), kJustLeft, kGXDate },
    KV_NUM(2919, dBidDepth),
    KV_NUM(2920, dBidDepthTotal),
    KV_NUM(2921, dNumBids),
    KV_NUM(2922, dOfferDepth),
    KV_NUM(2923, dOfferDepthTotal),
    KV_NUM(2924, dNumOffers),
    KV_NUM(2925, dOpenOrders),
    KV_NUM(2926, dNumOrders),
    KV_NUM(2927, dNumTrades),
    KV_NUM(2928, dQuantity),
    KV_NUM(2929, dValue),
    { 2930, KV_AT(dtTime), kJustLeft, kGXTime },
    KV_NUM(2931, dLastOffMarket),
    KV_NUM(2932, dQtyOffMarket),
    KV_NUM(2933, dVolumeCum),
    KV_NUM(2934, dValueCum),
    KV_TEXT(2935, szSession),
    KV_NUM(2936, dIpoPrice),
    KV_NUM(2937, dAccruedInterest),
    KV_NUM(2938, dYield),
    KV_NUM(2939, dEarnings),
    KV_NUM(2940, dEps),
    KV_TEXT(2941, szDistribution),
    KV_TEXT(2942, szName),
    { 2943, KV_AT(szIsin), kJustRight, kGXText },
    KV_NUM(2944, dRefPrice),
    KV_NUM(2945, dCircuitCeiling),
    KV_NUM(2946, dCircuitFloor),
    { 2947, KV_AT(dtSuspension), kJustLeft, kGXDate },
    { 2948, KV_AT(dtSuspension), kJustLeft, kGXTime },
    { 2949, KV_AT(szAnnouncement), kJustRight, kGXText },
    KV_NUM(2950, dUpperLimit),
    KV_NUM(2951, dLowerLimit),
    KV_NUM(2952, dVolOffToday),
    KV_NUM(2953, dValOffToday),
    KV_NUM(2954, dVolOffTraded),
    KV_NUM(2955, dValOffTraded),
    KV_NUM(2956, dOpenYield),
    KV_NUM(2957, dHighYield),
    KV_NUM(2958, dLowYield),
    KV_NUM(2959, dClosedYield),
    KV_NUM(2960, dRefYield),
    KV_NUM(2961, dChangeYield),
    KV_NUM(2962, dChangeLty),
    KV_NUM(2963, dLastOffYield),
    KV_NUM(2964, dBidYield),
    KV_NUM(2965, dOfferYield),
    KV_NUM(2966, dWaYield),
    KV_NUM(2967, dPlannedIssueSize),
    { 2968, KV_AT(dtMaturity), kJustLeft, kGXDate },
    KV_TEXT(2969, szStrike),
    KV_TEXT(2970, szBarrier),
    KV_TEXT(2971, szUnderlying),
    KV_NUM(2972, dIndicative),
};
static_assert(std::size(kColumnTable) == CSecsDoc::kColumns);

#undef KV_TEXT
#undef KV_NUM
#undef KV_AT

// The columns whose cells show the colour an alert condition gives them.
constexpr int kAlertColumns[] = { 2904, 2905, 2906, 2909, 2910, 2911, 2914, 2915, 2926, 2928, 2929 };

constexpr char kOprSuspendSecurity = 9;
constexpr char kOprUnsuspendSecurity = 10;
constexpr int kSuspendMessageWidth = 640;

// A position of the permission string it does not reach counts '0'.
bool MethodAllowed(const SecurityRec& s, std::size_t position)
{
    return position < std::strlen(s.szMethods) && s.szMethods[position] != '0';
}

} // namespace

CSecsDoc::CSecsDoc()
{
    Kv32RegisterMarketWindowResources();
}

bool CSecsDoc::onNewDocument()
{
    if (!CTDoc::onNewDocument())
        return false;
    Retitle();
    m_bOpened = 1;
    return true;
}

void CSecsDoc::onCloseDocument()
{
    if (m_bOpened)
        m_aRows.clear();
    CTDoc::onCloseDocument();
}

void CSecsDoc::Serialize(fw::Archive& ar)
{
    CTDoc::Serialize(ar);
    SecurityTable().SerializeSelection(ar, m_aRows);
}

int CSecsDoc::HostIndexOfRow(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_aRows.size())
        return -1;
    const int index = m_aRows[static_cast<std::size_t>(row)];
    return index >= 0 && index < SecurityTable().GetCount() ? index : -1;
}

const std::uint8_t* CSecsDoc::GetRowData(int row) const
{
    const int index = HostIndexOfRow(row);
    return index < 0 ? nullptr : reinterpret_cast<const std::uint8_t*>(SecurityTable().GetRec(index));
}

int CSecsDoc::GetColorOffset() const
{
    return static_cast<int>(offsetof(SecurityRec, nColor));
}

void CSecsDoc::SetDocDescription()
{
    KvDescribeColumns(*this, Columns(), kFirstColumn, kColumns);
}

std::span<const KvListColumn> CSecsDoc::Columns()
{
    return kColumnTable;
}

bool CSecsDoc::IsAlertColumn(int columnId)
{
    for (int id : kAlertColumns)
        if (id == columnId)
            return true;
    return false;
}

void CSecsDoc::UpdateDocument(intptr_t hint, fw::Hint* object)
{
    KvRelayRowHint(*this, hint, object, m_rowHint, [this](const fw::RowHint& hostHint) {
        for (std::size_t r = 0; r < m_aRows.size(); ++r)
            if (hostHint.GetRow(m_aRows[r]))
                m_rowHint.AddRow(static_cast<int>(r));
    });
}

void CSecsDoc::GetColorCell(const std::uint8_t* record, int col, kvcore::COLORREF& back, kvcore::COLORREF& text) const
{
    CTDoc::GetColorCell(record, col, back, text);
    // col is the column's position among the ids (id - first id).
    const int id = col + kFirstColumn;
    if (record == nullptr || col < 0 || col >= kColumns || !IsAlertColumn(id))
        return;
    const kvcore::COLORREF alert = reinterpret_cast<const SecurityRec*>(record)->aAlertColors[col];
    if (alert == 0)
        return;
    if (m_iColorMethod == 0)
        back = alert;
    else
        text = alert;
}

std::vector<std::uint32_t>& CSecsDoc::GetColorRefArray()
{
    return SecurityTable().m_aColors;
}

std::vector<std::uint16_t>& CSecsDoc::GetColorElemArray()
{
    return SecurityTable().m_aColorNames;
}

int CSecsDoc::ApplyFilter(bool retitle)
{
    if (retitle)
        Retitle();
    return 1;
}

void CSecsDoc::MakeTitle(std::string& title)
{
    title = Kv32ShellString(GetDocID());
}

void CSecsDoc::SetRows(std::vector<int> rows)
{
    m_aRows = std::move(rows);
    UpdateDocument(0, nullptr);
}

void CSecsDoc::AppendRows(const std::vector<std::uint32_t>& rows)
{
    for (std::uint32_t row : rows)
        if (row < static_cast<std::uint32_t>(SecurityTable().GetCount()))
            m_aRows.push_back(static_cast<int>(row));
    UpdateDocument(0, nullptr);
}

int CSecsDoc::FindRowOfShortName(std::string_view text) const
{
    for (int row = 0; row < GetRowCount(); ++row) {
        const SecurityRec* s = GetRowRecord(row);
        if (s != nullptr && text == s->szShortName)
            return row;
    }
    return -1;
}

bool SecurityCommandAllowed(unsigned commandId, const SecurityRec* security)
{
    if (commandId == ID_MW_ALERTS_VIEW)
        return true;
    if (security == nullptr)
        return false;
    switch (commandId) {
    case ID_MW_BUY:
    case ID_MW_SELL: return MethodAllowed(*security, 0) || MethodAllowed(*security, 1);
    case ID_MW_DEAL: return MethodAllowed(*security, 3);
    case ID_MW_MARKET_MAKER: return MethodAllowed(*security, 5);
    case ID_MW_SUSPEND_SECURITY: return security->cStatusKind != 'S';
    case ID_MW_UNSUSPEND_SECURITY: return security->cStatusKind != 'A';
    case ID_MW_SUSPEND_ISSUER:
    case ID_MW_UNSUSPEND_ISSUER: return IssuerCommandAllowed(commandId, security);
    default: return true;
    }
}

int SecurityIssuerRow(const SecurityRec& security)
{
    // The snapshot's participant code at 368 names the issuer.
    if (security.szInstrCode[0] == '\0')
        return -1;
    return ParticipantTable().FindByCode(security.szInstrCode);
}

bool IssuerCommandAllowed(unsigned commandId, const SecurityRec* security)
{
    if (security == nullptr)
        return false;
    const int row = SecurityIssuerRow(*security);
    if (row < 0)
        return false;
    const ParticipantRec& issuer = *ParticipantTable().GetRec(row);
    if (std::string_view(issuer.szType) != "ISSR")
        return false;
    const unsigned state = commandId == ID_MW_SUSPEND_ISSUER ? IDS_STATE_ACTIVE : IDS_STATE_SUSPENDED;
    return Kv32TableString(state) == issuer.szStatus;
}

std::string SecurityKey(const SecurityRec& security)
{
    return std::string(security.szCode, strnlen(security.szCode, sizeof security.szCode - 1));
}

std::vector<int> SecurityOnAllBoards(const SecurityRec& security)
{
    std::vector<int> rows;
    const std::string key = SecurityKey(security);
    if (key.size() <= 5)
        return rows;
    const std::string_view instrument = std::string_view(key).substr(5);
    CSecurityTable& table = SecurityTable();
    for (int i = 0; i < table.GetCount(); ++i) {
        const std::string other = SecurityKey(*table.GetRec(i));
        if (other.size() > 5 && std::string_view(other).substr(5) == instrument)
            rows.push_back(i);
    }
    return rows;
}

int SecurityBoardRow(const SecurityRec& security)
{
    return security.szBoardName[0] == '\0' ? -1 : BoardTable().FindByName(security.szBoardName);
}

std::string BuildSecuritySuspendText(bool suspend, std::string_view instrumentId, const CDateTime& time,
    std::string_view message, char displayType)
{
    KvFieldWriter w;
    AppendUserField(w);
    w.Char(suspend ? kOprSuspendSecurity : kOprUnsuspendSecurity);
    w.Text(instrumentId, 12);
    w.Number(time.GetHour(), 2).Number(time.GetMinute(), 2).Number(time.GetSecond(), 2);
    w.Text(message, kSuspendMessageWidth);
    w.Char(displayType);
    if (suspend)
        w.Char('S');
    return w.Str();
}

std::optional<KvRowTransaction> SecuritySuspendTransaction(bool suspend, const SecurityRec& security)
{
    const std::string key = SecurityKey(security);
    if (key.size() < 5)
        return std::nullopt;
    const std::string message = KvFormatText(
        KvMarketWindowString(suspend ? IDS_SECURITY_SUSPENDED : IDS_SECURITY_UNSUSPENDED), { security.szShortName });
    KvRowTransaction t;
    t.code = 142;
    // The instrument id: the key without its kind and board.
    t.text = BuildSecuritySuspendText(suspend, std::string_view(key).substr(5), CDateTime::GetTickCount(), message,
        KvDisplayType());
    std::string identifier = security.szShortName;
    if (identifier.size() < 10)
        identifier.resize(10, ' ');
    t.identifier = identifier;
    if (t.text.empty())
        return std::nullopt;
    return t;
}
