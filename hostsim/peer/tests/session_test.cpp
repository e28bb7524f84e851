// The TCP side of the peer: the connect-information exchange, the plug-in
// handshake, logon answers, echoed replies and what the peer refuses.
#include <gtest/gtest.h>

#include <cerrno>

#include "raw_client.h"
#include "vorl/codec.h"

namespace hostsim::test {
namespace {

TEST(PeerSession, ExchangeAnswersWithThePeersConnectInfo)
{
    ProtocolPeer peer({ .address = "127.0.0.2",
        .sendBufferSize = 20000,
        .recvBufferSize = 25000,
        .windowSize = 4,
        .load = 7 });
    RawLink link(peer.address(), peer.port());
    ASSERT_TRUE(link.connected());
    auto theirs = link.exchange(3);
    ASSERT_TRUE(theirs);
    EXPECT_EQ(theirs->version, 40201u);
    EXPECT_EQ(theirs->sendBufferSize, 20000u);
    EXPECT_EQ(theirs->recvBufferSize, 25000u);
    EXPECT_EQ(theirs->windowSize, 4u);

    PeerRecord r = peer.record();
    EXPECT_EQ(r.connectionsAccepted, 1);
    ASSERT_EQ(r.connectInfos.size(), 1u);
    EXPECT_EQ(r.connectInfos[0].windowSize, 3u);
    ASSERT_EQ(r.packets.size(), 1u);
    EXPECT_TRUE(r.packets[0].isPlugin());
    EXPECT_TRUE(r.protocolErrors.empty());
}

TEST(PeerSession, PluginPacketsAreAnsweredDuringTheHandshakeOnly)
{
    ProtocolPeer peer;
    ReplyMessage key;
    key.type = 77;
    key.data = { 1, 2, 3 };
    peer.setPluginReply({ key });
    RawLink link(peer.address(), peer.port());
    ASSERT_TRUE(link.send(ClientConnectInfo()));
    ASSERT_TRUE(link.readExactly(52));
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(link.send(ClientPacket(VORL_PLUGIN_SEQ, { { 5, "key", 0 } })));
        auto reply = link.readPacket();
        ASSERT_TRUE(reply) << round;
        EXPECT_EQ(reply->hdr.kind, 2);
        EXPECT_EQ(reply->hdr.pktClass, 1);
        EXPECT_EQ(reply->hdr.seq, VORL_PLUGIN_SEQ);
        ASSERT_EQ(reply->hdr.count, 1);
        EXPECT_EQ(reply->msgs[0].type, 77);
        EXPECT_EQ(reply->msgs[0].seq, VORL_PLUGIN_SEQ);
        EXPECT_EQ(reply->texts[0], std::string("\1\2\3"));
    }
    // Once traffic runs, a plug-in packet is recorded but not answered: the
    // next packet back answers the request behind it.
    ASSERT_TRUE(link.send(ClientPacket(1, { { 10, "a", 0 } })));
    ASSERT_TRUE(link.readPacket());
    ASSERT_TRUE(link.send(ClientPacket(VORL_PLUGIN_SEQ, { { 5, "late", 0 } })));
    ASSERT_TRUE(link.send(ClientPacket(2, { { 10, "b", 0 } })));
    auto reply = link.readPacket();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->hdr.seq, 2u);
    EXPECT_EQ(peer.record().packets.size(), 5u);
}

