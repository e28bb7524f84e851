// What an order's methods do in matching and how long it stays: fill
// conditions, hidden quantities, stop triggers, the close of the session and
// of the day, the methods a security and its board allow, and yields in the
// order book.
#include "market_fixture.h"

namespace exchange::test {
namespace {

using OrderValidityTest = MarketTest;

const std::string k16 = "0000000000000000";

// The quantity traded since `tradesBefore` trades were kept.
int64_t tradedSince(const Exchange& ex, std::size_t tradesBefore)
{
    int64_t q = 0;
    for (std::size_t i = tradesBefore; i < ex.data().trades.size(); ++i)
        q += ex.data().trades[i].quantity;
    return q;
}

TEST_F(OrderValidityTest, FillConditionsDecideWhetherAndHowMuchTrades)
{
    // Against 100 at 2775.00 (BRK2) and 100 at 2776.00 (BRK5).
    const struct {
        const char* name;
        std::string flags;
        const char* price;
        int64_t quantity, minimum, traded;
        char status;
        int64_t balance;
    } cases[] = {
        { "fill or kill, too large: killed whole", Flags({ 1, 15, 28 }), "000278000", 250, 250, 0, 'W', 250 },
        { "fill or kill, enough", Flags({ 1, 15, 28 }), "000278000", 200, 200, 200, 'M', 0 },
        { "fill and kill: the rest is withdrawn", Flags({ 1, 17, 28 }), "000278000", 250, 0, 200, 'W', 50 },
        { "all or none, too large: rests untouched", Flags({ 1, 15, 25 }), "000278000", 250, 250, 0, 'O',
            250 },
        { "fill minimum not reached at the limit: rests", Flags({ 1, 16, 25 }), "000277500", 300, 150, 0, 'O',
            300 },
        { "fill minimum reached", Flags({ 1, 16, 25 }), "000277500", 300, 100, 100, 'O', 200 },
        { "fill any: the rest stands", Flags({ 1, 17, 25 }), "000278000", 250, 0, 200, 'O', 50 },
    };
    for (const auto& c : cases) {
        restart();
        ASSERT_EQ(order(2, OrderText(User("BRK2T1"), "BRK2A1", 'S', "000277500", "0000000000000100")).type,
            kAccepted);
        ASSERT_EQ(order(5, OrderText(User("BRK5T1"), "BRK5A1", 'S', "000277600", "0000000000000100")).type,
            kAccepted);
        const std::size_t tradesBefore = ex_->data().trades.size();
        const std::string text
            = OrderText(User("BRK1T1"), "BRK1A1", 'B', c.price, Zeros(c.quantity, 16), c.flags)
                  .replace(195, 16, Zeros(c.minimum, 16));
        const ReplyMessage m = order(1, text);
        ASSERT_EQ(m.type, kAccepted) << c.name << ": " << Text(m);
        EXPECT_EQ(tradedSince(*ex_, tradesBefore), c.traded) << c.name;
        EXPECT_EQ(lastOrder().status, c.status) << c.name;
        EXPECT_EQ(lastOrder().balance, c.balance) << c.name;
        // Nothing traded: the resting sells are as they were.
        if (c.traded == 0) {
            EXPECT_EQ(ex_->data().securities[0].figures.offerDepth, 100) << c.name;
        }
    }
}

TEST_F(OrderValidityTest, RestingAllOrNoneIsPassedOverWithoutBlockingTheOthers)
{
    ASSERT_EQ(
        order(2,
            OrderText(User("BRK2T1"), "BRK2A1", 'S', "000277500", "0000000000000100", Flags({ 1, 15, 25 })))
            .type,
        kAccepted);
    const int64_t allOrNone = lastOrder().number;
    ASSERT_EQ(
        order(5, OrderText(User("BRK5T1"), "BRK5A1", 'S', "000277500", "0000000000000050")).type, kAccepted);
    const std::size_t tradesBefore = ex_->data().trades.size();
    // 60 cannot take the 100 all or none: the later 50 trade, 10 rest.
    ASSERT_EQ(
        order(1, OrderText(User("BRK1T1"), "BRK1A1", 'B', "000277500", "0000000000000060")).type, kAccepted);
    ASSERT_EQ(ex_->data().trades.size(), tradesBefore + 1);
    EXPECT_EQ(ex_->data().trades.back().sellFirm, "BRK5");
    EXPECT_EQ(lastOrder().balance, 10);
    EXPECT_EQ(orderNumber(allOrNone).status, 'O');
    // 100 takes it whole.
    ASSERT_EQ(
        order(1, OrderText(User("BRK1T1"), "BRK1A2", 'B', "000277500", "0000000000000100")).type, kAccepted);
    EXPECT_EQ(orderNumber(allOrNone).status, 'M');
    EXPECT_EQ(ex_->data().trades.back().quantity, 100);
}

TEST_F(OrderValidityTest, HiddenQuantityTradesAfterTheShownOnesAndStaysOutOfTheBook)
{
    const std::string hidden
        = OrderText(User("BRK2T1"), "BRK2A1", 'S', "000277500", "0000000000000100", Flags({ 1, 11, 25 }))
              .replace(108, 16, "0000000000000080");
    ASSERT_EQ(order(2, hidden).type, kAccepted);
    const int64_t iceberg = lastOrder().number;
    ASSERT_EQ(
        order(5, OrderText(User("BRK5T1"), "BRK5A1", 'S', "000277500", "0000000000000050")).type, kAccepted);
    const SecurityFigures& f = ex_->data().securities[0].figures;
    EXPECT_EQ(f.offerDepth, 20 + 50) << "only the shown 20 of the hidden order count";

    // 60: the shown 20, then 40 of the later order's shown 50, before any hidden quantity.
    std::size_t trades = ex_->data().trades.size();
    ASSERT_EQ(
        order(1, OrderText(User("BRK1T1"), "BRK1A1", 'B', "000277500", "0000000000000060")).type, kAccepted);
    ASSERT_EQ(ex_->data().trades.size(), trades + 2);
    EXPECT_EQ(ex_->data().trades[trades].quantity, 20);
    EXPECT_EQ(ex_->data().trades[trades + 1].quantity, 40);
    EXPECT_EQ(f.offerDepth, 10);
    const std::string key = "0000000000" + kShare;
    const std::string byOrder = request(1, ++seq_[1], 70, User("BRK1T1") + key).front();
    EXPECT_EQ(Field(byOrder, 27, 4), "0001") << "the wholly hidden rest is not listed";
    EXPECT_EQ(Field(byOrder, 31, 38), "BRK5        000277500" + Zeros(10, 16) + " ");

    // 50: the last shown 10, then 40 of the hidden quantity.
    trades = ex_->data().trades.size();
    ASSERT_EQ(
        order(1, OrderText(User("BRK1T1"), "BRK1A1", 'B', "000277500", "0000000000000050")).type, kAccepted);
    ASSERT_EQ(ex_->data().trades.size(), trades + 2);
    EXPECT_EQ(ex_->data().trades[trades + 1].sellFirm, "BRK2");
    EXPECT_EQ(ex_->data().trades[trades + 1].quantity, 40);
    EXPECT_EQ(orderNumber(iceberg).balance, 40);
    EXPECT_EQ(f.offer, kNoValue) << "a wholly hidden rest sets no offer";
    EXPECT_EQ(f.offerCount, 0) << "nor counts as an offer";
    const std::string byPrice = request(1, ++seq_[1], 36, User("BRK1T1") + key).front();
    EXPECT_EQ(Field(byPrice, 27, 11), "00000000000") << "no order and no level shows";
    // The hidden rest still trades.
    ASSERT_EQ(
        order(1, OrderText(User("BRK1T1"), "BRK1A1", 'B', "000277500", "0000000000000040")).type, kAccepted);
    EXPECT_EQ(orderNumber(iceberg).status, 'M');
}

TEST_F(OrderValidityTest, StopOrdersWaitForATradeAtTheirTrigger)
{
    const auto stop = [](const std::string& user, const std::string& account, char side, const char* price,
                          const char* trigger, const char* quantity) {
        return OrderText(User(user), account, side, price, quantity, Flags({ 1, 12, 25 }))
            .replace(178, 9, trigger);
    };
    ASSERT_EQ(order(1, stop("BRK1T1", "BRK1A1", 'B', "000279000", "000278000", "0000000000000100")).type,
        kAccepted);
    const int64_t buyStop = lastOrder().number;
    EXPECT_EQ(orderNumber(buyStop).status, 'I');
    EXPECT_TRUE(ex_->state().books[0].bids.orders.empty()) << "a waiting stop is not in the book";
    ASSERT_EQ(
        order(5, OrderText(User("BRK5T1"), "BRK5A1", 'S', "000278500", "0000000000000100")).type, kAccepted);
    EXPECT_EQ(orderNumber(buyStop).status, 'I') << "a standing order is no trade";

    // A trade at 2780.00 triggers it; it buys the 100 at 2785.00.
    ASSERT_EQ(
        order(2, OrderText(User("BRK2T1"), "BRK2A1", 'S', "000278000", "0000000000000010")).type, kAccepted);
    ASSERT_EQ(
        order(5, OrderText(User("BRK5T1"), "BRK5A1", 'B', "000278000", "0000000000000010")).type, kAccepted);
    EXPECT_EQ(orderNumber(buyStop).status, 'M');
    EXPECT_EQ(ex_->data().trades.back().price, 278500);
    EXPECT_EQ(ex_->data().trades.back().buyOrder, buyStop);

    // A sell stop whose trigger the last trade already reached is active at once.
    ASSERT_EQ(order(2, stop("BRK2T1", "BRK2A1", 'S', "000286000", "000290000", "0000000000000010")).type,
        kAccepted);
    EXPECT_EQ(lastOrder().status, 'O');
    // A waiting stop can be withdrawn.
    ASSERT_EQ(order(1, stop("BRK1T1", "BRK1A1", 'B', "000300000", "000299000", "0000000000000010")).type,
        kAccepted);
    const int64_t waiting = lastOrder().number;
    const std::string withdraw = Golden(
        105, { { 0, User("BRK1T1") }, { 12, "A" }, { 13, " " }, { 14, Zeros(waiting, 12) }, { 26, "=" } });
    EXPECT_EQ(transaction(1, ++seq_[1], 138, withdraw).type, kAccepted);
    EXPECT_EQ(orderNumber(waiting).status, 'W');
    EXPECT_TRUE(ex_->state().books[0].stops.empty());
}

TEST_F(OrderValidityTest, DaySessionAndDateOrdersExpireAtTheirClose)
{
    // The MAIN board's session closes at 15:00, the day ends at 17:00.
    ex_->data().schedule.push_back({ "SCHTEST", "150000", 1, "CLOSE", "MAIN", "", "", 'Y' });
    const auto buy = [&](const std::string& flags, const std::string& expiry) {
        const ReplyMessage m = order(1,
            OrderText(User("BRK1T1"), "BRK1A1", 'B', "000270000", "0000000000000010", flags)
                .replace(164, 8, expiry));
        EXPECT_EQ(m.type, kAccepted) << Text(m);
        return lastOrder().number;
    };
    const int64_t day = buy(Flags({ 1, 25 }), "        ");
    const int64_t session = buy(Flags({ 1, 24 }), "        ");
    const int64_t today = buy(Flags({ 1, 26 }), "20261210");
    const int64_t tomorrow = buy(Flags({ 1, 26 }), "20261211");
    const int64_t cancelled = buy(Flags({ 1, 27 }), "        ");
    const std::string ordersBefore = Zeros(ex_->state().streams.orders.last(), 10);
    const auto statuses = [&] {
        std::string s;
        for (const int64_t n : { day, session, today, tomorrow, cancelled })
            s += orderNumber(n).status;
        return s;
    };
    now_ = "145959";
    send(1, ++seq_[1], {});
    EXPECT_EQ(statuses(), "OOOOO");
    now_ = "150000";
    send(1, ++seq_[1], {});
    EXPECT_EQ(statuses(), "OEOOO");
    // The expired order reaches the sessions as a record with status 'E'.
    const auto records = poll(1, 50, "BRK1T1", ordersBefore);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Field(records[0], 11, 12), Zeros(session, 12));
    EXPECT_EQ(Field(records[0], 38, 1), "E");
    // A session order after the close is refused; a day order still stands.
    const ReplyMessage late = order(
        1, OrderText(User("BRK1T1"), "BRK1A1", 'B', "000270000", "0000000000000010", Flags({ 1, 24 })));
    EXPECT_EQ(late.data,
        std::string("The trading session has closed.\0"
                    "0\0",
            34));
    now_ = "170000";
    send(1, ++seq_[1], {});
    EXPECT_EQ(statuses(), "EEEOO");
    EXPECT_EQ(ex_->state().books[0].bids.orders.size(), 2u);
    const ReplyMessage afterDay = order(1,
        OrderText(User("BRK1T1"), "BRK1A1", 'B', "000270000", "0000000000000010", Flags({ 1, 26 }))
            .replace(164, 8, "20261210"));
    EXPECT_EQ(afterDay.data,
        std::string("The trading day has ended.\0"
                    "9\0",
            29));
}

TEST_F(OrderValidityTest, MethodsMustBeAllowedBySecurityAndBoard)
{
    // The MAIN board stops taking stop orders; BRK1T1's share order methods are checked against both.
    for (Board& b : ex_->data().boards) {
        if (b.code == "MAIN")
            b.methods[12] = '0';
    }
    const std::string base = OrderText(User("BRK1T1"), "BRK1A1", 'B', "000270000", "0000000000000010");
    const struct {
        std::string text;
        const char* reply;
        int field;
    } cases[] = {
        { OrderText(User("BRK1T1"), "BRK1A1", 'B', "000270000", "0000000000000010", Flags({ 0, 25 }),
              "0BLCKSHR000001   "),
            "The security does not allow market orders.", 5 },
        { std::string(base)
                .replace(25, 32, Flags({ 1, 10, 25 }))
                .replace(74, 18, std::string(9, ' ') + "000003000"),
            "The security does not allow yield orders.", 6 },
        { std::string(base).replace(25, 32, Flags({ 1, 12, 25 })).replace(178, 9, "000280000"),
            "The board MAIN does not allow stop orders.", 11 },
        { std::string(base).replace(25, 32, Flags({ 1, 16, 25 })), "Invalid minimum fill quantity.", 7 },
    };
    for (const auto& c : cases) {
        const ReplyMessage m = order(1, c.text);
        EXPECT_EQ(Text(m), c.reply);
        EXPECT_EQ(ErrorNumber(m), std::to_string(c.field)) << c.reply;
    }
    // A suspended board takes no orders.
    EXPECT_EQ(
        transaction(9, ++seq_[9], 142, User("SUP1") + std::string(1, '\x05') + "MAINY ").type, kAccepted);
    const ReplyMessage suspended = order(1, base);
    EXPECT_EQ(Text(suspended), "The board MAIN is suspended.");
    EXPECT_EQ(ErrorNumber(suspended), "3");
}

TEST_F(OrderValidityTest, BookLevelsOfAYieldQuotedSecurityCarryTheirYield)
{
    const std::string bond = "0BONDBND000001   "; // price decimals 3, yield decimals 3, lot 10
    ASSERT_EQ(
        order(1,
            OrderText(User("BRK1T1"), "BRK1A1", 'S', "000103700", "0000000000000010", Flags({ 1, 25 }), bond))
            .type,
        kAccepted);
    const std::string book = request(1, ++seq_[1], 36, User("BRK1T1") + "0000000000" + bond).front();
    EXPECT_EQ(Field(book, 34, 4), "0001");
    // Price 103.700 gives a yield of 3.150 under the stand-in's rule (110000 - 2 x yield).
    EXPECT_EQ(Field(book, 38, 18), "000103700000003150");
}

} // namespace
} // namespace exchange::test
