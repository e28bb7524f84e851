#pragma once
// Reading and checking an order entry (132) and an amendment (137). A
// refusal names the field the order dialog moves the focus to.
#include <optional>
#include <string>

#include "dispatch/request_text.h"
#include "dispatch/verdict.h"
#include "model/dataset.h"

namespace exchange {

class Exchange;

// Field numbers of the refusals (the order and deal dialogs act on them).
enum OrderField : int {
    kFieldAccount = 1,
    kFieldSecurity = 3,
    kFieldCounterparty = 4,
    kFieldPrice = 5,
    kFieldYield = 6,
    kFieldQuantity = 7,
    kFieldHidden = 8,
    kFieldExpiryDate = 9,
    kFieldExpiryTime = 10,
    kFieldStop = 11,
};

// A new order from the text of 132, or the refusal. The order's number,
// status and entry time are left for the caller.
std::optional<Order> ReadNewOrder(
    Exchange& ex, const std::string& user, const RequestText& text, Verdict& refusal);

// Applies the changed fields of 137 to a copy of `old`; blank fields keep the old values.
std::optional<Order> ReadAmendment(Exchange& ex, const Order& old, const RequestText& text, Verdict& refusal);

// Price of a yield and yield of a price for securities quoted in yield (a
// monotone rule of this stand-in): price = 110000 - 2 x yield, in their units.
int64_t PriceFromYield(int64_t yield);
int64_t YieldFromPrice(int64_t price);

bool ValidDate(std::string_view yyyymmdd);
bool ValidTime(std::string_view hhmmss);

} // namespace exchange