TEST(PeerSession, LogonAnswers)
{
    struct Case {
        LogonAnswer answer;
        int count;
        uint16_t type;
    };
    const Case cases[] = {
        { LogonAnswer::accept("welcome"), 1, kLogonAccepted },
        { LogonAnswer::refuse("unknown user"), 1, kLogonRefused },
        { { LogonAnswer::Kind::NoMessages, {} }, 0, 0 },
    };
    for (const Case& c : cases) {
        ProtocolPeer peer;
        peer.setLogonAnswer(c.answer);
        RawLink link(peer.address(), peer.port());
        ASSERT_TRUE(link.exchange());
        ASSERT_TRUE(link.send(ClientPacket(0, { { 31, "trader01    ABCDEF", 0x1234 } })));
        auto reply = link.readPacket();
        ASSERT_TRUE(reply) << c.answer.text;
        EXPECT_EQ(reply->hdr.seq, 0u);
        ASSERT_EQ(reply->hdr.count, c.count);
        if (c.count == 1) {
            EXPECT_EQ(reply->msgs[0].type, c.type);
            EXPECT_EQ(reply->texts[0], c.answer.text);
            EXPECT_EQ(reply->msgs[0].handle, 0x1234u);
            EXPECT_EQ(reply->msgs[0].seq, 0u);
        }
        EXPECT_EQ(peer.record().logonTexts, std::vector<std::string> { "trader01    ABCDEF" });
    }
}

TEST(PeerSession, SilentLogonLeavesTheLogonUnanswered)
{
    ProtocolPeer peer;
    peer.setLogonAnswer({ LogonAnswer::Kind::Silent, {} });
    RawLink link(peer.address(), peer.port());
    ASSERT_TRUE(link.exchange());
    ASSERT_TRUE(link.send(ClientPacket(0, { { 31, "user", 0 } })));
    ASSERT_TRUE(link.send(ClientPacket(1, { { 10, "x", 0 } })));
    auto reply = link.readPacket();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->hdr.seq, 1u);
}

TEST(PeerSession, EchoKeepsSequenceHandleAndData)
{
    ProtocolPeer peer;
    RawLink link(peer.address(), peer.port());
    ASSERT_TRUE(link.logOn());
    ASSERT_TRUE(link.send(ClientPacket(1, { { 100, "first", 11 }, { 101, "", 12 } })));
    ASSERT_TRUE(link.send(ClientPacket(2, { { 102, std::string(3000, 'x'), 0xFFFFFFFF } })));
    ASSERT_TRUE(link.send(ClientPacket(3, { { 103, "third", 13 } })));

    struct Want {
        uint32_t seq;
        std::vector<Msg> msgs;
    };
    const Want want[] = { { 1, { { 100, "first", 11 }, { 101, "", 12 } } },
        { 2, { { 102, std::string(3000, 'x'), 0xFFFFFFFF } } }, { 3, { { 103, "third", 13 } } } };
    for (const Want& w : want) {
        auto reply = link.readPacket();
        ASSERT_TRUE(reply) << w.seq;
        EXPECT_EQ(reply->hdr.seq, w.seq);
        EXPECT_EQ(reply->hdr.kind, 2);
        ASSERT_EQ(reply->msgs.size(), w.msgs.size());
        for (std::size_t i = 0; i < w.msgs.size(); ++i) {
            EXPECT_EQ(reply->msgs[i].type, w.msgs[i].type);
            EXPECT_EQ(reply->msgs[i].handle, w.msgs[i].handle);
            EXPECT_EQ(reply->msgs[i].seq, w.seq);
            EXPECT_EQ(reply->msgs[i].clientSlot, 0xFFFF);
            EXPECT_EQ(reply->texts[i], w.msgs[i].text);
        }
    }
    PeerRecord r = peer.record();
    EXPECT_EQ(r.requestSequences(), (std::vector<uint32_t> { 1, 2, 3 }));
    EXPECT_EQ(r.requestsReceived, 3u);
    ASSERT_TRUE(peer.waitFor([](const PeerRecord& x) { return x.repliesSent == 3; }, kWait));
    ASSERT_EQ(r.requests().size(), 3u);
    EXPECT_EQ(r.requests()[0]->messages[0].text(), "first");
    EXPECT_EQ(r.requests()[0]->connection, 1);
}

