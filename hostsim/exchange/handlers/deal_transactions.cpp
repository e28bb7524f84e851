// Negotiated deals: input (134), confirm (157), approve (135), withdraw (139),
// amend (155); and trade cancellation: request (151), confirm (160), reject
// (161), approve (162).
#include "core/exchange.h"
#include "engine/engine.h"
#include "engine/order_entry.h"
#include "handlers/operator_settings.h"
#include "handlers/transaction_support.h"

namespace exchange {

namespace {

Deal* findDeal(Exchange& ex, const RequestText& t, std::size_t& index)
{
    const auto number = t.number(12, 12);
    const auto it = number ? ex.state().dealByNumber.find(*number) : ex.state().dealByNumber.end();
    if (it == ex.state().dealByNumber.end())
        return nullptr;
    index = it->second;
    return &ex.data().deals[index];
}

void publishDeal(Exchange& ex, std::size_t index)
{
    ex.state().streams.deals.add(index, DealFirms(ex.data().deals[index]));
}

// A matched deal becomes a trade marked with the deal trade source; its
// order numbers are the deal's number on both sides.
void dealTrade(Exchange& ex, const Deal& d)
{
    const bool proposerBuys = d.side == 'B';
    Trade t;
    t.number = ex.state().nextTrade++;
    t.buyOrder = t.sellOrder = d.number;
    t.time = ex.now();
    t.buyUser = proposerBuys ? d.user : d.counterUser;
    t.sellUser = proposerBuys ? d.counterUser : d.user;
    t.buyFirm = proposerBuys ? d.firm : d.counterFirm;
    t.sellFirm = proposerBuys ? d.counterFirm : d.firm;
    t.buyAccount = proposerBuys ? d.account : std::string();
    t.sellAccount = proposerBuys ? std::string() : d.account;
    t.buyReference = t.sellReference = d.reference;
    t.securityKey = d.securityKey;
    t.price = d.price;
    t.yield = d.yield;
    t.quantity = d.quantity;
    const Security* s = ex.security(d.securityKey);
    t.value = s != nullptr ? ValueOf(*s, d.price, d.quantity) : 0;
    t.settlementDate = d.settlementDate;
    t.tradeDate = ex.data().tradingDate;
    t.status = 'M';
    t.source = d.source;
    t.disseminationTime = d.disseminationTime.empty() ? t.time : d.disseminationTime;
    t.dissemination = d.disseminationTime.empty() ? 'I' : 'D';
    ex.data().trades.push_back(t);
    const std::size_t ti = ex.data().trades.size() - 1;
    ex.state().tradeByNumber[t.number] = ti;
    ex.state().streams.trades.add(ti, TradeFirms(t));
    ex.state().streams.lastTrades.add(ti);
    RecordOffMarketTrade(ex, t);
}

Verdict input(Exchange& ex, Call& call)
{
    const RequestText& t = call.text;
    if (!t.has(0, 163))
        return Refuse("The deal text is too short.");
    const Trader* me = ex.trader(call.session.user);
    Deal d;
    d.user = call.session.user;
    d.firm = me != nullptr ? me->firm : std::string();
    d.account = t.text(12, 12);
    d.side = t.at(24);
    d.securityKey = std::string(*t.raw(25, 17));
    d.counterUser = t.text(42, 12);
    const Security* s = ex.security(d.securityKey);
    const Trader* other = ex.trader(d.counterUser);
    if (!AccountOfFirm(ex, d.firm, d.account))
        return Refuse("Invalid trading account.", kFieldAccount);
    if (s == nullptr || s->kind != '0' || s->distribution == 'P' || s->status != 'A')
        return Refuse("This security cannot be dealt.", kFieldSecurity);
    if (other == nullptr || other->firm == d.firm || other->status != 'A')
        return Refuse("Invalid counterparty.", kFieldCounterparty);
    if (!TradingPermitted(ex, d.user, d.firm, *s))
        return Refuse("You are not permitted to trade this security.", kFieldSecurity);
    if (d.side != 'B' && d.side != 'S')
        return Refuse("Invalid side.");
    d.counterFirm = other->firm;
    const auto price = t.number(54, 9);
    if (!price || *price <= 0 || *price % s->tick != 0)
        return Refuse("Invalid price.", kFieldPrice);
    const auto quantity = t.number(72, 16);
    if (!quantity || *quantity <= 0 || *quantity > kMaxQuantity || *quantity % s->lot != 0)
        return Refuse("Invalid quantity.", kFieldQuantity);
    if (!ValueFits(*s, *price, *quantity))
        return Refuse("The deal's value is too large.", kFieldQuantity);
    const auto confirm = t.number(128, 4);
    const auto reminder = t.blank(132, 4) ? std::optional<int64_t>(0) : t.number(132, 4);
    if (!confirm || *confirm <= 0 || !reminder)
        return Refuse("Invalid confirmation period.", 9);
    d.price = *price;
    d.quantity = *quantity;
    d.confirmMinutes = *confirm;
    d.reminderMinutes = *reminder;
    d.reference = t.text(88, 40);
    d.settlementDate = t.text(148, 8);
    d.disseminationTime = t.text(156, 6);
    d.source = t.at(162) == ' ' || t.at(162) == '\0' ? 'N' : t.at(162);
    d.number = ex.state().nextDeal++;
    d.time = ex.now();
    d.status = 'O';
    ex.data().deals.push_back(d);
    const std::size_t index = ex.data().deals.size() - 1;
    ex.state().dealByNumber[d.number] = index;
    publishDeal(ex, index);
    return Accept("Deal " + std::to_string(d.number) + " sent to the counterparty.");
}

Verdict confirm(Exchange& ex, Call& call)
{
    std::size_t index = 0;
    Deal* d = findDeal(ex, call.text, index);
    if (d == nullptr || d->status != 'O' || !SameFirm(ex, call.session.user, d->counterFirm))
        return Refuse("No deal waits for your confirmation under this number.");
    const std::string account = call.text.text(24, 12);
    if (!account.empty() && !AccountOfFirm(ex, d->counterFirm, account))
        return Refuse("Invalid trading account.", kFieldAccount);
    d->status = 'M';
    publishDeal(ex, index);
    dealTrade(ex, *d);
    return Accept("Deal " + std::to_string(d->number) + " matched.");
}

Verdict approve(Exchange& ex, Call& call)
{
    if (!Holds(ex, call.session.user, 135))
        return Refuse("You may not approve deals.");
    std::size_t index = 0;
    Deal* d = findDeal(ex, call.text, index);
    if (d == nullptr || d->status != 'U'
        || !(SameFirm(ex, call.session.user, d->firm) || SameFirm(ex, call.session.user, d->counterFirm)))
        return Refuse("No unapproved deal under this number.");
    d->status = 'M';
    publishDeal(ex, index);
    dealTrade(ex, *d);
    return Accept("Deal " + std::to_string(d->number) + " approved.");
}

Verdict withdraw(Exchange& ex, Call& call)
{
    std::size_t index = 0;
    Deal* d = findDeal(ex, call.text, index);
    if (d == nullptr || std::string("OUCI").find(d->status) == std::string::npos
        || !(SameFirm(ex, call.session.user, d->firm) || SameFirm(ex, call.session.user, d->counterFirm)))
        return Refuse("No open deal under this number.");
    d->status = 'W';
    publishDeal(ex, index);
    return Accept("Deal " + std::to_string(d->number) + " withdrawn.");
}

Verdict amend(Exchange& ex, Call& call)
{
    const RequestText& t = call.text;
    if (!t.has(0, 145))
        return Refuse("The deal amendment is too short.");
    std::size_t index = 0;
    Deal* d = findDeal(ex, t, index);
    if (d == nullptr || !SameFirm(ex, call.session.user, d->firm))
        return Refuse("No deal of yours under this number.");
    if (d->status == 'M')
        return Accept("The matched deal is unchanged.");
    if (d->status != 'O')
        return Refuse("Only an open deal can be amended.");
    Deal next = *d;
    const Security* s = ex.security(d->securityKey);
    if (!t.blank(12 + 12, 12))
        next.account = t.text(24, 12);
    if (!AccountOfFirm(ex, next.firm, next.account))
        return Refuse("Invalid trading account.", kFieldAccount);
    if (!t.blank(36, 12)) {
        const Trader* other = ex.trader(t.text(36, 12));
        if (other == nullptr || other->firm == next.firm)
            return Refuse("Invalid counterparty.", kFieldCounterparty);
        next.counterUser = other->user;
        next.counterFirm = other->firm;
    }
    const auto price = t.blank(48, 9) ? std::optional<int64_t>(next.price) : t.number(48, 9);
    if (!price || *price <= 0 || s == nullptr || *price % s->tick != 0)
        return Refuse("Invalid price.", kFieldPrice);
    const auto quantity = t.blank(66, 16) ? std::optional<int64_t>(next.quantity) : t.number(66, 16);
    if (!quantity || *quantity <= 0 || *quantity > kMaxQuantity || !ValueFits(*s, *price, *quantity))
        return Refuse("Invalid quantity.", kFieldQuantity);
    const auto period = t.blank(122, 4) ? std::optional<int64_t>(next.confirmMinutes) : t.number(122, 4);
    if (!period || *period <= 0)
        return Refuse("Invalid confirmation period.", 9);
    next.price = *price;
    next.quantity = *quantity;
    next.confirmMinutes = *period;
    if (!t.blank(82, 40))
        next.reference = t.text(82, 40) == "*" ? std::string() : t.text(82, 40);
    if (!t.blank(130, 8))
        next.settlementDate = t.text(130, 8);
    *d = next;
    publishDeal(ex, index);
    return Accept("Deal " + std::to_string(d->number) + " amended.");
}

// Trade cancellation: each step allowed from the statuses it names.
Verdict tradeStep(Exchange& ex, Call& call)
{
    const auto number = call.text.number(12, 12);
    const auto it = number ? ex.state().tradeByNumber.find(*number) : ex.state().tradeByNumber.end();
    if (it == ex.state().tradeByNumber.end())
        return Refuse("No trade under this number.");
    Trade& t = ex.data().trades[it->second];
    const bool buyer = SameFirm(ex, call.session.user, t.buyFirm);
    const bool seller = SameFirm(ex, call.session.user, t.sellFirm);
    const bool exchange = ex.scopeOf(call.session.user) == nullptr;
    char next = 0;
    switch (call.code) {
    case 151: // the other side must confirm: 'Y' the buy side, 'L' the sell side
        if (t.status == 'M' && (buyer || seller))
            next = seller ? 'Y' : 'L';
        break;
    case 160:
        if ((t.status == 'Y' && buyer) || (t.status == 'L' && seller))
            next = 'U';
        break;
    case 161:
        if ((t.status == 'Y' || t.status == 'L' || t.status == 'U') && (buyer || seller || exchange))
            next = 'M';
        break;
    case 162:
        if (t.status == 'U' && Holds(ex, call.session.user, 162))
            next = 'W';
        break;
    }
    if (next == 0)
        return Refuse("The trade's status does not allow this.");
    SetTradeStatus(ex, it->second, next);
    return Accept("Trade " + std::to_string(t.number) + " updated.");
}

} // namespace

void RegisterDealTransactions(Exchange& ex)
{
    Dispatcher& d = ex.dispatcher();
    d.onTransaction(134, Counted(ex, input));
    d.onTransaction(157, Counted(ex, confirm));
    d.onTransaction(135, Counted(ex, approve));
    d.onTransaction(139, Counted(ex, withdraw));
    d.onTransaction(155, Counted(ex, amend));
    for (const int code : { 151, 160, 161, 162 })
        d.onTransaction(code, Counted(ex, tradeStep));
}

} // namespace exchange
