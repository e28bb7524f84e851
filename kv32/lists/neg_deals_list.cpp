#include "kv32/lists/neg_deals_list.h"

#include <cstddef>
#include <string_view>

#include "kv32/filters/trading_filters.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/res/trading_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/host_table.h"

using kvcore::kGXDate;
using kvcore::kGXDouble;
using kvcore::kGXText;
using kvcore::kGXTime;
using kvcore::kGXUnsigned;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(CNegDealRec, field))

constexpr KvListColumn kColumnTable[] = {
    { 2560, KV_AT(nDealNo), kJustRight, kGXUnsigned },
    { 2561, KV_AT(dtDeal), kJustLeft, kGXTime },
    { 2562, KV_AT(szSecurity), kJustLeft, kGXText },
    { 2563, KV_AT(szBoardName), kJustLeft, kGXText },
    { 2564, KV_AT(szBuySell), kJustLeft, kGXText },
    { 2565, KV_AT(szStatus), kJustLeft, kGXText },
    { 2566, KV_AT(dPrice), kJustRight, kGXDouble },
    { 2567, KV_AT(dQty), kJustRight, kGXDouble },
    { 2568, KV_AT(dYield), kJustLeft, kGXDouble },
    { 2569, KV_AT(szTrdAcc), kJustLeft, kGXText },
    { 2570, KV_AT(dtSettle), kJustLeft, kGXDate },
    { 2571, KV_AT(szReference), kJustLeft, kGXText },
    { 2572, KV_AT(szUser), kJustLeft, kGXText },
    { 2573, KV_AT(szFirm), kJustLeft, kGXText },
    { 2574, KV_AT(szCPUser), kJustLeft, kGXText },
    { 2575, KV_AT(szCPFirm), kJustLeft, kGXText },
    { 2576, KV_AT(dtDiss), kJustLeft, kGXTime },
    { 2577, KV_AT(szDissStatus), kJustLeft, kGXText },
    { 2578, KV_AT(szTradeSource), kJustLeft, kGXText },
};

#undef KV_AT

constexpr int kTrDealWithdraw = 139;
constexpr int kTrDealApprove = 135;

bool StatusIs(const CNegDealRec& deal, std::initializer_list<std::uint32_t> ids)
{
    const std::string_view status = deal.szStatus;
    for (std::uint32_t id : ids)
        if (status == Kv32TradingString(id))
            return true;
    return false;
}

} // namespace

CNDealsDoc::CNDealsDoc()
    : CTableIndexDocT(NegDealTable(), KvMakeDealsCriteria())
{
    Kv32RegisterListWindowResources();
}

std::span<const KvListColumn> CNDealsDoc::Columns() const
{
    return kColumnTable;
}

int CNDealsDoc::ColorIndexOffset() const
{
    return static_cast<int>(offsetof(CNegDealRec, nStatusCode));
}

std::unique_ptr<CListCriteria> KvMakeDealsCriteria()
{
    return std::make_unique<CCriteriaOf<CNDealsFilter, CNegDealRec>>();
}

bool DealIsMatched(const CNegDealRec& deal)
{
    return StatusIs(deal, { IDS_STATUS_MATCHED });
}

bool DealCommandAllowed(unsigned commandId, const CNegDealRec* deal)
{
    switch (commandId) {
    case ID_VIEW_GOTO:
    case ID_LIST_EXPORT:
    case ID_LIST_EXPORT_ALL:
    case ID_OPTIONS_FILTER: return true;
    default: break;
    }
    if (deal == nullptr)
        return false;
    switch (commandId) {
    case ID_DEAL_CONFIRM: return StatusIs(*deal, { IDS_STATUS_UNCONFIRMED });
    case ID_LIST_AMEND: return StatusIs(*deal, { IDS_STATUS_OPEN });
    case ID_LIST_WITHDRAW:
        return StatusIs(*deal, { IDS_STATUS_OPEN, IDS_STATUS_UNAPPROVED, IDS_STATUS_UNCONFIRMED, IDS_STATUS_INACTIVE });
    case ID_DEAL_APPROVE: return StatusIs(*deal, { IDS_STATUS_UNAPPROVED });
    case ID_SUMMARY_TRADING_ACCOUNT: return true;
    default: return false;
    }
}

std::string BuildDealWithdrawText(std::uint32_t dealNo)
{
    KvFieldWriter w;
    AppendUserField(w);
    w.Unsigned(dealNo, 12);
    w.Text("", 24);
    return w.Str();
}

std::string BuildDealApproveText(std::uint32_t dealNo)
{
    KvFieldWriter w;
    AppendUserField(w);
    w.Unsigned(dealNo, 12);
    return w.Str();
}

std::optional<KvRowTransaction> DealTransaction(unsigned commandId, const CNegDealRec& deal)
{
    KvRowTransaction t;
    if (commandId == ID_LIST_WITHDRAW) {
        t.code = kTrDealWithdraw;
        t.text = BuildDealWithdrawText(deal.nDealNo);
    } else if (commandId == ID_DEAL_APPROVE) {
        t.code = kTrDealApprove;
        t.text = BuildDealApproveText(deal.nDealNo);
    } else {
        return std::nullopt;
    }
    t.identifier = KvReplyIdentifier(deal.nDealNo);
    if (t.text.empty())
        return std::nullopt;
    return t;
}