TEST(PeerSession, HandlerBuildsRepliesOrLeavesThemOut)
{
    ProtocolPeer peer;
    peer.setRequestHandler([](const PeerPacket& p) -> std::optional<std::vector<ReplyMessage>> {
        if (p.header.seq == 2)
            return std::nullopt;
        std::vector<ReplyMessage> out;
        for (const PeerMessage& m : p.messages)
            out.push_back(ReplyMessage::answering(m, 500, "ok:" + m.text()));
        out.push_back(ReplyMessage::answering(p.messages.back(), 500, "")); // end of this request's reply
        return out;
    });
    RawLink link(peer.address(), peer.port());
    ASSERT_TRUE(link.logOn());
    for (uint32_t seq = 1; seq <= 3; ++seq)
        ASSERT_TRUE(link.send(ClientPacket(seq, { { 9, "q" + std::to_string(seq), seq * 10 } })));
    for (uint32_t seq : { 1u, 3u }) {
        auto reply = link.readPacket();
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->hdr.seq, seq);
        ASSERT_EQ(reply->hdr.count, 2);
        EXPECT_EQ(reply->texts[0], "ok:q" + std::to_string(seq));
        EXPECT_EQ(reply->texts[1], "");
        EXPECT_EQ(reply->msgs[1].handle, seq * 10);
    }
    EXPECT_EQ(peer.record().requestSequences(), (std::vector<uint32_t> { 1, 2, 3 }));

    peer.setRequestHandler(nullptr); // back to the echo
    ASSERT_TRUE(link.send(ClientPacket(4, { { 9, "echo", 4 } })));
    auto reply = link.readPacket();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->texts[0], "echo");
}

// Bytes a careful client never sends: the peer names the fault and drops the link.
TEST(PeerSession, RefusesMalformedPackets)
{
    auto good = [] { return ClientPacket(1, { { 10, "abc", 1 } }); };
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases;
    cases.push_back({ "kind", good() });
    cases.back().bytes[0] = 1;
    cases.push_back({ "length below header", good() });
    wire::putU16(cases.back().bytes.data() + 14, 10);
    cases.push_back({ "length above buffer", ClientPacket(1, { { 10, std::string(1100, 'z'), 1 } }) });
    cases.push_back({ "count beyond packet", good() });
    wire::putU16(cases.back().bytes.data() + 12, 2);
    cases.push_back({ "message beyond packet", good() });
    wire::putU16(cases.back().bytes.data() + 18, 4);
    cases.push_back({ "bytes behind the last message", good() });
    cases.back().bytes.push_back(0);
    wire::putU16(cases.back().bytes.data() + 14, static_cast<uint16_t>(cases.back().bytes.size()));

    for (const Case& c : cases) {
        ProtocolPeer peer({ .recvBufferSize = 1000 });
        RawLink link(peer.address(), peer.port());
        ASSERT_TRUE(link.logOn()) << c.name;
        ASSERT_TRUE(link.send(c.bytes)) << c.name;
        EXPECT_TRUE(link.waitClosed()) << c.name;
        ASSERT_TRUE(peer.waitForDisconnects(1, kWait)) << c.name;
        PeerRecord r = peer.record();
        EXPECT_EQ(r.protocolErrors.size(), 1u) << c.name;
        EXPECT_EQ(r.requestsReceived, 0u) << c.name;
    }
}

TEST(PeerSession, ConnectionsAreCountedAndNamedInTheRecord)
{
    ProtocolPeer peer;
    for (int i = 1; i <= 2; ++i) {
        RawLink link(peer.address(), peer.port());
        ASSERT_TRUE(link.logOn("user" + std::to_string(i)));
        ASSERT_TRUE(link.send(ClientPacket(1, { { 10, "x", 0 } })));
        ASSERT_TRUE(link.readPacket());
    }
    ASSERT_TRUE(peer.waitForDisconnects(2, kWait));
    PeerRecord r = peer.record();
    EXPECT_EQ(r.connectionsAccepted, 2);
    EXPECT_EQ(r.logonTexts, (std::vector<std::string> { "user1", "user2" }));
    auto requests = r.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0]->connection, 1);
    EXPECT_EQ(requests[1]->connection, 2);

    peer.clearRecord();
    EXPECT_TRUE(peer.record().packets.empty());
}

