#include "kv32/lists/orders_list.h"

#include <cstddef>
#include <string_view>

#include "kv32/filters/orders_filter.h"
#include "kv32/lists/order_copies.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/res/trading_strings.h"
#include "kv32/shell/order_withdraw_record.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/host_table.h"

using kvcore::kGXDate;
using kvcore::kGXDouble;
using kvcore::kGXText;
using kvcore::kGXTime;
using kvcore::kGXUnsigned;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(COrderRec, field))

constexpr KvListColumn kColumnTable[] = {
    { 2500, KV_AT(nOrderNo), kJustRight, kGXUnsigned },
    { 2501, KV_AT(szSecurity), kJustLeft, kGXText },
    { 2502, KV_AT(szBoardName), kJustLeft, kGXText },
    { 2503, KV_AT(szBuySell), kJustLeft, kGXText },
    { 2504, KV_AT(szStatus), kJustLeft, kGXText },
    { 2505, KV_AT(dPrice), kJustRight, kGXDouble },
    { 2506, KV_AT(dQty), kJustRight, kGXDouble },
    { 2507, KV_AT(dBalance), kJustRight, kGXDouble },
    { 2508, KV_AT(dHidden), kJustRight, kGXDouble },
    { 2509, KV_AT(szTrdAcc), kJustLeft, kGXText },
    { 2510, KV_AT(szTrdAccName), kJustLeft, kGXText },
    { 2511, KV_AT(dValue), kJustRight, kGXDouble },
    { 2512, KV_AT(dAccruedInt), kJustRight, kGXDouble },
    { 2513, KV_AT(szValidity), kJustLeft, kGXText },
    { 2514, KV_AT(dtExpiry), kJustLeft, kGXTime },
    { 2515, KV_AT(dtEntry), kJustLeft, kGXTime },
    { 2516, KV_AT(dtEntry), kJustLeft, kGXDate },
    { 2517, KV_AT(dtSettle), kJustLeft, kGXDate },
    { 2518, KV_AT(szReference), kJustLeft, kGXText },
    { 2519, KV_AT(nPrevLinkOrderNo), kJustRight, kGXUnsigned },
    { 2520, KV_AT(nChainOrderNo), kJustRight, kGXUnsigned },
    { 2521, KV_AT(szUser), kJustLeft, kGXText },
    { 2522, KV_AT(szFirm), kJustLeft, kGXText },
    { 2523, KV_AT(dYield), kJustLeft, kGXDouble },
    { 2524, KV_AT(dTriggerPrice), kJustLeft, kGXDouble },
    { 2525, KV_AT(dAvgPrice), kJustLeft, kGXDouble },
};

#undef KV_AT

constexpr int kTrOrderApprove = 133;
constexpr int kTrOrderWithdraw = 138;

bool StatusIs(const COrderRec& order, std::initializer_list<std::uint32_t> ids)
{
    const std::string_view status = order.szStatus;
    for (std::uint32_t id : ids)
        if (status == Kv32TradingString(id))
            return true;
    return false;
}

std::string RequestUser()
{
    KvFieldWriter w;
    AppendUserField(w);
    return w.Str();
}

} // namespace

COrdersDoc::COrdersDoc()
    : CTableIndexDocT(OrderTable(), KvMakeOrdersCriteria())
{
    Kv32RegisterListWindowResources();
}

std::span<const KvListColumn> COrdersDoc::Columns() const
{
    return kColumnTable;
}

int COrdersDoc::ColorIndexOffset() const
{
    return static_cast<int>(offsetof(COrderRec, nStatusCode));
}

std::unique_ptr<CListCriteria> KvMakeOrdersCriteria()
{
    return std::make_unique<CCriteriaOf<COrdersFilter, COrderRec>>();
}

bool OrderCommandAllowed(unsigned commandId, const COrderRec* order)
{
    switch (commandId) {
    case ID_VIEW_GOTO:
    case ID_ORDER_WITHDRAW_TODAY:
    case ID_ORDER_WITHDRAW_ALL: return true;
    default: break;
    }
    if (order == nullptr)
        return false;
    switch (commandId) {
    case ID_LIST_AMEND:
    case ID_LIST_WITHDRAW: return StatusIs(*order, { IDS_STATUS_OPEN, IDS_STATUS_INACTIVE, IDS_STATUS_UNAPPROVED });
    case ID_ORDER_APPROVE: return StatusIs(*order, { IDS_STATUS_UNAPPROVED });
    case ID_ORDER_MOVE_TO_POB: return StatusIs(*order, { IDS_STATUS_OPEN, IDS_STATUS_INACTIVE, IDS_STATUS_UNAPPROVED });
    case ID_SUMMARY_TRADING_ACCOUNT:
    case ID_ORDER_METHODS: return true;
    default: return false;
    }
}

std::string BuildOrderApproveText(std::uint32_t orderNo)
{
    KvFieldWriter w;
    AppendUserField(w);
    w.Unsigned(orderNo, 12);
    w.Text("", 12);
    return w.Str();
}

std::string BuildOrderWithdrawText(const COrderRec& order)
{
    const std::string_view code(order.szSecurityCode);
    COrderWithdrawCriteria criteria;
    criteria.orderNo = order.nOrderNo;
    criteria.boardCode = std::string(code.substr(std::min<std::size_t>(1, code.size()), 4));
    criteria.securityCode = std::string(code.substr(std::min<std::size_t>(5, code.size())));
    return KvOrderWithdrawRecord(RequestUser(), criteria);
}

std::string BuildWithdrawTodayText()
{
    COrderWithdrawCriteria criteria;
    criteria.todayOnly = true;
    return KvOrderWithdrawRecord(RequestUser(), criteria);
}

std::optional<KvRowTransaction> OrderTransaction(unsigned commandId, const COrderRec& order)
{
    KvRowTransaction t;
    if (commandId == ID_ORDER_APPROVE) {
        t.code = kTrOrderApprove;
        t.text = BuildOrderApproveText(order.nOrderNo);
    } else if (commandId == ID_LIST_WITHDRAW) {
        t.code = kTrOrderWithdraw;
        t.text = BuildOrderWithdrawText(order);
    } else if (commandId == ID_ORDER_MOVE_TO_POB) {
        t.code = kTrOrderWithdraw;
        t.text = BuildMoveWithdrawText(order);
    } else if (commandId == ID_ORDER_COPY_TO_ENGINE) {
        t.code = kTrNewOrder;
        t.text = BuildNewOrderText(order).text;
    } else {
        return std::nullopt;
    }
    t.identifier = KvReplyIdentifier(order.nOrderNo);
    if (t.text.empty())
        return std::nullopt;
    return t;
}
