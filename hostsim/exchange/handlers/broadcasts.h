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
// Messages and news waiting for their time that is now reached become sent
// ('S') and go out again, and planned suspensions are carried out; checked at
// most once a host second.
void DeliverDueItems(Exchange& ex);

} // namespace exchange
