#include "engine/order_entry.h"

#include "core/exchange.h"
#include "engine/order_rules.h"
#include "engine/validity.h"
#include "handlers/operator_settings.h"
#include "handlers/transaction_support.h"

namespace exchange {

namespace {

bool digitsOnly(std::string_view s)
{
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// The order methods an order's flags can ask for, with the field the order
// dialog moves the focus to when the method is refused.
struct Method {
    std::size_t position;
    const char* name;
    int field;
};
constexpr Method kMethods[] = { { kFlagMarket, "market", kFieldPrice }, { kFlagLimit, "limit", kFieldPrice },
    { kFlagMarketMaker, "market-maker", 0 }, { 9, "buy-in", 0 }, { kFlagYield, "yield", kFieldYield },
    { kFlagHidden, "hidden-quantity", kFieldHidden }, { kFlagStop, "stop", kFieldStop },
    { kFlagSettle, "settlement-date", 0 }, { kFlagAllOrNone, "all-or-none", 0 },
    { kFlagFillMinimum, "fill-minimum", kFieldQuantity }, { kFlagFillAny, "fill-any", 0 },
    { kFlagGoodTillTime, "good-till-time", kFieldExpiryTime }, { kFlagSession, "session", 0 },
    { kFlagDay, "day", 0 }, { kFlagGoodTillDate, "good-till-date", kFieldExpiryDate },
    { kFlagGoodTillCancelled, "good-till-cancelled", 0 }, { kFlagImmediate, "immediate", 0 } };

bool allows(const std::string& methods, std::size_t position)
{
    return methods.size() > position && methods[position] == '1';
}

const Board* boardOf(const Exchange& ex, const Security& s)
{
    for (const Board& b : ex.data().boards) {
        if (b.code == s.board)
            return &b;
    }
    return nullptr;
}

// Every method the order asks for must be allowed by its security and its board.
bool checkMethods(const Exchange& ex, const Security& s, const Order& o, Verdict& refusal)
{
    const Board* board = boardOf(ex, s);
    for (const Method& m : kMethods) {
        if (o.flags[m.position] != '1')
            continue;
        if (!allows(s.methods, m.position)) {
            refusal = Refuse(std::string("The security does not allow ") + m.name + " orders.", m.field);
            return false;
        }
        if (board == nullptr || !allows(board->methods, m.position)) {
            refusal = Refuse("The board " + s.board + " does not allow " + m.name + " orders.", m.field);
            return false;
        }
    }
    return true;
}

// A board, market or instrument type under suspension takes no orders.
bool checkTradingOpen(const Exchange& ex, const Security& s, Verdict& refusal)
{
    const Board* board = boardOf(ex, s);
    if (board != nullptr && board->status == 'S') {
        refusal = Refuse("The board " + s.board + " is suspended.", kFieldSecurity);
        return false;
    }
    for (const auto* list : { &ex.data().markets, &ex.data().instruments }) {
        for (const CodeState& c : *list) {
            if ((c.code == s.market || c.code == s.instrument) && c.state == 'S') {
                refusal
                    = Refuse("The " + std::string(list == &ex.data().markets ? "market " : "instrument type ")
                            + c.code + " is suspended.",
                        kFieldSecurity);
                return false;
            }
        }
    }
    return true;
}

// Checks the price, yield, quantity and validity fields common to entry and amendment.
bool checkOrder(Exchange& ex, const Security& s, Order& o, Verdict& refusal)
{
    if (!checkMethods(ex, s, o, refusal) || !checkTradingOpen(ex, s, refusal))
        return false;
    if (!TradingPermitted(ex, o.user, o.firm, s)) {
        refusal = Refuse("You are not permitted to trade this security.", kFieldSecurity);
        return false;
    }
    const bool market = o.flags[0] == '1';
    // An amount order has neither price nor quantity: its amount was checked when read.
    const bool amount = IsAmountOrder(o);
    if (!amount && !market && (o.price <= 0 || o.price % s.tick != 0)) {
        refusal = Refuse("Invalid price.", kFieldPrice);
        return false;
    }
    if (!amount && (o.quantity <= 0 || o.quantity > kMaxQuantity || o.quantity % s.lot != 0)) {
        refusal = Refuse("Invalid quantity.", kFieldQuantity);
        return false;
    }
    if (!amount && !market && !ValueFits(s, o.price, o.quantity)) {
        refusal = Refuse("The order's value is too large.", kFieldQuantity);
        return false;
    }
    if (o.hidden < 0 || (o.hidden > o.quantity && !amount) || (amount && o.hidden != 0)) {
        refusal = Refuse("Invalid hidden quantity.", kFieldHidden);
        return false;
    }
    if (!o.expiryDate.empty() && (!ValidDate(o.expiryDate) || o.expiryDate < ex.data().tradingDate)) {
        refusal = Refuse("Invalid expiry date.", kFieldExpiryDate);
        return false;
    }
    if (o.expiryTime != "000000" && !ValidTime(o.expiryTime)) {
        refusal = Refuse("Invalid expiry time.", kFieldExpiryTime);
        return false;
    }
    if (o.flags[12] == '1' && o.trigger <= 0) {
        refusal = Refuse("A stop order needs a trigger price.", kFieldStop);
        return false;
    }
    if (HasFlag(o, kFlagFillMinimum) && (o.minimumFill <= 0 || o.minimumFill > o.quantity)) {
        refusal = Refuse("Invalid minimum fill quantity.", kFieldQuantity);
        return false;
    }
    // An order whose validity already ended today would only expire.
    const std::string end = ValidityEnd(ex, o);
    if (!end.empty() && end <= ex.now()) {
        const bool timed = o.expiryTime != "000000" && end == o.expiryTime;
        refusal = Refuse(timed                                      ? "The expiry time has passed."
                : HasFlag(o, kFlagSession) && !HasFlag(o, kFlagDay) ? "The trading session has closed."
                                                                    : "The trading day has ended.",
            timed                               ? kFieldExpiryTime
                : HasFlag(o, kFlagGoodTillDate) ? kFieldExpiryDate
                                                : 0);
        return false;
    }
    return true;
}

// A field of digits, blank as `blankValue`; nullopt when it holds anything else.
std::optional<int64_t> numberOrBlank(
    const RequestText& t, std::size_t offset, std::size_t width, int64_t blankValue)
{
    if (!t.has(offset, width) || t.blank(offset, width))
        return blankValue;
    return t.number(offset, width);
}

// Offsets of the order entry's fields after the security key: the regular
// layout, and the primary-distribution layout whose price and trigger are
// 12-digit amounts (quantity 0), 6 characters longer.
struct EntryLayout {
    std::size_t price, priceWidth, yield, quantity, hidden, reference, expiryDate, expiryTime, trigger,
        triggerWidth, settlement, minimumFill;
};
constexpr EntryLayout kRegular { 74, 9, 83, 92, 108, 124, 164, 172, 178, 9, 187, 195 };
constexpr EntryLayout kAmount { 74, 12, 86, 95, 111, 127, 167, 175, 181, 12, 193, 201 };

} // namespace

bool ValidDate(std::string_view d)
{
    if (d.size() != 8 || !digitsOnly(d))
        return false;
    const int month = (d[4] - '0') * 10 + (d[5] - '0');
    const int day = (d[6] - '0') * 10 + (d[7] - '0');
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

bool ValidTime(std::string_view t)
{
    if (t.size() != 6 || !digitsOnly(t))
        return false;
    return (t[0] - '0') * 10 + (t[1] - '0') < 24 && t[2] < '6' && t[4] < '6';
}

int64_t PriceFromYield(int64_t yield)
{
    return 110000 - 2 * yield;
}

int64_t YieldFromPrice(int64_t price)
{
    return (110000 - price) / 2;
}

std::optional<Order> ReadNewOrder(
    Exchange& ex, const std::string& user, const RequestText& t, Verdict& refusal)
{
    // 187 characters from the automation lack the settlement date and minimum fill.
    if (!t.has(0, 187)) {
        refusal = Refuse("The order text is too short.");
        return std::nullopt;
    }
    const Trader* trader = ex.trader(user);
    Order o;
    o.user = user;
    o.firm = trader != nullptr ? trader->firm : std::string();
    o.account = t.text(12, 12);
    o.side = t.at(24);
    o.flags = std::string(*t.raw(25, 32));
    o.securityKey = std::string(*t.raw(57, 17));
    const Security* s = ex.security(o.securityKey);
    if (s == nullptr || s->kind != '0' || s->index) {
        refusal = Refuse("Unknown security.", kFieldSecurity);
        return std::nullopt;
    }
    if (s->status != 'A') {
        refusal = Refuse("The security is suspended.", kFieldSecurity);
        return std::nullopt;
    }
    if (o.account.empty() ? s->methods[14] != '1' : !AccountOfFirm(ex, o.firm, o.account)) {
        refusal = Refuse("Invalid trading account.", kFieldAccount);
        return std::nullopt;
    }
    if ((o.side != 'B' && o.side != 'S') || o.flags.find_first_not_of("01") != std::string::npos) {
        refusal = Refuse("Invalid side or order flags.");
        return std::nullopt;
    }
    const bool amount = s->distribution == 'P' && t.has(0, 217);
    const EntryLayout& l = amount ? kAmount : kRegular;
    const bool yieldOrder = o.flags[10] == '1';
    const auto price = numberOrBlank(t, l.price, l.priceWidth, yieldOrder ? 0 : -1);
    const auto yield = numberOrBlank(t, l.yield, 9, kNoValue);
    if (!price) {
        refusal = Refuse("Invalid price.", kFieldPrice);
        return std::nullopt;
    }
    if (yieldOrder && (!yield || *yield == kNoValue)) {
        refusal = Refuse("Invalid yield.", kFieldYield);
        return std::nullopt;
    }
    o.price = yieldOrder ? PriceFromYield(*yield) : *price;
    o.yield = yieldOrder ? *yield : kNoValue;
    const auto quantity = t.number(l.quantity, 16);
    const auto hidden = numberOrBlank(t, l.hidden, 16, 0);
    const auto trigger = numberOrBlank(t, l.trigger, l.triggerWidth, 0);
    if (!quantity || !hidden || !trigger) {
        refusal = Refuse(!quantity ? "Invalid quantity."
                : !hidden          ? "Invalid hidden quantity."
                                   : "Invalid trigger price.",
            !quantity     ? kFieldQuantity
                : !hidden ? kFieldHidden
                          : kFieldStop);
        return std::nullopt;
    }
    o.quantity = *quantity;
    o.balance = *quantity;
    o.hidden = *hidden;
    o.trigger = *trigger;
    o.reference = t.text(l.reference, 40);
    o.expiryDate = t.text(l.expiryDate, 8);
    o.expiryTime = t.blank(l.expiryTime, 6) ? "000000" : std::string(*t.raw(l.expiryTime, 6));
    o.settlementDate = t.has(l.settlement, 8) ? t.text(l.settlement, 8) : std::string();
    const auto minimum = numberOrBlank(t, l.minimumFill, 16, 0);
    o.minimumFill = minimum.value_or(0);
    // An amount order of a primary distribution buys for an amount: no price, no quantity yet.
    if (amount && o.quantity == 0) {
        if (o.price <= 0 || o.side != 'B') {
            refusal = Refuse("Invalid amount.", kFieldPrice);
            return std::nullopt;
        }
        o.amount = o.price;
        o.price = 0;
    }
    if (!checkOrder(ex, *s, o, refusal))
        return std::nullopt;
    return o;
}

std::optional<Order> ReadAmendment(Exchange& ex, const Order& old, const RequestText& t, Verdict& refusal)
{
    if (!t.has(0, 205)) {
        refusal = Refuse("The amendment text is too short.");
        return std::nullopt;
    }
    const Security* s = ex.security(old.securityKey);
    Order o = old;
    // An unchanged quantity carries over what is left of the old order.
    o.quantity = old.balance;
    // Only the validity travels in the flags; the rest of the order's flags stay.
    const std::string validity(*t.raw(24, 32));
    if (validity.find_first_not_of("01") != std::string::npos) {
        refusal = Refuse("Invalid order flags.");
        return std::nullopt;
    }
    for (const int p : { 23, 24, 25, 26, 27 })
        o.flags[static_cast<std::size_t>(p)] = validity[static_cast<std::size_t>(p)];
    if (!t.blank(56, 12)) {
        o.account = t.text(56, 12);
        if (!AccountOfFirm(ex, o.firm, o.account)) {
            refusal = Refuse("Invalid trading account.", kFieldAccount);
            return std::nullopt;
        }
    }
    const struct {
        std::size_t offset, width;
        int64_t* target;
        int field;
        const char* text;
    } numbers[] = {
        { 68, 9, &o.price, kFieldPrice, "Invalid price." },
        { 86, 16, &o.quantity, kFieldQuantity, "Invalid quantity." },
        { 102, 16, &o.hidden, kFieldHidden, "Invalid hidden quantity." },
        { 172, 9, &o.trigger, kFieldStop, "Invalid trigger price." },
        { 189, 16, &o.minimumFill, kFieldQuantity, "Invalid minimum fill quantity." },
    };
    for (const auto& n : numbers) {
        const auto value = numberOrBlank(t, n.offset, n.width, *n.target);
        if (!value) {
            refusal = Refuse(n.text, n.field);
            return std::nullopt;
        }
        *n.target = *value;
    }
    if (!t.blank(77, 9)) {
        const auto yield = t.number(77, 9);
        if (!yield) {
            refusal = Refuse("Invalid yield.", kFieldYield);
            return std::nullopt;
        }
        o.yield = *yield;
        o.price = PriceFromYield(*yield);
    }
    if (!t.blank(118, 40))
        o.reference = t.text(118, 40) == "*" ? std::string() : t.text(118, 40);
    if (!t.blank(158, 8))
        o.expiryDate = t.text(158, 8);
    if (!t.blank(166, 6))
        o.expiryTime = std::string(*t.raw(166, 6));
    if (!t.blank(181, 8))
        o.settlementDate = t.text(181, 8);
    o.balance = o.quantity;
    o.value = 0;
    o.averagePrice = 0;
    if (s == nullptr || !checkOrder(ex, *s, o, refusal))
        return std::nullopt;
    return o;
}

} // namespace exchange