TEST(PeerSession, RefusedConnectionsAndListeningAgain)
{
    ProtocolPeer peer({ .address = "127.0.0.3", .acceptConnections = false });
    {
        RawLink link(peer.address(), peer.port());
        EXPECT_FALSE(link.connected());
    }
    peer.setAcceptingConnections(true);
    {
        RawLink link(peer.address(), peer.port());
        ASSERT_TRUE(link.connected());
        EXPECT_TRUE(link.logOn());
    }
    peer.setAcceptingConnections(false);
    RawLink refused(peer.address(), peer.port());
    EXPECT_FALSE(refused.connected());
    EXPECT_EQ(peer.record().connectionsAccepted, 1);
}

// Beyond the record limit the echo is made from the request's bytes alone; it
// must look exactly like the recorded one.
TEST(PeerSession, RecordLimitKeepsCountingAndEchoing)
{
    ProtocolPeer peer({ .recordLimit = 3 });
    RawLink link(peer.address(), peer.port());
    ASSERT_TRUE(link.logOn()); // plug-in and logon packets take two places
    for (uint32_t seq = 1; seq <= 4; ++seq) {
        std::vector<uint8_t> request
            = ClientPacket(seq, { { 10, "x" + std::to_string(seq), seq }, { 11, "", 7 } });
        request[2] = 0; // a request of class 5 with address words set
        request[3] = 5;
        request[4] = 0x7F;
        request[16 + 4] = 0x7F;
        ASSERT_TRUE(link.send(request));
        auto reply = link.readPacket();
        ASSERT_TRUE(reply) << seq;
        EXPECT_EQ(reply->hdr.seq, seq);
        EXPECT_EQ(reply->hdr.pktClass, 1);
        EXPECT_EQ(reply->hdr.address, 0u);
        ASSERT_EQ(reply->msgs.size(), 2u);
        EXPECT_EQ(reply->msgs[0].address, 0u);
        EXPECT_EQ(reply->msgs[0].handle, seq);
        EXPECT_EQ(reply->msgs[1].handle, 7u);
        EXPECT_EQ(reply->texts[0], "x" + std::to_string(seq));
    }
    PeerRecord r = peer.record();
    EXPECT_EQ(r.packets.size(), 3u);
    EXPECT_EQ(r.packetsReceived, 6u);
    EXPECT_EQ(r.requestsReceived, 4u);
}

} // namespace
} // namespace hostsim::test

namespace hostsim::test {
namespace {

// Replies pile up for a client that does not read; the peer goes on serving
// other links, and the piled-up replies all arrive once the client reads.
TEST(PeerSession, ClientThatDoesNotReadStallsNobody)
{
    ProtocolPeer peer({ .recvBufferSize = 30000, .recordLimit = 0 });
    RawLink slow(peer.address(), peer.port());
    ASSERT_TRUE(slow.logOn());
    const std::string big(20000, 'b');
    constexpr uint32_t kRequests = 100; // 2 MB of replies, far beyond the socket buffers
    for (uint32_t seq = 1; seq <= kRequests; ++seq)
        ASSERT_TRUE(slow.send(ClientPacket(seq, { { 10, big, seq } })));
    ASSERT_TRUE(peer.waitForRequests(kRequests, kWait));

    RawLink other(peer.address(), peer.port());
    ASSERT_TRUE(other.logOn());
    ASSERT_TRUE(other.send(ClientPacket(1, { { 10, "quick", 1 } })));
    auto reply = other.readPacket();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->texts[0], "quick");

    for (uint32_t seq = 1; seq <= kRequests; ++seq) {
        auto r = slow.readPacket();
        ASSERT_TRUE(r) << seq;
        EXPECT_EQ(r->hdr.seq, seq);
        EXPECT_EQ(r->texts[0].size(), big.size());
    }
}

} // namespace
} // namespace hostsim::test
