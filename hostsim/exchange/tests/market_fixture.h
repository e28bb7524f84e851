#pragma once
// Orders laid out by hand and an exchange with traders of several firms
// logged on, for the matching and order validity tests.
#include <string>

#include "exchange_fixture.h"
#include "golden.h"

namespace exchange::test {

inline const std::string kShare
    = "0MAINSHR000001   "; // price decimals 2, tick 5, no resting orders in the seed

inline std::string Flags(std::initializer_list<int> positions)
{
    std::string f(32, '0');
    for (const int p : positions)
        f[static_cast<std::size_t>(p)] = '1';
    return f;
}

// A 211-character order entry laid out by hand.
inline std::string OrderText(const std::string& user, const std::string& account, char side,
    const std::string& price, const std::string& quantity, const std::string& flags = Flags({ 1, 25 }),
    const std::string& key = kShare)
{
    return Golden(211,
        { { 0, user }, { 12, account }, { 24, std::string(1, side) }, { 25, flags }, { 57, key },
            { 74, price }, { 92, quantity }, { 108, "0000000000000000" }, { 124, "T-" + user },
            { 178, "000000000" }, { 195, "0000000000000000" } });
}

inline std::string Field(const std::string& record, std::size_t offset, std::size_t width)
{
    return record.size() >= offset + width ? record.substr(offset, width) : std::string("<short record>");
}

// A number zero-padded to `width`, as a request or record carries it.
inline std::string Zeros(int64_t value, std::size_t width)
{
    const std::string digits = std::to_string(value);
    return std::string(width - digits.size(), '0') + digits;
}

class MarketTest : public ExchangeTest {
protected:
    void SetUp() override { logonAll(); }
    void logonAll()
    {
        for (const auto& [slot, user] : { std::pair { 1, "BRK1T1" }, { 2, "BRK2T1" }, { 5, "BRK5T1" },
                 { 3, "BRK3T1" }, { 4, "BRK3T2" }, { 9, "SUP1" } })
            ASSERT_EQ(logon(slot, user).type, kAccepted) << user;
    }
    // A fresh exchange over the seed data with the same traders logged on.
    void restart()
    {
        ex_ = std::make_unique<Exchange>(SeedData(), [this] { return now_; });
        logonAll();
    }
    ReplyMessage order(int slot, const std::string& text)
    {
        return transaction(slot, ++seq_[slot], 132, text);
    }
    // The records of a standing request after `after` (one request alone in its packet).
    std::vector<std::string> poll(int slot, int code, const std::string& user, const std::string& after,
        const std::string& extra = std::string(12, '0'))
    {
        return request(slot, ++seq_[slot], code, User(user) + after + extra);
    }
    // The order most recently entered, and one by number.
    const Order& lastOrder() const { return ex_->data().orders.back(); }
    const Order& orderNumber(int64_t n) const { return ex_->data().orders[ex_->state().orderByNumber.at(n)]; }
    uint32_t seq_[16] = {};
};

} // namespace exchange::test
