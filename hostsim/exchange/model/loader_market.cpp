// Reads the securities, orders, trades and deals.
#include <unordered_map>

#include "model/loader_parts.h"

namespace exchange {

namespace {

std::string digitsField(const TableRow& r, const std::string& column, std::size_t width)
{
    const std::string& t = r.text(column);
    if (!t.empty() && (t.size() != width || t.find_first_not_of("0123456789") != std::string::npos))
        r.fail(column + " must be empty or " + std::to_string(width) + " digits");
    return t;
}

Security security(const TableRow& r)
{
    Security s;
    s.kind = r.letter("kind");
    s.board = r.text("board", 4);
    s.instrumentId = r.text("id", 12);
    s.name = r.text("name", 40);
    s.remarks = r.text("remarks", 8);
    s.shortName = r.text("short_name", 20);
    s.status = r.letter("status");
    s.session = r.text("session", 30);
    s.market = r.text("market", 4);
    s.sector = r.text("sector", 4);
    s.instrument = r.text("instrument", 4);
    s.priceDecimals = static_cast<int>(r.number("price_dec"));
    s.yieldDecimals = static_cast<int>(r.number("yield_dec"));
    s.valueDecimals = static_cast<int>(r.number("value_dec"));
    if (s.priceDecimals > 6 || s.yieldDecimals > 6 || s.valueDecimals > 6)
        r.fail("decimals above 6");
    s.lot = r.number("lot");
    s.tick = r.number("tick");
    if (s.lot <= 0 || s.tick <= 0)
        r.fail("lot and tick must be positive");
    s.previousDate = digitsField(r, "previous_date", 8);
    s.previousPrice = r.numberOr("previous_price", kNoValue);
    s.yield = r.numberOr("yield", kNoValue);
    s.distribution = r.letter("distribution");
    s.index = r.letter("index") == 'Y';
    s.issuer = r.text("issuer", 12);
    s.isin = r.text("isin", 12);
    s.methods = r.flags("methods");
    s.maturity = digitsField(r, "maturity", 8);
    s.issueSize = r.number("issue_size");
    return s;
}

} // namespace

void LoadMarket(const std::string& folder, DataSet& d)
{
    for (const TableRow& r : TableFile(folder, "securities.txt"))
        d.securities.push_back(security(r));
    std::unordered_map<std::string, const Trader*> traders;
    for (const Trader& t : d.traders)
        traders[t.user] = &t;
    auto firmOf = [&](const TableRow& r, const std::string& column) {
        const auto it = traders.find(r.text(column));
        if (it == traders.end())
            r.fail(column + " \"" + r.text(column) + "\" is no trader");
        return it->second->firm;
    };
    for (const TableRow& r : TableFile(folder, "orders.txt")) {
        Order o;
        o.number = r.number("number");
        o.entryDate = d.tradingDate;
        o.entryTime = digitsField(r, "time", 6);
        o.status = r.letter("status");
        o.side = r.letter("side");
        o.flags = r.flags("flags");
        o.reference = r.text("reference", 40);
        o.user = r.text("user", 12);
        o.firm = firmOf(r, "user");
        o.account = r.text("account", 12);
        o.securityKey = r.text("security", 17);
        o.price = r.number("price");
        o.yield = r.numberOr("yield", kNoValue);
        o.quantity = r.number("quantity");
        o.hidden = r.number("hidden");
        o.balance = r.number("balance");
        o.value = r.number("value");
        o.settlementDate = digitsField(r, "settlement", 8);
        o.previousLink = r.number("previous");
        o.nextLink = r.number("next");
        o.expiryDate = digitsField(r, "expiry_date", 8);
        o.expiryTime = digitsField(r, "expiry_time", 6);
        o.trigger = r.number("trigger");
        o.averagePrice = r.number("average");
        o.minimumFill = r.number("minimum_fill");
        if (!d.orders.empty() && o.number <= d.orders.back().number)
            r.fail("order numbers must increase");
        d.orders.push_back(std::move(o));
    }
    for (const TableRow& r : TableFile(folder, "trades.txt")) {
        Trade t;
        t.number = r.number("number");
        t.buyOrder = r.number("buy_order");
        t.sellOrder = r.number("sell_order");
        t.time = digitsField(r, "time", 6);
        t.buyUser = r.text("buy_user", 12);
        t.sellUser = r.text("sell_user", 12);
        t.buyFirm = firmOf(r, "buy_user");
        t.sellFirm = firmOf(r, "sell_user");
        t.buyAccount = r.text("buy_account", 12);
        t.sellAccount = r.text("sell_account", 12);
        t.securityKey = r.text("security", 17);
        t.price = r.number("price");
        t.yield = r.numberOr("yield", kNoValue);
        t.quantity = r.number("quantity");
        t.value = r.number("value");
        t.settlementDate = digitsField(r, "settlement", 8);
        t.tradeDate = d.tradingDate;
        t.status = r.letter("status");
        t.source = r.letter("source");
        t.disseminationTime = digitsField(r, "dissemination_time", 6);
        t.dissemination = r.letter("dissemination");
        if (!d.trades.empty() && t.number <= d.trades.back().number)
            r.fail("trade numbers must increase");
        d.trades.push_back(std::move(t));
    }
    for (const TableRow& r : TableFile(folder, "deals.txt")) {
        Deal x;
        x.number = r.number("number");
        x.time = digitsField(r, "time", 6);
        x.status = r.letter("status");
        x.side = r.letter("side");
        x.reference = r.text("reference", 40);
        x.user = r.text("user", 12);
        x.firm = firmOf(r, "user");
        x.counterUser = r.text("counter_user", 12);
        x.counterFirm = firmOf(r, "counter_user");
        x.account = r.text("account", 12);
        x.securityKey = r.text("security", 17);
        x.price = r.number("price");
        x.quantity = r.number("quantity");
        x.settlementDate = digitsField(r, "settlement", 8);
        x.confirmMinutes = r.number("confirm");
        x.yield = r.numberOr("yield", kNoValue);
        x.disseminationTime = digitsField(r, "dissemination_time", 6);
        x.dissemination = r.text("dissemination").empty() ? ' ' : r.letter("dissemination");
        x.source = r.letter("source");
        x.reminderMinutes = r.number("reminder");
        x.flags = r.flags("flags");
        if (!d.deals.empty() && x.number <= d.deals.back().number)
            r.fail("deal numbers must increase");
        d.deals.push_back(std::move(x));
    }
}

} // namespace exchange
