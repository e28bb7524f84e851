// Order entry, matching, amendment, withdrawal and approval through the
// transactions, seen in the order, trade, last-trade, security and book
// streams of the sessions.
#include "market_fixture.h"

namespace exchange::test {
namespace {

using MatchingTest = MarketTest;

TEST_F(MatchingTest, CrossingOrderTradesAtRestingPricesInTimePriority)
{
    const Streams& streams = ex_->state().streams;
    const std::string ordersBefore = Zeros(streams.orders.last(), 10);
    const std::string tradesBefore = Zeros(streams.trades.last(), 10);
    const std::string lastBefore = Zeros(streams.lastTrades.last(), 10);
    const std::string securitiesBefore = Zeros(streams.securities.last(), 10);
    const std::string firmsBefore = Zeros(streams.firms.last(), 10);
    const int64_t volumeBefore = ex_->data().securities[0].figures.volumeToday;
    // Two sells at 2775.00 (BRK2 first, BRK5 second) and one at 2776.00.
    ASSERT_EQ(
        order(2, OrderText(User("BRK2T1"), "BRK2A1", 'S', "000277500", "0000000000000100")).type, kAccepted);
    ASSERT_EQ(
        order(5, OrderText(User("BRK5T1"), "BRK5A1", 'S', "000277500", "0000000000000100")).type, kAccepted);
    ASSERT_EQ(
        order(5, OrderText(User("BRK5T1"), "BRK5A2", 'S', "000277600", "0000000000000100")).type, kAccepted);
    // A buy of 250 up to 2780.00 takes 100 + 100 at 2775.00 and 50 at 2776.00.
    const ReplyMessage buy
        = order(1, OrderText(User("BRK1T1"), "BRK1A1", 'B', "000278000", "0000000000000250"));
    ASSERT_EQ(buy.type, kAccepted) << Text(buy);
    const std::string buyNumber = Zeros(ex_->state().nextOrder - 1, 12);

    // Trades in time priority at the resting orders' prices, seen by the buyer's firm.
    const auto trades = poll(1, 54, "BRK1T1", tradesBefore);
    ASSERT_EQ(trades.size(), 3u);
    const struct {
        const char* price;
        const char* sellFirm;
        const char* quantity;
    } expected[] = { { "000277500", "BRK2        ", "0000000000000100" },
        { "000277500", "BRK5        ", "0000000000000100" },
        { "000277600", "BRK5        ", "0000000000000050" } };
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Field(trades[i], 229, 9), expected[i].price);
        EXPECT_EQ(Field(trades[i], 176, 12), expected[i].sellFirm);
        EXPECT_EQ(Field(trades[i], 164, 12), "BRK1        ");
        EXPECT_EQ(Field(trades[i], 247, 16), expected[i].quantity);
        EXPECT_EQ(Field(trades[i], 24, 12), buyNumber);
        EXPECT_EQ(trades[i][311], 'M');
    }
    // The second seller sees only its own two trades.
    EXPECT_EQ(poll(5, 54, "BRK5T1", tradesBefore).size(), 2u);

    // The buy order: filled, value 693,800.00, average price 2775.2000 (two more decimals).
    const auto orders = poll(1, 50, "BRK1T1", ordersBefore);
    ASSERT_FALSE(orders.empty());
    const std::string& mine = orders.back();
    EXPECT_EQ(Field(mine, 11, 12), buyNumber);
    EXPECT_EQ(Field(mine, 38, 1), "M");
    EXPECT_EQ(Field(mine, 245, 16), "0000000000000000");
    EXPECT_EQ(Field(mine, 261, 16), "0000000069380000");
    EXPECT_EQ(Field(mine, 348, 11), "00027752000");
    // The partly filled sell at 2776.00 stands with 50 left.
    const auto sellerOrders = poll(5, 50, "BRK5T1", ordersBefore);
    ASSERT_FALSE(sellerOrders.empty());
    EXPECT_EQ(Field(sellerOrders.back(), 195, 9), "000277600");
    EXPECT_EQ(Field(sellerOrders.back(), 38, 1), "O");
    EXPECT_EQ(Field(sellerOrders.back(), 245, 16), "0000000000000050");

