// Records of the security snapshot, the standing requests and the broadcasts,
// byte for byte against their layouts; the security snapshot paged at the
// 30,000-byte limit; the book windows.
#include "exchange_fixture.h"
#include "golden.h"

namespace exchange::test {
namespace {

const std::string kShare = "0MAINSHR000001   ";
const std::string k16 = "0000000000000000";

class RecordTest : public ExchangeTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(logon(1, "BRK1T1").type, kAccepted);
        ASSERT_EQ(logon(2, "BRK2T1").type, kAccepted);
        ASSERT_EQ(logon(9, "SUP1").type, kAccepted);
    }
    std::vector<std::string> ask(int slot, const std::string& user, int code, const std::string& key)
    {
        return request(slot, ++seq_[slot], code, User(user) + key);
    }
    uint32_t seq_[16] = {};
};

TEST_F(RecordTest, SecuritySnapshotPagesAtTheLimit)
{
    std::string key = "00000000";
    std::vector<std::string> all;
    int replies = 0;
    for (; replies < 20; ++replies) {
        const ReplyPacket r = send(1, ++seq_[1], { { 17, User("BRK1T1") + key + "        " } });
        EXPECT_LE(WireSize(r), kMaxReplyPacket);
        if (r.size() == 1)
            break;
        // A full page: one more record would not have fitted.
        if (all.size() + r.size() - 1 < 200) {
            EXPECT_GT(WireSize(r) + kMessageHeader + 1102, kMaxReplyPacket);
        }
        for (std::size_t i = 0; i + 1 < r.size(); ++i)
            all.push_back(r[i].data);
        key = all.back().substr(0, 8);
        if (all.back()[1101] == '1')
            break;
    }
    ASSERT_EQ(all.size(), 200u);
    EXPECT_EQ(replies, 7); // 26 records of 1102 bytes a packet
    for (std::size_t i = 0; i < all.size(); ++i) {
        ASSERT_EQ(all[i].size(), 1102u);
        EXPECT_EQ(all[i].substr(0, 8),
            Golden(8, { { 0, std::string(8 - std::to_string(i + 1).size(), '0') + std::to_string(i + 1) } }));
        EXPECT_EQ(all[i][1101], i == 199 ? '1' : '0');
    }
    EXPECT_EQ(all[0],
        Golden(1102,
            { { 0, "00000001" }, { 8, kShare },
                { 25,
                    "P\xE9"
                    "csi B\xF5rgy\xE1r Nyrt." },
                { 73, "S000001" }, { 93, "A" }, { 94, "Folyamatos" }, { 124, "EQTY" }, { 136, "ENRG" },
                { 143, "02" }, { 145, k16 }, { 161, k16 }, { 177, "20261209" }, { 185, "000277450" },
                { 194, k16 }, { 210, k16 }, { 226, "-99999999" }, { 235, k16 }, { 251, "N" },
                { 252, "0000000" }, { 259, k16 }, { 275, k16 }, { 316, k16 }, { 348, "02" }, { 350, "0" },
                { 351, "0000000000000001" }, { 367, "N" }, { 368, "ISSR2" }, { 393, k16 },
                { 421, "HU0000000001" }, { 445, "03" }, { 1101, "0" } }));
}

