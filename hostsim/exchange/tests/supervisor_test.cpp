// Operator actions (142), messages and news, limits, order approval, groups,
// market-maker quotes and ticks.
#include "exchange_fixture.h"
#include "golden.h"

namespace exchange::test {
namespace {

const std::string kShare = "0MAINSHR000001   ";

class SupervisorTest : public ExchangeTest {
protected:
    void SetUp() override
    {
        for (const auto& [slot, user] :
            { std::pair { 1, "BRK1T1" }, { 2, "BRK2T1" }, { 3, "BRK1MGR" }, { 4, "BRK1MM" }, { 9, "SUP1" } })
            ASSERT_EQ(logon(slot, user).type, kAccepted);
    }
    ReplyMessage tx(int slot, int code, const std::string& text)
    {
        return transaction(slot, ++seq_[slot], code, text);
    }
    std::vector<std::string> ask(int slot, const std::string& user, int code, const std::string& key)
    {
        return request(slot, ++seq_[slot], code, User(user) + key);
    }
    // The operator action `op` of 142 with its fields after the code byte.
    std::string op(const std::string& user, int code, std::size_t length,
        std::vector<std::pair<std::size_t, std::string>> fields = {})
    {
        fields.insert(fields.begin(), { { 0, User(user) }, { 12, std::string(1, static_cast<char>(code)) } });
        return Golden(length, fields);
    }
    std::string orderText(
        const std::string& user, const std::string& account, char side, const std::string& price)
    {
        return Golden(211,
            { { 0, User(user) }, { 12, account }, { 24, std::string(1, side) },
                { 25, "01000000000000000000000001000000" }, { 57, kShare }, { 74, price },
                { 92, "0000000000000100" }, { 108, "0000000000000000" }, { 178, "000000000" },
                { 195, "0000000000000000" } });
    }
    uint32_t seq_[16] = {};
};

TEST_F(SupervisorTest, SecuritySuspensionWithItsEventAndMessage)
{
    const int64_t events = ex_->state().streams.events.last();
    const std::string suspend = op("SUP1", 9, 673,
        { { 13, "SHR000002" }, { 25, "070000" }, { 31, "Felf\xFCggesztve." }, { 671, "P" }, { 672, "S" } });
    EXPECT_EQ(tx(1, 142, User("BRK1T1") + suspend.substr(12)).type, kRefused)
        << "a trader holds no operator codes";
    EXPECT_EQ(tx(9, 142, suspend).type, kAccepted);
    const Security& s = *ex_->security("0MAINSHR000002   ");
    EXPECT_EQ(s.status, 'S');
    EXPECT_EQ(ex_->security("0BLCKSHR000002   ")->status, 'S');
    const auto event
        = ask(9, "SUP1", 64, std::string(10 - std::to_string(events).size(), '0') + std::to_string(events));
    ASSERT_EQ(event.size(), 1u);
    EXPECT_EQ(event[0].substr(20, 1), "A");
    EXPECT_EQ(event[0].substr(41, 20), Golden(20, { { 0, "S000002" } }));
    EXPECT_EQ(event[0].substr(33, 8), "00000013"); // the message carrying the text
    const ExchangeMessage& m = ex_->data().messages.back();
    EXPECT_EQ(m.key, 13);
    EXPECT_EQ(m.display, 'P');
    EXPECT_EQ(m.status, 'S');
    EXPECT_EQ(m.text, "Felf\xFCggesztve.");
    // Orders on it are refused, naming the security.
    EXPECT_EQ(ErrorNumber(tx(1, 132,
                  orderText("BRK1T1", "BRK1A1", 'B', "000100000").replace(57, 17, "0MAINSHR000002   "))),
        "3");
    EXPECT_EQ(tx(9, 142, op("SUP1", 10, 672, { { 13, "SHR000002" }, { 25, "070000" }, { 671, " " } })).type,
        kAccepted);
    EXPECT_EQ(s.status, 'A');
    // A later time only plans it.
    EXPECT_EQ(Text(tx(9, 142,
                  op("SUP1", 9, 673, { { 13, "SHR000003" }, { 25, "235900" }, { 671, "S" }, { 672, "S" } }))),
        "Planned for 235900.");
    EXPECT_EQ(ex_->security("0MAINSHR000003   ")->status, 'A');
    EXPECT_EQ(ex_->data().events.back().kind, 'P');
    EXPECT_EQ(ex_->data().events.back().time, "235900"); // when it takes effect, not now
    // Carried out when the host's clock gets there; a deleted plan is not.
    EXPECT_EQ(
        tx(9, 142, op("SUP1", 9, 673, { { 13, "SHR000004" }, { 25, "235900" }, { 671, "S" }, { 672, "S" } }))
            .type,
        kAccepted);
    const std::string id = std::to_string(ex_->data().events.back().id);
    EXPECT_EQ(
        tx(9, 142, op("SUP1", 8, 17, { { 13, std::string(4 - id.size(), '0') + id } })).type, kAccepted);
    now_ = "235900";
    send(9, ++seq_[9], {});
    EXPECT_EQ(ex_->security("0MAINSHR000003   ")->status, 'S');
    EXPECT_EQ(ex_->security("0MAINSHR000004   ")->status, 'A');
    EXPECT_EQ(ex_->data().events.back().kind, 'R');
}

// An issuer's suspension (12) and resumption (13) change its securities and
// the issuer itself, so that the workstation offers the resumption next.
TEST_F(SupervisorTest, IssuerSuspensionChangesTheIssuerToo)
{
    const Firm& issuer = *ex_->firm("ISSR2");
    const int64_t firms = ex_->state().streams.firms.last();
    EXPECT_EQ(tx(9, 142, op("SUP1", 12, 672, { { 13, "ISSR2" }, { 25, "070000" }, { 671, " " } })).type, kAccepted);
    EXPECT_EQ(ex_->security("0MAINSHR000001   ")->status, 'S');
    EXPECT_EQ(issuer.status, 'S');
    EXPECT_GT(ex_->state().streams.firms.last(), firms);
    EXPECT_EQ(tx(9, 142, op("SUP1", 13, 672, { { 13, "ISSR2" }, { 25, "070000" }, { 671, " " } })).type, kAccepted);
    EXPECT_EQ(ex_->security("0MAINSHR000001   ")->status, 'A');
    EXPECT_EQ(issuer.status, 'A');
    // Planned for later, both change when the host's clock gets there.
    EXPECT_EQ(Text(tx(9, 142, op("SUP1", 12, 672, { { 13, "ISSR2" }, { 25, "235900" }, { 671, " " } }))),
        "Planned for 235900.");
    EXPECT_EQ(issuer.status, 'A');
    now_ = "235900";
    send(9, ++seq_[9], {});
    EXPECT_EQ(ex_->security("0MAINSHR000001   ")->status, 'S');
    EXPECT_EQ(issuer.status, 'S');
}

TEST_F(SupervisorTest, MarketsUsersAndReferencePrice)
{
    const int64_t markets = ex_->state().streams.markets.last();
    EXPECT_EQ(tx(9, 142, op("SUP1", 1, 19, { { 13, "EQTY" }, { 17, "Y" }, { 18, "S" } })).type, kAccepted);
    EXPECT_EQ(
        ask(9, "SUP1", 42, std::string(10 - std::to_string(markets).size(), '0') + std::to_string(markets)),
        std::vector<std::string> { "0000000001EQTYS" });
    // A supervisor's logoff reaches the user in the next poll reply.
    EXPECT_EQ(tx(9, 142, op("SUP1", 35, 27, { { 13, "BRK2T1" }, { 25, "YN" } })).type, kAccepted);
    const ReplyPacket r = send(2, ++seq_[2], { { 44, User("BRK2T1") + "9999999999" } });
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].type, kRefused);
    EXPECT_EQ(ErrorNumber(r[1]), "90");
    EXPECT_EQ(ex_->sessions().find(2), nullptr);
    // The reference price dialog's text is 2048 long; the tagged list ends at "##".
    EXPECT_EQ(tx(9, 142,
                  op("SUP1", 55, 2048,
                      { { 13, kShare }, { 30, "01" }, { 32, "v" }, { 33, "000280000" }, { 42, "##" } }))
                  .type,
        kAccepted);
    EXPECT_EQ(ex_->security(kShare)->figures.reference, 280000);
    EXPECT_EQ(ex_->data().events.back().type, 'G');
    EXPECT_EQ(ex_->data().events.back().price, 280000);
    // Suspending a user refuses the next logon.
    EXPECT_EQ(tx(9, 142, op("SUP1", 29, 27, { { 13, "BRK2T1" }, { 25, "Y" }, { 26, "S" } })).type, kAccepted);
    EXPECT_EQ(Text(logon(5, "BRK2T1")), "The user is suspended.");
}

