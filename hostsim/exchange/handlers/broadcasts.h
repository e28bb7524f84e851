#pragma once
// Exchange messages (194) and news heads (195) reach a session inside the
// replies to its polls, once it has sent the broadcast switch (29).
#include "core/exchange.h"

namespace exchange {

// Whether the session's user is among the message's receivers (or its sender).
bool Receives(Exchange& ex, const Session& session, const ExchangeMessage& m);
// Queues the message for every session that receives it.
void DeliverMessage(Exchange& ex, const ExchangeMessage& m);
// Queues the news head for every session.
void DeliverNews(Exchange& ex, const NewsItem& n);
// Whether `minutes` after the time of day `start` (HHMMSS) the time `now` is reached.
bool DeadlinePassed(const std::string& start, int64_t minutes, const std::string& now);
// Messages and news waiting for their time that is now reached become sent
// ('S') and go out again, planned suspensions are carried out, orders
// whose validity ended (good till a time, day, session, good till today's
// date) and deals not confirmed in time expire; checked at most once a host
// second.
void DeliverDueItems(Exchange& ex);

} // namespace exchange