TEST_F(RecordTest, OrderTradeDealAndLastTradeRecords)
{
    const auto orders = ask(1, "BRK1T1", 50, "0000000000" + std::string(12, '0'));
    ASSERT_FALSE(orders.empty());
    EXPECT_EQ(orders[0],
        Golden(375,
            { { 0, "0000000001" }, { 10, "Y" }, { 11, "000000000001" }, { 23, "N" }, { 24, "20261210" },
                { 32, "090000" }, { 38, "M" }, { 39, "B" }, { 40, "01000000000000000000000001000000" },
                { 72, "REF0000001" }, { 112, "BRK1T1" }, { 124, "BRK1" }, { 136, "BRK1A1" },
                { 148,
                    "\xDC"
                    "gyf\xE9lsz\xE1mla 1" },
                { 178, kShare }, { 195, "000277450" }, { 204, "-99999999" }, { 213, "0000000000000280" },
                { 229, k16 }, { 245, k16 }, { 261, "0000000077686000" }, { 285, "000000000000" },
                { 297, k16 }, { 321, "000000" }, { 327, "000000000" }, { 336, "000000000000" },
                { 348, "00027745000" }, { 359, k16 } }));
    // Only the firm's own orders, first records in increasing order number.
    for (std::size_t i = 1; i < orders.size(); ++i) {
        EXPECT_EQ(orders[i].substr(124, 12), "BRK1        ");
        EXPECT_GT(orders[i].substr(11, 12), orders[i - 1].substr(11, 12));
        EXPECT_GT(orders[i].substr(0, 10), orders[i - 1].substr(0, 10));
    }
    const auto trades = ask(1, "BRK1T1", 54, "0000000000" + std::string(12, '0'));
    ASSERT_FALSE(trades.empty());
    EXPECT_EQ(trades[0],
        Golden(320,
            { { 0, "0000000001" }, { 10, "Y" }, { 11, "000000000001" }, { 23, "N" }, { 24, "000000000001" },
                { 36, "000000000002" }, { 48, "090028" }, { 140, "BRK1T1" }, { 152, "BRK2T1" },
                { 164, "BRK1" }, { 176, "BRK2" }, { 188, "BRK1A1" }, { 200, "BRK2A2" }, { 212, kShare },
                { 229, "000277450" }, { 238, "-99999999" }, { 247, "0000000000000280" },
                { 263, "0000000077686000" }, { 287, k16 }, { 303, "20261210" }, { 311, "M" }, { 312, "E" },
                { 313, "090028" }, { 319, "D" } }));
    const std::string deal = Golden(251,
        { { 0, "0000000001" }, { 10, "Y" }, { 11, "000000000001" }, { 23, "N" }, { 36, "100000" },
            { 42, "O" }, { 43, "B" }, { 44, "DEAL000001" }, { 84, "BRK1T1" }, { 96, "BRK1" },
            { 108, "BRK2T1" }, { 120, "BRK2" }, { 132, "BRK1A1" }, { 144, "0BLCKSHR000001   " },
            { 161, "000277450" }, { 170, "0000000000000100" }, { 186, "00000000" }, { 194, "0030" },
            { 198, "-99999999" }, { 214, "N" }, { 215, "0005" }, { 219, std::string(32, '0') } });
    EXPECT_EQ(ask(1, "BRK1T1", 52, "0000000000" + std::string(12, '0')).front(), deal);
    // The counterparty sees it unconfirmed, from its own side.
    EXPECT_EQ(ask(2, "BRK2T1", 52, "0000000000" + std::string(12, '0')).front(),
        Golden(251,
            { { 0, "0000000001" }, { 10, "Y" }, { 11, "000000000001" }, { 23, "N" }, { 36, "100000" },
                { 42, "C" }, { 43, "S" }, { 44, "DEAL000001" }, { 84, "BRK2T1" }, { 96, "BRK2" },
                { 108, "BRK1T1" }, { 120, "BRK1" }, { 144, "0BLCKSHR000001   " }, { 161, "000277450" },
                { 170, "0000000000000100" }, { 186, "00000000" }, { 194, "0030" }, { 198, "-99999999" },
                { 214, "N" }, { 215, "0005" }, { 219, std::string(32, '0') } }));
    EXPECT_EQ(ask(9, "SUP1", 118, "0000000000" + std::string(12, '0') + " ").front(),
        Golden(137,
            { { 0, "0000000001" }, { 10, "000000000001" }, { 22, kShare }, { 39, "000277450" },
                { 48, "-99999999" }, { 57, "0000000000000280" }, { 73, "0000000077686000" },
                { 89, "20261210" }, { 97, "090028" }, { 103, "E" }, { 112, "Y" }, { 113, "BRK1" },
                { 125, "BRK2" } }));
}

