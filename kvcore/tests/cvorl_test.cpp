#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "fw/core/clock.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/router/vorl_target.h"
#include "support/session_fixture.h"

namespace {

using kvtest::Fake;

class CVorlTest : public kvtest::SessionFixture { };

TEST_F(CVorlTest, ConnectLogsOnThenMarksTheLogonForReconnection)
{
    const std::string digest = Digest('7');
    ASSERT_EQ(session->Connect("kvsvc", "HOST", "trader01", digest.c_str()), 0);
    EXPECT_EQ(Fake().config, "kv32.ini");
    EXPECT_EQ(Fake().service, "kvsvc");
    EXPECT_EQ(Fake().hostType, "HOST");
    ASSERT_EQ(Fake().logons.size(), 2u);
    EXPECT_EQ(Fake().logons[0].type, 129);
    EXPECT_EQ(Fake().logons[0].data, "trader01    " + digest);
    EXPECT_EQ(Fake().logons[1].type, 129);
    EXPECT_EQ(Fake().logons[1].data, "trader01    " + digest + "R");
    EXPECT_EQ(Fake().calls, (std::vector<std::string> { "create", "logon", "connect", "logon" }));
    EXPECT_TRUE(session->IsConnect());
    EXPECT_FALSE(session->IsError());
    EXPECT_EQ(session->User(), "trader01");
    EXPECT_EQ(session->Password(), digest);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CVorlTest, LogonTextCutsTheUserToTwelve)
{
    ASSERT_EQ(session->Connect("s", "h", "averyverylongusername", Digest().c_str()), 0);
    EXPECT_EQ(Fake().logons[0].data.substr(0, 12), "averyverylon");
    EXPECT_EQ(Fake().logons[0].data.size(), 76u);
    EXPECT_EQ(Fake().logons[1].data.size(), 77u);
}

TEST_F(CVorlTest, OversizedDigestIsRefusedBeforeTheRouter)
{
    EXPECT_EQ(session->Connect("s", "h", "u", std::string(65, 'A').c_str()), VORLST_LOGON_TEXT);
    EXPECT_TRUE(Fake().calls.empty());
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(session->IsConnect());
}

TEST_F(CVorlTest, RefusedLogonShowsTheHostTextOnceAndDropsTheHandle)
{
    Fake().logonEvent = 192;
    Fake().logonReplyText = "User is locked";
    EXPECT_EQ(session->Connect("s", "h", "u", Digest().c_str()), VORLST_LOGON_REFUSED);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "User is locked");
    EXPECT_EQ(boxFlags[0], fw::MB_ICONSTOP);
    EXPECT_FALSE(session->IsConnect());
    EXPECT_EQ(Fake().handles, 0); // the failed attempt's handle is gone
    EXPECT_EQ(Fake().disconnects, 1);
}

TEST_F(CVorlTest, FailedConnectDestroysTheHandle)
{
    Fake().connectStatus = 22;
    EXPECT_EQ(session->Connect("s", "h", "u", Digest().c_str()), 22);
    EXPECT_EQ(Fake().handles, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "router error 22");
    Fake().connectStatus = 0;
    EXPECT_EQ(session->Connect("s", "h", "u", Digest().c_str()), 0);
    EXPECT_EQ(Fake().handles, 1);
}

TEST_F(CVorlTest, ConnectingAgainReplacesTheHandleAsARepeatedLogon)
{
    ConnectOk();
    Fake().logons.clear();
    ASSERT_EQ(session->Connect("s", "h", "trader01", Digest('C').c_str()), 0);
    EXPECT_EQ(Fake().handles, 1); // the old handle was given back
    ASSERT_EQ(Fake().logons.size(), 2u);
    EXPECT_EQ(Fake().logons[0].data.back(), 'R');
    EXPECT_EQ(Fake().logons[1].data.back(), 'R');
}

TEST_F(CVorlTest, LogonReplyTextIsBounded)
{
    Fake().logonEvent = 192;
    Fake().logonReplyText = std::string(400, 'x');
    session->Connect("s", "h", "u", Digest().c_str());
    EXPECT_EQ(std::string(session->GetLogonReply()), std::string(256, 'x'));
    EXPECT_EQ(CVorl::LogonFn(192, nullptr, 5, -12345), -1); // no such session
    EXPECT_EQ(CVorl::LogonFn(77, nullptr, 0, 1), -1);
}

