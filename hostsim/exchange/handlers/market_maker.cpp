// Market-maker quotes (140): each side sent replaces the firm's standing
// market-maker order on that side of the security; tick up/down (178): moves
// the price of every matching standing order by a number of ticks.
#include "engine/engine.h"
#include "engine/order_entry.h"
#include "engine/order_rules.h"
#include "handlers/transaction_support.h"

namespace exchange {

namespace {

constexpr std::size_t kBuyBlock = 31, kSellBlock = 165; // each side block is 134 characters

// A priced order in the book (an amount order has no price to move).
bool standingOrder(const Order& o)
{
    return o.status == 'O' && o.balance > 0 && !IsAmountOrder(o);
}

void withdrawOrder(Exchange& ex, std::size_t i)
{
    RemoveFromBook(ex, i);
    ex.data().orders[i].status = 'W';
    PublishOrder(ex, i);
}

// One side's block laid out as an order entry, so the entry checks apply.
std::string entryText(const RequestText& t, const std::string& user, char side, std::size_t at)
{
    std::string e(211, ' ');
    auto put = [&](std::size_t offset, std::string_view value) { e.replace(offset, value.size(), value); };
    put(0, user);
    put(12, *t.raw(at, 12));
    put(24, std::string(1, side));
    put(25, *t.raw(at + 12, 32));
    put(57, *t.raw(12, 17));
    put(74, *t.raw(at + 44, 9));
    put(83, *t.raw(at + 53, 9));
    put(92, *t.raw(at + 62, 16));
    put(108, "0000000000000000");
    put(124, *t.raw(at + 94, 40));
    put(178, "000000000");
    put(195, "0000000000000000");
    return e;
}

Verdict quote(Exchange& ex, Call& call)
{
    const RequestText& t = call.text;
    if (!t.has(0, 299))
        return Refuse("The quote text is too short.");
    if (!Holds(ex, call.session.user, 140))
        return Refuse("You may not quote.");
    const char sides = t.at(29);
    if (sides != 'B' && sides != 'S' && sides != '0')
        return Refuse("Invalid sides.");
    std::vector<Order> quotes;
    for (const char side : { 'B', 'S' }) {
        if (sides != '0' && sides != side)
            continue;
        const std::string text = entryText(t, call.session.user, side, side == 'B' ? kBuyBlock : kSellBlock);
        const RequestText entry(text);
        Verdict refusal;
        auto o = ReadNewOrder(ex, call.session.user, entry, refusal);
        if (!o)
            return refusal;
        o->flags[5] = '1';
        quotes.push_back(std::move(*o));
    }
    DataSet& d = ex.data();
    for (Order& q : quotes) {
        for (std::size_t i = 0; i < d.orders.size(); ++i) {
            const Order& o = d.orders[i];
            if (standingOrder(o) && o.flags[5] == '1' && o.firm == q.firm && o.side == q.side
                && o.securityKey == q.securityKey)
                withdrawOrder(ex, i);
        }
        q.status = 'O';
        MatchOrder(ex, AppendOrder(ex, std::move(q)));
    }
    return Accept(quotes.size() == 1 ? "Quote entered." : "Quotes entered.");
}

Verdict tick(Exchange& ex, Call& call)
{
    const RequestText& t = call.text;
    const auto ticks = t.number(67, 4);
    const char direction = t.at(66), side = t.at(65);
    if (!t.has(0, 71) || !ticks || *ticks <= 0 || (direction != '+' && direction != '-')
        || (side != 'B' && side != 'S' && side != ' '))
        return Refuse("Invalid tick request.");
    DataSet& d = ex.data();
    int moved = 0;
    const std::size_t count = d.orders.size();
    for (std::size_t i = 0; i < count; ++i) {
        Order& o = d.orders[i];
        if (!standingOrder(o) || !SameFirm(ex, call.session.user, o.firm) || (side != ' ' && o.side != side)
            || !t.matchesOrBlank(12, 12, o.firm) || !t.matchesOrBlank(24, 12, o.user)
            || !t.matchesOrBlank(36, 17, o.securityKey) || !t.matchesOrBlank(53, 12, o.account))
            continue;
        const Security* s = ex.security(o.securityKey);
        const int64_t price = o.price + (direction == '+' ? 1 : -1) * *ticks * (s != nullptr ? s->tick : 1);
        if (price <= 0)
            continue;
        RemoveFromBook(ex, i);
        d.orders[i].price = price;
        MatchOrder(ex, i);
        ++moved;
    }
    if (moved == 0)
        return Refuse("No standing order matches.");
    return Accept(std::to_string(moved) + (moved == 1 ? " order moved." : " orders moved."));
}

} // namespace

void RegisterMarketMakerTransactions(Exchange& ex)
{
    ex.dispatcher().onTransaction(140, Counted(ex, quote));
    ex.dispatcher().onTransaction(178, Counted(ex, tick));
}

} // namespace exchange
