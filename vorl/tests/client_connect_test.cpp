// Discovery, server choice, connection and logon of the client against the
// host stand-in's protocol peer on loopback.
#if VORL_TEST_HAVE_PEER
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "client_net.h"
#include "peer_client.h"

namespace {

using namespace std::chrono_literals;
using hostsim::LogonAnswer;
using hostsim::PeerConfig;
using hostsim::ProtocolPeer;
using vorl::test::clientKeys;
using vorl::test::PeerClient;

constexpr auto kWait = 5s;

TEST(ClientConnect, BroadcastDiscoveryConnectInformationHandshakeAndLogon)
{
    ProtocolPeer peer({ .address = "127.0.0.1" });
    auto keys = clientKeys(peer);
    keys.erase("PossibleHosts");
    keys["BroadcastAddress"] = "127.255.255.255";
    PeerClient client(keys);
    ASSERT_EQ(client.createResult(), 0);
    ASSERT_EQ(client.setLogon("trader01    digest", 77), 0);

    ASSERT_EQ(VORLConnect(client.handle()), 0);
    const hostsim::PeerRecord rec = peer.record();
    ASSERT_FALSE(rec.discoveries.empty());
    EXPECT_TRUE(rec.discoveries[0].viaBroadcast);
    EXPECT_STREQ(rec.discoveries[0].info.hostType, "VEXA");
    EXPECT_EQ(rec.discoveries[0].info.version, 40201u);
    EXPECT_EQ(rec.discoveries[0].info.windowSize, 3u);
    ASSERT_EQ(rec.connectInfos.size(), 1u);
    EXPECT_EQ(rec.connectInfos[0].sendBufferSize, 30000u);
    EXPECT_EQ(rec.connectInfos[0].recvBufferSize, 30000u);
    EXPECT_EQ(rec.connectInfos[0].windowSize, 3u);
    // One plug-in packet (empty without plug-ins), then the logon with sequence 0.
    ASSERT_EQ(rec.packets.size(), 2u);
    EXPECT_TRUE(rec.packets[0].isPlugin());
    EXPECT_EQ(rec.packets[0].messages.size(), 0u);
    ASSERT_TRUE(rec.packets[1].isLogon());
    ASSERT_EQ(rec.packets[1].messages.size(), 1u);
    const hostsim::PeerMessage& logon = rec.packets[1].messages[0];
    EXPECT_EQ(logon.header.type, 129);
    EXPECT_EQ(logon.header.handle, 77u);
    EXPECT_EQ(logon.header.clientSlot, 0xFFFF);
    EXPECT_EQ(logon.text(), "trader01    digest");
    EXPECT_EQ(client.client()->currentServer, peer.address());

    // The first request packet carries sequence 1.
    ASSERT_EQ(client.send("hello"), 0);
    ASSERT_EQ(VORLRecv(client.handle(), -1), 0);
    EXPECT_EQ(client.firstText(), "hello");
    EXPECT_EQ(peer.record().requestSequences(), (std::vector<uint32_t> { 1 }));
}

TEST(ClientConnect, LogonAnswersAndAFreshConnectAfterARefusal)
{
    ProtocolPeer peer;
    PeerClient client(clientKeys(peer));
    ASSERT_EQ(client.setLogon("user"), 0);

    peer.setLogonAnswer(LogonAnswer::refuse("wrong password"));
    EXPECT_EQ(VORLConnect(client.handle()), VORL_ERR_LOGON_REFUSED);
    EXPECT_LT(client.client()->tcpSocket, 0);

    peer.setLogonAnswer({ LogonAnswer::Kind::NoMessages, "" });
    EXPECT_EQ(VORLConnect(client.handle()), VORL_ERR_TIMEOUT);
    EXPECT_LT(client.client()->tcpSocket, 0);

    peer.setLogonAnswer(LogonAnswer::accept("welcome"));
    ASSERT_EQ(VORLConnect(client.handle()), 0);
    EXPECT_EQ(peer.record().logonTexts.size(), 3u);
    ASSERT_EQ(client.send("after"), 0);
    EXPECT_EQ(VORLRecv(client.handle(), -1), 0);
    EXPECT_EQ(client.firstText(), "after");
}

TEST(ClientConnect, SilentLogonIsATimeOutAndNoLogonMessageMeansNoLogon)
{
    ProtocolPeer peer;
    auto keys = clientKeys(peer);
    keys["ReceiveTimeout"] = "1";
    keys["PacketTimeout"] = "1";
    PeerClient client(keys);
    ASSERT_EQ(client.setLogon("user"), 0);
    peer.setLogonAnswer({ LogonAnswer::Kind::Silent, "" });
    EXPECT_EQ(VORLConnect(client.handle()), VORL_ERR_CONNECT_TIMEOUT);

    ASSERT_EQ(VORLSetLogonMessage(client.handle(), 129, nullptr, 0, 0, nullptr), 0);
    ASSERT_EQ(VORLConnect(client.handle()), 0);
    int logonsOnSecondLink = 0;
    for (const auto& p : peer.record().packets)
        logonsOnSecondLink += p.isLogon() && p.connection == 2;
    EXPECT_EQ(logonsOnSecondLink, 0);
}

TEST(ClientConnect, ServerWindowIsTakenWhenTheClientLeavesItOpen)
{
    const struct {
        uint32_t server;
        std::size_t slots;
    } cases[] = { { 4, 4 }, { 0, 1 }, { 100000, 256 }, { 0xFFFFFFFFu, 256 } };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.server);
        ProtocolPeer peer({ .windowSize = k.server });
        auto keys = clientKeys(peer);
        keys["WindowSize"] = "0";
        PeerClient client(keys);
        EXPECT_EQ(client.client()->slots.size(), 0u);
        ASSERT_EQ(VORLConnect(client.handle()), 0);
        EXPECT_EQ(client.client()->slots.size(), k.slots);
        EXPECT_EQ(client.client()->options.windowSize, static_cast<int>(k.slots));
    }
}

