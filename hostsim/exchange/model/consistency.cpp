// The codes each record names must exist in the table they point into, or the
// workstation shows empty names, wrong decimals or refuses the logon.
#include <set>

#include "model/dataset.h"

namespace exchange {

namespace {

template <typename Range, typename Key> std::set<std::string> keys(const Range& range, Key key)
{
    std::set<std::string> out;
    for (const auto& item : range)
        out.insert(key(item));
    return out;
}

class Checker {
public:
    void need(const std::set<std::string>& table, const std::string& code, const std::string& what,
        bool blankAllowed = false)
    {
        if (blankAllowed && code.empty())
            return;
        if (table.count(code) == 0)
            problems.push_back(what + " \"" + code + "\" is not known");
    }
    std::vector<std::string> problems;
};

} // namespace

std::vector<std::string> CheckConsistency(const DataSet& d)
{
    Checker c;
    const auto boards = keys(d.boards, [](const Board& b) { return b.code; });
    const auto markets = keys(d.markets, [](const CodeState& m) { return m.code; });
    const auto instruments = keys(d.instruments, [](const CodeState& m) { return m.code; });
    const auto sectors = keys(d.sectors, [](const CodeName& s) { return s.code; });
    const auto statusKinds = keys(d.statuses, [](const SecurityStatus& s) { return std::string(1, s.kind); });
    const auto firms = keys(d.firms, [](const Firm& f) { return f.code; });
    const auto users = keys(d.traders, [](const Trader& t) { return t.user; });
    const auto rightSets = keys(d.rights, [](const RightsSet& r) { return r.name; });
    const auto accounts = keys(d.accounts, [](const TradingAccount& a) { return a.code; });
    const auto securityKeys = keys(d.securities, [](const Security& s) { return s.key(); });
    const auto instrumentIds = keys(d.securities, [](const Security& s) { return s.instrumentId; });
    const auto shortNames = keys(d.securities, [](const Security& s) { return s.shortName; });
    const auto sources = keys(d.tradeSources, [](const TradeSource& t) { return std::string(1, t.code); });
    const auto messageKeys = keys(d.messages, [](const ExchangeMessage& m) { return std::to_string(m.key); });
    const auto languages = keys(d.languages, [](const CodeName& l) { return l.code; });
    const auto newsTypes = keys(d.newsTypes, [](const CodeName& n) { return n.code; });
    const auto auditGroups = keys(d.auditGroups, [](const CodeName& g) { return g.code; });
    const auto auditTypes = keys(d.auditTypes, [](const AuditType& t) { return t.group + "/" + t.code; });

    for (const Security& s : d.securities) {
        const std::string what = "security " + s.key();
        c.need(boards, s.board, what + ": board");
        c.need(markets, s.market, what + ": market");
        c.need(sectors, s.sector, what + ": sector");
        c.need(instruments, s.instrument, what + ": instrument");
        c.need(statusKinds, std::string(1, s.status), what + ": status");
        c.need(firms, s.issuer, what + ": issuer", true);
    }
    for (const Trader& t : d.traders) {
        c.need(firms, t.firm, "trader " + t.user + ": firm");
        c.need(rightSets, t.rights, "trader " + t.user + ": rights set");
    }
    for (const TradingAccount& a : d.accounts)
        c.need(firms, a.firm, "account " + a.code + ": firm");
    for (const AccountGroup& g : d.groups) {
        c.need(firms, g.firm, "group " + g.code + ": firm");
        for (const std::string& a : g.accounts)
            c.need(accounts, a, "group " + g.code + ": account");
        for (const std::string& u : g.users)
            c.need(users, u, "group " + g.code + ": user");
    }
    for (const Order& o : d.orders) {
        const std::string what = "order " + std::to_string(o.number);
        c.need(securityKeys, o.securityKey, what + ": security");
        c.need(accounts, o.account, what + ": account", true);
    }
    for (const Trade& t : d.trades) {
        c.need(securityKeys, t.securityKey, "trade " + std::to_string(t.number) + ": security");
        c.need(sources, std::string(1, t.source), "trade " + std::to_string(t.number) + ": source");
    }
    for (const Deal& x : d.deals) {
        c.need(securityKeys, x.securityKey, "deal " + std::to_string(x.number) + ": security");
        c.need(sources, std::string(1, x.source), "deal " + std::to_string(x.number) + ": source");
    }
    for (const TradingEvent& e : d.events) {
        const std::string what = "event " + std::to_string(e.id);
        const bool party = e.type == 'E' || e.type == 'F';
        const bool security = e.type == 'A' || e.type == 'B' || e.type == 'G' || e.type == 'H';
        if (party)
            c.need(firms, e.object, what + ": participant");
        if (security)
            c.need(shortNames, e.object, what + ": security short name");
        c.need(messageKeys, std::to_string(e.messageKey), what + ": message");
    }
    for (const NewsItem& n : d.news) {
        const std::string what = "news " + std::to_string(n.id);
        c.need(newsTypes, n.type, what + ": type");
        c.need(languages, n.language, what + ": language");
        c.need(firms, n.issuer, what + ": issuer", true);
        c.need(instrumentIds, n.instrumentId, what + ": instrument id", true);
    }
    for (const ScheduleEntry& s : d.schedule) {
        c.need(boards, s.board, "schedule " + s.code + ": board", true);
        c.need(instruments, s.instrument, "schedule " + s.code + ": instrument", true);
        c.need(instrumentIds, s.instrumentId, "schedule " + s.code + ": instrument id", true);
    }
    for (const AuditEvent& a : d.auditEvents) {
        c.need(auditGroups, a.group, "audit event: group");
        c.need(auditTypes, a.group + "/" + a.type, "audit event: type");
    }
    for (const CashPosition& p : d.cash)
        c.need(firms, p.firm, "cash position: firm");
    for (const SecurityPosition& p : d.holdings) {
        c.need(firms, p.firm, "holding: firm");
        c.need(instrumentIds, p.instrumentId, "holding: instrument id");
    }
    return c.problems;
}

} // namespace exchange
