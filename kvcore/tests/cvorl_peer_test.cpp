// The router session over the real router library against the protocol peer:
// the logon texts the host sees, a refused logon, and how each router status
// reaches the user and the session's error state.
#include "support/peer_session.h"

#if KV_HAVE_PEER

#include <string>
#include <vector>

#include "kvcore/router/vorl_target.h"

namespace {

using kvtest::kPeerWait;
using namespace std::chrono_literals;

class CVorlPeer : public kvtest::PeerSessionFixture { };

TEST_F(CVorlPeer, ConnectLogsOnThenReconnectsAsARepeatedLogon)
{
    ASSERT_EQ(Connect(), 0);
    EXPECT_TRUE(pvorl->IsConnect());
    EXPECT_EQ(pvorl->User(), "trader01");
    EXPECT_EQ(pvorl->Password(), Digest());
    EXPECT_EQ(
        peer->record().logonTexts, (std::vector<std::string> { LogonText("trader01", Digest(), false) }));

    // The host drops the link; the router rebuilds it inside the next receive
    // and logs on with the text the session set after connecting.
    peer->dropLinks();
    ASSERT_EQ(pvorl->Send(7, "PING", 4, 0), 0);
    ASSERT_EQ(pvorl->Recv(5), 0);
    int count = 0;
    ASSERT_EQ(pvorl->NumMessages(&count), 0);
    ASSERT_EQ(count, 1);
    tagTMSG message;
    ASSERT_EQ(pvorl->Message(0, &message, nullptr), 0);
    EXPECT_EQ(
        std::string(reinterpret_cast<char*>(message.pText), static_cast<size_t>(message.nLength)), "PING");
    EXPECT_EQ(peer->record().logonTexts,
        (std::vector<std::string> {
            LogonText("trader01", Digest(), false), LogonText("trader01", Digest(), true) }));
    EXPECT_EQ(peer->record().connectionsAccepted, 2);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(pvorl->IsCriticalError());
    EXPECT_EQ(pvorl->GetSendCount(), 4u);
    EXPECT_EQ(pvorl->GetRecvCount(), 4u);
}

TEST_F(CVorlPeer, LaterLogonsCarryTheMarkAndTheNewDigest)
{
    ASSERT_EQ(Connect("a.very.long.user.name"), 0);
    const std::string changed(64, 'E');
    ASSERT_EQ(pvorl->LogonChange("trader02", changed.c_str()), 0);
    EXPECT_EQ(pvorl->Password(), changed);
    peer->dropLinks();
    ASSERT_EQ(pvorl->Send(7, "PING", 4, 0), 0);
    ASSERT_EQ(pvorl->Recv(5), 0);
    // Connecting again while connected logs on as a repeated logon too.
    ASSERT_EQ(Connect(), 0);
    EXPECT_EQ(peer->record().logonTexts,
        (std::vector<std::string> { LogonText("a.very.long.", Digest(), false),
            LogonText("trader02", changed, true), LogonText("trader01", Digest(), true) }));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CVorlPeer, RefusedLogonShowsTheHostsTextOnce)
{
    peer->setLogonAnswer(hostsim::LogonAnswer::refuse("Wrong password"));
    EXPECT_EQ(Connect(), 25);
    EXPECT_FALSE(pvorl->IsConnect());
    EXPECT_FALSE(pvorl->IsCriticalError());
    EXPECT_EQ(boxes, (std::vector<std::string> { "Wrong password" }));
    EXPECT_STREQ(pvorl->GetLogonReply(), "Wrong password");
    EXPECT_TRUE(pvorl->User().empty());

    // The failed attempt left nothing behind: the next one logs on afresh.
    boxes.clear();
    peer->setLogonAnswer(hostsim::LogonAnswer::accept());
    ASSERT_EQ(Connect(), 0);
    EXPECT_TRUE(pvorl->IsConnect());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(peer->record().logonTexts.back(), LogonText("trader01", Digest(), false));
}

TEST_F(CVorlPeer, NothingPendingAndNoReplyYetAreSilent)
{
    ASSERT_EQ(Connect(), 0);
    EXPECT_EQ(pvorl->Recv(0), 3);
    // The host keeps this request's reply back.
    peer->setRequestHandler([](const hostsim::PeerPacket&) { return std::nullopt; });
    ASSERT_EQ(pvorl->Send(7, "HELD", 4, 0), 0);
    ASSERT_TRUE(peer->waitForRequests(1, kPeerWait));
    EXPECT_EQ(pvorl->Recv(0), 9);
    EXPECT_TRUE(pvorl->IsError());
    EXPECT_FALSE(pvorl->IsCriticalError());
    EXPECT_TRUE(pvorl->IsConnect());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CVorlPeer, AFullPacketIsReportedButKeepsTheSession)
{
    ASSERT_EQ(Connect(), 0);
    const std::string half(20000, 'x');
    ASSERT_EQ(pvorl->StartPacket(7, half.data(), static_cast<int>(half.size()), 0), 0);
    EXPECT_EQ(pvorl->AddMessage(7, half.data(), static_cast<int>(half.size()), 0), 6);
    EXPECT_FALSE(pvorl->IsCriticalError());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(boxes[0].empty());

    // The packet as it stands still travels and is answered.
    ASSERT_EQ(pvorl->EndPacket(), 0);
    ASSERT_EQ(pvorl->Recv(5), 0);
    EXPECT_EQ(pvorl->GetSendCount(), half.size());
    EXPECT_EQ(peer->record().requestsReceived, 1u);
}

TEST_F(CVorlPeer, ALostLinkIsCriticalUntilTheNextConnect)
{
    keys["SendTries"] = "0"; // no rebuild: the first loss ends the session
    ASSERT_EQ(Connect(), 0);
    peer->setAcceptingConnections(false);
    peer->dropAtRequest(1);
    ASSERT_EQ(pvorl->Send(7, "LOST", 4, 0), 0);
    EXPECT_EQ(pvorl->Recv(5), 7);
    EXPECT_TRUE(pvorl->IsCriticalError());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(boxes[0].empty());
    // The flag outlives later calls' results.
    EXPECT_EQ(pvorl->Recv(0), 7);
    EXPECT_TRUE(pvorl->IsCriticalError());

    peer->setAcceptingConnections(true);
    boxes.clear();
    ASSERT_EQ(Connect(), 0);
    EXPECT_FALSE(pvorl->IsCriticalError());
    EXPECT_TRUE(boxes.empty());
}

} // namespace

#endif