TEST(ClientConnect, NoServerAnsweringGivesSevenAndNoAddressGivesFiftyThree)
{
    ProtocolPeer peer({ .answerDiscovery = false });
    auto keys = clientKeys(peer);
    keys["ConnectTime"] = "1";
    keys["ConnectTries"] = "2";
    PeerClient client(keys);
    EXPECT_EQ(VORLConnect(client.handle()), VORL_ERR_SEND_TRIES);
    EXPECT_EQ(peer.record().discoveries.size(), 2u);

    ASSERT_EQ(VORLSetOption(client.handle(), VORL_OPT_POSSIBLE_HOSTS, 0), 0);
    EXPECT_EQ(VORLConnect(client.handle()), VORL_ERR_NO_SERVER_ADDRESS);
    EXPECT_EQ(VORLConnect(nullptr), VORL_ERR_INVALID_HANDLE);
}

// Two peers on one port number, as one service names them both.
struct TwoPeers {
    ProtocolPeer a { { .address = "127.0.0.2", .load = 40 } };
    ProtocolPeer b { { .address = "127.0.0.3", .port = a.port(), .load = 20 } };
    std::map<std::string, std::string> keys() const
    {
        auto k = clientKeys(a);
        k["PossibleHosts"] = "127.0.0.2,127.0.0.3";
        k["MaxHosts"] = "2";
        return k;
    }
};

TEST(ClientConnect, LowerLoadWinsAndARefusedConnectionFallsOver)
{
    TwoPeers peers;
    {
        PeerClient client(peers.keys());
        ASSERT_EQ(VORLConnect(client.handle()), 0);
        EXPECT_EQ(client.client()->currentServer, peers.b.address());
    }
    peers.b.setAcceptingConnections(false);
    {
        PeerClient client(peers.keys());
        ASSERT_EQ(VORLConnect(client.handle()), 0);
        EXPECT_EQ(client.client()->currentServer, peers.a.address());
        ASSERT_EQ(client.send("via a"), 0);
        ASSERT_EQ(VORLRecv(client.handle(), -1), 0);
        EXPECT_EQ(peers.a.record().requestsReceived, 1u);
    }
}

TEST(ClientConnect, PreferredAddressWinsOverALowerLoad)
{
    TwoPeers peers;
    peers.a.setLoad(90);
    peers.b.setLoad(10);
    auto keys = peers.keys();
    keys["PreferredIPAddress"] = "127.0.0.2";
    PeerClient client(keys);
    ASSERT_EQ(VORLConnect(client.handle()), 0);
    EXPECT_EQ(client.client()->currentServer, peers.a.address());
}

// A responder that answers each discovery datagram with replies of the wrong
// lengths, which must not count as servers.
class WrongLengthResponder {
public:
    WrongLengthResponder(const char* address, uint16_t port)
    {
        fd_ = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in sa {};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(port);
        sa.sin_addr.s_addr = inet_addr(address);
        bound_ = bind(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
        thread_ = std::thread([this] {
            uint8_t buffer[64];
            sockaddr_in from {};
            socklen_t length = sizeof from;
            pollfd p { fd_, POLLIN, 0 };
            if (poll(&p, 1, 5000) != 1)
                return;
            if (recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length) != 52)
                return;
            const std::vector<uint8_t> zeros(60, 0); // load 0 where a reply would have it
            for (std::size_t n : { 51u, 53u, 0u })
                sendto(fd_, zeros.data(), n, 0, reinterpret_cast<sockaddr*>(&from), length);
        });
    }
    ~WrongLengthResponder()
    {
        thread_.join();
        close(fd_);
    }
    bool bound() const { return bound_; }

private:
    int fd_ = -1;
    bool bound_ = false;
    std::thread thread_;
};

