// Lost links: reconnection with automatic logon, resending exactly the
// unanswered packets, the limit of SendTries, and no SIGPIPE on a dead link.
#if VORL_TEST_HAVE_PEER
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "peer_client.h"
#include "plugin_fixture.h"

namespace {

using namespace std::chrono_literals;
using hostsim::ProtocolPeer;
using vorl::test::clientKeys;
using vorl::test::PeerClient;

std::vector<std::string> resentLines(const std::string& log)
{
    std::vector<std::string> out;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("rec:OnSendToNet", 0) == 0 && line.size() > 2
            && line.substr(line.size() - 2) == " 1") {
            out.push_back(line);
        }
    }
    return out;
}

TEST(ClientResilience, CutReplyReconnectsLogsOnAgainAndResendsOnlyTheUnanswered)
{
    vorl::test::Recorder recorder;
    ProtocolPeer peer;
    PeerClient client(clientKeys(peer), vorl::test::entry("rec", "recorder.vpx", "RecorderInit"));
    ASSERT_EQ(client.createResult(), 0);
    ASSERT_EQ(client.setLogon("user"), 0);
    ASSERT_EQ(VORLConnect(client.handle()), 0);
    // Marked for a repeated logon, as the workstation does once connected.
    ASSERT_EQ(client.setLogon("user R"), 0);

    ASSERT_EQ(client.send("answered"), 0);
    ASSERT_EQ(VORLRecv(client.handle(), -1), 0);
    recorder.reset();

    peer.cutNextReply();
    ASSERT_EQ(client.send("second"), 0);
    ASSERT_EQ(client.send("third"), 0);
    std::vector<std::string> texts;
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(VORLRecv(client.handle(), -1), 0);
        texts.push_back(client.firstText());
    }
    EXPECT_EQ(texts, (std::vector<std::string> { "second", "third" }));

    const hostsim::PeerRecord rec = peer.record();
    EXPECT_EQ(rec.connectionsAccepted, 2);
    EXPECT_EQ(rec.logonTexts, (std::vector<std::string> { "user", "user R" }));
    std::vector<uint32_t> resentSeqs;
    for (const auto* p : rec.requests()) {
        if (p->connection == 2)
            resentSeqs.push_back(p->header.seq);
    }
    EXPECT_EQ(resentSeqs, (std::vector<uint32_t> { 2, 3 }));
    EXPECT_EQ(resentLines(recorder.log()).size(), 2u) << recorder.log();
    EXPECT_EQ(VORLRecv(client.handle(), 0), VORL_ERR_NOTHING_PENDING);
}

TEST(ClientResilience, AnOrderlyCloseIsALostLinkAtOnce)
{
    ProtocolPeer peer;
    auto keys = clientKeys(peer);
    // Waiting for these would take the test's whole time: a close must not wait.
    keys["PacketTimeout"] = "200";
    keys["ReceiveTimeout"] = "200";
    PeerClient client(keys);
    ASSERT_EQ(VORLConnect(client.handle()), 0);

    peer.dropAtRequest(1);
    ASSERT_EQ(client.send("blocking"), 0);
    ASSERT_EQ(VORLRecv(client.handle(), -1), 0);
    EXPECT_EQ(client.firstText(), "blocking");

    // Polling sees the close too and rebuilds the link within its calls.
    peer.dropAtRequest(1);
    ASSERT_EQ(client.send("polling"), 0);
    int rc = VORL_ERR_TIMEOUT;
    for (int i = 0; i < 100 && rc == VORL_ERR_TIMEOUT; ++i) {
        rc = VORLRecv(client.handle(), 0);
        if (rc == VORL_ERR_TIMEOUT)
            std::this_thread::sleep_for(50ms);
    }
    ASSERT_EQ(rc, 0);
    EXPECT_EQ(client.firstText(), "polling");
    EXPECT_EQ(peer.record().connectionsAccepted, 3);
}

TEST(ClientResilience, SendTriesLimitTheRebuilds)
{
    for (int tries : { 0, 2 }) {
        SCOPED_TRACE(tries);
        ProtocolPeer peer;
        auto keys = clientKeys(peer);
        keys["SendTries"] = std::to_string(tries);
        PeerClient client(keys);
        ASSERT_EQ(VORLConnect(client.handle()), 0);
        peer.setAcceptingConnections(false);
        peer.dropAtRequest(1);
        ASSERT_EQ(client.send("lost"), 0);
        EXPECT_EQ(VORLRecv(client.handle(), -1), VORL_ERR_SEND_TRIES);
        // One discovery for the connection, one per rebuild.
        EXPECT_EQ(peer.record().discoveries.size(), static_cast<std::size_t>(1 + tries));
        EXPECT_EQ(VORLRecv(client.handle(), 0), VORL_ERR_SEND_TRIES);

        // A new connection sends the unanswered packet again.
        peer.setAcceptingConnections(true);
        ASSERT_EQ(VORLConnect(client.handle()), 0);
        ASSERT_EQ(VORLRecv(client.handle(), -1), 0);
        EXPECT_EQ(client.firstText(), "lost");
    }
}

TEST(ClientResilience, WritingToADeadLinkRaisesNoSigpipe)
{
    struct DefaultSigpipe {
        void (*old)(int) = std::signal(SIGPIPE, SIG_DFL); // SIGPIPE would end this process
        ~DefaultSigpipe() { std::signal(SIGPIPE, old); }
    } sigpipe;
    auto peer = std::make_unique<ProtocolPeer>();
    auto keys = clientKeys(*peer);
    keys["SendTries"] = "0";
    keys["ConnectTime"] = "1";
    keys["WindowSize"] = "8";
    PeerClient client(keys);
    ASSERT_EQ(VORLConnect(client.handle()), 0);
    peer.reset();

    int rc = 0;
    for (int i = 0; i < 5 && rc == 0; ++i) {
        rc = client.send("into the void");
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_EQ(rc, VORL_ERR_SEND_TRIES);
    EXPECT_EQ(VORLRecv(client.handle(), 0), VORL_ERR_SEND_TRIES);
}

} // namespace
#endif
