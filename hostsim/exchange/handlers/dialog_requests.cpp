// Requests of the dialogs: network addresses (39), trading accounts of a firm
// (88), depository accounts (89), account groups (60, 61, 62), transitions
// (91), price and yield conversions (94, 95) and the auction summaries and
// results (120/121 primary, 173/174 buy-back).
#include "core/exchange.h"
#include "engine/order_entry.h"
#include "handlers/paging.h"
#include "kvcore/values/field_writer.h"

namespace exchange {

namespace {

constexpr const char* kFirstKey = "00000000";

bool firstRequest(const Call& call)
{
    const auto key = call.text.raw(12, 8);
    return key && *key == kFirstKey;
}

void addresses(Exchange& ex, Call& call, ReplyBuilder& reply)
{
    const auto it = ex.state().addresses.find(call.text.text(20, 12));
    if (it == ex.state().addresses.end())
        return;
    std::size_t position = 0;
    for (const auto& [from, to] : it->second) {
        KvFieldWriter w;
        w.Text(KeyText(++position), 8).Text(from, 20).Text(to, 20);
        reply.add(39, w.Str());
    }
}

// One message with every row: the account lists' readers keep only the last reply's rows.
void firmAccounts(Exchange& ex, Call& call, ReplyBuilder& reply)
{
    if (!firstRequest(call))
        return;
    const std::string firm = call.text.text(20, 12);
    KvFieldWriter rows;
    int64_t n = 0;
    for (const TradingAccount& a : ex.data().accounts) {
        if (a.firm == firm) {
            rows.Text(a.code, 12).Char(a.status);
            ++n;
        }
    }
    KvFieldWriter w;
    w.Text(KeyText(1), 8).Text("", 12).Char('1').Number(n, 6).Raw(rows.Str());
    reply.add(88, w.Str());
}

void depositories(Exchange& ex, Call& call, ReplyBuilder& reply)
{
    KvFieldWriter rows;
    int64_t n = 0;
    for (const DepositoryAccount& a : ex.data().depositories) {
        if (a.user == call.session.user) {
            rows.Text(a.code, 12).Char(a.status);
            ++n;
        }
    }
    KvFieldWriter w;
    w.Number(n, 6).Raw(rows.Str());
    reply.add(89, w.Str());
}

// 60: the groups of a firm; 61, 62: the accounts and users of one group. All
// entries in one message whose end byte is '1'.
void groups(Exchange& ex, Call& call, ReplyBuilder& reply)
{
    if (!firstRequest(call))
        return;
    const std::string firm = call.text.text(20, 12);
    const std::string group = call.text.text(32, 12);
    KvFieldWriter entries;
    int64_t n = 0;
    for (const AccountGroup& g : ex.data().groups) {
        if (g.firm != firm)
            continue;
        if (call.code == 60) {
            entries.Text(g.code, 12).Text(g.name, 30);
            ++n;
        } else if (g.code == group && call.code == 61) {
            for (const std::string& a : g.accounts) {
                entries.Text(a, 12).Text(ex.accountName(a), 30);
                ++n;
            }
        } else if (g.code == group) {
            for (const std::string& u : g.users) {
                entries.Text(u, 12).Char('A');
                ++n;
            }
        }
    }
    KvFieldWriter w;
    w.Text(KeyText(1), 8).Text(firm, 12);
    if (call.code != 60)
        w.Text(group, 12);
    w.Char('1').Number(n, 8).Raw(entries.Str());
    reply.add(call.code, w.Str());
}

void transitions(Exchange& ex, Call&, ReplyBuilder& reply)
{
    KvFieldWriter w;
    w.Number(0, 10).Number(static_cast<int64_t>(ex.data().transitions.size()), 3);
    for (const std::string& t : ex.data().transitions)
        w.Text(t, 12);
    reply.add(91, w.Str());
}

// 94 price from yield, 95 yield from price, by the stand-in's rule.
void conversion(Exchange& ex, Call& call, ReplyBuilder& reply)
{
    const auto key = call.text.raw(12, 17);
    const auto value = call.text.number(37, 9);
    if (!key || !value || ex.security(std::string(*key)) == nullptr)
        return;
    KvFieldWriter w;
    w.Number(call.code == 94 ? PriceFromYield(*value) : YieldFromPrice(*value), 9);
    reply.add(call.code, w.Str());
}

// The open buy orders of a security that is auctioned.
struct AuctionBook {
    int64_t orders = 0, quantity = 0, marketQuantity = 0;
};

AuctionBook auctionBook(Exchange& ex, std::size_t security)
{
    AuctionBook a;
    const DataSet& d = ex.data();
    for (const std::size_t i : ex.state().books[security].bids.orders) {
        ++a.orders;
        a.quantity += d.orders[i].balance;
        a.marketQuantity += d.orders[i].flags[0] == '1' ? d.orders[i].balance : 0;
    }
    return a;
}

void auctionSummary(Exchange& ex, Call& call, ReplyBuilder& reply)
{
    const auto key = call.text.raw(12, 17);
    const auto it = key ? ex.state().securityByKey.find(std::string(*key)) : ex.state().securityByKey.end();
    if (it == ex.state().securityByKey.end())
        return;
    const AuctionBook a = auctionBook(ex, it->second);
    KvFieldWriter w;
    w.Raw(*key)
        .Number(static_cast<int64_t>(it->second + 1), 10)
        .Number(a.orders, 16)
        .Number(a.quantity, 16)
        .Number(a.marketQuantity, 16);
    reply.add(call.code, w.Str());
}

// One row per size from the minimum to the maximum by the increment, after
// the continuation key; the stand-in's price falls one tick per row.
void auctionResults(Exchange& ex, Call& call, ReplyBuilder& reply)
{
    const RequestText& t = call.text;
    const auto key = t.raw(12, 17);
    const auto minimum = t.number(29, 16), maximum = t.number(45, 16), after = t.number(61, 16),
               step = t.number(77, 16);
    const Security* s = key ? ex.security(std::string(*key)) : nullptr;
    if (s == nullptr || !minimum || !maximum || !after || !step || *step <= 0 || *minimum > *maximum)
        return;
    const int64_t rows = (*maximum - *minimum) / *step + 1;
    const int64_t base = s->previousPrice == kNoValue ? 100000 : s->previousPrice;
    for (int64_t k = *after; k < rows; ++k) {
        const int64_t size = *minimum + k * *step;
        const int64_t price = call.code == 121 ? base - k * s->tick : base + k * s->tick;
        KvFieldWriter w;
        w.Raw(*key)
            .Char('Y')
            .Number(k + 1, 16)
            .Number(price, 9)
            .Number(YieldFromPrice(price), 9)
            .Number(size, 16)
            .Number(size, 16)
            .Number(size * price / 1000, 16)
            .Number(price, 9)
            .Number(YieldFromPrice(price), 9);
        if (!reply.add(call.code, w.Str()))
            return;
    }
}

} // namespace

void RegisterDialogRequests(Exchange& ex)
{
    Dispatcher& d = ex.dispatcher();
    d.onInfo(39, [&ex](Call& call, ReplyBuilder& reply) { addresses(ex, call, reply); });
    d.onInfo(88, [&ex](Call& call, ReplyBuilder& reply) { firmAccounts(ex, call, reply); });
    d.onInfo(89, [&ex](Call& call, ReplyBuilder& reply) { depositories(ex, call, reply); });
    for (const int code : { 60, 61, 62 })
        d.onInfo(code, [&ex](Call& call, ReplyBuilder& reply) { groups(ex, call, reply); });
    d.onInfo(91, [&ex](Call& call, ReplyBuilder& reply) { transitions(ex, call, reply); });
    for (const int code : { 94, 95 })
        d.onInfo(code, [&ex](Call& call, ReplyBuilder& reply) { conversion(ex, call, reply); });
    for (const int code : { 120, 173 })
        d.onInfo(code, [&ex](Call& call, ReplyBuilder& reply) { auctionSummary(ex, call, reply); });
    for (const int code : { 121, 174 })
        d.onInfo(code, [&ex](Call& call, ReplyBuilder& reply) { auctionResults(ex, call, reply); });
}

} // namespace exchange
