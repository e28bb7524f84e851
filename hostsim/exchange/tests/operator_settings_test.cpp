// Operator actions that change settings, seen in what they affect: the access
// level in the rights a user loads (142/7), trading permissions in order
// entry (142/27, 28) and the market replay's steps in reply 25 (142/57).
#include "market_fixture.h"

namespace exchange::test {
namespace {

using OperatorSettingsTest = MarketTest;

std::string Operator(int code, const std::string& fields)
{
    return User("SUP1") + std::string(1, static_cast<char>(code)) + fields;
}

// The value of the rights record of `type` in the user's rights snapshot.
std::string RightValue(const std::vector<std::string>& rights, const std::string& type)
{
    for (const std::string& r : rights) {
        if (r.substr(0, 6) == type + "000")
            return r.substr(6, 16);
    }
    return "<none>";
}

TEST_F(OperatorSettingsTest, AccessLevelBecomesTheUserAndFirmScopeOfTheGroupsRights)
{
    const auto rights = [&](int slot, const std::string& user) {
        return request(slot, ++seq_[slot], 93, User(user) + "000000");
    };
    EXPECT_EQ(RightValue(rights(1, "BRK1T1"), "018"), "0000000000000002");
    const ReplyMessage set = transaction(9, ++seq_[9], 142, Operator(7, "trader      TRADER      4"));
    ASSERT_EQ(set.type, kAccepted) << Text(set);
    const auto after = rights(1, "BRK1T1");
    EXPECT_EQ(RightValue(after, "018"), "0000000000000004");
    EXPECT_EQ(RightValue(after, "019"), "0000000000000004");
    EXPECT_EQ(after.back().back(), '1') << "the last record still ends the loop";
    // Another group keeps its own values.
    EXPECT_EQ(RightValue(rights(4, "BRK3T2"), "018"), "0000000000000002");
    for (const char* bad : { "trader      TRADER      3", "nosuchgroup TRADER      4" })
        EXPECT_EQ(transaction(9, ++seq_[9], 142, Operator(7, bad)).type, kRefused) << bad;
}

TEST_F(OperatorSettingsTest, NotPermissionForbidsTradingInItsScopeUntilDeleted)
{
    // BRK1T1 may not trade on the MAIN board.
    const std::string notMain
        = Golden(71, { { 0, "BRK1        BRK1T1      MAIN" }, { 56, "Y" }, { 69, "01" } });
    ASSERT_EQ(transaction(9, ++seq_[9], 142, Operator(27, notMain)).type, kAccepted);
    const std::string onMain = OrderText(User("BRK1T1"), "BRK1A1", 'B', "000270000", "0000000000000010");
    const ReplyMessage refused = order(1, onMain);
    EXPECT_EQ(Text(refused), "You are not permitted to trade this security.");
    EXPECT_EQ(ErrorNumber(refused), "3");
    EXPECT_EQ(order(1,
                  OrderText(User("BRK1T1"), "BRK1A1", 'B', "000270000", "0000000000000010", Flags({ 1, 25 }),
                      "0BLCKSHR000001   "))
                  .type,
        kAccepted)
        << "another board";
    EXPECT_EQ(
        order(2, OrderText(User("BRK2T1"), "BRK2A1", 'B', "000270000", "0000000000000010")).type, kAccepted)
        << "another user";
    // A permission without "Not" forbids nothing; deleting the "Not" one lifts it, once.
    const std::string mayEnergy
        = std::string(notMain).replace(56, 1, "N").replace(24, 4, "    ").replace(40, 4, "ENRG");
    ASSERT_EQ(transaction(9, ++seq_[9], 142, Operator(27, mayEnergy)).type, kAccepted);
    ASSERT_EQ(transaction(9, ++seq_[9], 142, Operator(28, notMain)).type, kAccepted);
    EXPECT_EQ(order(1, onMain).type, kAccepted);
    EXPECT_EQ(Text(transaction(9, ++seq_[9], 142, Operator(28, notMain))), "No such permission.");
    // Neither firm nor user, or no scope: refused.
    EXPECT_EQ(transaction(
                  9, ++seq_[9], 142, Operator(27, std::string(notMain).replace(0, 24, std::string(24, ' '))))
                  .type,
        kRefused);
    EXPECT_EQ(transaction(9, ++seq_[9], 142, Operator(27, std::string(notMain).replace(24, 4, "    "))).type,
        kRefused);
}

TEST_F(OperatorSettingsTest, ReplayStepsThroughTheDaysTransactionLog)
{
    const auto statistics = [&] { return request(9, ++seq_[9], 25, User("SUP1")).front().substr(214, 38); };
    const std::size_t loadedOrders = ex_->data().orders.size();
    now_ = "101500";
    ASSERT_EQ(
        order(1, OrderText(User("BRK1T1"), "BRK1A1", 'B', "000270000", "0000000000000010")).type, kAccepted);
    now_ = "101600";
    ASSERT_EQ(
        order(1, OrderText(User("BRK1T1"), "BRK1A1", 'B', "000270001", "0000000000000010")).type, kRefused);
    now_ = "102000";
    ASSERT_EQ(
        order(1, OrderText(User("BRK1T1"), "BRK1A1", 'B', "000270000", "0000000000000010")).type, kAccepted);
    const std::string trades = Zeros(static_cast<int64_t>(ex_->data().trades.size()), 8);
    // Before any step: the day's figures.
    EXPECT_EQ(statistics(),
        Zeros(static_cast<int64_t>(loadedOrders + 2), 8) + trades + "00000003" + "00000001" + "102000");
    now_ = "110000";
    const auto step = [&](const std::string& mode, const std::string& value) {
        std::string text = Operator(57, mode + value);
        text.resize(30, '\0');
        return transaction(9, ++seq_[9], 142, text);
    };
    EXPECT_EQ(Text(step("T", "0000000000000001")), "1 transaction replayed.");
    EXPECT_EQ(statistics(),
        Zeros(static_cast<int64_t>(loadedOrders + 1), 8) + trades + "00000001" + "00000000" + "101500");
    EXPECT_EQ(Text(step("S", "101600")), "1 transaction replayed.");
    EXPECT_EQ(statistics(),
        Zeros(static_cast<int64_t>(loadedOrders + 1), 8) + trades + "00000002" + "00000001" + "101600");
    // Five minutes after the last replayed one (10:16:00): up to 10:21:00.
    EXPECT_EQ(Text(step("A", "000500")), "1 transaction replayed.");
    EXPECT_EQ(statistics(),
        Zeros(static_cast<int64_t>(loadedOrders + 2), 8) + trades + "00000003" + "00000001" + "102000");
    EXPECT_EQ(Text(step("A", "000001")), "No transaction left to replay in this step.");
    EXPECT_EQ(step("X", "000001").type, kRefused);
    EXPECT_EQ(step("T", "000000000000000x").type, kRefused);
}

} // namespace
} // namespace exchange::test
