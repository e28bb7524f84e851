// The main window's session life without the window: logon and logoff order,
// the clean-up of a failed logon, the timers' poll and high-speed polling, the
// clock panes, checked through one call log.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fw/core/clock.h"
#include "support/clock_support.h"
#include "kvcore/app/logon_checks.h"
#include "kvcore/app/main_frame_logic.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/session_core.h"
#include "kvcore/res/app_ids.h"
#include "fw/core/strings.h"
#include "kvcore/router/info_req.h"
#include "kvcore/router/vorl_target.h"
#include "kvcore/values/cdatetime.h"
#include "support/session_fixture.h"
#include "support/test_app.h"

namespace {

using kvtest::Fake;
using kvtest::kAccepted;
using kvtest::kRefused;

std::vector<std::string>* g_log = nullptr;
void Log(const std::string& entry)
{
    if (g_log != nullptr)
        g_log->push_back(entry);
}

class Table : public CVorlPermTarget {
public:
    int Load() override
    {
        Log("load");
        return loadResult;
    }
    int Save() override
    {
        Log("save");
        return 1;
    }
    void Free() override { Log("free"); }
    int UpdateReq() override { return request && VORLInfoReqAdd(77, "Q", 1, this); }
    int Decode(CRecordReader&) override { return 1; }
    int loadResult = 1;
    bool request = false;
};

class FakeSession : public CSessionCore {
public:
    ~FakeSession() override { Log("delete session"); }
    int RequestTETime() override
    {
        Log("RequestTETime");
        return 1;
    }
    int GetUserFirm() override
    {
        Log("GetUserFirm");
        return firmResult;
    }
    int OnNewDocument() override
    {
        Log("OnNewDocument");
        return 1;
    }
    int BCMessagesSwitch() override
    {
        Log("BCMessagesSwitch");
        return 1;
    }
    int RestoreSettings(const char*) override
    {
        Log("RestoreSettings");
        return 1;
    }
    int SaveSettings(const char*) override
    {
        Log("SaveSettings");
        return 1;
    }
    static inline int firmResult = 1;
};

constexpr unsigned kLoggedOn = 128, kLoggedOff = 129;

class FakeFrame : public CMainFrameCoreLogic {
public:
    std::unique_ptr<CSessionCore> CreateSession() override
    {
        Log("CreateSession");
        return std::make_unique<FakeSession>();
    }
    void ResetTables() override { Log("ResetTables"); }
    void OnPollEvent() override { Log("OnPollEvent"); }
    unsigned GetLoggedOnIDR() const override { return kLoggedOn; }
    unsigned GetLoggedOffIDR() const override { return kLoggedOff; }

    bool IsFrameIconic() const override { return iconic; }
    bool IsFrameEnabled() const override { return enabled; }
    bool IsMenuOpen() const override { return menuOpen; }
    bool InModalState() const override { return !enabled; }
    void SetPaneText(int pane, const std::string& text) override { panes[pane].push_back(text); }
    bool RunLogonDialog(int& resetLogPrinting) override
    {
        Log("logon dialog");
        resetLogPrinting = resetLog;
        if (!dialogOk)
            return false;
        return pvorl->Connect("kvsvc", "VEXA", "trader01", std::string(64, 'D').c_str()) == 0;
    }
    void PostFrameCommand(unsigned id) override { posted.push_back(id); }
    // As the framework runs a command: its update handler first ("Log off" is enabled only
    // during a session).
    void SendFrameCommand(unsigned id) override
    {
        Log("send " + std::to_string(id));
        if (id == ID_KV_LOGOFF && ps != nullptr)
            OnSessionEnd();
    }
    void ApplyInterface(unsigned idr, bool loggedOn) override
    {
        Log(std::string("interface ") + (loggedOn ? "on " : "off ") + std::to_string(idr));
    }
    void ClosePrintPreview() override { Log("ClosePrintPreview"); }
    void MDIDestroyAll() override { Log("MDIDestroyAll"); }

    // Runs what was posted, as the event loop would.
    void RunPosted()
    {
        std::vector<unsigned> queue;
        queue.swap(posted);
        for (unsigned id : queue) {
            Log("posted " + std::to_string(id));
            SendFrameCommand(id);
        }
    }

