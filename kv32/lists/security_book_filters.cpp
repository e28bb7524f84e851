#include "kv32/lists/security_book_filters.h"

#include "kv32/filters/orders_filter.h"
#include "kv32/filters/trading_filters.h"
#include "kv32/tables/all_tables.h"

void KvBookOrdersCriteria(COrdersFilter& filter, std::string_view securityKey, int column, const KvBookRow& row,
    const std::array<int, 4>& bookColumns)
{
    filter.Reset();
    const int security = SecurityTable().FindByCode(securityKey);
    if (security < 0)
        return;
    filter.m_bNoFiltering = 0;
    filter.m_bAllSecurities = 0;
    filter.m_aSecurities.push_back(security);
    filter.m_bShowOpen = 1;
    filter.m_bShowInactive = filter.m_bShowMatched = filter.m_bShowAmended = filter.m_bShowWithdrawn
        = filter.m_bShowUnapproved = 0;
    const auto [bidSize, bid, offer, offerSize] = bookColumns;
    if (column == bidSize || column == bid) {
        filter.m_bShowSell = 0;
        filter.SetPrice(row.bid);
    } else if (column == offer || column == offerSize) {
        filter.m_bShowBuy = 0;
        filter.SetPrice(row.offer);
    }
}

void KvBookLastTradesCriteria(CLastNFilter& filter, std::string_view securityKey)
{
    filter.Reset();
    const int security = SecurityTable().FindByCode(securityKey);
    if (security < 0)
        return;
    filter.m_bNoFiltering = 0;
    filter.m_bAllSecurities = 0;
    filter.m_aSecurities.push_back(security);
}