TEST_F(SupervisorTest, TheDaysPriceLimitsLieOnTheTickGridWithinFifteenPercentOfThePreviousPrice)
{
    const struct {
        std::string key;
        int64_t upper, lower;
    } cases[] = {
        { kShare, 319065, 235835 }, // 277450: 319067.5 and 235832.5 moved inside to ticks of 5
        { "0PRIMPRM000001   ", 112700, 83300 }, // 98000: exactly on the grid
    };
    for (const auto& c : cases) {
        const Security* s = ex_->security(c.key);
        ASSERT_NE(s, nullptr) << c.key;
        EXPECT_EQ(s->figures.upperLimit, c.upper) << c.key;
        EXPECT_EQ(s->figures.lowerLimit, c.lower) << c.key;
    }
}

TEST_F(SupervisorTest, MessagesAndNews)
{
    EXPECT_TRUE(ask(2, "BRK2T1", 29, "").empty());
    ex_->sessions().find(2)->outbox.clear();
    const std::string message = Golden(684,
        { { 0, User("BRK1T1") }, { 12, "BRK2T1" }, { 36, "N" }, { 37, "S" }, { 38, "090000" },
            { 44, "Hello\r\nthere" } });
    EXPECT_EQ(tx(1, 144, message).type, kAccepted);
    ASSERT_EQ(ex_->sessions().find(2)->outbox.size(), 1u);
    EXPECT_EQ(ex_->sessions().find(2)->outbox.front().data.substr(65, 12), "Hello\r\nthere");
    EXPECT_EQ(
        tx(1, 144,
            Golden(
                684, { { 0, User("BRK1T1") }, { 12, "NOBODY" }, { 36, "N" }, { 37, "S" }, { 38, "090000" } }))
            .type,
        kRefused);
    // A waiting message can be withdrawn by its sender only.
    EXPECT_EQ(tx(1, 170, User("BRK1T1") + "00000004").type, kAccepted);
    EXPECT_EQ(tx(1, 170, User("BRK1T1") + "00000004").type, kRefused);

    const std::string news = Golden(5175,
        { { 0, User("SUP1") }, { 12, "ANNC" }, { 16, "HU" }, { 18, "ISSR1" }, { 42, "235900" },
            { 48, "Tervezett h\xEDr" }, { 168, "N" }, { 169, "N" }, { 170, "S" }, { 171, "0006" },
            { 175, "Sz\xF6veg" } });
    EXPECT_EQ(tx(1, 154, User("BRK1T1") + news.substr(12)).type, kRefused) << "a trader may not publish";
    EXPECT_EQ(tx(9, 154, news).type, kAccepted);
    const NewsItem& n = ex_->data().news.back();
    EXPECT_EQ(n.id, 4);
    EXPECT_EQ(n.status, 'P');
    EXPECT_EQ(ex_->sessions().find(2)->outbox.back().type, kNewsHead);
    EXPECT_EQ(ask(1, "BRK1T1", 69, "00000004").front(), "0006Sz\xF6veg");
    EXPECT_EQ(tx(9, 172, User("SUP1") + "00000004").type, kAccepted);
    EXPECT_EQ(ex_->data().news.back().status, 'R');
    EXPECT_EQ(ex_->sessions().find(2)->outbox.back().data.back(), 'R');
}