    bool iconic = false, enabled = true, menuOpen = false, dialogOk = true;
    int resetLog = 0;
    std::map<int, std::vector<std::string>> panes;
    std::vector<unsigned> posted;
};

class LoggingApp : public kvtest::TestApp {
public:
    int VORLTransactionRecv(int code, char* text, int len, int flag) override
    {
        Log("tr" + std::to_string(code));
        return TestApp::VORLTransactionRecv(code, text, len, flag);
    }
    int VORLInfoReqRecv() override
    {
        Log("recv");
        return TestApp::VORLInfoReqRecv();
    }
    void DoRequest() override
    {
        Log("request");
        TestApp::DoRequest();
    }
    // The main window is the application's: its posts and modal state are the frame's.
    void PostMainCommand(unsigned id) override { frame->posted.push_back(id); }
    bool IsModalState() const override { return !frame->enabled; }
    CMainFrameCoreLogic* MainFrameLogic() const override { return frame; }

    FakeFrame* frame = nullptr;
};

class MainFrameSession : public kvtest::SessionFixture {
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        g_log = &log;
        app.frame = frame.get();
        fPacket = fTrPacket = 0;
        fHighSpeed = 0;
        aInfoReq.RemoveAll();
        FakeSession::firmResult = 1;
        KvLogonDialogs dialogs;
        dialogs.passwordChange = [](bool) {
            Log("password dialog");
            return false;
        };
        dialogs.securityCode = [](std::string& code) {
            Log("code dialog");
            code = "42";
            return true;
        };
        KvSetLogonDialogs(dialogs);
    }
    void TearDown() override
    {
        app.frame = nullptr;
        frame.reset();
        KvSetLogonDialogs({});
        aInfoReq.RemoveAll();
        fPacket = fTrPacket = 0;
        iTS = 1;
        fHighSpeedMode = 0;
        iHighSpeedDelay = 10;
        fHighSpeed = 0;
        iMMOverWrite = 0;
        g_log = nullptr;
        CDateTime::ResetKvTime();
        SessionFixture::TearDown();
    }
    // Logs on with the host answering "no code needed".
    void LogOn()
    {
        Fake().replies.push_back({ { kAccepted, "NO" } });
        frame->OnSessionBegin();
        ASSERT_NE(ps, nullptr);
        log.clear();
        Fake().calls.clear();
    }
    std::vector<std::string> FrameLog() const { return log; }

public:
    std::vector<std::string> log;
    LoggingApp app;
    Table table;
    std::unique_ptr<FakeFrame> frame = std::make_unique<FakeFrame>();
};

TEST_F(MainFrameSession, LogonRunsInItsOrder)
{
    EXPECT_TRUE(frame->IsLocked());
    table.request = true;
    frame->resetLog = 1;
    Fake().replies.push_back({ { kAccepted, "YES" } }); // 152: code needed
    Fake().replies.push_back({ { kAccepted, "" } }); // 153
    Fake().replies.push_back({ { 5, "" } }); // 68
    Fake().replies.push_back({ { 5, "ROW" }, { 0, "" } }); // first load
    frame->OnSessionBegin();
    ASSERT_NE(ps, nullptr);
    EXPECT_EQ(log,
        (std::vector<std::string> { "logon dialog", "ResetTables", "tr152", "code dialog", "tr153", "load",
            "recv", "CreateSession", "RequestTETime", "GetUserFirm", "OnNewDocument", "interface on 128",
            "BCMessagesSwitch", "RestoreSettings" }));
    EXPECT_EQ(Fake().sent.size(), 4u);
    EXPECT_EQ(Fake().sent[2][0].type, 68);
    EXPECT_EQ(Fake().sent[3][0].type, 77);
    EXPECT_FALSE(frame->IsLocked());
    EXPECT_EQ(frame->GetCurrentIDR(), kLoggedOn);
    EXPECT_EQ(ps->m_sUser, "trader01");
    EXPECT_EQ(ps->m_sPassword, std::string(64, 'D'));
    // A second "Log on" during the session does nothing.
    log.clear();
    frame->OnSessionBegin();
    EXPECT_TRUE(log.empty());
}

