// UDP discovery against the peer: unicast, loopback broadcast to several
// peers on one port, and datagrams that are not connect information.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "raw_client.h"

namespace hostsim::test {
namespace {

struct Answer {
    uint32_t from = 0;
    uint16_t fromPort = 0;
    std::size_t size = 0;
    ConnectInfo info {};
};

class Prober {
public:
    Prober()
    {
        fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        int on = 1;
        ::setsockopt(fd_, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    }
    ~Prober() { ::close(fd_); }

    void send(uint32_t to, uint16_t port, const std::vector<uint8_t>& bytes)
    {
        sockaddr_in sa = Endpoint(to, port);
        ASSERT_EQ(::sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&sa), sizeof sa),
            static_cast<ssize_t>(bytes.size()));
    }

    // The next answer, or nullopt when none comes within `wait`.
    std::optional<Answer> next(milliseconds wait = kWait)
    {
        uint8_t buf[256];
        sockaddr_in from {};
        socklen_t len = sizeof from;
        timeval tv = ToTimeval(wait);
        int n = SYSrecvfromwait(fd_, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &len, &tv);
        if (n <= 0)
            return std::nullopt;
        Answer a;
        a.from = from.sin_addr.s_addr;
        a.fromPort = ntohs(from.sin_port);
        a.size = static_cast<std::size_t>(n);
        if (a.size == wire::kConnectInfoSize)
            wire::decode(buf, a.info);
        return a;
    }

private:
    int fd_ = -1;
};

TEST(PeerDiscovery, AnswersWithItsConnectInfo)
{
    ProtocolPeer peer({ .address = "127.0.0.2", .windowSize = 4, .load = 40 });
    Prober probe;
    probe.send(peer.address(), peer.port(), ClientConnectInfo(3));
    auto a = probe.next();
    ASSERT_TRUE(a);
    EXPECT_EQ(a->size, 52u);
    EXPECT_EQ(a->from, Ip("127.0.0.2"));
    EXPECT_EQ(a->fromPort, peer.port());
    EXPECT_STREQ(a->info.hostType, "hostsim");
    EXPECT_EQ(a->info.version, 40201u);
    EXPECT_EQ(a->info.windowSize, 4u);
    EXPECT_EQ(a->info.sendBufferSize, 30000u);
    EXPECT_EQ(a->info.recvBufferSize, 30000u);
    EXPECT_EQ(a->info.load, 40u);

    PeerRecord r = peer.record();
    ASSERT_EQ(r.discoveries.size(), 1u);
    EXPECT_EQ(r.discoveries[0].info.windowSize, 3u);
    EXPECT_EQ(r.discoveries[0].fromAddress, Ip("127.0.0.1"));
    EXPECT_FALSE(r.discoveries[0].viaBroadcast);
    EXPECT_EQ(peer.service(), std::to_string(peer.port()));
}

TEST(PeerDiscovery, LoopbackBroadcastReachesEveryPeerOnThePort)
{
    ProtocolPeer first({ .address = "127.0.0.2", .load = 40 });
    ProtocolPeer second({ .address = "127.0.0.3", .port = first.port(), .load = 20 });
    ASSERT_EQ(second.port(), first.port());

    Prober probe;
    probe.send(Ip("127.255.255.255"), first.port(), ClientConnectInfo());
    std::map<uint32_t, uint32_t> loads;
    for (int i = 0; i < 2; ++i) {
        auto a = probe.next();
        ASSERT_TRUE(a) << "answer " << i;
        loads[a->from] = a->info.load;
    }
    EXPECT_EQ(loads, (std::map<uint32_t, uint32_t> { { Ip("127.0.0.2"), 40 }, { Ip("127.0.0.3"), 20 } }));
    ASSERT_EQ(first.record().discoveries.size(), 1u);
    EXPECT_TRUE(first.record().discoveries[0].viaBroadcast);

    // A changed load shows in the next answer.
    second.setLoad(90);
    probe.send(second.address(), second.port(), ClientConnectInfo());
    auto a = probe.next();
    ASSERT_TRUE(a);
    EXPECT_EQ(a->from, Ip("127.0.0.3"));
    EXPECT_EQ(a->info.load, 90u);
}

TEST(PeerDiscovery, DatagramsOfOtherLengthsAreIgnored)
{
    ProtocolPeer peer({ .address = "127.0.0.2" });
    Prober probe;
    const std::size_t lengths[] = { 0, 1, 51, 53, 200 };
    for (std::size_t n : lengths)
        probe.send(peer.address(), peer.port(), std::vector<uint8_t>(n, 0x41));
    ASSERT_TRUE(peer.waitFor([](const PeerRecord& r) { return r.ignoredDatagrams == 5; }, kWait));

    // Answers come in order, so the first one must belong to this probe.
    probe.send(peer.address(), peer.port(), ClientConnectInfo(9));
    auto a = probe.next();
    ASSERT_TRUE(a);
    EXPECT_EQ(a->size, 52u);
    ASSERT_EQ(peer.record().discoveries.size(), 1u);
    EXPECT_EQ(peer.record().discoveries[0].info.windowSize, 9u);
}

TEST(PeerDiscovery, SilentPeerRecordsButDoesNotAnswer)
{
    ProtocolPeer peer({ .address = "127.0.0.2", .answerDiscovery = false });
    Prober probe;
    probe.send(peer.address(), peer.port(), ClientConnectInfo());
    ASSERT_TRUE(peer.waitFor([](const PeerRecord& r) { return r.discoveries.size() == 1; }, kWait));
    EXPECT_FALSE(probe.next(milliseconds(200)));

    peer.setDiscoveryAnswering(true);
    probe.send(peer.address(), peer.port(), ClientConnectInfo());
    EXPECT_TRUE(probe.next());
}

TEST(PeerDiscovery, DatagramsFromItsOwnAddressAndPortAreIgnored)
{
    // A socket of this host that shares the peer's address and port, as a
    // client's discovery socket can: an answer to it would reach the peer
    // itself, and the peer would answer its own answer without end.
    ProtocolPeer peer({ .address = "127.0.0.2" });
    const int shared = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(shared, 0);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer { shared };
    int on = 1;
    ::setsockopt(shared, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    ::setsockopt(shared, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    sockaddr_in self = Endpoint(peer.address(), peer.port());
    ASSERT_EQ(::bind(shared, reinterpret_cast<sockaddr*>(&self), sizeof self), 0);

    const std::vector<uint8_t> info = ClientConnectInfo();
    sockaddr_in to = Endpoint(Ip("127.255.255.255"), peer.port());
    ASSERT_EQ(::sendto(shared, info.data(), info.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to),
        static_cast<ssize_t>(info.size()));
    ASSERT_TRUE(peer.waitFor([](const PeerRecord& r) { return r.ignoredDatagrams == 1; }, kWait));

    // Others are still answered (by broadcast: unicast to the shared address
    // may reach either socket), and nothing of the shared socket's round was.
    Prober probe;
    probe.send(Ip("127.255.255.255"), peer.port(), ClientConnectInfo(5));
    auto a = probe.next();
    ASSERT_TRUE(a);
    EXPECT_EQ(a->size, 52u);
    const PeerRecord r = peer.record();
    ASSERT_EQ(r.discoveries.size(), 1u);
    EXPECT_EQ(r.discoveries[0].info.windowSize, 5u);
    EXPECT_EQ(r.ignoredDatagrams, 1);
    uint8_t buf[64];
    EXPECT_LT(::recv(shared, buf, sizeof buf, MSG_DONTWAIT), 0);
}

TEST(PeerDiscovery, RefusesAddressesOffLoopback)
{
    for (const char* address : { "192.0.2.2", "0.0.0.0", "localhost", "" })
        EXPECT_THROW(ProtocolPeer({ .address = address }), std::runtime_error) << address;
    EXPECT_THROW(ProtocolPeer({ .broadcastAddress = "255.255.255.255" }), std::runtime_error);
}

} // namespace
} // namespace hostsim::test
