// Request packets, the sending window, acknowledgement by sequence number and
// reading the messages of a reply, against the protocol peer.
#if VORL_TEST_HAVE_PEER
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "client_net.h"
#include "peer_client.h"
#include "plugin_fixture.h"

namespace {

using namespace std::chrono_literals;
using hostsim::Malformation;
using hostsim::PeerPacket;
using hostsim::ProtocolPeer;
using hostsim::ReplyMessage;
using vorl::test::clientKeys;
using vorl::test::PeerClient;

class ClientPackets : public ::testing::Test {
protected:
    explicit ClientPackets(const char* window = "3")
        : client_(keys(window))
    {
    }
    std::map<std::string, std::string> keys(const char* window)
    {
        auto k = clientKeys(peer_);
        k["WindowSize"] = window;
        return k;
    }
    void SetUp() override
    {
        ASSERT_EQ(client_.createResult(), 0);
        ASSERT_EQ(VORLConnect(h()), 0);
    }
    VORLHANDLE h() const { return client_.handle(); }
    void holdReplies()
    {
        peer_.setRequestHandler(
            [](const PeerPacket&) { return std::optional<std::vector<ReplyMessage>> {}; });
    }
    uint32_t lastSeq() const { return client_.client()->lastReply.seq; }

    ProtocolPeer peer_;
    PeerClient client_;
};

class ClientPacketsWindowOne : public ClientPackets {
protected:
    ClientPacketsWindowOne()
        : ClientPackets("1")
    {
    }
};

TEST_F(ClientPacketsWindowOne, SlotsAreTakenBySentPacketsAndGivenBack)
{
    EXPECT_EQ(VORLRecv(h(), 0), VORL_ERR_NOTHING_PENDING);
    EXPECT_EQ(VORLEndPacket(h()), VORL_ERR_PKT_NOT_STARTED);
    EXPECT_EQ(VORLResetPacket(h()), VORL_ERR_PKT_NOT_STARTED);
    EXPECT_EQ(VORLAddMessage(h(), 1, "x", 1, 0), VORL_ERR_PKT_NOT_STARTED);

    // A dropped packet and a failed first message give their slot back.
    ASSERT_EQ(VORLStartPacket(h(), 1, "a", 1, 0, 0), 0);
    EXPECT_EQ(VORLStartPacket(h(), 1, "b", 1, 0, 0), VORL_ERR_PKT_STARTED);
    ASSERT_EQ(VORLResetPacket(h()), 0);
    const std::string huge(30000, 'h');
    EXPECT_EQ(VORLStartPacket(h(), 1, huge.data(), static_cast<int>(huge.size()), 0, 0), VORL_ERR_NO_ROOM);
    EXPECT_EQ(VORLStartPacket(h(), 70000, "t", 1, 0, 0), VORL_ERR_PROTOCOL);

    ASSERT_EQ(VORLStartPacket(h(), 1, "one", 3, 0, 0), 0);
    const uint16_t before = client_.client()->slots[0].hdr.length;
    EXPECT_EQ(VORLAddMessage(h(), 2, nullptr, 5, 0), 0);
    EXPECT_EQ(VORLAddMessage(h(), 2, "x", -1, 0), 0);
    EXPECT_EQ(client_.client()->slots[0].hdr.length, before);
    int room = -1;
    ASSERT_EQ(VORLSpaceLeft(h(), &room), 0);
    EXPECT_EQ(room, 30000 - before - 20);
    ASSERT_EQ(VORLEndPacket(h()), 0);

    EXPECT_EQ(VORLStartPacket(h(), 1, "two", 3, 0, 0), VORL_ERR_NOSLOT);
    ASSERT_EQ(VORLRecv(h(), -1), 0);
    EXPECT_EQ(VORLRecv(h(), 0), VORL_ERR_NOTHING_PENDING);
    EXPECT_EQ(VORLStartPacket(h(), 1, "two", 3, 0, 0), 0);
}

TEST_F(ClientPackets, PollingWithoutAReplyIsATimeOut)
{
    holdReplies();
    ASSERT_EQ(client_.send("unanswered"), 0);
    EXPECT_EQ(VORLRecv(h(), 0), VORL_ERR_TIMEOUT);
    EXPECT_EQ(VORLRecv(h(), 1), VORL_ERR_TIMEOUT);
    EXPECT_GE(client_.client()->tcpSocket, 0);
}

TEST_F(ClientPackets, RepliesAreMatchedBySequenceAlsoOutOfOrder)
{
    holdReplies();
    for (int value : { 101, 102, 103 })
        ASSERT_EQ(client_.send("request " + std::to_string(value), 7, value), 0);
    ASSERT_TRUE(peer_.waitForRequests(3, 5s));
    const hostsim::PeerRecord rec = peer_.record();
    const auto requests = rec.requests();
    ASSERT_EQ(requests.size(), 3u);
    for (int i : { 2, 0, 1 }) {
        const PeerPacket& p = *requests[static_cast<std::size_t>(i)];
        ASSERT_EQ(
            peer_.sendRaw(ProtocolPeer::encodePacket(p.header.seq, { ReplyMessage::echo(p.messages[0]) })),
            1);
    }
    std::vector<int> values;
    std::vector<uint32_t> seqs;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(VORLRecv(h(), -1), 0);
        int value = 0;
        ASSERT_EQ(VORLMessage(h(), 0, nullptr, nullptr, nullptr, &value), 0);
        values.push_back(value);
        seqs.push_back(lastSeq());
    }
    EXPECT_EQ(values, (std::vector<int> { 103, 101, 102 }));
    EXPECT_EQ(seqs, (std::vector<uint32_t> { 3, 1, 2 }));
    EXPECT_EQ(VORLRecv(h(), 0), VORL_ERR_NOTHING_PENDING);
}