TEST_F(RecordTest, ChangeReportsOfTheReferenceTables)
{
    EXPECT_EQ(ask(1, "BRK1T1", 44, "0000000000").front(),
        Golden(47,
            { { 0, "0000000001" }, { 10, "MAIN" }, { 14, "A" },
                { 15, "11000100011110111100000111111000" } }));
    const auto events = ask(1, "BRK1T1", 64, "0000000006");
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0],
        Golden(80,
            { { 0, "0000000007" }, { 10, "0007" }, { 14, "103000" }, { 20, "G" }, { 21, "SUP1" },
                { 33, "00000010" }, { 41, "S000001" }, { 61, "S" }, { 62, "000150000" } }));
    EXPECT_EQ(events[1],
        Golden(80,
            { { 0, "0000000008" }, { 10, "0008" }, { 14, "104500" }, { 20, "H" }, { 21, "SUP1" },
                { 33, "00000011" }, { 41, "S000001" }, { 61, "S" }, { 62, "000165000" },
                { 71, "000135000" } }));
    EXPECT_EQ(events[2][61], 'P');
    EXPECT_EQ(ask(1, "BRK1T1", 85, "0000000000").front(),
        Golden(64,
            { { 0, "0000000001" }, { 10, "SCH000000001" }, { 22, "083000" }, { 28, "01" }, { 30, "PREOPEN" },
                { 42, "MAIN" }, { 62, "N" }, { 63, "1" } }));
    EXPECT_EQ(ask(1, "BRK1T1", 41, "0000000000").front(),
        Golden(284,
            { { 0, "0000000001" }, { 10, "BRK1" }, { 22, "A" }, { 23, "0000" }, { 27, "N" },
                { 28, std::string(256, '0') } }));
    EXPECT_EQ(ask(1, "BRK1T1", 40, "0000000000").front(),
        Golden(334,
            { { 0, "0000000001" }, { 10, "BRK1T1" }, { 22, "TRADER" }, { 34, "A" }, { 75, "N" }, { 76, "1" },
                { 77, "N" }, { 78, std::string(256, '0') } }));
    // Audit events: the 'Y' stream and the other, each from its own key.
    const auto audit = ask(9, "SUP1", 72,
        "00000000"
        "00000001");
    ASSERT_EQ(audit.size(), 6u); // two seed events and this test's three logons in 'Y', one more in the other
    EXPECT_EQ(audit[0],
        Golden(125,
            { { 0, "00000001" }, { 8, "Y" }, { 9, "SESS" }, { 13, "LOGN" }, { 17, "080100" }, { 23, "N" },
                { 76, "BRK1T1" }, { 88, "BRK1" }, { 100, "022" }, { 103, "BRK1T1 bejelentkezett." } }));
    EXPECT_EQ(audit[5].substr(0, 9), "00000002N");
    // Logons and accepted transactions add events: the three logons of this test, then an order.
    const auto logons = ask(9, "SUP1", 72,
        "00000002"
        "99999999");
    ASSERT_EQ(logons.size(), 3u);
    EXPECT_EQ(logons[0],
        Golden(120,
            { { 0, "00000003" }, { 8, "Y" }, { 9, "SESS" }, { 13, "LOGN" }, { 17, "101500" }, { 23, " " },
                { 76, "BRK1T1" }, { 88, "BRK1" }, { 100, "017" }, { 103, "BRK1T1 logged on." } }));
    // The market status record serves the security list stamp and the replay statistics.
    EXPECT_EQ(ask(1, "BRK1T1", 25, "").front(),
        Golden(252,
            { { 120, "2026121001" }, { 214, "00001000" }, { 222, "00000050" }, { 230, "00000000" },
                { 238, "00000000" } }));
}

TEST_F(RecordTest, BroadcastSwitchReplaysMessagesAndNewsInPolls)
{
    EXPECT_TRUE(ask(1, "BRK1T1", 29, "").empty());
    const ReplyPacket r = send(1, ++seq_[1], { { 44, User("BRK1T1") + "9999999999" } });
    std::vector<std::string> messages, news;
    for (const ReplyMessage& m : r)
        (m.type == kExchangeMessage ? messages : m.type == kNewsHead ? news : messages).push_back(m.data);
    messages.erase(messages.begin()); // the end-of-reply message of request 44
    // Messages to everyone, to the firm, and the user's own waiting one; not SUP1's waiting one.
    ASSERT_EQ(messages.size(), 11u);
    EXPECT_EQ(messages[0],
        Golden(709,
            { { 0, "00000001" }, { 8, "EXCH01" }, { 20, "SUP1" }, { 56, "N" }, { 57, "083000" }, { 63, "S" },
                { 64, "S" },
                { 65,
                    "J\xF3 reggelt! A keresked\xE9s 9:00-kor kezd\xF5"
                    "dik." } }));
    EXPECT_EQ(messages[3].substr(0, 8), "00000004");
    EXPECT_EQ(messages[3][64], 'P');
    ASSERT_EQ(news.size(), 3u);
    EXPECT_EQ(news[0],
        Golden(188,
            { { 0, "00000001" }, { 8, "SUP1" }, { 20, "ANNC" }, { 24, "HU" }, { 26, "ISSR1" },
                { 38, "SHR000001" }, { 50, "20261210" }, { 58, "080000" },
                { 64, "Osztal\xE9kfizet\xE9si k\xF6zlem\xE9ny" }, { 184, "N" }, { 185, "N" }, { 186, "S" },
                { 187, "S" } }));
    EXPECT_EQ(ask(1, "BRK1T1", 69, "00000001").front(),
        std::string("0048") + "Az ISSR1 igazgat\xF3s\xE1ga 120 Ft osztal\xE9kot javasol.");
    // Another firm gets neither BRK1's firm message nor a message still waiting for its send time.
    EXPECT_TRUE(ask(2, "BRK2T1", 29, "").empty());
    EXPECT_EQ(ex_->sessions().find(2)->outbox.size(), 9u + 3u);
}