    // Last trades for everyone; the security's figures in its change reports.
    EXPECT_EQ(poll(9, 118, "SUP1", lastBefore, std::string(12, '0') + " ").size(), 3u);
    EXPECT_EQ(ex_->data().securities[0].figures.volumeToday, volumeBefore + 250);
    const auto reports = poll(2, 33, "BRK2T1", securitiesBefore, std::string(25, ' '));
    ASSERT_FALSE(reports.empty());
    const std::string& report = reports.back();
    EXPECT_EQ(Field(report, 10, 6), "000000"); // the first kind-'0' row
    EXPECT_EQ(Field(report, 16, 17), kShare);
    for (const std::string item :
        { "N000277600#", "G000277600#", "Q0000000000000050#", "H0000000000000050#", "J001#", "F000#" })
        EXPECT_NE(report.find(item), std::string::npos) << item << " in " << report;
    EXPECT_EQ(report.find("#C"), std::string::npos) << "no bid is left";
    // The buyer's firm statistics: highest and total buy order, then the buy trades.
    const auto firms = poll(1, 41, "BRK1T1", firmsBefore, "");
    const auto last = std::find_if(firms.rbegin(), firms.rend(),
        [](const std::string& r) { return Field(r, 10, 12) == "BRK1        "; });
    ASSERT_NE(last, firms.rend());
    const std::string& brk1 = *last;
    EXPECT_EQ(Field(brk1, 28, 16), "0000000000000250"); // highest buy order volume
    EXPECT_EQ(Field(brk1, 28 + 16, 16), "0000000069500000"); // its value at the limit, 2780.00 x 250
    EXPECT_EQ(Field(brk1, 28 + 8 * 16, 16), "0000000000000100"); // highest buy trade volume
    EXPECT_EQ(Field(brk1, 28 + 10 * 16, 16), "0000000000000250"); // total buy trade volume
    // Positions: the buyer's account holds 250 more, its firm's cash is 693,800.00 lower.
    const SecurityPosition& held = ex_->data().holdings.front();
    ASSERT_EQ(held.account + held.instrumentId, "BRK1A1SHR000001");
    EXPECT_EQ(held.current, 1000 + 250);
    EXPECT_EQ(held.buyQuantity, 300 + 250);
    EXPECT_EQ(ex_->data().cash.front().current, 180000000 - 69380000);
}

