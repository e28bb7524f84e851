// The peer's fault modes as a client sees them on the wire.
#include <gtest/gtest.h>

#include <stdexcept>

#include "raw_client.h"
#include "vorl/codec.h"

namespace hostsim::test {
namespace {

// Request `seq` with one message of `text`; its echoed reply is this long.
std::size_t EchoLength(const std::string& text)
{
    return 16 + 20 + text.size();
}

class PeerFaults : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(link.logOn()); }
    bool request(uint32_t seq, const std::string& text = "payload")
    {
        return link.send(ClientPacket(seq, { { 10, text, seq + 100 } }));
    }
    ProtocolPeer peer;
    RawLink link { peer.address(), peer.port() };
};

TEST_F(PeerFaults, DelayHoldsRepliesBack)
{
    peer.setReplyDelay(milliseconds(300));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(request(1));
    auto reply = link.readPacket();
    ASSERT_TRUE(reply);
    // The peer cannot write before the delay is over, so this bound is firm.
    EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(300));
    EXPECT_EQ(reply->hdr.seq, 1u);

    peer.setReplyDelay(milliseconds(0));
    ASSERT_TRUE(request(2));
    ASSERT_TRUE(link.readPacket());
}

TEST_F(PeerFaults, DropLinksClosesNow)
{
    peer.dropLinks();
    EXPECT_TRUE(link.waitClosed());
    EXPECT_EQ(peer.record().connectionsClosed, 1);
}

TEST_F(PeerFaults, DropAtRequestLeavesThatRequestUnanswered)
{
    peer.dropAtRequest(2);
    ASSERT_TRUE(request(1));
    auto reply = link.readPacket();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->hdr.seq, 1u);
    ASSERT_TRUE(request(2));
    EXPECT_TRUE(link.waitClosed());
    PeerRecord r = peer.record();
    EXPECT_EQ(r.requestSequences(), (std::vector<uint32_t> { 1, 2 }));
    EXPECT_EQ(r.repliesSent, 1u);

    // A new connection is served again, and the fault is spent.
    RawLink again(peer.address(), peer.port());
    ASSERT_TRUE(again.logOn());
    ASSERT_TRUE(again.send(ClientPacket(2, { { 10, "resent", 0 } })));
    reply = again.readPacket();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->hdr.seq, 2u);
    EXPECT_EQ(peer.record().requests().back()->connection, 2);
}

TEST_F(PeerFaults, CutReplyEndsMidPacket)
{
    peer.cutNextReply();
    ASSERT_TRUE(request(1, "a text long enough to be cut in two"));
    std::vector<uint8_t> got;
    for (int i = 0; i < 100 && !link.waitClosed(milliseconds(0)); ++i) {
        auto part = link.readOnce(kWait);
        got.insert(got.end(), part.begin(), part.end());
    }
    EXPECT_TRUE(link.waitClosed(milliseconds(0)));
    EXPECT_GT(got.size(), 0u);
    EXPECT_LT(got.size(), EchoLength("a text long enough to be cut in two"));
    EXPECT_EQ(peer.record().repliesSent, 0u);
}

TEST_F(PeerFaults, CoalescedRepliesArriveInOneWrite)
{
    peer.coalesceNextReplies();
    ASSERT_TRUE(request(1));
    ASSERT_TRUE(peer.waitForRequests(1, kWait));
    ASSERT_TRUE(request(2));
    // Both replies went out in one send, so the first read takes both whole.
    std::vector<uint8_t> got = link.readOnce(kWait);
    ASSERT_EQ(got.size(), 2 * EchoLength("payload"));
    auto first = ParseGot({ got.begin(), got.begin() + 43 });
    auto second = ParseGot({ got.begin() + 43, got.end() });
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->hdr.seq, 1u);
    EXPECT_EQ(second->hdr.seq, 2u);
    EXPECT_EQ(second->msgs[0].handle, 102u);
    ASSERT_TRUE(peer.waitFor([](const PeerRecord& r) { return r.repliesSent == 2; }, kWait));
}

TEST_F(PeerFaults, OverriddenSequenceAnswersNoRequest)
{
    peer.overrideNextSequence(99);
    ASSERT_TRUE(request(1));
    auto reply = link.readPacket();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->hdr.seq, 99u);
    EXPECT_EQ(reply->msgs[0].seq, 99u);
    EXPECT_EQ(reply->msgs[0].handle, 101u);
    ASSERT_TRUE(request(2));
    reply = link.readPacket();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->hdr.seq, 2u);
}