TEST_F(MainFrameSession, FailedLogonsCleanUp)
{
    struct Case {
        const char* name;
        std::function<void(MainFrameSession&)> arrange;
        std::vector<std::string> tail; // the log after "ResetTables"
    } const cases[] = {
        { "refused code",
            [](MainFrameSession&) {
                Fake().replies.push_back({ { kAccepted, "YES" } });
                Fake().replies.push_back({ { kRefused, "" } });
                Fake().replies.push_back({ { kAccepted, "" } }); // 130
            },
            { "tr152", "code dialog", "tr153", "tr130", "free" } },
        { "expired password not changed",
            [](MainFrameSession&) {
                Fake().replies.push_back({ { kAccepted, "PW" } });
                Fake().replies.push_back({ { kAccepted, "" } });
            },
            { "tr152", "password dialog", "tr130", "free" } },
        { "first load fails",
            [](MainFrameSession& t) {
                t.table.loadResult = 0;
                Fake().replies.push_back({ { kAccepted, "NO" } });
                Fake().replies.push_back({ { kAccepted, "" } });
            },
            { "tr152", "load", "tr130", "free" } },
        { "link lost during the first load: no logoff transaction",
            [](MainFrameSession& t) {
                t.table.request = true;
                Fake().replies.push_back({ { kAccepted, "NO" } });
                Fake().recvStatuses = { 0, 7 };
            },
            { "tr152", "load", "recv", "free" } },
        { "no firm",
            [](MainFrameSession&) {
                FakeSession::firmResult = 0;
                Fake().replies.push_back({ { kAccepted, "NO" } });
                Fake().replies.push_back({ { kAccepted, "" } });
            },
            { "tr152", "load", "CreateSession", "RequestTETime", "GetUserFirm", "delete session", "tr130",
                "free" } },
    };
    for (const Case& c : cases) {
        kvtest::ResetFake();
        session->Attach(kvtest::FakeRouterApi());
        log.clear();
        table.loadResult = 1;
        table.request = false;
        FakeSession::firmResult = 1;
        c.arrange(*this);
        frame->OnSessionBegin();
        EXPECT_EQ(ps, nullptr) << c.name;
        std::vector<std::string> expected { "logon dialog", "ResetTables" };
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(log, expected) << c.name;
        EXPECT_FALSE(session->IsConnect()) << c.name;
        EXPECT_EQ(Fake().disconnects, 1) << c.name;
        EXPECT_EQ(frame->GetCurrentIDR(), 0u) << c.name; // the logged-off interface stays
    }
}

TEST_F(MainFrameSession, ACancelledLogonDialogLeavesUpdatesLocked)
{
    frame->dialogOk = false;
    frame->LockUpdates(false);
    frame->OnSessionBegin();
    EXPECT_EQ(log, (std::vector<std::string> { "logon dialog" }));
    EXPECT_TRUE(frame->IsLocked());
    EXPECT_EQ(ps, nullptr);
    EXPECT_TRUE(Fake().sent.empty());
}

TEST_F(MainFrameSession, EndSessionRunsInItsOrder)
{
    LogOn();
    CDateTime::AdjustKvTime(CDateTime::GetPcTime() + 3600);
    frame->PreviewOpen(true);
    Fake().replies.push_back({ { kAccepted, "" } });
    frame->OnSessionEnd();
    EXPECT_EQ(log,
        (std::vector<std::string> { "ClosePrintPreview", "SaveSettings", "save", "tr130", "MDIDestroyAll", "free",
            "delete session", "interface off 129" }));
    EXPECT_EQ(Fake().sent.back()[0].data, "trader01    ");
    EXPECT_EQ(Fake().disconnects, 1);
    EXPECT_EQ(ps, nullptr);
    EXPECT_FALSE(frame->IsLocked());
    EXPECT_EQ(CDateTime::GetDiffTime(), 0);
    // Without a session it returns at once.
    log.clear();
    frame->EndSession(1);
    frame->OnClose();
    EXPECT_TRUE(log.empty());
}

TEST_F(MainFrameSession, EndingWithoutLogoffOrWithALostLinkSendsNo130)
{
    LogOn();
    frame->OnSessionEndNoLogoff();
    EXPECT_EQ(std::count(log.begin(), log.end(), "tr130"), 0);
    EXPECT_EQ(ps, nullptr);
}

