#include "support/security_records.h"

#include <cstdio>

namespace kv32test {

namespace {
std::string Digits(long long value, int width)
{
    char text[32];
    std::snprintf(text, sizeof text, "%0*lld", width, value);
    return text;
}
std::string Padded(std::string_view text, size_t width)
{
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}
} // namespace

void Place(std::string& record, size_t offset, std::string_view text)
{
    if (record.size() < offset + text.size())
        record.resize(offset + text.size(), ' ');
    record.replace(offset, text.size(), text);
}

std::string SecurityCode(const SecuritySpec& s)
{
    return std::string(1, s.kind) + Padded(s.board, 4) + Padded(s.instrument, 12);
}

std::string SecuritySnapshot(const SecuritySpec& s)
{
    std::string r(1102, ' ');
    Place(r, 0, Digits(s.key, 8));
    Place(r, 8, SecurityCode(s));
    Place(r, 25, Padded(s.name, 40));
    Place(r, 65, Padded("REM", 8));
    Place(r, 73, Padded(s.shortName, 20));
    Place(r, 93, std::string(1, s.status));
    Place(r, 94, Padded("Continuous", 30));
    Place(r, 124, Padded(s.market, 4));
    Place(r, 136, Padded(s.sector, 4));
    Place(r, 140, "HUF");
    Place(r, 143, Digits(s.valueDec, 2));
    Place(r, 145, Digits(150000, 16)); // IPO price
    Place(r, 161, Digits(2500, 16)); // earnings
    Place(r, 177, "20261209"); // previous date
    Place(r, 185, Digits(123456, 9)); // previous price
    Place(r, 194, Digits(777, 16)); // volume cumulated
    Place(r, 210, Digits(888, 16)); // value cumulated
    Place(r, 226, Digits(4250, 9)); // yield
    Place(r, 235, Digits(99, 16)); // accrued interest
    Place(r, 251, std::string(1, s.distribution));
    Place(r, 252, Digits(12, 7)); // open orders
    Place(r, 259, Digits(1000000, 16)); // planned issue size
    Place(r, 275, Digits(5000, 16)); // last month's average volume
    Place(r, 316, Digits(7, 16));
    Place(r, 348, Digits(s.priceDec, 2));
    Place(r, 350, "0");
    Place(r, 351, s.lot);
    Place(r, 367, "N");
    Place(r, 368, Padded("TICK", 12));
    Place(r, 380, "ED");
    Place(r, 382, Padded("TEN", 10));
    Place(r, 392, "1"); // own-firm flag
    Place(r, 393, Digits(4200, 16));
    Place(r, 421, Padded("HU0000000001", 12));
    Place(r, 445, Digits(s.yieldDec, 2));
    Place(r, 447, "20260101");
    Place(r, 455, "20260202");
    Place(r, 463, "20301231"); // maturity
    Place(r, 471, Padded("strike", 255));
    Place(r, 726, Padded("barrier", 255));
    Place(r, 981, Padded("underlying", 120));
    Place(r, 1101, s.last ? "1" : "0");
    return r;
}

std::string SecurityChange(
    long long seq, int row, std::string_view code, const std::vector<std::pair<char, std::string>>& items)
{
    std::string r = Digits(seq, 10) + Digits(row, 6) + Padded(code, 17) + Digits(static_cast<long long>(items.size()), 2);
    for (const auto& [tag, value] : items)
        r += std::string(1, tag) + value + "#";
    return r;
}

std::string StatusRecord(int key, std::string_view code, char kind, std::string_view name, std::string_view text, bool last)
{
    return Digits(key, 8) + Padded(code, 3) + std::string(1, kind) + Padded(name, 40) + (last ? "1" : "0")
        + Digits(static_cast<long long>(text.size()), 2) + std::string(text);
}

std::string SectorRecord(int key, std::string_view code, std::string_view name, bool last)
{
    return Digits(key, 8) + Padded(code, 4) + Padded(name, 30) + (last ? "1" : "0");
}

std::string BoardRecord(int key, std::string_view code, std::string_view name, char status, bool last)
{
    return Digits(key, 8) + Padded(code, 4) + Padded(name, 30) + std::string(1, status) + (last ? "1" : "0");
}

std::string BoardChange(long long seq, std::string_view code, char status, std::string_view text)
{
    return Digits(seq, 10) + Padded(code, 4) + std::string(1, status) + Padded(text, 32);
}

std::string MarketRecord(int key, std::string_view code, std::string_view name, char state, bool last)
{
    return Digits(key, 8) + Padded(code, 4) + Padded(name, 30) + std::string(1, state) + (last ? "1" : "0");
}

std::string MarketChange(long long seq, std::string_view code, char state)
{
    return Digits(seq, 10) + Padded(code, 4) + std::string(1, state);
}

} // namespace kv32test
