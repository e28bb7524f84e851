// Negotiated deals from input to confirmation, and trade cancellation through
// its statuses.
#include "exchange_fixture.h"
#include "golden.h"

namespace exchange::test {
namespace {

class DealTest : public ExchangeTest {
protected:
    void SetUp() override
    {
        for (const auto& [slot, user] : { std::pair { 1, "BRK1T1" }, { 2, "BRK2T1" }, { 3, "BRK1T2" } })
            ASSERT_EQ(logon(slot, user).type, kAccepted);
    }
    ReplyMessage tx(int slot, int code, const std::string& text)
    {
        return transaction(slot, ++seq_[slot], code, text);
    }
    uint32_t seq_[16] = {};
};

std::string DealText(const std::string& counterparty, const std::string& price)
{
    return Golden(164,
        { { 0, User("BRK1T1") }, { 12, "BRK1A1" }, { 24, "B" }, { 25, "0BLCKSHR000001   " },
            { 42, counterparty }, { 54, price }, { 72, "0000000000000100" }, { 88, "NEG-1" }, { 128, "0030" },
            { 132, "0005" }, { 136, "BRK1T1" }, { 162, "N" }, { 163, std::string(1, '\0') } });
}

TEST_F(DealTest, InputConfirmAndTrade)
{
    // A counterparty of the own firm names field 4, a price off the tick field 5.
    EXPECT_EQ(ErrorNumber(tx(1, 134, DealText("BRK1T2", "000277450"))), "4");
    EXPECT_EQ(ErrorNumber(tx(1, 134, DealText("BRK2T1", "000277451"))), "5");
    const ReplyMessage made = tx(1, 134, DealText("BRK2T1", "000277450"));
    ASSERT_EQ(made.type, kAccepted) << Text(made);
    const int64_t number = ex_->state().nextDeal - 1;
    const std::string key = std::string(12 - std::to_string(number).size(), '0') + std::to_string(number);
    const std::size_t index = ex_->state().dealByNumber.at(number);
    EXPECT_EQ(ex_->data().deals[index].status, 'O');
    // Only the counterparty confirms.
    EXPECT_EQ(tx(1, 157, Golden(76, { { 0, User("BRK1T1") }, { 12, key } })).type, kRefused);
    const std::size_t tradesBefore = ex_->data().trades.size();
    const int64_t securitiesBefore = ex_->state().streams.securities.last();
    const std::size_t security = ex_->state().securityByKey.at("0BLCKSHR000001   ");
    const int64_t lastOnMarket = ex_->data().securities[security].figures.last;
    EXPECT_EQ(
        tx(2, 157, Golden(76, { { 0, User("BRK2T1") }, { 12, key }, { 24, "BRK2A1" } })).type, kAccepted);
    EXPECT_EQ(ex_->data().deals[index].status, 'M');
    ASSERT_EQ(ex_->data().trades.size(), tradesBefore + 1);
    const Trade& t = ex_->data().trades.back();
    EXPECT_EQ(t.buyFirm, "BRK1");
    EXPECT_EQ(t.sellFirm, "BRK2");
    EXPECT_EQ(t.source, 'N');
    EXPECT_EQ(t.buyOrder, number);
    // The deal trade moves the security's off-market figures, not its market ones.
    const std::string seq = std::to_string(securitiesBefore);
    const auto reports = request(
        1, ++seq_[1], 33, User("BRK1T1") + std::string(10 - seq.size(), '0') + seq + std::string(25, ' '));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].substr(16, 17), "0BLCKSHR000001   ");
    for (const std::string item : { "#O000277450#", "#d0000000000000100#", "#00000000000000100#",
             "#10000000027745000#", "#20000000000000100#", "#30000000027745000#" })
        EXPECT_NE(reports[0].find(item), std::string::npos) << item << " in " << reports[0];
    EXPECT_EQ(reports[0].find("#Z"), std::string::npos) << "no yield for a share";
    EXPECT_EQ(ex_->data().securities[security].figures.last, lastOnMarket);
    // A matched deal can no longer be withdrawn.
    EXPECT_EQ(tx(1, 139, Golden(48, { { 0, User("BRK1T1") }, { 12, key } })).type, kRefused);
}

TEST_F(DealTest, UnconfirmedDealExpiresAfterItsPeriod)
{
    ASSERT_EQ(tx(1, 134, DealText("BRK2T1", "000277450")).type, kAccepted);
    const Deal& d = ex_->data().deals[ex_->state().dealByNumber.at(ex_->state().nextDeal - 1)];
    now_ = "104459"; // entered at 10:15:00 with 30 minutes to confirm
    send(1, ++seq_[1], {});
    EXPECT_EQ(d.status, 'O');
    now_ = "104500";
    send(1, ++seq_[1], {});
    EXPECT_EQ(d.status, 'E');
}

TEST_F(DealTest, TradeCancellationSteps)
{
    // Trade 1: BRK1 bought from BRK2.
    const std::string trade = "000000000001";
    const Trade& t = ex_->data().trades[ex_->state().tradeByNumber.at(1)];
    ASSERT_EQ(t.status, 'M');
    EXPECT_EQ(tx(1, 160, User("BRK1T1") + trade).type, kRefused);
    EXPECT_EQ(tx(1, 151, User("BRK1T1") + trade).type, kAccepted);
    EXPECT_EQ(t.status, 'L'); // the sell side must confirm
    EXPECT_EQ(tx(1, 160, User("BRK1T1") + trade).type, kRefused);
    EXPECT_EQ(tx(2, 160, User("BRK2T1") + trade).type, kAccepted);
    EXPECT_EQ(t.status, 'U');
    EXPECT_EQ(tx(1, 162, User("BRK1T1") + trade).type, kRefused) << "a trader may not approve";
    EXPECT_EQ(tx(3, 162, User("BRK1T2") + trade).type, kAccepted);
    EXPECT_EQ(t.status, 'W');
    EXPECT_EQ(tx(1, 161, User("BRK1T1") + trade).type, kRefused);
}

} // namespace
} // namespace exchange::test
