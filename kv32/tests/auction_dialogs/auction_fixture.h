// The market of the deal dialogs' tests, the trader logged on, and the
// auction replies built at their byte offsets.
#pragma once

#include <cstdint>
#include <string>

#include "deal_dialogs/deal_fixture.h"
#include "fw/test/fwtest.h"
#include "support/kv32_fixture.h"

namespace auctiontest {

// A number right-aligned and zero-filled in `width` characters, '-' first when negative.
inline std::string Num(int64_t value, size_t width)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    const size_t room = width - (value < 0 ? 1 : 0);
    digits.insert(0, room > digits.size() ? room - digits.size() : 0, '0');
    return (value < 0 ? "-" : "") + digits;
}

// The summary reply (75 characters): security code, auction id, orders, bid and market quantity.
inline std::string Summary(const std::string& code, const std::string& id, int64_t orders, int64_t bid, int64_t market)
{
    return code + id + std::string(10 - id.size(), ' ') + Num(orders, 16) + Num(bid, 16) + Num(market, 16);
}

// A result row (118 characters); figures in units of their decimals.
struct RowFigures {
    int64_t averagePrice = 9950, averageYield = 5250, market = 250, limit = 750, total = 1000000,
            priceReached = 9900, yieldReached = 5500;
};
inline std::string Row(const std::string& code, const std::string& key, const RowFigures& f = {})
{
    return code + "Y" + key + Num(f.averagePrice, 9) + Num(f.averageYield, 9) + Num(f.market, 16)
        + Num(f.limit, 16) + Num(f.total, 16) + Num(f.priceReached, 9) + Num(f.yieldReached, 9);
}
inline std::string Key(int n)
{
    return Num(n, 16);
}

// The empty message of a data type that ends the host's rows.
inline kv32test::Msg EndOf(int code)
{
    return { code, std::string() };
}

inline const std::string kAlfaCode = "0MAINALFA00000001";
inline const std::string kGovtCode = "0BONDGOVT00000001";
inline const std::string kUser = "TRADER01    ";

class AuctionFixture : public kv32test::Kv32Fixture {
protected:
    AuctionFixture() { dealtest::FillMarket(); }
    ~AuctionFixture() override { dealtest::ClearMarket(); }

    // The requests of one code sent so far.
    std::vector<std::string> Sent(int code) const
    {
        std::vector<std::string> sent;
        for (const kv32test::Msg& m : router.Requests())
            if (m.type == code)
                sent.push_back(m.bytes);
        return sent;
    }

    dealtest::DealSession deal;
    fw::test::Script script;
};

} // namespace auctiontest