TEST_F(PeerFaults, ReorderedRepliesComeInTheGivenOrder)
{
    peer.reorderNextReplies({ 2, 0, 1 });
    for (uint32_t seq = 1; seq <= 3; ++seq)
        ASSERT_TRUE(request(seq));
    for (uint32_t seq : { 3u, 1u, 2u }) {
        auto reply = link.readPacket();
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->hdr.seq, seq);
        EXPECT_EQ(reply->msgs[0].handle, seq + 100);
    }
    ASSERT_TRUE(request(4)); // back in order
    auto reply = link.readPacket();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->hdr.seq, 4u);

    for (const std::vector<int>& bad :
        { std::vector<int> { 0, 0 }, std::vector<int> { 1, 2 }, std::vector<int> { -1 } })
        EXPECT_THROW(peer.reorderNextReplies(bad), std::invalid_argument);
}

TEST_F(PeerFaults, MalformedRepliesKeepTheLinkOpen)
{
    const std::size_t full = EchoLength("payload");
    struct Case {
        Malformation how;
        std::size_t bytes;
        int offset; // of the spoiled 16-bit field, or -1 for the kind byte
        uint16_t value;
    };
    const Case cases[] = {
        { Malformation::BadKind, full, -1, 3 },
        { Malformation::LengthBelowHeader, 16, 14, 8 },
        { Malformation::LengthAboveLimit, full, 14, 0xFFFF },
        { Malformation::CountBeyondPacket, full, 12, 6 },
        { Malformation::MessageBeyondPacket, full, 18, 1007 },
    };
    uint32_t seq = 0;
    for (const Case& c : cases) {
        peer.malformNextReply(c.how);
        ASSERT_TRUE(request(++seq));
        auto got = link.readExactly(c.bytes);
        ASSERT_TRUE(got) << seq;
        const uint16_t field = c.offset < 0 ? (*got)[0] : wire::getU16(got->data() + c.offset);
        EXPECT_EQ(field, c.value) << seq;
        EXPECT_EQ(wire::getU32(got->data() + 8), seq);
    }
    ASSERT_TRUE(request(++seq));
    auto reply = link.readPacket();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->hdr.seq, seq);
}

TEST_F(PeerFaults, ReplacedReplyAndRawBytes)
{
    peer.replaceNextReply({ 1, 2, 3 });
    ASSERT_TRUE(request(1));
    EXPECT_EQ(link.readExactly(3), (std::vector<uint8_t> { 1, 2, 3 }));

    EXPECT_EQ(peer.sendRaw({ 9, 8 }), 1);
    EXPECT_EQ(link.readExactly(2), (std::vector<uint8_t> { 9, 8 }));
}

TEST_F(PeerFaults, ArmedFaultsAreTakenInOrderByRequestRepliesOnly)
{
    // A logon on a second link must not use up what is armed.
    peer.coalesceNextReplies();
    peer.overrideNextSequence(77);
    RawLink other(peer.address(), peer.port());
    ASSERT_TRUE(other.logOn());

    ASSERT_TRUE(request(1));
    ASSERT_TRUE(peer.waitForRequests(1, kWait));
    ASSERT_TRUE(request(2));
    std::vector<uint8_t> got = link.readOnce(kWait);
    ASSERT_EQ(got.size(), 86u);
    EXPECT_EQ(wire::getU32(got.data() + 8), 1u);
    EXPECT_EQ(wire::getU32(got.data() + 43 + 8), 77u);
}

TEST_F(PeerFaults, HandlerMayCommandThePeer)
{
    ProtocolPeer* p = &peer;
    peer.setRequestHandler([p](const PeerPacket&) -> std::optional<std::vector<ReplyMessage>> {
        p->dropLinks(); // runs on the peer's own thread
        return std::nullopt;
    });
    ASSERT_TRUE(request(1));
    EXPECT_TRUE(link.waitClosed());
}

TEST(PeerShutdown, DestructionWithPendingRepliesClosesTheLink)
{
    auto peer = std::make_unique<ProtocolPeer>();
    RawLink link(peer->address(), peer->port());
    ASSERT_TRUE(link.logOn());
    peer->setReplyDelay(std::chrono::seconds(60));
    ASSERT_TRUE(link.send(ClientPacket(1, { { 10, "never", 0 } })));
    ASSERT_TRUE(peer->waitForRequests(1, kWait));
    peer.reset();
    EXPECT_TRUE(link.waitClosed());
}

} // namespace
} // namespace hostsim::test
