// The day's orders, the trades of the matched ones, negotiated deals and
// security positions. Open orders never cross: buys below, sells above the
// previous price; matched pairs trade at it.
#include <algorithm>

#include "tools/datagen.h"

namespace datagen {

namespace {

int64_t valueOf(int64_t price, int64_t quantity, int priceDecimals)
{
    int64_t v = price * quantity;
    for (int d = priceDecimals; d > 2; --d)
        v /= 10;
    for (int d = priceDecimals; d < 2; ++d)
        v *= 10;
    return v;
}

std::string clock(int64_t seconds)
{
    return pad(seconds / 3600, 2) + pad(seconds / 60 % 60, 2) + pad(seconds % 60, 2);
}

std::string flagsFor(int i, bool maker)
{
    std::string f(32, '0');
    f[1] = '1';
    f[i % 4 == 3 ? 27 : 25] = '1';
    if (maker)
        f[5] = '1';
    return f;
}

} // namespace

void WriteOrders(const std::string& folder, const Sizes& sizes, const std::vector<BrokerUsers>& brokers,
    const std::vector<Tradable>& tradable)
{
    Sequence rnd(4711);
    FixtureWriter orders(folder, "orders.txt",
        "number|time|status|side|flags|reference|user|account|security|price|yield|quantity|hidden|balance|value|"
        "settlement|previous|next|expiry_date|expiry_time|trigger|average|minimum_fill");
    FixtureWriter trades(folder, "trades.txt",
        "number|buy_order|sell_order|time|buy_user|sell_user|buy_account|sell_account|security|price|yield|"
        "quantity|value|settlement|status|source|dissemination_time|dissemination");
    const int count = sizes.orders;
    const auto brokerCount = static_cast<int>(brokers.size());
    int tradeNumber = 0;
    struct Pending {
        std::string user, account, time;
        int64_t quantity;
    } buyer {};
    for (int i = 0; i < count; ++i) {
        const int slot = i % 20;
        const Tradable& s = tradable[static_cast<std::size_t>((i / 2) % static_cast<int>(tradable.size()))];
        // Unapproved orders belong to the user whose orders need approval (BRK3T1).
        const BrokerUsers& b = slot == 9 ? brokers[2]
                                         : brokers[static_cast<std::size_t>((i / 2 + (slot == 1 ? 1 : 0)) % brokerCount)];
        const int userIndex = slot == 13 ? (i - 1) / 2 % 3 : i / 2 % 3;
        std::string user = b.users[static_cast<std::size_t>(userIndex)];
        char status = 'O';
        if (slot == 0 || slot == 1)
            status = 'M';
        else if (slot == 5)
            status = 'W';
        else if (slot == 7)
            status = 'E';
        else if (slot == 9)
            status = 'U', user = b.users[0];
        else if (slot == 12)
            status = 'A';
        const char side = slot == 1 || (slot != 0 && slot != 13 && i % 3 == 0) || (slot == 13 && (i - 1) % 3 == 0)
            ? 'S'
            : 'B';
        const int64_t distance = (1 + (slot == 13 ? 0 : rnd.below(5))) * s.tick;
        const int64_t price = status == 'M' ? s.price : side == 'B' ? s.price - distance : s.price + distance;
        const int64_t quantity = status == 'M' && slot == 1 ? buyer.quantity : (1 + rnd.below(100)) * 10 * s.lot;
        const bool matched = status == 'M';
        const std::string account = b.accounts[static_cast<std::size_t>(i % 2)];
        const std::string time = clock(9 * 3600 + static_cast<int64_t>(i) * 8 * 3600 / count);
        const int64_t number = i + 1;
        orders.row({ std::to_string(number), time, std::string(1, status), std::string(1, side),
            flagsFor(i, userIndex == 2), "REF" + pad(number, 7), user, account, s.key, std::to_string(price), "",
            std::to_string(quantity), "0", matched ? "0" : std::to_string(quantity),
            matched ? std::to_string(valueOf(price, quantity, s.priceDecimals)) : "0", "",
            slot == 13 ? std::to_string(number - 1) : "0", slot == 12 ? std::to_string(number + 1) : "0", "", "000000",
            "0", matched ? std::to_string(price * 100) : "0", "0" });
        if (slot == 0)
            buyer = { user, account, time, quantity };
        if (slot == 1) {
            ++tradeNumber;
            const int t = tradeNumber % 20;
            const char tradeStatus = t == 3 ? 'P' : t == 5 ? 'W' : t == 7 ? 'U' : t == 9 ? 'Y' : t == 11 ? 'L' : 'M';
            const char dissemination = tradeNumber % 7 == 1 ? 'D' : tradeNumber % 7 == 2 ? 'S' : 'I';
            trades.row({ std::to_string(tradeNumber), std::to_string(number - 1), std::to_string(number), time,
                buyer.user, user, buyer.account, account, s.key, std::to_string(price), "", std::to_string(quantity),
                std::to_string(valueOf(price, quantity, s.priceDecimals)), "", std::string(1, tradeStatus), "E", time,
                std::string(1, dissemination) });
        }
    }

    FixtureWriter deals(folder, "deals.txt",
        "number|time|status|side|reference|user|counter_user|account|security|price|quantity|settlement|confirm|"
        "yield|dissemination_time|dissemination|source|reminder|flags");
    const int dealCount = std::max(6, count / 50);
    const std::string statuses = "OUMWEO";
    for (int d = 0; d < dealCount; ++d) {
        const Tradable& s = tradable[static_cast<std::size_t>(d % static_cast<int>(tradable.size()))];
        std::string blockKey = s.key;
        if (blockKey.compare(1, 4, "MAIN") == 0)
            blockKey.replace(1, 4, "BLCK");
        const BrokerUsers& b = brokers[static_cast<std::size_t>(d % brokerCount)];
        const BrokerUsers& c = brokers[static_cast<std::size_t>((d + 1) % brokerCount)];
        const std::string time = clock(10 * 3600 + static_cast<int64_t>(d) * 6 * 3600 / dealCount);
        deals.row({ std::to_string(d + 1), time, std::string(1, statuses[static_cast<std::size_t>(d) % statuses.size()]),
            d % 2 == 0 ? "B" : "S", "DEAL" + pad(d + 1, 6), b.users[0], c.users[0], b.accounts[0], blockKey,
            std::to_string(s.price), std::to_string((1 + d % 9) * 100 * s.lot), "", "30", "",
            d % 6 == 3 ? time : "", d % 6 == 3 ? "D" : "", "N", "5", std::string(32, '0') });
    }

    FixtureWriter holdings(folder, "holdings.txt",
        "firm|account|instrument_id|depository|open|current|planned_buy|planned_sell|buy_value|sell_value|"
        "buy_quantity|sell_quantity|multiplier");
    for (int bi = 0; bi < brokerCount; ++bi) {
        const BrokerUsers& b = brokers[static_cast<std::size_t>(bi)];
        for (int k = 0; k < 2; ++k) {
            const Tradable& s = tradable[static_cast<std::size_t>((bi * 2 + k) % static_cast<int>(tradable.size()))];
            holdings.row({ b.firm, b.accounts[0], s.id, b.firm + "D1", "1000", std::to_string(1000 + 10 * bi), "100",
                "50", "2500000", "1200000", "300", "150", "1" });
        }
    }
}

} // namespace datagen
