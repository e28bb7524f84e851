#include "kv32/lists/trades_list.h"

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

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(CTradeRec, field))

constexpr KvListColumn kColumnTable[] = {
    { 2530, KV_AT(nTradeNo), kJustRight, kGXUnsigned },
    { 2531, KV_AT(nBuyOrderNo), kJustRight, kGXUnsigned },
    { 2532, KV_AT(nSellOrderNo), kJustRight, kGXUnsigned },
    { 2533, KV_AT(szSecurity), kJustLeft, kGXText },
    { 2534, KV_AT(szBoardName), kJustLeft, kGXText },
    { 2535, KV_AT(dtTrade), kJustLeft, kGXDate },
    { 2536, KV_AT(dtTrade), kJustLeft, kGXTime },
    { 2537, KV_AT(dtAmend), kJustLeft, kGXTime },
    { 2538, KV_AT(szStatus), kJustLeft, kGXText },
    { 2539, KV_AT(szBuyTrdAcc), kJustLeft, kGXText },
    { 2540, KV_AT(szSellTrdAcc), kJustLeft, kGXText },
    { 2541, KV_AT(szBuyUser), kJustLeft, kGXText },
    { 2542, KV_AT(szBuyFirm), kJustLeft, kGXText },
    { 2543, KV_AT(szSellUser), kJustLeft, kGXText },
    { 2544, KV_AT(szSellFirm), kJustLeft, kGXText },
    { 2545, KV_AT(dPrice), kJustRight, kGXDouble },
    { 2546, KV_AT(dQty), kJustRight, kGXDouble },
    { 2547, KV_AT(dYield), kJustRight, kGXDouble },
    { 2548, KV_AT(dValue), kJustRight, kGXDouble },
    { 2549, KV_AT(dAccruedInt), kJustRight, kGXDouble },
    { 2550, KV_AT(szBuyReference), kJustLeft, kGXText },
    { 2551, KV_AT(szSellReference), kJustLeft, kGXText },
    { 2552, KV_AT(dtSettle), kJustLeft, kGXDate },
    { 2553, KV_AT(dtDiss), kJustLeft, kGXTime },
    { 2554, KV_AT(szDissStatus), kJustLeft, kGXText },
    { 2555, KV_AT(szTradeSource), kJustLeft, kGXText },
};

#undef KV_AT

constexpr char kOperatorCancel = 53;

bool StatusIs(const CTradeRec& trade, std::initializer_list<std::uint32_t> ids)
{
    const std::string_view status = trade.szStatus;
    for (std::uint32_t id : ids)
        if (status == Kv32TradingString(id))
            return true;
    return false;
}

} // namespace

CTradesDoc::CTradesDoc()
    : CTableIndexDocT(TradeTable(), KvMakeTradesCriteria())
{
    Kv32RegisterListWindowResources();
}

std::span<const KvListColumn> CTradesDoc::Columns() const
{
    return kColumnTable;
}

int CTradesDoc::ColorIndexOffset() const
{
    return static_cast<int>(offsetof(CTradeRec, nStatusCode));
}

std::unique_ptr<CListCriteria> KvMakeTradesCriteria()
{
    return std::make_unique<CCriteriaOf<CTradesFilter, CTradeRec>>();
}

int TradeCancelCode(unsigned commandId)
{
    switch (commandId) {
    case ID_TRADE_REQUEST_CANCEL: return 151;
    case ID_TRADE_CONFIRM_CANCEL: return 160;
    case ID_TRADE_APPROVE_CANCEL: return 162;
    case ID_TRADE_REJECT_CANCEL: return 161;
    case ID_TRADE_OPERATOR_CANCEL: return 142;
    default: return 0;
    }
}

bool TradeCommandAllowed(unsigned commandId, const CTradeRec* trade)
{
    if (commandId == ID_VIEW_GOTO)
        return true;
    if (trade == nullptr)
        return false;
    switch (commandId) {
    case ID_TRADE_REQUEST_CANCEL: return StatusIs(*trade, { IDS_TRADE_MATCHED });
    case ID_TRADE_CONFIRM_CANCEL: return StatusIs(*trade, { IDS_TRADE_UNCONFIRMED_BUY, IDS_TRADE_UNCONFIRMED_SELL });
    case ID_TRADE_APPROVE_CANCEL: return StatusIs(*trade, { IDS_TRADE_UNAPPROVED });
    case ID_TRADE_REJECT_CANCEL:
        return StatusIs(*trade, { IDS_TRADE_UNCONFIRMED_BUY, IDS_TRADE_UNCONFIRMED_SELL, IDS_TRADE_UNAPPROVED });
    case ID_TRADE_OPERATOR_CANCEL: return !StatusIs(*trade, { IDS_TRADE_CANCELLED });
    case ID_SUMMARY_ORDER:
    case ID_SUMMARY_TRADING_ACCOUNT: return true;
    default: return false;
    }
}

std::string BuildTradeCancelText(std::uint32_t tradeNo)
{
    KvFieldWriter w;
    AppendUserField(w);
    w.Unsigned(tradeNo, 12);
    return w.Str();
}

std::string BuildTradeOperatorCancelText(std::uint32_t tradeNo)
{
    KvFieldWriter w;
    AppendUserField(w);
    w.Char(kOperatorCancel);
    w.Unsigned(tradeNo, 12);
    return w.Str();
}

std::optional<KvRowTransaction> TradeCancelTransaction(unsigned commandId, const CTradeRec& trade)
{
    const int code = TradeCancelCode(commandId);
    if (code == 0)
        return std::nullopt;
    KvRowTransaction t;
    t.code = code;
    t.text = commandId == ID_TRADE_OPERATOR_CANCEL ? BuildTradeOperatorCancelText(trade.nTradeNo)
                                                   : BuildTradeCancelText(trade.nTradeNo);
    t.identifier = KvReplyIdentifier(trade.nTradeNo);
    if (t.text.empty())
        return std::nullopt;
    return t;
}