TEST_F(ClientPackets, TwoCoalescedRepliesAreTwoResults)
{
    peer_.coalesceNextReplies();
    ASSERT_EQ(client_.send("first"), 0);
    ASSERT_EQ(client_.send("second"), 0);
    ASSERT_EQ(VORLRecv(h(), -1), 0);
    EXPECT_EQ(client_.firstText(), "first");
    ASSERT_EQ(VORLRecv(h(), 0), 0); // already read: no wait
    EXPECT_EQ(client_.firstText(), "second");
}

TEST_F(ClientPackets, MessagesOfAReplyWithTheirHandles)
{
    EXPECT_EQ(VORLNumMessages(h(), nullptr), VORL_ERR_PROTOCOL);
    EXPECT_EQ(VORLMessage(h(), 0, nullptr, nullptr, nullptr, nullptr), VORL_ERR_PROTOCOL);
    const struct {
        int type;
        std::string data;
        int value;
    } sent[] = { { 11, "0123456789", 1001 }, { 12, "", 1002 }, { 13, "abcdefg", -5 } };
    ASSERT_EQ(VORLStartPacket(h(), sent[0].type, sent[0].data.data(), 10, 3, sent[0].value), 0);
    ASSERT_EQ(VORLAddMessage(h(), sent[1].type, "", 0, sent[1].value), 0);
    ASSERT_EQ(VORLAddMessage(h(), sent[2].type, sent[2].data.data(), 7, sent[2].value), 0);
    ASSERT_EQ(VORLEndPacket(h()), 0);
    ASSERT_EQ(VORLRecv(h(), -1), 0);
    const hostsim::PeerRecord rec = peer_.record();
    const auto request = rec.requests().at(0);
    EXPECT_EQ(request->header.length, 16 + 3 * 20 + 17);
    EXPECT_EQ(request->header.pktClass, 3);

    int count = 0;
    ASSERT_EQ(VORLNumMessages(h(), &count), 0);
    ASSERT_EQ(count, 3);
    for (int i : { 2, 0, 1, 2 }) { // backwards restarts the cursor
        SCOPED_TRACE(i);
        int type = 0, length = -1, value = 0;
        void* data = nullptr;
        ASSERT_EQ(VORLMessage(h(), i, &type, &data, &length, &value), 0);
        EXPECT_EQ(type, sent[i].type);
        EXPECT_EQ(
            std::string(static_cast<const char*>(data), static_cast<std::size_t>(length)), sent[i].data);
        EXPECT_EQ(value, sent[i].value);
    }
    char small[4];
    int length = 0;
    EXPECT_EQ(VORLGetMessage(h(), 0, nullptr, small, sizeof small, &length, nullptr), VORL_ERR_BUFFER_SMALL);
    EXPECT_EQ(VORLGetMessage(h(), 0, nullptr, nullptr, 10, &length, nullptr), VORL_ERR_NO_BUFFER);
    EXPECT_EQ(VORLGetMessage(h(), 1, nullptr, small, sizeof small, &length, nullptr), 0);
    EXPECT_EQ(length, 0);
    for (int bad : { 3, -1 })
        EXPECT_EQ(VORLMessage(h(), bad, nullptr, nullptr, nullptr, nullptr), VORL_ERR_BAD_INDEX);
}

TEST_F(ClientPackets, BrokenRepliesGiveTenDropTheLinkAndTheResendIsAnswered)
{
    struct Fault {
        const char* name;
        std::function<void(ProtocolPeer&)> arm;
    };
    const Fault faults[] = {
        { "unknown sequence", [](ProtocolPeer& p) { p.overrideNextSequence(99); } },
        { "bad kind", [](ProtocolPeer& p) { p.malformNextReply(Malformation::BadKind); } },
        { "length below header",
            [](ProtocolPeer& p) { p.malformNextReply(Malformation::LengthBelowHeader); } },
        { "length above limit", [](ProtocolPeer& p) { p.malformNextReply(Malformation::LengthAboveLimit); } },
        { "count beyond packet",
            [](ProtocolPeer& p) { p.malformNextReply(Malformation::CountBeyondPacket); } },
        { "message beyond packet",
            [](ProtocolPeer& p) { p.malformNextReply(Malformation::MessageBeyondPacket); } },
    };
    int links = 1;
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.name);
        f.arm(peer_);
        ASSERT_EQ(client_.send(f.name), 0);
        EXPECT_EQ(VORLRecv(h(), -1), VORL_ERR_PROTOCOL);
        EXPECT_LT(client_.client()->tcpSocket, 0);
        ASSERT_EQ(VORLRecv(h(), -1), 0); // a new link, the packet sent again
        EXPECT_EQ(client_.firstText(), f.name);
        EXPECT_EQ(peer_.record().connectionsAccepted, ++links);
    }
}