TEST_F(MainFrameSession, ClosingTheWindowLogsOffFirst)
{
    LogOn();
    Fake().replies.push_back({ { kAccepted, "" } });
    frame->OnClose();
    EXPECT_EQ(std::count(log.begin(), log.end(), "tr130"), 1);
    EXPECT_EQ(ps, nullptr);
}

TEST_F(MainFrameSession, ForcedLogoffTellsTheUserAndLogsOff)
{
    LogOn();
    Fake().replies.push_back({ { kAccepted, "" } });
    frame->OnForceLogoff();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "You have been logged out.");
    EXPECT_EQ(boxFlags[0], 0x10u);
    EXPECT_EQ(log.front(), "send 35941");
    EXPECT_EQ(ps, nullptr);
    EXPECT_TRUE(frame->OnQueryEndSession());
}

TEST_F(MainFrameSession, PollRunsOnEveryITSthTickOfEitherTimer)
{
    LogOn();
    iTS = 3;
    const unsigned ticks[] = { 1, 1, 2, 1, 2, 2, 1 };
    std::vector<int> pollAt;
    for (size_t i = 0; i < std::size(ticks); ++i) {
        log.clear();
        frame->OnTimer(ticks[i]);
        if (std::count(log.begin(), log.end(), "request") != 0)
            pollAt.push_back(static_cast<int>(i) + 1);
    }
    EXPECT_EQ(pollAt, (std::vector<int> { 3, 6 }));
    // Timer 2 also asks the host for its time.
    log.clear();
    frame->OnTimer(2);
    EXPECT_EQ(log.front(), "RequestTETime");

    iTS = 0;
    log.clear();
    for (int i = 0; i < 10; ++i)
        frame->OnTimer(1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "request"), 0);
    frame->OnTableRefresh();
    EXPECT_EQ(log, (std::vector<std::string> { "request", "OnPollEvent" }));
}

TEST_F(MainFrameSession, PollingPausesWhileIconicScreenSaverOrLocked)
{
    LogOn();
    iTS = 1;
    for (int guard = 0; guard < 3; ++guard) {
        frame->iconic = guard == 0;
        frame->SetScreenSaverRunning(guard == 1);
        frame->LockUpdates(guard == 2);
        log.clear();
        frame->panes.clear();
        frame->OnTimer(1);
        frame->OnTableRefresh();
        EXPECT_TRUE(log.empty()) << guard;
        EXPECT_EQ(frame->panes[CMainFrameCoreLogic::PaneTime].size(), 1u) << guard; // the clock runs on
    }
}

TEST_F(MainFrameSession, AQueueAwaitingRepliesIsReceivedBeforeRequesting)
{
    LogOn();
    table.request = true;
    Fake().replies.push_back({ { 5, "A" }, { 0, "" } });
    frame->DoReceiveRequest(); // collects and sends
    EXPECT_EQ(log, (std::vector<std::string> { "request", "OnPollEvent" }));
    ASSERT_FALSE(IsInfoReqQueueEmpty());
    log.clear();
    frame->DoReceiveRequest(); // receives; the queue empties, so it collects again
    EXPECT_EQ(log, (std::vector<std::string> { "recv", "request", "OnPollEvent" }));
}

TEST_F(MainFrameSession, ACriticalRouterStateEndsTheSessionOnce)
{
    LogOn();
    table.request = true;
    Fake().replies.push_back({ { 5, "A" }, { 0, "" } });
    frame->DoReceiveRequest();
    Fake().recvStatuses = { 7 }; // the link breaks
    frame->enabled = false; // a modal dialog is up: nothing is posted yet
    frame->DoReceiveRequest();
    EXPECT_TRUE(frame->posted.empty());
    frame->enabled = true;
    frame->DoReceiveRequest();
    ASSERT_FALSE(frame->posted.empty());
    log.clear();
    frame->RunPosted();
    frame->RunPosted();
    EXPECT_EQ(std::count(log.begin(), log.end(), "SaveSettings"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "tr130"), 0); // the link is gone
    EXPECT_EQ(ps, nullptr);
}