TEST_F(CVorlTest, RouterStatusesAndTheErrorState)
{
    ConnectOk();
    struct Case {
        int status;
        bool shown;
        bool critical;
    } const cases[] = {
        { 9, false, false },
        { 3, false, false },
        { 2, false, false },
        { 4, false, false },
        { 6, true, false },
        { 11, true, false },
        { 7, true, true },
        { 10, true, true },
    };
    for (const auto& c : cases) {
        boxes.clear();
        ConnectOk(); // a new Connect clears the lost-connection state
        Fake().recvStatuses.push_back(c.status);
        EXPECT_EQ(session->Recv(0), c.status);
        EXPECT_EQ(session->GetResult(), c.status);
        EXPECT_TRUE(session->IsError());
        EXPECT_EQ(!boxes.empty(), c.shown) << c.status;
        if (c.shown) {
            EXPECT_EQ(boxes[0], "router error " + std::to_string(c.status));
        }
        EXPECT_EQ(session->IsCriticalError() != 0, c.critical) << c.status;
    }
}

TEST_F(CVorlTest, CountersFollowPacketsAndMessages)
{
    ConnectOk();
    EXPECT_EQ(session->StartPacket(5, "ABCDE", 5, 1), 0);
    EXPECT_EQ(session->AddMessage(6, "XYZ", 3, 2), 0);
    EXPECT_EQ(session->GetSendCount(), 0u);
    EXPECT_EQ(session->EndPacket(), 0);
    EXPECT_EQ(session->GetSendCount(), 8u);
    Fake().replies.push_back({ { 21, "HELLO", 9 }, { 0, "", 0 } });
    ASSERT_EQ(session->Recv(1), 0);
    int count = 0;
    ASSERT_EQ(session->NumMessages(&count), 0);
    ASSERT_EQ(count, 2);
    tagTMSG msg;
    int32_t value = 0;
    ASSERT_EQ(session->Message(0, &msg, &value), 0);
    EXPECT_EQ(msg.nType, 21);
    EXPECT_EQ(msg.nLength, 5);
    EXPECT_EQ(value, 9);
    EXPECT_STREQ(reinterpret_cast<char*>(msg.pText), "HELLO");
    ASSERT_EQ(session->Message(1, &msg, nullptr), 0);
    EXPECT_EQ(msg.nLength, 0);
    EXPECT_STREQ(reinterpret_cast<char*>(msg.pText), ""); // ended: no bytes of the message before
    EXPECT_EQ(session->GetRecvCount(), 5u);
    EXPECT_EQ(session->Message(2, &msg, nullptr), 11);
    EXPECT_EQ(session->Send(3, "QQ", 2, 0), 0);
    EXPECT_EQ(session->GetSendCount(), 10u);
    EXPECT_EQ(session->Send(3, "QQ", 2, 0), 2); // window of one: no free slot, nothing counted
    EXPECT_EQ(session->GetSendCount(), 10u);
    session->ResetCounts();
    EXPECT_EQ(session->GetSendCount(), 0u);
}

