// The criteria the book windows (order book, market by order) give the
// windows they open for their security: the security's open orders on the
// side and at the price of the cell pointed at, and its last trades.
#pragma once

#include <array>
#include <string_view>

#include "kv32/trading/active_row.h"

class COrdersFilter;
class CLastNFilter;

// bookColumns: the columns (id less the first id) of bid size, bid, offer
// and offer size. A security the table does not know leaves the reset criteria.
void KvBookOrdersCriteria(COrdersFilter& filter, std::string_view securityKey, int column, const KvBookRow& row,
    const std::array<int, 4>& bookColumns);
void KvBookLastTradesCriteria(CLastNFilter& filter, std::string_view securityKey);
