// The broadcast switch (29) replays the day's messages and news heads to the
// session; the news text request (69) returns a head's body.
#include "handlers/broadcasts.h"

#include "engine/engine.h"
#include "engine/order_rules.h"
#include "engine/validity.h"
#include "handlers/notices.h"
#include "handlers/streaming.h"
#include "records/bulletin_records.h"

namespace exchange {

namespace {

std::string senderFirm(Exchange& ex, const ExchangeMessage& m)
{
    const Trader* t = ex.trader(m.sender);
    return t != nullptr ? t->firm : std::string();
}

ReplyMessage messageFor(Exchange& ex, const ExchangeMessage& m)
{
    return { kExchangeMessage, ExchangeMessageRecord(m, senderFirm(ex, m)) };
}

ReplyMessage newsFor(Exchange& ex, const NewsItem& n)
{
    return { kNewsHead, NewsHeadRecord(n, ex.data().tradingDate) };
}

void switchOn(Exchange& ex, Session& session)
{
    session.broadcasts = true;
    for (const ExchangeMessage& m : ex.data().messages) {
        if (Receives(ex, session, m))
            session.outbox.push_back(messageFor(ex, m));
    }
    for (const NewsItem& n : ex.data().news)
        session.outbox.push_back(newsFor(ex, n));
}

void newsText(Exchange& ex, Call& call, ReplyBuilder& reply)
{
    const auto id = call.text.number(12, 8);
    if (!id)
        return;
    for (const NewsItem& n : ex.data().news) {
        if (n.id == *id) {
            reply.add(69, NewsTextRecord(n));
            return;
        }
    }
}

} // namespace

bool Receives(Exchange& ex, const Session& session, const ExchangeMessage& m)
{
    if (m.sender == session.user)
        return true;
    // A waiting or withdrawn message is its sender's alone.
    if (m.status != 'S')
        return false;
    const Trader* t = ex.trader(session.user);
    const bool user = m.toUser.empty() || m.toUser == session.user;
    const bool firm = m.toFirm.empty() || (t != nullptr && m.toFirm == t->firm);
    return user && firm;
}

void DeliverMessage(Exchange& ex, const ExchangeMessage& m)
{
    for (auto& [slot, s] : ex.sessions().all()) {
        if (s.broadcasts && Receives(ex, s, m))
            s.outbox.push_back(messageFor(ex, m));
    }
}

void DeliverNews(Exchange& ex, const NewsItem& n)
{
    for (auto& [slot, s] : ex.sessions().all()) {
        if (s.broadcasts)
            s.outbox.push_back(newsFor(ex, n));
    }
}

bool DeadlinePassed(const std::string& start, int64_t minutes, const std::string& now)
{
    const auto seconds = [](const std::string& t) -> int64_t {
        if (t.size() != 6 || t.find_first_not_of("0123456789") != std::string::npos)
            return -1;
        return std::stoll(t.substr(0, 2)) * 3600 + std::stoll(t.substr(2, 2)) * 60
            + std::stoll(t.substr(4, 2));
    };
    const int64_t from = seconds(start), at = seconds(now);
    return from >= 0 && at >= 0 && at >= from + minutes * 60;
}

void DeliverDueItems(Exchange& ex)
{
    const std::string now = ex.now();
    std::string& checked = ex.state().lastDueCheck;
    if (now == checked)
        return;
    const std::string previous = checked;
    checked = now;
    // Day, session and good-till-date orders expire at their close.
    ExpireEndedOrders(ex, previous, now);
    for (ExchangeMessage& m : ex.data().messages) {
        if (m.status == 'P' && m.sendTime <= now) {
            m.status = 'S';
            DeliverMessage(ex, m);
        }
    }
    for (NewsItem& n : ex.data().news) {
        if (n.status == 'P' && n.time <= now) {
            n.status = 'S';
            DeliverNews(ex, n);
        }
    }
    // Orders good till a time of today expire at that time.
    auto& timed = ex.state().timedOrders;
    for (auto it = timed.begin(); it != timed.end();) {
        Order& o = ex.data().orders[*it];
        const bool standing = Standing(o);
        if (standing && o.expiryTime > now) {
            ++it;
            continue;
        }
        if (standing) {
            RemoveFromBook(ex, *it);
            ex.data().orders[*it].status = 'E';
            PublishOrder(ex, *it);
        }
        it = timed.erase(it);
    }
    // Deals not confirmed within their confirmation period expire.
    auto& deals = ex.data().deals;
    for (std::size_t i = 0; i < deals.size(); ++i) {
        Deal& d = deals[i];
        if (d.status == 'O' && DeadlinePassed(d.time, d.confirmMinutes, now)) {
            d.status = 'E';
            ex.state().streams.deals.add(i, DealFirms(d));
        }
    }
    // Planned suspensions whose time came: carried out unless their event was deleted.
    auto& planned = ex.state().planned;
    for (auto it = planned.begin(); it != planned.end();) {
        TradingEvent& e = ex.data().events[it->event];
        if (it->time > now && e.kind == 'P') {
            ++it;
            continue;
        }
        if (e.kind == 'P') {
            for (const std::size_t s : it->securities)
                SetSecurityStatus(ex, s, it->status);
            SetIssuerStatus(ex, it->issuer, it->status);
            e.kind = 'S';
            ex.state().streams.events.add(it->event);
        }
        it = planned.erase(it);
    }
}

void RegisterBroadcasts(Exchange& ex)
{
    ex.dispatcher().onInfo(29, [&ex](Call& call, ReplyBuilder&) { switchOn(ex, call.session); });
    ex.dispatcher().onInfo(69, [&ex](Call& call, ReplyBuilder& reply) { newsText(ex, call, reply); });
}

} // namespace exchange
