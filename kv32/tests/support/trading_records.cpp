#include "support/trading_records.h"

#include <cstdio>

#include "support/security_records.h"

namespace kv32test {

namespace {
std::string Digits(long long value, int width)
{
    char text[40];
    if (value < 0)
        std::snprintf(text, sizeof text, "-%0*lld", width - 1, -value);
    else
        std::snprintf(text, sizeof text, "%0*lld", width, value);
    return text;
}
std::string Padded(const std::string& text, size_t width)
{
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}
} // namespace

std::string OrderRecord(const OrderSpec& s)
{
    std::string r(375, ' ');
    Place(r, 0, Digits(s.seq, 10));
    Place(r, 10, std::string(1, s.carries));
    Place(r, 11, Digits(s.number, 12));
    Place(r, 23, std::string(1, s.print));
    Place(r, 24, Padded(s.date, 8));
    Place(r, 32, Padded(s.time, 6));
    Place(r, 38, std::string(1, s.status));
    Place(r, 39, std::string(1, s.side));
    Place(r, 40, Padded(s.flags, 32));
    Place(r, 72, Padded(s.reference, 40));
    Place(r, 112, Padded(s.user, 12));
    Place(r, 124, Padded(s.firm, 12));
    Place(r, 136, Padded(s.account, 12));
    Place(r, 148, Padded(s.accountName, 30));
    Place(r, 178, Padded(s.code, 17));
    Place(r, 195, Digits(s.price, 9));
    Place(r, 204, Digits(s.yield, 9));
    Place(r, 213, Digits(s.quantity, 16));
    Place(r, 229, Digits(s.hidden, 16));
    Place(r, 245, Digits(s.balance, 16));
    Place(r, 261, Digits(s.value, 16));
    Place(r, 277, Padded(s.settleDate, 8));
    Place(r, 285, Digits(s.previous, 12));
    Place(r, 297, Digits(s.accrued, 16));
    Place(r, 313, Padded(s.expiryDate, 8));
    Place(r, 321, Padded(s.expiryTime, 6));
    Place(r, 327, Digits(s.trigger, 9));
    Place(r, 336, Digits(s.next, 12));
    Place(r, 348, Digits(s.average, 11));
    Place(r, 359, Digits(s.minimumFill, 16));
    return r;
}

std::string TradeRecord(const TradeSpec& s)
{
    std::string r(320, ' ');
    Place(r, 0, Digits(s.seq, 10));
    Place(r, 10, std::string(1, s.carries));
    Place(r, 11, Digits(s.number, 12));
    Place(r, 23, std::string(1, s.print));
    Place(r, 24, Digits(s.buyOrder, 12));
    Place(r, 36, Digits(s.sellOrder, 12));
    Place(r, 48, Padded(s.time, 6));
    Place(r, 54, Padded(s.amendTime, 6));
    Place(r, 60, Padded(s.buyReference, 40));
    Place(r, 100, Padded(s.sellReference, 40));
    Place(r, 140, Padded(s.buyUser, 12));
    Place(r, 152, Padded(s.sellUser, 12));
    Place(r, 164, Padded(s.buyFirm, 12));
    Place(r, 176, Padded(s.sellFirm, 12));
    Place(r, 188, Padded(s.buyAccount, 12));
    Place(r, 200, Padded(s.sellAccount, 12));
    Place(r, 212, Padded(s.code, 17));
    Place(r, 229, Digits(s.price, 9));
    Place(r, 238, Digits(s.yield, 9));
    Place(r, 247, Digits(s.quantity, 16));
    Place(r, 263, Digits(s.value, 16));
    Place(r, 279, Padded(s.settleDate, 8));
    Place(r, 287, Digits(s.accrued, 16));
    Place(r, 303, Padded(s.date, 8));
    Place(r, 311, std::string(1, s.status));
    Place(r, 312, std::string(1, s.source));
    Place(r, 313, Padded(s.dissTime, 6));
    Place(r, 319, std::string(1, s.dissStatus));
    return r;
}

std::string DealRecord(const DealSpec& s)
{
    std::string r(251, ' ');
    Place(r, 0, Digits(s.seq, 10));
    Place(r, 10, std::string(1, s.carries));
    Place(r, 11, Digits(s.number, 12));
    Place(r, 23, std::string(1, s.print));
    Place(r, 36, Padded(s.time, 6));
    Place(r, 42, std::string(1, s.status));
    Place(r, 43, std::string(1, s.side));
    Place(r, 44, Padded(s.reference, 40));
    Place(r, 84, Padded(s.user, 12));
    Place(r, 96, Padded(s.firm, 12));
    Place(r, 108, Padded(s.counterUser, 12));
    Place(r, 120, Padded(s.counterFirm, 12));
    Place(r, 132, Padded(s.account, 12));
    Place(r, 144, Padded(s.code, 17));
    Place(r, 161, Digits(s.price, 9));
    Place(r, 170, Digits(s.quantity, 16));
    Place(r, 186, Padded(s.settleDate, 8));
    Place(r, 194, Digits(s.timeout, 4));
    Place(r, 198, Digits(s.yield, 9));
    Place(r, 207, Padded(s.dissTime, 6));
    Place(r, 213, std::string(1, s.dissStatus));
    Place(r, 214, std::string(1, s.source));
    Place(r, 215, Digits(s.warning, 4));
    Place(r, 219, Padded(s.text, 32));
    return r;
}

} // namespace kv32test