TEST_F(MatchingTest, AmendWithdrawAndApprove)
{
    ASSERT_EQ(
        order(2, OrderText(User("BRK2T1"), "BRK2A1", 'S', "000280000", "0000000000000100")).type, kAccepted);
    const int64_t first = ex_->state().nextOrder - 1;
    // Amend the price: the old order becomes 'A', a new linked order stands.
    const std::string amend = Golden(
        205, { { 0, User("BRK2T1") }, { 12, Zeros(first, 12) }, { 24, Flags({ 25 }) }, { 68, "000279000" } });
    const ReplyMessage amended = transaction(2, ++seq_[2], 137, amend);
    ASSERT_EQ(amended.type, kAccepted) << Text(amended);
    const Order& old = ex_->data().orders[ex_->state().orderByNumber.at(first)];
    const Order& fresh = ex_->data().orders[ex_->state().orderByNumber.at(first + 1)];
    EXPECT_EQ(old.status, 'A');
    EXPECT_EQ(old.nextLink, first + 1);
    EXPECT_EQ(fresh.previousLink, first);
    EXPECT_EQ(fresh.price, 279000);
    EXPECT_EQ(fresh.quantity, 100);
    // Another firm cannot touch it; a bad price names the price field.
    EXPECT_EQ(transaction(1, ++seq_[1], 137,
                  Golden(205, { { 0, User("BRK1T1") }, { 12, Zeros(first + 1, 12) }, { 24, Flags({ 25 }) } }))
                  .type,
        kRefused);
    const ReplyMessage badPrice = transaction(2, ++seq_[2], 137,
        Golden(205,
            { { 0, User("BRK2T1") }, { 12, Zeros(first + 1, 12) }, { 24, Flags({ 25 }) },
                { 68, "000279003" } }));
    EXPECT_EQ(badPrice.data,
        std::string("Invalid price.\0"
                    "5\0",
            17));
    // Withdraw by number; a second withdrawal finds nothing.
    const std::string withdraw = Golden(
        105, { { 0, User("BRK2T1") }, { 12, "A" }, { 13, " " }, { 14, Zeros(first + 1, 12) }, { 26, "=" } });
    EXPECT_EQ(Text(transaction(2, ++seq_[2], 138, withdraw)), "1 order withdrawn.");
    EXPECT_EQ(fresh.status, 'W');
    EXPECT_EQ(fresh.balance, 100);
    EXPECT_EQ(transaction(2, ++seq_[2], 138, withdraw).type, kRefused);
    EXPECT_EQ(
        transaction(2, ++seq_[2], 138, Golden(105, { { 0, User("BRK2T1") }, { 12, "A" }, { 13, "?" } })).type,
        kRefused);

    // BRK3T1's orders wait for approval; BRK3T2 approves and it trades.
    ASSERT_EQ(
        order(2, OrderText(User("BRK2T1"), "BRK2A1", 'S', "000281000", "0000000000000010")).type, kAccepted);
    const ReplyMessage held
        = order(3, OrderText(User("BRK3T1"), "BRK3A1", 'B', "000281000", "0000000000000010"));
    const int64_t waiting = ex_->state().nextOrder - 1;
    EXPECT_EQ(Text(held), "Order " + std::to_string(waiting) + " waits for approval.");
    const std::string approve = Golden(36, { { 0, User("BRK3T1") }, { 12, Zeros(waiting, 12) } });
    EXPECT_EQ(transaction(3, ++seq_[3], 133, approve).type, kRefused) << "a trader may not approve";
    const std::string approveByApprover = Golden(36, { { 0, User("BRK3T2") }, { 12, Zeros(waiting, 12) } });
    EXPECT_EQ(transaction(4, ++seq_[4], 133, approveByApprover).type, kAccepted);
    EXPECT_EQ(ex_->data().orders[ex_->state().orderByNumber.at(waiting)].status, 'M');
}

TEST_F(MatchingTest, WithdrawByCriteria)
{
    for (const char* price : { "000290000", "000291000" })
        ASSERT_EQ(
            order(2, OrderText(User("BRK2T1"), "BRK2A1", 'S', price, "0000000000000010")).type, kAccepted);
    // Board and instrument of the Orders window's rows; another instrument matches nothing of these.
    const std::string other = Golden(105,
        { { 0, User("BRK2T1") }, { 12, "A" }, { 13, "S" }, { 26, "=" }, { 57, "MAIN" },
            { 61, "SHR000009" } });
    const std::size_t before = ex_->state().books[0].offers.orders.size();
    transaction(2, ++seq_[2], 138, other);
    EXPECT_EQ(ex_->state().books[0].offers.orders.size(), before);
    const std::string mine = Golden(105,
        { { 0, User("BRK2T1") }, { 12, "A" }, { 13, "S" }, { 26, "=" }, { 57, "MAIN" },
            { 61, "SHR000001" } });
    EXPECT_EQ(Text(transaction(2, ++seq_[2], 138, mine)), "2 orders withdrawn.");
    EXPECT_TRUE(ex_->state().books[0].offers.orders.empty());
    // "All orders": the long form with every criterion blank.
    ASSERT_EQ(
        order(2, OrderText(User("BRK2T1"), "BRK2A1", 'S', "000290000", "0000000000000010")).type, kAccepted);
    const std::string all = User("BRK2T1") + "A" + std::string(2036, ' ');
    EXPECT_EQ(transaction(2, ++seq_[2], 138, all).type, kAccepted);
    EXPECT_TRUE(ex_->state().books[0].offers.orders.empty());
}