TEST_F(SupervisorTest, WaitingMessagesAndNewsGoOutAtTheirTime)
{
    EXPECT_TRUE(ask(2, "BRK2T1", 29, "").empty());
    ex_->sessions().find(2)->outbox.clear();
    // BRK1T1's message to BRK2T1 waits until 23:59:00; the pending news head likewise.
    now_ = "235858";
    send(2, ++seq_[2], { { 44, User("BRK2T1") + "9999999999" } });
    EXPECT_TRUE(ex_->sessions().find(2)->outbox.empty());
    now_ = "235900";
    const ReplyPacket r = send(2, ++seq_[2], { { 44, User("BRK2T1") + "9999999999" } });
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[1].type, kExchangeMessage);
    EXPECT_EQ(r[1].data.substr(0, 8), "00000004");
    EXPECT_EQ(r[1].data[64], 'S');
    EXPECT_EQ(r[2].type, kNewsHead);
    EXPECT_EQ(r[2].data.substr(0, 8), "00000003");
    EXPECT_EQ(r[2].data[187], 'S');
}

TEST_F(SupervisorTest, LimitsApprovalAndGroups)
{
    const std::string block = "HUF1  "
                              "Y+0000000000000900"
                              "Y"
                              "Y-0000000000000800"
                              "N"
                              "Y0000000000000700";
    EXPECT_EQ(tx(3, 150, User("BRK1MGR") + User("BRK1") + block).type, kAccepted);
    const CashPosition& p = ex_->data().cash.front();
    EXPECT_EQ(p.limits.warn, 900);
    EXPECT_EQ(p.limits.hard, -800);
    EXPECT_EQ(p.limits.order, 700);
    EXPECT_EQ(tx(3, 150, User("BRK1MGR") + User("BRK2") + block).type, kRefused) << "another firm's limits";
    EXPECT_EQ(tx(1, 150, User("BRK1T1") + User("BRK1") + block).type, kRefused) << "a trader holds no 150";

    EXPECT_EQ(tx(3, 147, User("BRK1MGR") + User("BRK1T1")).type, kAccepted);
    EXPECT_NE(Text(tx(1, 132, orderText("BRK1T1", "BRK1A1", 'B', "000100000"))).find("waits for approval"),
        std::string::npos);

    EXPECT_EQ(
        tx(3, 166, Golden(67, { { 0, User("BRK1MGR") }, { 12, "A" }, { 13, "BRK1" }, { 25, "GNEW" } })).type,
        kAccepted);
    EXPECT_EQ(tx(3, 167,
                  Golden(57,
                      { { 0, User("BRK1MGR") }, { 12, "A" }, { 13, "BRK1" }, { 25, "GNEW" },
                          { 37, "00000001" }, { 45, "BRK1A3" } }))
                  .type,
        kRefused)
        << "a suspended account";
    EXPECT_EQ(tx(3, 167,
                  Golden(57,
                      { { 0, User("BRK1MGR") }, { 12, "A" }, { 13, "BRK1" }, { 25, "GNEW" },
                          { 37, "00000001" }, { 45, "BRK1A2" } }))
                  .type,
        kAccepted);
    EXPECT_EQ(
        tx(3, 168,
            Golden(49,
                { { 0, User("BRK1MGR") }, { 12, "A" }, { 13, "BRK1" }, { 25, "GNEW" }, { 37, "BRK1T2" } }))
            .type,
        kAccepted);
    const auto groups = ask(3, "BRK1MGR", 61, "00000000" + User("BRK1") + User("GNEW"));
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].substr(33, 20), "00000001BRK1A2      ");
}

