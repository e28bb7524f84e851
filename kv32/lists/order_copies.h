// An order taken again: sent to the trading engine as a new order, kept in
// the private order book, or released from there (as a plain order, or as a
// market maker's two-sided order). The orders window and the private order
// book build their texts here; every number goes through the one field
// writer, so a value the host cannot read (the no-value mark, a negative
// number, one wider than its field) builds nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "kv32/tables/local_order_record.h"
#include "kv32/tables/order_record.h"
#include "kv32/trading/order_record.h"

inline constexpr int kTrNewOrder = 132;
inline constexpr int kTrMarketMakerOrder = 140;
inline constexpr std::size_t kMarketMakerOrderLength = 299;

// The new-order text (211 characters) of an order of the order table or of
// the private order book, for the logged-on user. The price field is blank
// and the yield carries the yield for a yield order; with the all-or-none
// flag the quantity is also the fill minimum.
KvOrderRecordResult BuildNewOrderText(const COrderRec& order);
KvOrderRecordResult BuildNewOrderText(const CLocalOrderRec& order);

// The market maker's order (299 characters): the user, the security, the
// side, then a bid and an offer block; the order fills the block of its own
// side, the other is empty. Empty when a field does not fit.
std::string BuildMarketMakerText(const CLocalOrderRec& order);

// The transaction that releases a private order: 140 for a market maker's
// order, else 132; none when a field does not fit.
struct KvOrderText {
    int code = 0;
    std::string text;
};
std::optional<KvOrderText> ReleaseTransaction(const CLocalOrderRec& order);

// The withdrawal that moves an order to the private order book: the order by
// number, the security fields left blank.
std::string BuildMoveWithdrawText(const COrderRec& order);

// The private order book's copy of an order under the work area identifier;
// none when the identifier is empty or too long for its field.
std::optional<CLocalOrderRec> LocalCopyOfOrder(const COrderRec& order, std::string_view workArea);

// Whether the order's side text is the buy text of the order table.
bool IsBuySide(const char* sideText);
