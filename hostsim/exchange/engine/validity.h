#pragma once
// How long an order is valid today: day orders and good-till-date orders of
// today until the end of the trading day, session orders until the close of
// their security's session (the first CLOSE of the schedule that covers it,
// at the latest the end of the day), good-till-time orders until their time.
#include <string>

#include "model/dataset.h"

namespace exchange {

class Exchange;

// The time of day (HHMMSS) at which the order stops being valid today, or
// empty when it stays valid beyond today (good till cancelled, a later date).
std::string ValidityEnd(const Exchange& ex, const Order& o);

// The close of the session of a security: the earliest CLOSE of the schedule
// for its board, instrument type or instrument id, at the latest the day's end.
std::string SessionEnd(const DataSet& d, const Security& s);

// When a session close or the end of the day lies after the host time `after`
// and at or before `now`, every standing order whose validity ended expires ('E').
void ExpireEndedOrders(Exchange& ex, const std::string& after, const std::string& now);

} // namespace exchange