TEST_F(SupervisorTest, QuotesReplaceTheFirmsQuoteAndTicksMovePrices)
{
    auto side = [](const std::string& account, const std::string& price) {
        return Golden(134,
            { { 0, account }, { 12, "01000100000000000000000001000000" }, { 44, price },
                { 62, "0000000000000100" }, { 78, "0000000000000000" } });
    };
    const std::string quote
        = User("BRK1MM") + kShare + "00" + side("BRK1A1", "000270000") + side("BRK1A1", "000290000");
    ASSERT_EQ(quote.size(), 299u);
    EXPECT_EQ(tx(4, 140, quote).type, kAccepted);
    EXPECT_EQ(tx(4, 140, quote).type, kAccepted);
    const Book& book = ex_->state().books[0];
    ASSERT_EQ(book.bids.orders.size(), 1u);
    ASSERT_EQ(book.offers.orders.size(), 1u);
    EXPECT_EQ(ex_->data().orders[book.bids.orders[0]].flags[5], '1');
    // Two ticks up for the maker's own orders on the security.
    const std::string tick = Golden(71,
        { { 0, User("BRK1MM") }, { 24, "BRK1MM" }, { 36, kShare }, { 65, " " }, { 66, "+" },
            { 67, "0002" } });
    EXPECT_EQ(Text(tx(4, 178, tick)), "2 orders moved.");
    EXPECT_EQ(ex_->data().orders[book.bids.orders[0]].price, 270010);
    EXPECT_EQ(ex_->data().orders[book.offers.orders[0]].price, 290010);
}

} // namespace
} // namespace exchange::test
