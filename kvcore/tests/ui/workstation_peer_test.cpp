// The test workstation against the host stand-in's protocol peer through the
// real router library: logon from the dialog and from the command line, the
// poll, logoff, and a refused logon that ends the start-up.
#if KV_HAVE_PEER

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "fw/test/fwtest.h"
#include "fw/ui/text.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/session_core.h"
#include "kvcore/res/app_ids.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/router/info_req.h"
#include "protocol_peer.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"
#include "support/test_app.h"
#include "ui/test_workstation.h"

namespace {

using namespace std::chrono_literals;
using hostsim::ReplyMessage;

constexpr auto kPeerWait = 5s;

class PeerWorkstation : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::getenv("PLINTH_NAMESPACE") == nullptr)
            setenv("PLINTH_NAMESPACE", ("t" + std::to_string(getpid()) + "_").c_str(), 1);
        kvtest::CallLog().clear();
        fPacket = fTrPacket = 0;
        aInfoReq.RemoveAll();
        peer = std::make_unique<hostsim::ProtocolPeer>(hostsim::PeerConfig { .address = "127.0.0.1" });
        // The host: no security code, every transaction accepted, the table's rows, and
        // an empty reply to everything else.
        peer->setRequestHandler([](const hostsim::PeerPacket& packet) {
            std::vector<ReplyMessage> out;
            for (const hostsim::PeerMessage& m : packet.messages) {
                switch (m.header.type) {
                case 152:
                    out.push_back(ReplyMessage::answering(m, kvtest::kAccepted, "NO"));
                    break;
                case 130:
                case 182:
                    out.push_back(ReplyMessage::answering(m, kvtest::kAccepted, ""));
                    break;
                case kvtest::kHostTableRequest:
                    out.push_back(ReplyMessage::answering(m, 5, "ROW"));
                    out.push_back(ReplyMessage::answering(m, 5, ""));
                    break;
                default:
                    out.push_back(ReplyMessage::answering(m, 5, ""));
                    break;
                }
            }
            return std::optional<std::vector<ReplyMessage>>(std::move(out));
        });
        dir.Write("kv32.ini",
            "[general]\nLogoPeriod=0\n[vorl]\nService=" + peer->service()
                + "\nServer=VEXA\n[VORLClient]\nHostType=VEXA\nPossibleHosts=127.0.0.1\n"
                  "BroadcastAddress=127.255.255.255\nPacketTimeout=4\nCharacterTimeout=2\nReceiveTimeout=3\n"
                  "ConnectTime=2\nSendTries=1\nWindowSize=3\n[VORLClient_plugins]\n");
        clock = std::make_unique<fw::test::ManualClock>();
        app = std::make_unique<kvtest::WorkstationApp>();
    }
    void TearDown() override
    {
        app->finish();
        app.reset();
        clock.reset();
        fw::test::processEvents();
        peer.reset();
        aInfoReq.RemoveAll();
        fPacket = fTrPacket = 0;
    }
    std::vector<uint16_t> RequestTypes() const
    {
        std::vector<uint16_t> types;
        const hostsim::PeerRecord record = peer->record(); // the packets live as long as it
        for (const hostsim::PeerPacket* p : record.requests())
            for (const hostsim::PeerMessage& m : p->messages)
                types.push_back(m.header.type);
        return types;
    }

    kvtest::ScratchIniDir dir;
    std::unique_ptr<hostsim::ProtocolPeer> peer;
    std::unique_ptr<fw::test::ManualClock> clock;
    std::unique_ptr<kvtest::WorkstationApp> app;
    fw::test::Script script;
};

TEST_F(PeerWorkstation, LogsOnPollsAndLogsOff)
{
    ASSERT_TRUE(app->start());
    kvtest::WorkstationFrame* frame = app->Frame();
    script.expectDialog(IDD_LOGON, [](fw::Dialog& d) {
        d.userType(IDC_LOGON_USER, "trader01");
        d.userType(IDC_LOGON_PASSWORD, "Secret#123");
        d.userClick(fw::kIdOk);
    });
    fw::App::runCommandIfEnabled(frame, ID_KV_LOGON);
    ASSERT_NE(ps, nullptr);
    EXPECT_EQ(RequestTypes(), (std::vector<uint16_t> { 182, 152, kvtest::kHostTableRequest, 29 }));
    EXPECT_EQ(app->table.rows, (std::vector<std::string> { "ROW" }));
    EXPECT_EQ(fw::fromQt(frame->windowTitle()), "VEXA Universal Bench - Trader Bench");
    ASSERT_EQ(peer->record().logonTexts.size(), 1u);
    EXPECT_EQ(peer->record().logonTexts[0].substr(0, 12), "trader01    ");

    // The timer's poll: one tick sends the collected requests, a later one takes the reply.
    for (int tick = 0; tick < 500 && app->table.rows.size() < 2; ++tick) {
        clock->advance(1000);
        if (app->table.rows.size() < 2)
            std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(app->table.rows, (std::vector<std::string> { "ROW", "ROW" }));

    kvtest::CallLog().clear();
    fw::App::runCommandIfEnabled(frame, ID_KV_LOGOFF);
    EXPECT_EQ(ps, nullptr);
    EXPECT_EQ(RequestTypes().back(), 130);
    EXPECT_TRUE(peer->waitForDisconnects(1, kPeerWait));
    EXPECT_EQ(fw::fromQt(frame->windowTitle()), "VEXA Universal Bench");
}

TEST_F(PeerWorkstation, LogsOnFromTheCommandLine)
{
    app->m_aCommandLine = { "kv32", "-utrader02", "-pSecret#123", "/nocheckversion" };
    ASSERT_TRUE(app->start());
    ASSERT_NE(ps, nullptr);
    EXPECT_EQ(ps->m_sUser, "trader02");
    EXPECT_EQ(app->m_cmdInfo.m_bCheckVersion, 0);
    EXPECT_TRUE(script.dialogsShown().empty()); // no logon dialog
    EXPECT_EQ(RequestTypes().front(), 182);
}

TEST_F(PeerWorkstation, ARefusedCommandLineLogonEndsTheStart)
{
    peer->setLogonAnswer(hostsim::LogonAnswer::refuse("Unknown user"));
    script.answerMessageBox(fw::IDOK); // the host's refusal
    app->m_aCommandLine = { "kv32", "-unobody", "-px" };
    EXPECT_FALSE(app->start());
    EXPECT_EQ(ps, nullptr);
    ASSERT_EQ(script.messageBoxes().size(), 1u);
    EXPECT_EQ(script.messageBoxes()[0], "Unknown user");
}

TEST_F(PeerWorkstation, ARefusedClientVersionDisconnects)
{
    peer->setRequestHandler([](const hostsim::PeerPacket& packet) {
        std::vector<ReplyMessage> out;
        for (const hostsim::PeerMessage& m : packet.messages)
            out.push_back(ReplyMessage::answering(m, 2, "old version"));
        return std::optional<std::vector<ReplyMessage>>(std::move(out));
    });
    script.answerMessageBox(fw::IDOK);
    app->m_aCommandLine = { "kv32", "-utrader01", "-px" };
    EXPECT_FALSE(app->start());
    ASSERT_EQ(script.messageBoxes().size(), 1u);
    EXPECT_NE(script.messageBoxes()[0].find("Program Abort."), std::string::npos);
    EXPECT_TRUE(peer->waitForDisconnects(1, kPeerWait));
    EXPECT_FALSE(pvorl->IsConnect());
}

} // namespace

#endif
