// The packet rules: one end-of-reply message per information request, exactly
// one verdict per transaction, resent transactions answered from the stored
// reply, malformed requests refused or answered empty, broadcasts only in
// replies to polled packets, every reply within 30,000 bytes.
#include "exchange_fixture.h"

namespace exchange::test {
namespace {

int count(const ReplyPacket& r, int type)
{
    int n = 0;
    for (const ReplyMessage& m : r)
        n += m.type == type;
    return n;
}

TEST_F(ExchangeTest, EveryInformationRequestEndsWithOneEmptyMessage)
{
    ASSERT_EQ(logon(1, "BRK1T1").type, kAccepted);
    const std::string u = User("BRK1T1");
    // Known, unknown, short and non-digit requests in one polled packet.
    const ReplyPacket r = send(1, 1,
        { { 22, u + "00000000" }, { 99, u }, { 23, "BRK1" }, { 20, u + "0000x000" }, { 32, u },
            { 115, u + "00000000" } });
    ASSERT_EQ(count(r, kEndOfReply), 6);
    std::vector<int> types;
    for (const ReplyMessage& m : r)
        types.push_back(m.type);
    const std::vector<int> expected { 22, 22, 22, 22, 22, 22, 0, 0, 0, 0, 32, 0, 115, 115, 115, 0 };
    EXPECT_EQ(types, expected);
    for (const ReplyMessage& m : r) {
        if (m.type == kEndOfReply)
            EXPECT_TRUE(m.data.empty());
        else
            EXPECT_FALSE(m.data.empty()) << "a data message of length 0 reaches the decoders";
    }
}

TEST_F(ExchangeTest, MalformedTransactionsAreRefusedWithOneMessage)
{
    ASSERT_EQ(logon(1, "BRK1T1").type, kAccepted);
    const struct {
        int code;
        std::string text;
    } cases[] = {
        { 182, "BRK1" }, // shorter than the user id
        { 182, User("BRK1T2") + "Kv-1.0.0.0" }, // another user's id
        { 175, User("BRK1T1") }, // unknown code
        { 131, User("BRK1T1") + std::string(64, 'A') }, // no new digest
        { 131, User("BRK1T1") + std::string(128, 'g') }, // not hex
        { 182, User("BRK1T1") + "XX-1.0" }, // not "Kv-"
    };
    uint32_t seq = 1;
    for (const auto& c : cases) {
        const ReplyMessage m = transaction(1, seq++, c.code, c.text);
        EXPECT_EQ(m.type, kRefused) << c.code << " " << c.text;
        // Text, NUL, number, NUL.
        ASSERT_GE(m.data.size(), 4u);
        EXPECT_EQ(m.data.back(), '\0');
    }
}

TEST_F(ExchangeTest, RequestsWithoutALogonGetNothing)
{
    EXPECT_EQ(transaction(5, 1, 182, User("BRK1T1") + "Kv-1.0.0.0").type, kRefused);
    const ReplyPacket r = send(5, 2, { { 22, User("BRK1T1") + "00000000" } });
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].type, kEndOfReply);
    // An empty packet still gets one message.
    EXPECT_EQ(send(5, 3, {}).size(), 1u);
}

TEST_F(ExchangeTest, ResentTransactionIsAnsweredFromTheStoredReply)
{
    ASSERT_EQ(logon(1, "BRK2T2").type, kAccepted);
    const std::string u = User("BRK2T2");
    const std::string change
        = u + PasswordDigest("Pass-BRK2T2", "BRK2T2") + PasswordDigest("New-Pass1", "BRK2T2");
    const ReplyMessage first = transaction(1, 7, 131, change);
    ASSERT_EQ(first.type, kAccepted);
    // Applied again it would be refused: the current digest no longer matches.
    const ReplyMessage resent = transaction(1, 7, 131, change);
    EXPECT_EQ(resent.type, kAccepted);
    EXPECT_EQ(resent.data, first.data);
    // After an automatic reconnection on another slot (repeated logon) as well.
    const ReplyPacket relog = send(2, 0, { { kLogon, Logon("BRK2T2", "New-Pass1", true) } });
    ASSERT_EQ(relog.front().type, kAccepted);
    EXPECT_EQ(transaction(2, 7, 131, change).type, kAccepted);
    // A new packet number applies it: now refused.
    EXPECT_EQ(transaction(2, 8, 131, change).type, kRefused);
    // A first logon (no 'R') forgets the stored reply: a new client counts from 1 again.
    ASSERT_EQ(send(3, 0, { { kLogon, Logon("BRK2T2", "New-Pass1") } }).front().type, kAccepted);
    EXPECT_EQ(transaction(3, 8, 131, change).type, kRefused);
}

TEST_F(ExchangeTest, BroadcastsRideOnlyInPolledReplies)
{
    ASSERT_EQ(logon(1, "BRK1T1").type, kAccepted);
    Session* s = ex_->sessions().find(1);
    ASSERT_NE(s, nullptr);
    s->outbox.push_back({ kExchangeMessage, "message" });
    const std::string u = User("BRK1T1");
    // A blocking snapshot request and a transaction leave it waiting.
    EXPECT_EQ(count(send(1, 1, { { 22, u + "00000000" } }), kExchangeMessage), 0);
    EXPECT_EQ(transaction(1, 2, 182, u + "Kv-1.0.0.0" + std::string(13, ' ')).type, kAccepted);
    // A polled packet carries it after the last end-of-reply message.
    const ReplyPacket r = send(1, 3, { { 44, u + "9999999999" }, { 41, u + "9999999999" } });
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[2].type, kExchangeMessage);
    EXPECT_TRUE(s->outbox.empty());
}

TEST_F(ExchangeTest, LoggedOutNoticeEndsTheSession)
{
    ASSERT_EQ(logon(1, "BRK1T1").type, kAccepted);
    ex_->sessions().find(1)->outbox.push_back(
        VerdictMessage(Refuse("You have been logged out.", kLoggedOutError)));
    const ReplyPacket r = send(1, 1, { { 44, User("BRK1T1") + "9999999999" } });
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].type, kRefused);
    EXPECT_EQ(r[1].data,
        std::string("You have been logged out.\0"
                    "90\0",
            29));
    EXPECT_EQ(ex_->sessions().find(1), nullptr);
}

TEST(ReplyBuilder, KeepsRoomForTheEndsStillOwed)
{
    ReplyBuilder b;
    b.reserveEnds(3);
    const std::size_t room = kMaxReplyPacket - kPacketHeader - 4 * kMessageHeader;
    EXPECT_FALSE(b.fits(room + 1));
    EXPECT_TRUE(b.add(17, std::string(room, 'x')));
    EXPECT_FALSE(b.add(17, "y"));
    EXPECT_TRUE(b.addEnd());
    EXPECT_TRUE(b.addEnd());
    EXPECT_TRUE(b.addEnd());
    EXPECT_FALSE(b.addEnd());
    EXPECT_EQ(b.used(), kMaxReplyPacket);
    EXPECT_EQ(WireSize(b.packet()), kMaxReplyPacket);
}

} // namespace
} // namespace exchange::test