// The session's time counts whole seconds of the process clock from the connect.
TEST_F(CVorlTest, SessionTimeCountsSecondsSinceTheConnect)
{
    fw::ManualClock clock(5'000'700);
    fw::ClockScope scope(clock);
    EXPECT_EQ(session->GetSessionTime(), 0); // not connected
    clock.advance(3000);
    ConnectOk();
    EXPECT_EQ(session->GetSessionTime(), 0);
    clock.advance(299); // 5003.999 s: still within the first second
    EXPECT_EQ(session->GetSessionTime(), 0);
    clock.advance(1);
    EXPECT_EQ(session->GetSessionTime(), 1);
    clock.advance(3'600'000);
    EXPECT_EQ(session->GetSessionTime(), 3601);
    EXPECT_EQ(session->Disconnect(), 0);
    EXPECT_EQ(session->GetSessionTime(), 0);
    clock.advance(10'000);
    ConnectOk(); // a new session counts from its own connect
    EXPECT_EQ(session->GetSessionTime(), 0);
    clock.advance(2000);
    EXPECT_EQ(session->GetSessionTime(), 2);
}

TEST_F(CVorlTest, DisconnectForgetsTheSession)
{
    ConnectOk();
    EXPECT_EQ(session->Disconnect(), 0);
    EXPECT_FALSE(session->IsConnect());
    EXPECT_EQ(session->User(), "");
    EXPECT_EQ(session->Password(), "");
    EXPECT_EQ(session->GetSessionTime(), 0);
    EXPECT_EQ(Fake().handles, 0);
    EXPECT_EQ(session->Recv(0), 21); // the router refuses the dead handle
}

TEST_F(CVorlTest, LogonChangeKeepsTheNewDigest)
{
    ConnectOk();
    const std::string digest = Digest('B');
    EXPECT_EQ(session->LogonChange("trader01", digest.c_str()), 0);
    EXPECT_EQ(Fake().logons.back().data, "trader01    " + digest + "R");
    EXPECT_EQ(session->Password(), digest);
}

TEST_F(CVorlTest, DestroyingAConnectedSessionDisconnects)
{
    ConnectOk();
    pvorl = nullptr;
    session.reset();
    EXPECT_EQ(Fake().handles, 0);
}

// Loading a library from disk.
class CVorlLoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::setMessageBoxHook([this](const std::string& text, std::uint32_t) {
            boxes.push_back(text);
            return fw::IDOK;
        });
        // Programs and libraries share one output folder: the test's own.
        const char* bin = std::getenv("KV_BIN_DIR");
        if (bin != nullptr) {
            binDir = bin;
        } else {
            char self[4096];
            const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
            binDir = n > 0 ? std::string(self, static_cast<size_t>(n)) : std::string("./x");
            binDir = binDir.substr(0, binDir.rfind('/'));
        }
    }
    void TearDown() override
    {
        KvDestroyRouterSession();
        fw::setMessageBoxHook(nullptr);
        unsetenv("VORLMSGFILE");
    }
    std::string binDir;
    std::vector<std::string> boxes;
};

TEST_F(CVorlLoadTest, LoadsByNameAndPointsTheMessageFileBesideIt)
{
    CVorl v;
    ASSERT_EQ(v.Init(binDir + "/KvFakeVorlWhole"), 1);
    EXPECT_TRUE(v.IsVORLLoaded());
    EXPECT_NE(v.GetInstance(), nullptr);
    EXPECT_TRUE(v.HasAllEntries());
    const char* msgFile = std::getenv("VORLMSGFILE");
    ASSERT_NE(msgFile, nullptr);
    const std::string path(msgFile);
    EXPECT_EQ(path.substr(path.size() - std::string("/KvFakeVorlWhole/vorl.msg").size()),
        "/KvFakeVorlWhole/vorl.msg");
    EXPECT_EQ(v.Connect("s", "h", "u", std::string(64, 'A').c_str()), 0); // calls reach the library
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CVorlLoadTest, ALibraryWithoutOneNameStillLoads)
{
    CVorl v;
    EXPECT_EQ(v.Init(binDir + "/KvFakeVorlPartial"), 1);
    EXPECT_FALSE(v.HasAllEntries());
}

TEST_F(CVorlLoadTest, MissingLibraryShowsTheLoadErrorAndLeavesNoSession)
{
    EXPECT_EQ(KvCreateRouterSession(binDir + "/NoSuchFolder"), 0);
    EXPECT_EQ(pvorl, nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Error loading VORL.DLL.");
}

TEST_F(CVorlLoadTest, TheRealRouterBesideTheCoreBindsEveryName)
{
    const std::string real = binDir + "/libvorl.so";
    if (access(real.c_str(), R_OK) != 0)
        GTEST_SKIP() << "libvorl.so is not built";
    ASSERT_EQ(KvCreateRouterSession(), 1);
    ASSERT_NE(pvorl, nullptr);
    EXPECT_TRUE(pvorl->HasAllEntries());
    const char* msgFile = std::getenv("VORLMSGFILE");
    ASSERT_NE(msgFile, nullptr);
    char resolved[4096];
    ASSERT_NE(realpath(binDir.c_str(), resolved), nullptr);
    EXPECT_EQ(std::string(msgFile), std::string(resolved) + "/vorl.msg");
    // The router finds its message file through the variable: an error shows its text.
    EXPECT_EQ(pvorl->Recv(0), 21);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0], "Unable to open VORL message file");
    EXPECT_NE(boxes[0], "No error text available");
    EXPECT_FALSE(boxes[0].empty());
}

} // namespace