TEST(ClientPacketsLimits, AReplyLongerThanTheReceiveBufferIsRefused)
{
    ProtocolPeer peer;
    auto keys = clientKeys(peer);
    keys["RecvBufferSize"] = "1000";
    keys["SendTries"] = "0";
    PeerClient client(keys);
    ASSERT_EQ(VORLConnect(client.handle()), 0);
    ASSERT_EQ(client.send(std::string(1200, 'r')), 0);
    EXPECT_EQ(VORLRecv(client.handle(), -1), VORL_ERR_PROTOCOL);
    EXPECT_EQ(VORLRecv(client.handle(), -1), VORL_ERR_SEND_TRIES); // no tries left to rebuild
}

TEST(ClientPacketsPlugins, APluginPacketAmongRepliesGoesToThePlugins)
{
    vorl::test::Recorder recorder;
    ProtocolPeer peer;
    PeerClient client(clientKeys(peer), vorl::test::entry("rec", "recorder.vpx", "RecorderInit"));
    ASSERT_EQ(VORLConnect(client.handle()), 0);
    peer.setRequestHandler([](const PeerPacket&) { return std::optional<std::vector<ReplyMessage>> {}; });
    ASSERT_EQ(client.send("request", 7, 5), 0);
    ASSERT_TRUE(peer.waitForRequests(1, 5s));
    recorder.reset();
    ReplyMessage key;
    key.type = 300;
    key.data = { 'k', 'e', 'y' };
    ASSERT_EQ(peer.sendRaw(ProtocolPeer::encodePacket(VORL_PLUGIN_SEQ, { key })), 1);
    const hostsim::PeerRecord rec = peer.record();
    const PeerPacket& request = *rec.requests().at(0);
    ASSERT_EQ(peer.sendRaw(ProtocolPeer::encodePacket(
                  request.header.seq, { ReplyMessage::echo(request.messages[0]) })),
        1);
    ASSERT_EQ(VORLRecv(client.handle(), -1), 0);
    EXPECT_EQ(client.firstText(), "request");
    const std::string log = recorder.log();
    EXPECT_NE(log.find("rec:OnRecvPluginPkt round 3 300=key"), std::string::npos) << log;
    EXPECT_NE(log.find("rec:OnRecvFromNet"), std::string::npos) << log;
    EXPECT_NE(log.find("rec:OnGetMsg 7"), std::string::npos) << log;

    // A plug-in that fails on a plug-in packet among replies fails the receive.
    recorder.setResult("rec:OnRecvPluginPkt", 1);
    ASSERT_EQ(client.send("again"), 0);
    ASSERT_TRUE(peer.waitForRequests(2, 5s));
    ASSERT_EQ(peer.sendRaw(ProtocolPeer::encodePacket(VORL_PLUGIN_SEQ, { key })), 1);
    EXPECT_EQ(VORLRecv(client.handle(), -1), VORL_ERR_PLUGIN);
}

// A new link's logon reply passes through the transforming plug-in too; the
// reply the caller is still reading must survive it.
TEST(ClientPacketsPlugins, TheLastReplySurvivesATransformedLogonOnANewLink)
{
    hostsim::PeerConfig config;
    config.payloadKey = 0x5A; // the test plug-in's key
    ProtocolPeer peer(config);
    PeerClient client(clientKeys(peer), vorl::test::entry("xor", "xor.vpx", "XorInit"));
    peer.setLogonAnswer(hostsim::LogonAnswer::accept("welcome"));
    ASSERT_EQ(client.setLogon("user"), 0);
    ASSERT_EQ(VORLConnect(client.handle()), 0);
    ASSERT_EQ(client.send("kept"), 0);
    ASSERT_EQ(VORLRecv(client.handle(), -1), 0);
    ASSERT_EQ(client.firstText(), "kept");

    vorl::CloseLink(client.client());
    ASSERT_EQ(client.send("next"), 0); // connects again and logs on first
    EXPECT_EQ(peer.record().logonTexts.size(), 2u);
    EXPECT_EQ(client.firstText(), "kept");
    ASSERT_EQ(VORLRecv(client.handle(), -1), 0);
    EXPECT_EQ(client.firstText(), "next");
}

} // namespace
#endif