TEST_F(MainFrameSession, HighSpeedStartsAfterTheDelayAndStopsOnAMenuOrDialog)
{
    LogOn();
    fHighSpeedMode = 1;
    iHighSpeedDelay = 10;
    iTS = 1;
    for (int i = 1; i < 10; ++i) {
        frame->OnTimer(1);
        EXPECT_EQ(fHighSpeed, 0) << i;
    }
    frame->OnTimer(1);
    EXPECT_EQ(fHighSpeed, 1);
    // While it runs, the idle handler polls: the timer does not.
    log.clear();
    frame->OnTimer(1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "request"), 0);

    frame->menuOpen = true;
    frame->OnTimer(1);
    EXPECT_EQ(fHighSpeed, 0);
    frame->menuOpen = false;

    fHighSpeed = 1;
    frame->enabled = false;
    frame->OnTimer(1);
    EXPECT_EQ(fHighSpeed, 0);
    frame->enabled = true;

    // Any key or mouse use starts the count again.
    fHighSpeed = 1;
    frame->SetScreenSaverRunning(true);
    ps->m_nIdleTicks = 7;
    EXPECT_FALSE(app.WatchInput(KvInputKind::Key));
    EXPECT_EQ(fHighSpeed, 0);
    EXPECT_EQ(ps->m_nIdleTicks, 0);
    EXPECT_FALSE(frame->IsScreenSaverRunning());
}

TEST_F(MainFrameSession, MouseOptionOffSwallowsMouseMessages)
{
    LogOn();
    ps->m_nIdleTicks = 4;
    EXPECT_FALSE(app.WatchInput(KvInputKind::Mouse));
    EXPECT_EQ(ps->m_nIdleTicks, 0);
    ps->m_bMouse = 0;
    ps->m_nIdleTicks = 4;
    fHighSpeed = 1;
    EXPECT_TRUE(app.WatchInput(KvInputKind::MouseOther));
    EXPECT_EQ(ps->m_nIdleTicks, 4); // double clicks and frame messages do not count as use
    EXPECT_EQ(fHighSpeed, 1);
    EXPECT_TRUE(app.WatchInput(KvInputKind::Mouse));
    EXPECT_EQ(ps->m_nIdleTicks, 0);
    EXPECT_FALSE(app.WatchInput(KvInputKind::Key));
    EXPECT_FALSE(app.WatchInput(KvInputKind::Other));
}

TEST_F(MainFrameSession, DatePaneFollowsTheDate)
{
    fw::ManualClock clock(0, kvtest::LocalMoment(2026, 12, 31, 23, 59, 58));
    fw::ClockScope clockScope(clock);
    for (int i = 0; i < 3; ++i) {
        frame->OnTimer(1);
        clock.advance(1000);
    }
    const auto& dates = frame->panes[CMainFrameCoreLogic::PaneDate];
    ASSERT_EQ(dates.size(), 2u); // once at the start, once when the date turned
    EXPECT_EQ(dates[0], CDateTime(2026, 12, 31, 0, 0, 0).FormatDate());
    EXPECT_EQ(dates[1], CDateTime(2027, 1, 1, 0, 0, 0).FormatDate());
    EXPECT_EQ(frame->panes[CMainFrameCoreLogic::PaneTime].back(), CDateTime(2027, 1, 1, 0, 0, 0).FormatTime());
    // A new offset to the host that moves the date shows at once.
    CDateTime::AdjustKvTime(CDateTime::GetPcTime() + 86400);
    frame->OnTimer(1);
    EXPECT_EQ(dates.size(), 3u);
}

TEST_F(MainFrameSession, OrderCountPaneFollowsMMOverWriteMode)
{
    const struct {
        int mode;
        bool shown;
    } cases[] = { { 0, false }, { 1, true }, { 2, false }, { 3, true }, { -1, false } };
    for (const auto& c : cases) {
        iMMOverWrite = c.mode;
        frame->panes.clear();
        frame->SetOrderNumOnStatusBar(5);
        frame->SetOrderNumOnStatusBar(0);
        EXPECT_EQ(CMainFrameCoreLogic::OrderPaneWidth(), c.shown ? 60 : 0) << c.mode;
        const auto& texts = frame->panes[CMainFrameCoreLogic::PaneOrders];
        const std::vector<std::string> expected = c.shown ? std::vector<std::string> { "5", "" } : std::vector<std::string> {};
        EXPECT_EQ(texts, expected) << c.mode;
    }
}

} // namespace