TEST_F(MatchingTest, OrderEntryRefusalsNameTheField)
{
    const struct {
        std::string text;
        int field;
    } cases[] = {
        { OrderText(User("BRK1T1"), "BRK2A1", 'B', "000277500", "0000000000000100"),
            1 }, // another firm's account
        { OrderText(User("BRK1T1"), "BRK1A3", 'B', "000277500", "0000000000000100"), 1 }, // suspended account
        { OrderText(User("BRK1T1"), "BRK1A1", 'B', "000277500", "0000000000000100", Flags({ 1, 25 }),
              "0MAINNOSUCH      "),
            3 },
        { OrderText(User("BRK1T1"), "BRK1A1", 'B', "000277501", "0000000000000100"), 5 }, // off the tick
        { OrderText(User("BRK1T1"), "BRK1A1", 'B', "00027750x", "0000000000000100"), 5 },
        { OrderText(User("BRK1T1"), "BRK1A1", 'B', "000277500", "0000000000000000"), 7 },
        { OrderText(User("BRK1T1"), "BRK1A1", 'B', "000277500", "000000000000010x"), 7 },
        { OrderText(User("BRK1T1"), "BRK1A1", 'B', "000277500", "0001000000000000"), 7 }, // 13 digits
        { OrderText(User("BRK1T1"), "BRK1A1", 'B', "999999995", "0000999999999999"), 7 }, // value beyond 16 digits
        { OrderText(User("BRK1T1"), "BRK1A1", 'B', "000277500", "0000000000000100")
                .replace(164, 8, "20261301"),
            9 },
        { OrderText(User("BRK1T1"), "BRK1A1", 'B', "000277500", "0000000000000100").replace(172, 6, "256000"),
            10 },
        { OrderText(User("BRK1T1"), "BRK1A1", 'B', "000277500", "0000000000000100", Flags({ 1, 12, 25 })),
            11 },
    };
    for (const auto& c : cases) {
        const ReplyMessage m = order(1, c.text);
        EXPECT_EQ(m.type, kRefused) << c.text;
        EXPECT_EQ(m.data.substr(m.data.find('\0') + 1), std::to_string(c.field) + std::string(1, '\0'))
            << Text(m);
    }
    // The automation's 187-character order is accepted; a shorter one is not.
    EXPECT_EQ(
        order(1, OrderText(User("BRK1T1"), "BRK1A1", 'B', "000270000", "0000000000000100").substr(0, 187))
            .type,
        kAccepted);
    EXPECT_EQ(
        order(1, OrderText(User("BRK1T1"), "BRK1A1", 'B', "000270000", "0000000000000100").substr(0, 186))
            .type,
        kRefused);
}

TEST_F(MatchingTest, GoodTillTimeOrderExpiresAtItsTime)
{
    const std::string text
        = OrderText(User("BRK1T1"), "BRK1A1", 'B', "000270000", "0000000000000100", Flags({ 1, 23 }))
              .replace(172, 6, "120000");
    ASSERT_EQ(order(1, text).type, kAccepted);
    const std::size_t index = ex_->data().orders.size() - 1;
    EXPECT_EQ(ex_->state().books[0].bids.orders.size(), 1u);
    now_ = "115959";
    send(1, ++seq_[1], {});
    EXPECT_EQ(ex_->data().orders[index].status, 'O');
    now_ = "120000";
    send(1, ++seq_[1], {});
    EXPECT_EQ(ex_->data().orders[index].status, 'E');
    EXPECT_EQ(ex_->data().orders[index].balance, 100);
    EXPECT_TRUE(ex_->state().books[0].bids.orders.empty());
}

