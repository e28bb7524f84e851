// The operator actions of transaction 142: one raw byte after the user id
// names the action. Each needs the user's right for that operator code.
#include "engine/engine.h"
#include "handlers/notices.h"
#include "handlers/operator_settings.h"
#include "handlers/transaction_support.h"

namespace exchange {

namespace {

char suspendLetter(int op)
{
    return op % 2 == 1 ? 'S' : 'A';
}

// Markets (1/2), instruments (3/4), boards (5/6): 13:4 code.
Verdict codeState(Exchange& ex, int op, const RequestText& t)
{
    const std::string code = t.text(13, 4);
    const char state = suspendLetter(op);
    DataSet& d = ex.data();
    if (op <= 4) {
        auto& list = op <= 2 ? d.markets : d.instruments;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i].code == code) {
                list[i].state = state;
                (op <= 2 ? ex.state().streams.markets : ex.state().streams.instruments).add(i);
                return Accept(code + (state == 'S' ? " suspended." : " resumed."));
            }
        }
    } else {
        for (std::size_t i = 0; i < d.boards.size(); ++i) {
            if (d.boards[i].code == code) {
                d.boards[i].status = state;
                ex.state().streams.boards.add(i);
                return Accept(code + (state == 'S' ? " suspended." : " resumed."));
            }
        }
    }
    return Refuse("Unknown code " + code + ".");
}

// Securities (9/10: 13:12 instrument id), issuers (12/13: 13:12 participant)
// and all trading (44/45): the status changes at once or, at a later time, a
// pending trading event records the plan.
Verdict suspension(Exchange& ex, Call& call, int op)
{
    const RequestText& t = call.text;
    const bool all = op == 44 || op == 45;
    const std::size_t timeAt = all ? 13 : 25, textAt = all ? 19 : 31, displayAt = all ? 659 : 671;
    if (!t.has(0, displayAt + 1))
        return Refuse("The suspension text is too short.");
    const std::string subject = all ? std::string() : t.text(13, 12);
    const std::string time(*t.raw(timeAt, 6));
    const bool suspend = op == 9 || op == 12 || op == 44;
    char status = suspend ? 'S' : 'A';
    if (op == 9 && t.has(672, 1) && t.at(672) != ' ' && t.at(672) != '\0')
        status = t.at(672);
    bool statusKnown = false;
    for (const SecurityStatus& s : ex.data().statuses)
        statusKnown = statusKnown || s.kind == status;
    if (!statusKnown)
        return Refuse("Unknown security state.");
    std::vector<std::size_t> targets;
    const auto& securities = ex.data().securities;
    for (std::size_t i = 0; i < securities.size(); ++i) {
        const bool match
            = all || (op <= 10 ? securities[i].instrumentId == subject : securities[i].issuer == subject);
        if (match && securities[i].kind == '0')
            targets.push_back(i);
    }
    if (targets.empty() && !all)
        return Refuse("No security matches " + subject + ".");
    const bool now = AtOnce(ex, time);
    const char display = t.at(displayAt) == ' ' ? 'S' : t.at(displayAt);
    const int64_t key
        = PostMessage(ex, { call.session.user, "", "", 'N', display, time, t.text(textAt, 640) });
    const char type = op == 9 ? 'A' : op == 10 ? 'B' : op == 12 ? 'E' : op == 13 ? 'F' : op == 44 ? 'C' : 'D';
    const std::string object = all ? std::string()
        : op <= 10                 ? securities[targets.front()].shortName
                                   : subject;
    AddEvent(ex, type, call.session.user, key, object, now ? 'S' : 'P');
    // A plan's event carries the time it takes effect: that is what the
    // supervisor lists and may still take back before it comes.
    if (!now)
        ex.data().events.back().time = time;
    const std::string issuer = op == 12 || op == 13 ? subject : std::string();
    if (now) {
        for (const std::size_t i : targets)
            SetSecurityStatus(ex, i, status);
        SetIssuerStatus(ex, issuer, status);
    } else {
        ex.state().planned.push_back({ time, ex.data().events.size() - 1, targets, status, issuer });
    }
    return Accept(now ? "Done." : "Planned for " + time + ".");
}

Trader* target(Exchange& ex, const RequestText& t)
{
    return ex.trader(t.text(13, 12));
}