TEST_F(RecordTest, SummaryRecordsEveryCycleInFull)
{
    // One record per (sector, market, board) of the listed shares and bonds, the whole set each cycle.
    const auto first = ask(1, "BRK1T1", 27, std::string("00000000") + '\0');
    ASSERT_FALSE(first.empty());
    for (std::size_t i = 0; i < first.size(); ++i) {
        ASSERT_EQ(first[i].size(), 89u);
        EXPECT_EQ(first[i].substr(0, 8),
            std::string(8 - std::to_string(i + 1).size(), '0') + std::to_string(i + 1));
        EXPECT_EQ(first[i][88], i + 1 == first.size() ? '1' : '0');
    }
    EXPECT_EQ(first.front().substr(8, 12), "BANKEQTYBLCK");
    EXPECT_EQ(ask(1, "BRK1T1", 27, std::string("00000000") + '\0'), first);
}

TEST_F(RecordTest, BookWindowsGetTheWholeBookWhenItChanged)
{
    auto order = [&](int slot, const std::string& user, const std::string& account, char side,
                     const std::string& price, const std::string& quantity) {
        const std::string text = Golden(211,
            { { 0, User(user) }, { 12, account }, { 24, std::string(1, side) },
                { 25, "01000000000000000000000001000000" }, { 57, kShare }, { 74, price }, { 92, quantity },
                { 108, k16 }, { 178, "000000000" }, { 195, k16 } });
        ASSERT_EQ(transaction(slot, ++seq_[slot], 132, text).type, kAccepted);
    };
    order(1, "BRK1T1", "BRK1A1", 'B', "000277000", "0000000000000100");
    order(2, "BRK2T1", "BRK2A1", 'S', "000278000", "0000000000000050");
    order(2, "BRK2T1", "BRK2A1", 'S', "000278000", "0000000000000030");
    const std::string key = "0000000000" + kShare;
    EXPECT_EQ(ask(1, "BRK1T1", 36, key).front(),
        Golden(144,
            { { 0, "0000000004" }, { 10, kShare }, { 27, "0000003" }, { 34, "01" }, { 36, "01" },
                { 38, "000277000" }, { 47, "-99999999" }, { 56, "0000000000000100" },
                { 72, "0000000000000100" }, { 88, " " }, { 89, "!" }, { 90, "#" }, { 91, "000278000" },
                { 100, "-99999999" }, { 109, "0000000000000080" }, { 125, k16 }, { 141, " " }, { 142, "N" },
                { 143, "#" } }));
    EXPECT_EQ(ask(1, "BRK1T1", 70, key).front(),
        Golden(145,
            { { 0, "0000000004" }, { 10, kShare }, { 27, "01" }, { 29, "02" }, { 31, "BRK1" },
                { 43, "000277000" }, { 52, "0000000000000100" }, { 68, "*" }, { 69, "BRK2" },
                { 81, "000278000" }, { 90, "0000000000000050" }, { 106, " " }, { 107, "BRK2" },
                { 119, "000278000" }, { 128, "0000000000000030" }, { 144, " " } }));
    // Unchanged since the version the window holds: nothing.
    EXPECT_TRUE(ask(1, "BRK1T1", 36, "0000000004" + kShare).empty());
}

} // namespace
} // namespace exchange::test
