#include "kv32/lists/last_trades_list.h"

#include <cstddef>

#include "kv32/filters/trading_filters.h"
#include "kv32/res/last_trades_strings.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/tables/all_tables.h"

using kvcore::kGXDate;
using kvcore::kGXDouble;
using kvcore::kGXText;
using kvcore::kGXTime;
using kvcore::kGXUnsigned;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(LastTradeRec, field))

constexpr KvListColumn kColumnTable[] = {
    { 576, KV_AT(nTradeNo), kJustRight, kGXUnsigned },
    { 577, KV_AT(szShortName), kJustLeft, kGXText },
    { 578, KV_AT(szBoardName), kJustLeft, kGXText },
    { 579, KV_AT(dPrice), kJustRight, kGXDouble },
    { 580, KV_AT(dQuantity), kJustRight, kGXDouble },
    { 581, KV_AT(dValue), kJustRight, kGXDouble },
    { 582, KV_AT(dtTrade), kJustLeft, kGXDate },
    { 583, KV_AT(dtTrade), kJustLeft, kGXTime },
    { 584, KV_AT(szSourceName), kJustLeft, kGXText },
    { 585, KV_AT(szParty1), kJustLeft, kGXText },
    { 586, KV_AT(szParty2), kJustLeft, kGXText },
    { 587, KV_AT(dSecondAmount), kJustRight, kGXDouble },
    { 588, KV_AT(dtSecond), kJustLeft, kGXDate },
};

#undef KV_AT

} // namespace

CLastNDoc::CLastNDoc()
    : CTableIndexDoc(KvMakeLastNCriteria())
{
    Kv32RegisterListWindowResources();
    Kv32RegisterLastTradesStrings();
}

std::span<const KvListColumn> CLastNDoc::Columns() const
{
    return kColumnTable;
}

int CLastNDoc::HostCount() const
{
    return LastTradeTable().GetCount();
}

const std::uint8_t* CLastNDoc::HostRecord(int i) const
{
    return reinterpret_cast<const std::uint8_t*>(LastTradeTable().GetRec(i));
}

std::vector<std::uint32_t>& CLastNDoc::HostColors()
{
    return LastTradeTable().m_aColors;
}

std::vector<std::uint16_t>& CLastNDoc::HostColorNames()
{
    return LastTradeTable().m_aColorNames;
}

int CLastNDoc::RowOfTradeNo(std::uint32_t tradeNo) const
{
    for (int row = 0; row < GetRowCount(); ++row) {
        const LastTradeRec* trade = GetRowRecord(row);
        if (trade != nullptr && trade->nTradeNo == tradeNo)
            return row;
    }
    return -1;
}

std::unique_ptr<CListCriteria> KvMakeLastNCriteria()
{
    return std::make_unique<CCriteriaOf<CLastNFilter, LastTradeRec>>();
}