void publishTrader(Exchange& ex, const Trader& t)
{
    for (std::size_t i = 0; i < ex.data().traders.size(); ++i) {
        if (&ex.data().traders[i] == &t)
            ex.state().streams.traders.add(i);
    }
}

void publishFirm(Exchange& ex, const std::string& code)
{
    for (std::size_t i = 0; i < ex.data().firms.size(); ++i) {
        if (ex.data().firms[i].code == code)
            ex.state().streams.firms.add(i);
    }
}

Verdict userAction(Exchange& ex, Call& call, int op)
{
    Trader* t = target(ex, call.text);
    if (t == nullptr)
        return Refuse("Unknown user.");
    switch (op) {
    case 29:
    case 30:
        t->status = suspendLetter(op);
        break;
    case 31: {
        const auto digest = call.text.raw(25, 64);
        if (!digest || digest->find_first_not_of("0123456789ABCDEF") != std::string_view::npos)
            return Refuse("The password digest is malformed.");
        t->digest = std::string(*digest);
        return Accept("Password set.");
    }
    case 33:
        if (call.text.text(25, 12).empty())
            return Refuse("No role given.");
        t->role = call.text.text(25, 12);
        break;
    case 35: {
        int sessions = 0;
        for (auto& [slot, s] : ex.sessions().all()) {
            if (s.user == t->user) {
                s.outbox.push_front(VerdictMessage(Refuse("You have been logged out.", kLoggedOutError)));
                ++sessions;
            }
        }
        if (sessions == 0)
            return Refuse(t->user + " is not logged on.");
        break;
    }
    }
    publishTrader(ex, *t);
    return Accept(t->user + " updated.");
}

Verdict addresses(Exchange& ex, Call& call)
{
    const RequestText& t = call.text;
    Trader* user = target(ex, t);
    if (user == nullptr || !t.has(0, 106))
        return Refuse("Unknown user.");
    auto& ranges = ex.state().addresses[user->user];
    const std::pair<std::string, std::string> fresh { t.text(26, 20), t.text(46, 20) };
    const std::pair<std::string, std::string> old { t.text(66, 20), t.text(86, 20) };
    const auto at = std::find(ranges.begin(), ranges.end(), old);
    switch (t.at(25)) {
    case 'A':
        ranges.push_back(fresh);
        break;
    case 'M':
    case 'D':
        if (at == ranges.end())
            return Refuse("No such address range.");
        if (t.at(25) == 'M')
            *at = fresh;
        else
            ranges.erase(at);
        break;
    default:
        return Refuse("Unknown address action.");
    }
    return Accept("Address ranges updated.");
}

Verdict accountStatus(Exchange& ex, Call& call, int op)
{
    const RequestText& t = call.text;
    const char status = op % 2 == 0 ? 'S' : 'A';
    if (op == 36 || op == 37) {
        for (DepositoryAccount& a : ex.data().depositories) {
            if (a.code == t.text(13, 12)) {
                a.status = op == 36 ? 'S' : 'A';
                return Accept("Depository account updated.");
            }
        }
        return Refuse("Unknown depository account.");
    }
    for (TradingAccount& a : ex.data().accounts) {
        if (a.firm == t.text(13, 12) && a.code == t.text(25, 12)) {
            a.status = status;
            return Accept("Trading account updated.");
        }
    }
    return Refuse("Unknown trading account.");
}

Verdict schedule(Exchange& ex, Call& call, int op)
{
    const RequestText& t = call.text;
    if (!t.has(0, 53))
        return Refuse("The schedule text is too short.");
    ScheduleEntry e { "", std::string(*t.raw(13, 6)), static_cast<int>(t.number(19, 2).value_or(0)),
        t.text(21, 12), t.text(33, 4), t.text(37, 4), t.text(41, 12), 'Y' };
    auto& list = ex.data().schedule;
    if (op == 42) {
        e.code = "SCH" + std::to_string(100000000 + list.size() + 1).substr(0, 9);
        list.push_back(e);
        ex.state().streams.schedule.add(list.size() - 1);
        return Accept("Trading event added.");
    }
    // Removal has no record of its own: the entry is sent again, no longer pending.
    for (std::size_t i = 0; i < list.size(); ++i) {
        ScheduleEntry& s = list[i];
        if (s.time == e.time && s.priority == e.priority && s.transition == e.transition && s.board == e.board
            && s.instrument == e.instrument && s.instrumentId == e.instrumentId) {
            s.pending = 'N';
            ex.state().streams.schedule.add(i);
            return Accept("Trading event removed.");
        }
    }
    return Refuse("No such trading event.");
}