TEST(ClientConnect, DiscoveryRepliesOfAnotherLengthAreIgnored)
{
    ProtocolPeer peer({ .address = "127.0.0.2", .load = 50 });
    WrongLengthResponder other("127.0.0.3", peer.port());
    ASSERT_TRUE(other.bound());
    auto keys = clientKeys(peer);
    keys["PossibleHosts"] = "127.0.0.3,127.0.0.2";
    keys["MaxHosts"] = "3";
    keys["ConnectTime"] = "1";
    PeerClient client(keys);
    ASSERT_EQ(vorl::DiscoveryRound(client.client()), 0);
    ASSERT_EQ(client.client()->replyCount, 1);
    EXPECT_EQ(client.client()->replies[0].address, peer.address());
    EXPECT_EQ(client.client()->replies[0].load, 50u);
}

TEST(ClientConnect, LoadBalancingMovesOnceOutstandingRepliesHaveArrived)
{
    TwoPeers peers;
    peers.a.setLoad(50);
    peers.b.setLoad(60);
    auto keys = peers.keys();
    keys["LoadBalanceTime"] = "1";
    keys["LoadBalanceSpread"] = "1";
    keys["LoadBalanceThreshold"] = "10";
    keys["ConnectTime"] = "1";
    PeerClient client(keys);
    ASSERT_EQ(VORLConnect(client.handle()), 0);
    ASSERT_EQ(client.client()->currentServer, peers.a.address());
    peers.b.setLoad(35);

    // Requests one at a time: after a balancing round the next packet goes to b.
    bool moved = false;
    for (int i = 0; i < 60 && !moved; ++i) {
        ASSERT_EQ(client.send("tick " + std::to_string(i)), 0);
        ASSERT_EQ(VORLRecv(client.handle(), -1), 0);
        moved = client.client()->currentServer == peers.b.address();
        if (!moved)
            std::this_thread::sleep_for(100ms);
    }
    ASSERT_TRUE(moved);
    ASSERT_EQ(client.send("on b"), 0);
    ASSERT_EQ(VORLRecv(client.handle(), -1), 0);
    EXPECT_EQ(client.firstText(), "on b");
    EXPECT_GE(peers.b.record().requestsReceived, 1u);
    // Every request was answered exactly once: nothing was lost in the move.
    for (const ProtocolPeer* p : { &peers.a, &peers.b }) {
        EXPECT_TRUE(
            p->waitFor([](const hostsim::PeerRecord& r) { return r.repliesSent == r.requestsReceived; }, 5s));
    }
    EXPECT_EQ(peers.a.record().connectionsAccepted, 1);
    EXPECT_EQ(peers.b.record().connectionsAccepted, 1);
}

TEST(ClientConnect, AMoveWaitsForRepliesToPacketsAlreadySentAndHoldsNewOnes)
{
    TwoPeers peers;
    peers.a.setLoad(10);
    peers.a.setRequestHandler(
        [](const hostsim::PeerPacket&) { return std::optional<std::vector<hostsim::ReplyMessage>> {}; });
    PeerClient client(peers.keys());
    ASSERT_EQ(VORLConnect(client.handle()), 0);
    ASSERT_EQ(client.client()->currentServer, peers.a.address());
    ASSERT_EQ(client.send("one"), 0);
    ASSERT_EQ(client.send("two"), 0);
    ASSERT_TRUE(peers.a.waitForRequests(2, kWait));

    // As a balancing round that found b better would leave it.
    client.client()->switchPending = true;
    client.client()->switchTarget = peers.b.address();
    ASSERT_EQ(client.send("three"), 0); // held: replies to a are still awaited
    EXPECT_EQ(client.client()->currentServer, peers.a.address());

    const hostsim::PeerRecord rec = peers.a.record();
    for (const hostsim::PeerPacket* p : rec.requests())
        peers.a.sendRaw(
            ProtocolPeer::encodePacket(p->header.seq, { hostsim::ReplyMessage::echo(p->messages[0]) }));
    std::vector<std::string> texts;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(VORLRecv(client.handle(), -1), 0);
        texts.push_back(client.firstText());
    }
    EXPECT_EQ(texts, (std::vector<std::string> { "one", "two", "three" }));
    EXPECT_EQ(client.client()->currentServer, peers.b.address());
    EXPECT_EQ(peers.a.record().requestsReceived, 2u);
    EXPECT_EQ(peers.b.record().requestsReceived, 1u);
}

} // namespace
#endif
