// Order entry (132), approval (133), amendment (137) and withdrawal (138).
#include "core/exchange.h"
#include "engine/engine.h"
#include "engine/order_entry.h"
#include "engine/order_rules.h"
#include "handlers/transaction_support.h"

namespace exchange {

namespace {

// The order the request names, if the user's firm may act on it.
Order* ownOrder(Exchange& ex, const std::string& user, const RequestText& text, std::size_t& index)
{
    const auto number = text.number(12, 12);
    if (!number)
        return nullptr;
    const auto it = ex.state().orderByNumber.find(*number);
    if (it == ex.state().orderByNumber.end())
        return nullptr;
    const std::string* scope = ex.scopeOf(user);
    Order& o = ex.data().orders[it->second];
    if (scope != nullptr && *scope != o.firm)
        return nullptr;
    index = it->second;
    return &o;
}

// A new order waits for approval when its user's orders need it.
void admit(Exchange& ex, std::size_t index)
{
    Order& o = ex.data().orders[index];
    const Trader* t = ex.trader(o.user);
    if (t != nullptr && t->approve == 'Y') {
        o.status = 'U';
        PublishOrder(ex, index);
        return;
    }
    o.status = 'O';
    MatchOrder(ex, index);
}

Verdict enter(Exchange& ex, Call& call)
{
    Verdict refusal;
    auto order = ReadNewOrder(ex, call.session.user, call.text, refusal);
    if (!order)
        return refusal;
    const std::size_t index = AppendOrder(ex, std::move(*order));
    admit(ex, index);
    const Order& o = ex.data().orders[index];
    return Accept(
        "Order " + std::to_string(o.number) + (o.status == 'U' ? " waits for approval." : " accepted."));
}

Verdict approve(Exchange& ex, Call& call)
{
    if (!Holds(ex, call.session.user, 133))
        return Refuse("You may not approve orders.");
    std::size_t index = 0;
    Order* o = ownOrder(ex, call.session.user, call.text, index);
    if (o == nullptr || o->status != 'U')
        return Refuse("No unapproved order with this number.");
    o->status = 'O';
    MatchOrder(ex, index);
    return Accept("Order " + std::to_string(o->number) + " approved.");
}

Verdict amend(Exchange& ex, Call& call)
{
    std::size_t index = 0;
    Order* old = ownOrder(ex, call.session.user, call.text, index);
    if (old == nullptr || !Standing(*old))
        return Refuse("No standing order with this number.");
    if (IsAmountOrder(*old))
        return Refuse("An amount order cannot be amended; withdraw it and enter a new one.");
    Verdict refusal;
    auto next = ReadAmendment(ex, *old, call.text, refusal);
    if (!next)
        return refusal;
    const char oldStatus = old->status;
    next->previousLink = old->number;
    next->nextLink = 0;
    RemoveFromBook(ex, index);
    const std::size_t fresh = AppendOrder(ex, std::move(*next));
    Order& before = ex.data().orders[index];
    before.status = 'A';
    before.nextLink = ex.data().orders[fresh].number;
    PublishOrder(ex, index);
    // An unapproved order stays unapproved when amended.
    if (oldStatus == 'U') {
        ex.data().orders[fresh].status = 'U';
        PublishOrder(ex, fresh);
    } else {
        admit(ex, fresh);
    }
    return Accept("Order " + std::to_string(before.number) + " amended as order "
        + std::to_string(ex.data().orders[fresh].number) + ".");
}

Verdict withdraw(Exchange& ex, Call& call)
{
    const RequestText& t = call.text;
    if (!t.has(0, 105))
        return Refuse("The withdrawal text is too short.");
    const char side = t.at(13);
    if (side == '?')
        return Refuse("No side chosen: nothing withdrawn.");
    if (side != 'B' && side != 'S' && side != ' ')
        return Refuse("Invalid side.");
    const bool byNumber = !t.blank(14, 12);
    const auto number = t.number(14, 12);
    if (byNumber && !number)
        return Refuse("Invalid order number.");
    const bool today = t.text(73, 8) == "TODAY";
    const std::string* scope = ex.scopeOf(call.session.user);
    DataSet& d = ex.data();
    int withdrawn = 0;
    for (std::size_t i = 0; i < d.orders.size(); ++i) {
        Order& o = d.orders[i];
        if (!Standing(o) || (scope != nullptr && *scope != o.firm))
            continue;
        if ((byNumber && o.number != *number) || (side != ' ' && o.side != side))
            continue;
        if (!t.matchesOrBlank(45, 12, o.account) || !t.matchesOrBlank(57, 4, o.securityKey.substr(1, 4))
            || !t.matchesOrBlank(61, 12, o.securityKey.substr(5)) || !t.matchesOrBlank(81, 12, o.user)
            || !t.matchesOrBlank(93, 12, o.firm) || (today && o.entryDate != d.tradingDate))
            continue;
        RemoveFromBook(ex, i);
        d.orders[i].status = 'W';
        PublishOrder(ex, i);
        ++withdrawn;
    }
    if (withdrawn == 0)
        return Refuse("No standing order matches.");
    return Accept(std::to_string(withdrawn) + (withdrawn == 1 ? " order withdrawn." : " orders withdrawn."));
}

} // namespace

void RegisterOrderTransactions(Exchange& ex)
{
    ex.dispatcher().onTransaction(132, Counted(ex, enter));
    ex.dispatcher().onTransaction(133, Counted(ex, approve));
    ex.dispatcher().onTransaction(137, Counted(ex, amend));
    ex.dispatcher().onTransaction(138, Counted(ex, withdraw));
}

} // namespace exchange