Verdict other(Exchange& ex, Call& call, int op)
{
    const RequestText& t = call.text;
    DataSet& d = ex.data();
    switch (op) {
    case 8: { // delete a pending trading event: sent again as removed
        const auto id = t.number(13, 4);
        for (std::size_t i = 0; id && i < d.events.size(); ++i) {
            if (d.events[i].id == *id && d.events[i].kind == 'P') {
                d.events[i].kind = 'R';
                ex.state().streams.events.add(i);
                return Accept("Trading event deleted.");
            }
        }
        return Refuse("No pending trading event under this id.");
    }
    case 25:
    case 26:
        for (Firm& f : d.firms) {
            if (f.code == t.text(13, 12)) {
                f.status = suspendLetter(op);
                publishFirm(ex, f.code);
                return Accept(f.code + " updated.");
            }
        }
        return Refuse("Unknown firm.");
    case 53: {
        const auto number = t.number(13, 12);
        const auto it = number ? ex.state().tradeByNumber.find(*number) : ex.state().tradeByNumber.end();
        if (it == ex.state().tradeByNumber.end() || d.trades[it->second].status == 'W')
            return Refuse("No trade to cancel under this number.");
        SetTradeStatus(ex, it->second, 'W');
        return Accept("Trade cancelled.");
    }
    case 54: { // logon verification of a user, a firm, or ('S') the whole system
        const char flag = t.at(13) == 'Y' ? 'Y' : 'N';
        const char scope = t.at(14);
        const std::string code = t.text(15, 12);
        for (std::size_t i = 0; i < d.traders.size(); ++i) {
            if (scope == 'S' || (scope == 'U' && d.traders[i].user == code)) {
                d.traders[i].logonVerify = flag;
                ex.state().streams.traders.add(i);
            }
        }
        for (Firm& f : d.firms) {
            if (scope == 'S' || (scope == 'F' && f.code == code)) {
                f.logonVerify = flag;
                publishFirm(ex, f.code);
            }
        }
        return Accept("Logon verification set.");
    }
    case 55: { // reference price: a tagged list up to its "##"
        const auto key = t.raw(13, 17);
        const auto it
            = key ? ex.state().securityByKey.find(std::string(*key)) : ex.state().securityByKey.end();
        const auto price = t.number(33, 9);
        if (it == ex.state().securityByKey.end() || t.at(32) != 'v' || !price || *price <= 0)
            return Refuse("Invalid reference price.");
        Security& s = d.securities[it->second];
        s.figures.reference = *price;
        if (ex.state().rowOf[it->second] != kNoRow)
            ex.state().streams.securities.add(it->second);
        AddEvent(ex, 'G', call.session.user, 0, s.shortName, 'S', *price);
        return Accept("Reference price set.");
    }
    case 7:
        return SetAccessLevel(ex, call);
    case 27:
    case 28:
        return SetPermission(ex, call, op == 27);
    case 57:
        return ReplayStep(ex, call);
    }
    return Refuse("Unknown operator action " + std::to_string(op) + ".");
}

Verdict operatorAction(Exchange& ex, Call& call)
{
    if (!call.text.has(12, 1))
        return Refuse("No operator code.");
    const int op = static_cast<unsigned char>(call.text.at(12));
    if (!HoldsOperator(ex, call.session.user, op))
        return Refuse("You may not perform this operation.");
    switch (op) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        return codeState(ex, op, call.text);
    case 9:
    case 10:
    case 12:
    case 13:
    case 44:
    case 45:
        return suspension(ex, call, op);
    case 29:
    case 30:
    case 31:
    case 33:
    case 35:
        return userAction(ex, call, op);
    case 32:
        return addresses(ex, call);
    case 36:
    case 37:
    case 38:
    case 39:
        return accountStatus(ex, call, op);
    case 42:
    case 43:
        return schedule(ex, call, op);
    default:
        return other(ex, call, op);
    }
}

} // namespace

void RegisterSupervisorTransactions(Exchange& ex)
{
    ex.dispatcher().onTransaction(142, Counted(ex, operatorAction));
}

} // namespace exchange
