// Order approval of a user on and off (147, 148), cash limits of a firm, a
// user and a trading account (150, 156, 165) and account groups (166, 167, 168).
#include "handlers/transaction_support.h"

namespace exchange {

namespace {

Verdict approval(Exchange& ex, Call& call)
{
    if (!Holds(ex, call.session.user, call.code))
        return Refuse("You may not change order approval.");
    Trader* t = ex.trader(call.text.text(12, 12));
    if (t == nullptr || !SameFirm(ex, call.session.user, t->firm))
        return Refuse("Unknown user.");
    t->approve = call.code == 147 ? 'Y' : 'N';
    for (std::size_t i = 0; i < ex.data().traders.size(); ++i) {
        if (&ex.data().traders[i] == t)
            ex.state().streams.traders.add(i);
    }
    return Accept(t->user + (t->approve == 'Y' ? ": orders need approval." : ": orders need no approval."));
}

// A limit of the block: present letter, sign, magnitude.
bool readLimit(const RequestText& t, std::size_t at, bool signedValue, int64_t& value, char& set)
{
    const char present = t.at(at);
    const std::size_t digitsAt = signedValue ? at + 2 : at + 1;
    const auto magnitude = t.number(digitsAt, 16);
    if ((present != 'Y' && present != 'N') || !magnitude
        || (signedValue && t.at(at + 1) != '+' && t.at(at + 1) != '-'))
        return false;
    set = present;
    value = signedValue && t.at(at + 1) == '-' ? -*magnitude : *magnitude;
    return true;
}

Verdict limits(Exchange& ex, Call& call)
{
    const RequestText& t = call.text;
    const std::size_t block = call.code == 165 ? 36 : 24;
    if (!Holds(ex, call.session.user, call.code) || !t.has(block, 61))
        return Refuse("The limits cannot be set.");
    const char scope = call.code == 150 ? 'F' : call.code == 156 ? 'U' : 'A';
    const std::string code = t.text(12, 12);
    const std::string pool = t.text(block, 6);
    CashLimits l;
    if (!readLimit(t, block + 6, true, l.warn, l.warnSet)
        || !readLimit(t, block + 25, true, l.hard, l.hardSet)
        || !readLimit(t, block + 44, false, l.order, l.orderSet))
        return Refuse("Invalid limit.");
    auto& all = ex.data().cash;
    for (std::size_t i = 0; i < all.size(); ++i) {
        CashPosition& p = all[i];
        const std::string& own = scope == 'F' ? p.firm : scope == 'U' ? p.user : p.account;
        const bool firmOk = scope != 'A' || p.firm == t.text(24, 12);
        if (p.scope == scope && own == code && p.pool == pool && firmOk
            && SameFirm(ex, call.session.user, p.firm)) {
            p.limits = l;
            ex.state().streams.cash.add(i);
            return Accept("Limits set.");
        }
    }
    return Refuse("No cash position for these limits.");
}

Verdict groups(Exchange& ex, Call& call)
{
    const RequestText& t = call.text;
    const char action = t.at(12);
    const std::string firm = t.text(13, 12), group = t.text(25, 12);
    if ((action != 'A' && action != 'D') || group.empty() || ex.firm(firm) == nullptr
        || !SameFirm(ex, call.session.user, firm) || !Holds(ex, call.session.user, 60))
        return Refuse("The group cannot be changed.");
    auto& all = ex.data().groups;
    const auto it = std::find_if(
        all.begin(), all.end(), [&](const AccountGroup& g) { return g.firm == firm && g.code == group; });
    if (call.code == 166) {
        if (action == 'A' && it == all.end())
            all.push_back({ firm, group, group, {}, {} });
        else if (action == 'D' && it != all.end())
            all.erase(it);
        else
            return Refuse(action == 'A' ? "The group exists." : "No such group.");
        return Accept("Groups updated.");
    }
    if (it == all.end())
        return Refuse("No such group.");
    const std::string member = call.code == 167 ? t.text(45, 12) : t.text(37, 12);
    auto& members = call.code == 167 ? it->accounts : it->users;
    const auto at = std::find(members.begin(), members.end(), member);
    const bool known = call.code == 167 ? AccountOfFirm(ex, firm, member) || at != members.end()
                                        : ex.trader(member) != nullptr;
    if (!known || (action == 'A') == (at != members.end()))
        return Refuse(action == 'A' ? "Cannot add this member." : "Not a member of the group.");
    if (action == 'A')
        members.push_back(member);
    else
        members.erase(at);
    return Accept("Group updated.");
}

} // namespace

void RegisterAccountTransactions(Exchange& ex)
{
    Dispatcher& d = ex.dispatcher();
    for (const int code : { 147, 148 })
        d.onTransaction(code, Counted(ex, approval));
    for (const int code : { 150, 156, 165 })
        d.onTransaction(code, Counted(ex, limits));
    for (const int code : { 166, 167, 168 })
        d.onTransaction(code, Counted(ex, groups));
}

} // namespace exchange