TEST_F(MatchingTest, PrimaryDistributionAmountOrdersBuyWhatTheirAmountPaysFor)
{
    // Price decimals 3, value decimals 2, lot 10: a lot at 98.000 costs 980.00.
    const std::string prim = "0PRIMPRM000001   ";
    const auto sell = [&](int slot, const std::string& user, const std::string& account, const char* price,
                          const char* quantity) {
        const ReplyMessage m
            = order(slot, OrderText(User(user), account, 'S', price, quantity, Flags({ 1 }), prim));
        EXPECT_EQ(m.type, kAccepted) << Text(m);
        return lastOrder().number;
    };
    const auto buyFor = [&](const char* amount) {
        const ReplyMessage m = order(1,
            Golden(217,
                { { 0, User("BRK1T1") }, { 12, "BRK1A1" }, { 24, "B" }, { 25, Flags({ 1 }) }, { 57, prim },
                    { 74, amount }, { 95, "0000000000000000" }, { 111, "0000000000000000" },
                    { 181, "000000000000" }, { 201, "0000000000000000" } }));
        EXPECT_EQ(m.type, kAccepted) << Text(m);
        return lastOrder().number;
    };
    sell(2, "BRK2T1", "BRK2A1", "000098000", "0000000000000100");
    sell(5, "BRK5T1", "BRK5A1", "000099000", "0000000000000100");
    // 15,000.00 buys the 100 at 98.000 (9,800.00) and 5 lots at 99.000 (4,950.00); 250.00 buy no further lot.
    std::size_t trades = ex_->data().trades.size();
    const int64_t first = buyFor("000001500000");
    ASSERT_EQ(ex_->data().trades.size(), trades + 2);
    EXPECT_EQ(ex_->data().trades[trades].price, 98000);
    EXPECT_EQ(ex_->data().trades[trades].quantity, 100);
    EXPECT_EQ(ex_->data().trades[trades + 1].price, 99000);
    EXPECT_EQ(ex_->data().trades[trades + 1].quantity, 50);
    EXPECT_EQ(orderNumber(first).status, 'M');
    EXPECT_EQ(orderNumber(first).quantity, 150);
    // Its record shows the amount in the value field, the quantity bought and no balance.
    const auto records = poll(1, 50, "BRK1T1", Zeros(ex_->state().streams.orders.last() - 1, 10));
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(Field(records.back(), 11, 12), Zeros(first, 12));
    EXPECT_EQ(Field(records.back(), 213, 64),
        "0000000000000150"
        "0000000000000000"
        "0000000000000000"
        "0000000001500000");

    // 10,000.00 buys the last 50 at 99.000 and waits with 5,050.00 left.
    trades = ex_->data().trades.size();
    const int64_t second = buyFor("000001000000");
    EXPECT_EQ(ex_->data().trades.size(), trades + 1);
    EXPECT_EQ(orderNumber(second).status, 'O');
    // A later seller at 97.000 serves it first, at the seller's price: 5 lots, the rest of the sell stands.
    trades = ex_->data().trades.size();
    const int64_t seller = sell(5, "BRK5T1", "BRK5A1", "000097000", "0000000000000100");
    ASSERT_EQ(ex_->data().trades.size(), trades + 1);
    EXPECT_EQ(ex_->data().trades.back().price, 97000);
    EXPECT_EQ(ex_->data().trades.back().quantity, 50);
    EXPECT_EQ(orderNumber(second).status, 'M');
    EXPECT_EQ(orderNumber(second).quantity, 100);
    EXPECT_EQ(orderNumber(seller).balance, 50);
    EXPECT_TRUE(ex_->state().books[ex_->state().securityByKey.at(prim)].amounts.empty());
    // Amount orders only buy.
    const ReplyMessage sale = order(1,
        Golden(217,
            { { 0, User("BRK1T1") }, { 12, "BRK1A1" }, { 24, "S" }, { 25, Flags({ 1 }) }, { 57, prim },
                { 74, "000000100000" }, { 95, "0000000000000000" }, { 111, "0000000000000000" },
                { 181, "000000000000" }, { 201, "0000000000000000" } }));
    EXPECT_EQ(ErrorNumber(sale), "5");
}

TEST_F(MatchingTest, ResentOrderIsEnteredOnce)
{
    const std::size_t before = ex_->data().orders.size();
    const std::string text = OrderText(User("BRK1T1"), "BRK1A1", 'B', "000270000", "0000000000000100");
    const ReplyMessage first = transaction(1, 40, 132, text);
    const ReplyMessage again = transaction(1, 40, 132, text);
    EXPECT_EQ(first.data, again.data);
    EXPECT_EQ(ex_->data().orders.size(), before + 1);
}

} // namespace
} // namespace exchange::test
