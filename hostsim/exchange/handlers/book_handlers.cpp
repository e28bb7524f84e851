// The requesting list windows: order book by price (36), market by order (70)
// and the summary (27). The book windows get the whole book whenever it
// changed since the version they name, else nothing. They show only the
// shown quantities: a wholly hidden rest of an order is left out.
#include <algorithm>
#include <map>

#include "core/exchange.h"
#include "engine/order_entry.h"
#include "engine/order_rules.h"
#include "handlers/paging.h"
#include "handlers/streaming.h"
#include "kvcore/values/field_writer.h"
#include "records/security_records.h"

namespace exchange {

namespace {

constexpr std::size_t kMaxLevels = 20;
constexpr std::size_t kMaxOrders = 50;

struct Level {
    int64_t price = 0, quantity = 0, own = 0;
    bool ownFirst = false;
};

std::vector<Level> levels(const DataSet& d, const BookSide& side, const std::string& firm)
{
    std::vector<Level> out;
    for (const std::size_t i : side.orders) {
        const Order& o = d.orders[i];
        const int64_t shown = Visible(o);
        if (shown == 0)
            continue;
        if (out.empty() || out.back().price != o.price) {
            if (out.size() == kMaxLevels)
                break;
            out.push_back({ o.price, 0, 0, o.firm == firm });
        }
        out.back().quantity += shown;
        if (o.firm == firm)
            out.back().own += shown;
    }
    return out;
}

// How many orders of a side show a quantity.
int64_t shownCount(const DataSet& d, const BookSide& side)
{
    return std::count_if(
        side.orders.begin(), side.orders.end(), [&](std::size_t i) { return Visible(d.orders[i]) > 0; });
}

// The yield of a level's price for a security quoted in yield too, else no value.
int64_t levelYield(const Security& s, int64_t price)
{
    return s.methods.size() > kFlagYield && s.methods[kFlagYield] == '1' ? YieldFromPrice(price) : kNoValue;
}

std::string byPrice(
    const DataSet& d, const Book& b, const Security& s, const std::string& key, const std::string& firm)
{
    const auto bids = levels(d, b.bids, firm), offers = levels(d, b.offers, firm);
    KvFieldWriter w;
    w.Number(b.version, 10)
        .Text(key, 17)
        .Number(shownCount(d, b.bids) + shownCount(d, b.offers), 7)
        .Number(static_cast<int64_t>(bids.size()), 2)
        .Number(static_cast<int64_t>(offers.size()), 2);
    for (const auto* side : { &bids, &offers }) {
        for (const Level& l : *side) {
            // The level's mark: '!' own order first in time, '*' own orders, 'N' none.
            const char mark = l.ownFirst ? '!' : l.own > 0 ? '*' : 'N';
            w.Number(l.price, 9)
                .Number(levelYield(s, l.price), 9)
                .Number(l.quantity, 16)
                .Number(l.own, 16)
                .Char(' ')
                .Char(mark)
                .Char('#');
        }
    }
    return w.Str();
}

// The orders of one side that show a quantity, best first, at most kMaxOrders.
std::vector<const Order*> shownOrders(const DataSet& d, const BookSide& side)
{
    std::vector<const Order*> out;
    for (std::size_t k = 0; k < side.orders.size() && out.size() < kMaxOrders; ++k) {
        if (Visible(d.orders[side.orders[k]]) > 0)
            out.push_back(&d.orders[side.orders[k]]);
    }
    return out;
}

std::string byOrder(const DataSet& d, const Book& b, const std::string& key, const std::string& firm)
{
    const auto buys = shownOrders(d, b.bids), sells = shownOrders(d, b.offers);
    KvFieldWriter w;
    w.Number(b.version, 10)
        .Text(key, 17)
        .Number(static_cast<int64_t>(buys.size()), 2)
        .Number(static_cast<int64_t>(sells.size()), 2);
    for (const auto* side : { &buys, &sells }) {
        for (const Order* o : *side)
            w.Text(o->firm, 12).Number(o->price, 9).Number(Visible(*o), 16).Char(o->firm == firm ? '*' : ' ');
    }
    return w.Str();
}

void book(Exchange& ex, Call& call, ReplyBuilder& reply, bool perOrder)
{
    const auto seen = StreamKey(call.text);
    const auto key = call.text.raw(22, 17);
    if (!seen || !key)
        return;
    const auto it = ex.state().securityByKey.find(std::string(*key));
    if (it == ex.state().securityByKey.end())
        return;
    const Book& b = ex.state().books[it->second];
    if (b.version <= *seen)
        return;
    const Trader* t = ex.trader(call.session.user);
    const std::string firm = t != nullptr ? t->firm : std::string();
    const int code = perOrder ? 70 : 36;
    reply.add(code,
        perOrder ? byOrder(ex.data(), b, std::string(*key), firm)
                 : byPrice(ex.data(), b, ex.data().securities[it->second], std::string(*key), firm));
}

struct SummaryRow {
    int64_t orders = 0, trades = 0, volume = 0, value = 0, rises = 0, falls = 0, unchanged = 0, open = 0;
};

// One record per (sector, market, board), every cycle in full.
void summary(Exchange& ex, ReplyBuilder& reply)
{
    std::map<std::string, SummaryRow> rows;
    for (const Security& s : ex.data().securities) {
        if (s.kind != '0' || s.index)
            continue;
        KvFieldWriter codes;
        codes.Text(s.sector, 4).Text(s.market, 4).Text(s.board, 4);
        SummaryRow& r = rows[codes.Str()];
        const SecurityFigures& f = s.figures;
        r.orders += f.orders;
        r.trades += f.trades;
        r.volume += f.volumeToday;
        r.value += f.valueToday;
        r.open += f.openOrders;
        if (f.last != kNoValue && s.previousPrice != kNoValue)
            (f.last > s.previousPrice ? r.rises : f.last < s.previousPrice ? r.falls : r.unchanged) += 1;
    }
    std::size_t position = 0;
    for (const auto& [codes, r] : rows) {
        ++position;
        KvFieldWriter w;
        w.Text(KeyText(position), 8)
            .Raw(codes)
            .Number(r.orders, 6)
            .Number(r.trades, 6)
            .Number(r.volume, 16)
            .Number(r.value, 16)
            .Number(r.rises, 6)
            .Number(r.falls, 6)
            .Number(r.unchanged, 6)
            .Number(r.open, 6)
            .Char(position == rows.size() ? '1' : '0');
        if (!reply.add(27, w.Str()))
            return;
    }
}

} // namespace

void RegisterBookRequests(Exchange& ex)
{
    ex.dispatcher().onInfo(36, [&ex](Call& call, ReplyBuilder& reply) { book(ex, call, reply, false); });
    ex.dispatcher().onInfo(70, [&ex](Call& call, ReplyBuilder& reply) { book(ex, call, reply, true); });
    ex.dispatcher().onInfo(27, [&ex](Call&, ReplyBuilder& reply) { summary(ex, reply); });
}

} // namespace exchange
