// What the order forms read of the active list window: its table id, the
// record behind its selected row and the column the user points at, and for
// the order book windows the book's security and the selected row's prices.
// The list windows implement it; the application installs the active one.
#pragma once

#include <cstdint>
#include <string>

#include "kvcore/values/cdouble.h"

enum KvListTableId : uint32_t {
    kListNone = 0,
    kListBoards = 2,
    kListSecurities = 6,
    kListSummary = 7,
    kListOrders = 8,
    kListTrades = 9,
    kListNegDeals = 10,
    kListOrderBook = 11,
    kListMarketOrders = 12,
    kListPrivateOrders = 32,
};

struct KvBookRow {
    CDouble bid;
    CDouble bidSize;
    CDouble offer;
    CDouble offerSize;
};

class KvActiveRow {
public:
    virtual ~KvActiveRow() = default;
    virtual uint32_t TableId() const = 0;
    // The selected row's record index in the window's host table; -1 none.
    virtual int RecordIndex() const = 0;
    virtual int CurrentColumn() const = 0;
    // The order book and market orders windows: the book's 17-character
    // security key and the selected row's figures.
    virtual std::string BookSecurityKey() const { return {}; }
    virtual KvBookRow BookRow() const { return {}; }
    // The summary window: the index of the board it shows; -1 elsewhere.
    virtual int BoardIndex() const { return -1; }
};

// The active list window; null when none is active. The caller keeps it alive
// while installed.
void KvSetActiveRow(KvActiveRow* row);
KvActiveRow* KvActiveListRow();

// The last trading account used in an order or deal form (program-wide).
std::string& KvLastTradingAccount();
