// The test workstation on the library's windows: logon and logoff through the
// frame's commands, menus and bars cut to the rights, the timers' poll,
// high-speed polling, the one effective logoff of a broken link, table windows
// by table id.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <set>
#include <QToolBar>

#include "fw/core/strings.h"
#include "fw/ui/text.h"
#include "fw/ui/toolbars.h"
#include "fw/core/archive.h"
#include "kvcore/app/session_core.h"
#include "kvcore/app/intl.h"
#include "kvcore/dialogs/security_dlg.h"
#include "kvcore/frame/startup_wnd.h"
#include "support/clock_support.h"
#include "kvcore/frame/toolbar_manager.h"
#include "ui/workstation_fixture.h"

namespace {

using kvtest::CallLog;
using kvtest::Fake;
using kvtest::kAccepted;

using Workstation = kvtest::WorkstationFixture;

std::vector<uint32_t> MenuCommands(const fw::Menu& menu)
{
    return menu.commandIds();
}

TEST_F(Workstation, StartsLoggedOffWithItsInterface)
{
    EXPECT_EQ(fw::fromQt(frame->windowTitle()), "VEXA Universal Bench");
    EXPECT_EQ(frame->GetCurrentIDR(), kvtest::kLoggedOffIDR);
    EXPECT_EQ(MenuCommands(frame->menuModel()),
        (std::vector<uint32_t> { ID_KV_LOGON, CKvAppCore::ID_APP_EXIT }));
    EXPECT_TRUE(frame->IsLocked());
    EXPECT_EQ(frame->paneCount(), 7);
    // The session bar shows while logged off, the trade bar does not.
    fw::CommandBars& bars = frame->GetToolBarManager().Bars();
    EXPECT_FALSE(bars.bar(59392)->isHidden());
    EXPECT_TRUE(bars.bar(59397)->isHidden());
    // Without a session no table window opens.
    EXPECT_EQ(app->OpenTable(kvtest::kOrdersTable, true, true, nullptr), nullptr);
    EXPECT_TRUE(app->docTemplates().empty());
}

TEST_F(Workstation, LogonAndLogoffInTheirOrder)
{
    LogOn();
    ASSERT_NE(ps, nullptr);
    EXPECT_EQ(CallLog(),
        (std::vector<std::string> { "tr182", "ResetTables", "tr152", "load", "CreateSession", "RequestTETime",
            "GetUserFirm", "OnNewDocument", "BCMessagesSwitch", "RestoreSettings" }));
    EXPECT_EQ(app->table.rows, (std::vector<std::string> { "ROW1" }));
    EXPECT_FALSE(frame->IsLocked());
    EXPECT_EQ(fw::fromQt(frame->windowTitle()), "VEXA Universal Bench - Trader Bench");
    // The menu holds what the user may use, and no separator is left dangling.
    EXPECT_EQ(MenuCommands(frame->menuModel()),
        (std::vector<uint32_t> { ID_KV_LOGOFF, ID_KV_REFRESH, CKvAppCore::ID_APP_EXIT, kvtest::kBuyCommand }));
    const fw::Menu* trade = frame->menuModel().itemAt(1);
    ASSERT_NE(trade, nullptr);
    EXPECT_EQ(trade->itemCount(), 1u);
    // The trade bar shows now, without the refused command.
    fw::CommandBars& bars = frame->GetToolBarManager().Bars();
    EXPECT_FALSE(bars.bar(59397)->isHidden());
    EXPECT_EQ(bars.buttons(59397), (std::vector<uint32_t> { kvtest::kBuyCommand }));

    CallLog().clear();
    Fake().replies.push_back({ { kAccepted, "" } }); // 130
    fw::App::runCommandIfEnabled(frame, ID_KV_LOGOFF);
    EXPECT_EQ(CallLog(),
        (std::vector<std::string> { "EndSession", "SaveSettings", "save", "tr130", "free", "delete session" }));
    EXPECT_EQ(ps, nullptr);
    EXPECT_FALSE(pvorl->IsConnect());
    EXPECT_EQ(fw::fromQt(frame->windowTitle()), "VEXA Universal Bench");
    EXPECT_TRUE(bars.bar(59397)->isHidden());
    // "Log off" is disabled without a session: a second one does nothing.
    CallLog().clear();
    EXPECT_FALSE(fw::App::runCommandIfEnabled(frame, ID_KV_LOGOFF));
    EXPECT_TRUE(CallLog().empty());
}

TEST_F(Workstation, PollsOnEveryThirdTickOfEitherTimer)
{
    LogOn();
    iTS = 3;
    ps->m_nPollTicks = 0;
    CallLog().clear();
    // Five minutes of the one-second timer: the five-minute timer ticks once among them.
    int polls = 0;
    for (int second = 0; second < 300; ++second) {
        CallLog().clear();
        Fake().replies.push_back({ { 5, "R" }, { 0, "" } });
        clock->advance(1000);
        polls += static_cast<int>(std::count(CallLog().begin(), CallLog().end(), "OnPollEvent"));
    }
    // 301 ticks in all (300 of timer 1, 1 of timer 2): 100 polls.
    EXPECT_EQ(polls, 100);
    // "Refresh" polls once at once.
    CallLog().clear();
    fw::App::runCommandIfEnabled(frame, ID_KV_REFRESH);
    EXPECT_EQ(std::count(CallLog().begin(), CallLog().end(), "OnPollEvent"), 1);
}

TEST_F(Workstation, ABrokenLinkEndsTheSessionOnce)
{
    LogOn();
    iTS = 1;
    Fake().replies.push_back({ { 5, "R" }, { 0, "" } });
    clock->advance(1000); // sends the collected requests
    ASSERT_FALSE(IsInfoReqQueueEmpty());
    Fake().recvStatuses = { 7 }; // the link breaks
    script.answerMessageBox(fw::IDOK); // the router's text
    CallLog().clear();
    clock->advance(1000);
    clock->advance(1000);
    fw::test::processEvents();
    EXPECT_EQ(std::count(CallLog().begin(), CallLog().end(), "EndSession"), 1);
    EXPECT_EQ(std::count(CallLog().begin(), CallLog().end(), "tr130"), 0);
    EXPECT_EQ(ps, nullptr);
}

TEST_F(Workstation, HighSpeedPollsFromTheIdleHandlerUntilADialogOpens)
{
    LogOn();
    fHighSpeedMode = 1;
    iHighSpeedDelay = 3;
    iTS = 1;
    for (int i = 0; i < 3; ++i) {
        Fake().replies.push_back({ { 5, "R" }, { 0, "" } });
        clock->advance(1000);
    }
    ASSERT_EQ(fHighSpeed, 1);
    // The idle handler never sleeps: it arms a 100 ms timer, which posts "Refresh".
    CallLog().clear();
    app->runIdle();
    EXPECT_TRUE(CallLog().empty());
    clock->advance(100);
    fw::test::processEvents();
    EXPECT_EQ(std::count(CallLog().begin(), CallLog().end(), "OnPollEvent"), 1);
    // A modal dialog switches it off at the next tick.
    script.expectDialog(IDD_SECURITY, [this](fw::Dialog& d) {
        clock->advance(1000);
        EXPECT_EQ(fHighSpeed, 0);
        d.userClick(fw::kIdCancel);
    });
    CSecurityDlg dlg(frame);
    EXPECT_EQ(dlg.doModal(), fw::IDCANCEL);
    // Any key starts the count again.
    fHighSpeed = 1;
    app->WatchInput(KvInputKind::Key);
    EXPECT_EQ(fHighSpeed, 0);
    EXPECT_EQ(ps->m_nIdleTicks, 0);
}

TEST_F(Workstation, AStoredToolbarLayoutLosesWhatTheNextUserMayNotUse)
{
    LogOn();
    CKvToolBarManager& bars = frame->GetToolBarManager();
    app->refused.clear(); // a user with every right
    bars.SetLogOnDockState();
    EXPECT_EQ(bars.Bars().buttons(59397), (std::vector<uint32_t> { kvtest::kBuyCommand, kvtest::kRefusedCommand }));
    fw::Archive stored;
    ASSERT_TRUE(bars.Serialize(stored));

    app->refused = { kvtest::kRefusedCommand };
    fw::Archive loading(stored.bytes());
    ASSERT_TRUE(bars.Serialize(loading));
    EXPECT_EQ(bars.Bars().buttons(59397), (std::vector<uint32_t> { kvtest::kBuyCommand }));
    EXPECT_EQ(bars.Model().PermittedGroups()[1], (std::vector<uint32_t> { kvtest::kBuyCommand }));
    // A record of another version changes nothing.
    std::vector<uint8_t> foreign = stored.bytes();
    foreign[12] = 9; // the layout record's version word, after the three display settings
    fw::Archive other(foreign);
    EXPECT_FALSE(bars.Serialize(other));
}

TEST_F(Workstation, ClosingTheWindowLogsOffFirst)
{
    LogOn();
    CallLog().clear();
    Fake().replies.push_back({ { kAccepted, "" } });
    frame->close();
    EXPECT_EQ(std::count(CallLog().begin(), CallLog().end(), "tr130"), 1);
    EXPECT_EQ(ps, nullptr);
}

TEST_F(Workstation, TableWindowsByTableId)
{
    LogOn();
    CTDoc* orders = app->OpenTable(kvtest::kOrdersTable, true, true, nullptr);
    ASSERT_NE(orders, nullptr);
    EXPECT_EQ(orders->GetTableID(), kvtest::kOrdersTable);
    // Activating finds the open window instead of opening a second one.
    EXPECT_EQ(app->OpenTable(kvtest::kOrdersTable, true, true, nullptr), orders);
    EXPECT_EQ(app->GetNumberOfDocuments(), 1);
    CTDoc* trades = app->OpenTable(kvtest::kTradesTable, false, true, nullptr);
    ASSERT_NE(trades, nullptr);
    auto* o = static_cast<kvtest::TableDoc*>(orders);
    auto* t = static_cast<kvtest::TableDoc*>(trades);
    const int before[] = { o->updates, t->updates };
    app->UpdateAllDocuments(0, 0, nullptr);
    EXPECT_EQ(o->updates, before[0] + 1);
    EXPECT_EQ(t->updates, before[1] + 1);
    app->UpdateAllDocuments(kvtest::kTradesTable, 0, nullptr);
    EXPECT_EQ(o->updates, before[0] + 1);
    EXPECT_EQ(t->updates, before[1] + 2);
    frame->PreviewOpen(true);
    app->UpdateAllDocuments(0, 0, nullptr);
    EXPECT_EQ(t->updates, before[1] + 2);
    frame->PreviewOpen(false);
    // No template for the id: the low-resources message, no window.
    script.answerMessageBox(fw::IDOK);
    EXPECT_EQ(app->OpenTable(99, false, true, nullptr), nullptr);
    ASSERT_EQ(script.messageBoxes().size(), 1u);
    EXPECT_EQ(script.messageBoxes()[0], fw::loadString(IDS_LOW_RESOURCES));

    // A workspace holds the count of the windows it lists, then each window's table id and
    // the window's own record.
    fw::Archive out;
    app->SerializeAllDocuments(out);
    fw::Archive in(out.bytes());
    EXPECT_EQ(in.readWord(), 2);
    kvtest::TableDoc scratch;
    const uint16_t first = in.readWord();
    scratch.Serialize(in);
    const uint16_t second = in.readWord();
    scratch.Serialize(in);
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(std::set<uint16_t>({ first, second }), (std::set<uint16_t> { kvtest::kOrdersTable, kvtest::kTradesTable }));
    // Reading one back opens its windows; a table without a template fails the workspace.
    fw::Archive again(out.bytes());
    app->SerializeAllDocuments(again);
    EXPECT_EQ(app->GetNumberOfDocuments(), 4);
    script.answerMessageBox(fw::IDOK);
    fw::Archive bad(std::vector<uint8_t> { 1, 0, 99, 0 });
    try {
        app->SerializeAllDocuments(bad);
        ADD_FAILURE() << "no exception";
    } catch (const fw::ArchiveError& e) {
        EXPECT_EQ(e.cause(), fw::ArchiveError::Cause::BadIndex);
    }
}

} // namespace

namespace {

class WorkstationWithLogo : public kvtest::WorkstationFixture {
protected:
    WorkstationWithLogo() { settings = "[general]\nLogoPeriod=2\n"; }
};

CStartupWnd* Logo()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* logo = qobject_cast<CStartupWnd*>(w); logo != nullptr && logo->isVisible())
            return logo;
    return nullptr;
}

TEST_F(WorkstationWithLogo, StartupWindowStaysForTheLogoPeriod)
{
    CStartupWnd* logo = Logo();
    ASSERT_NE(logo, nullptr);
    EXPECT_FALSE(frame->isEnabled());
    const std::string text = logo->itemText(IDC_STARTUP_TEXT);
    EXPECT_EQ(text.rfind("VEXA Universal Bench\n", 0), 0u) << text;
    EXPECT_NE(text.find("\n Version "), std::string::npos);
    clock->advance(1999);
    EXPECT_NE(Logo(), nullptr);
    clock->advance(1);
    EXPECT_EQ(Logo(), nullptr);
    EXPECT_TRUE(frame->isEnabled());
}

TEST_F(Workstation, NoStartupWindowWithoutALogoPeriod)
{
    EXPECT_EQ(Logo(), nullptr);
    EXPECT_TRUE(frame->isEnabled());
}

// Screens for review: written when KV32_SHOT_DIR names a folder.
TEST(WorkstationScreens, LogonDialogAndLoggedOnFrameInBothLanguages)
{
    const char* out = std::getenv("KV32_SHOT_DIR");
    if (out == nullptr)
        GTEST_SKIP() << "KV32_SHOT_DIR not set";
    for (const auto& entry :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        const fw::Language language = entry.first;
        const char* tag = entry.second;
        fw::setLanguage(language);
        const fw::LocaleInfo locale = language == fw::Language::English ? fw::englishLocale() : fw::hungarianLocale();
        KvSetLocaleSource([locale] { return std::optional<fw::LocaleInfo>(locale); });
        kvtest::ResetFake();
        kvtest::ScratchIniDir dir;
        dir.Write("kv32.ini", "[general]\nLogoPeriod=0\n");
        fw::test::ManualClock clock;
        kvtest::WorkstationApp app;
        clock.setWallTime(kvtest::LocalMoment(2026, 12, 10, 9, 36, 2));
        ASSERT_TRUE(app.start());
        pvorl->Attach(kvtest::FakeRouterApi());
        kvtest::WorkstationFrame* frame = app.Frame();
        frame->resize(900, 560);
        fw::test::Script script;
        script.expectDialog(IDD_LOGON, [&](fw::Dialog& d) {
            d.userType(IDC_LOGON_USER, "trader01");
            d.userType(IDC_LOGON_PASSWORD, "Secret#123");
            d.adjustSize();
            fw::test::processEvents();
            EXPECT_TRUE(d.grab().save(QString::fromUtf8(out) + QStringLiteral("/logon-dialog-%1.png").arg(tag)));
            d.userClick(fw::kIdOk);
        });
        Fake().replies.push_back({ { kAccepted, "" } });
        Fake().replies.push_back({ { kAccepted, "NO" } });
        Fake().replies.push_back({ { 5, "ROW1" }, { 0, "" } });
        Fake().replies.push_back({ { 5, "" } });
        fw::App::runCommandIfEnabled(frame, ID_KV_LOGON);
        ASSERT_NE(ps, nullptr);
        clock.advance(1000);
        fw::test::processEvents();
        EXPECT_TRUE(frame->grab().save(QString::fromUtf8(out) + QStringLiteral("/main-frame-%1.png").arg(tag)));
        Fake().replies.push_back({ { kAccepted, "" } });
        fw::App::runCommandIfEnabled(frame, ID_KV_LOGOFF);
        app.finish();
    }
    fw::setLanguage(fw::Language::English);
    KvSetLocaleSource(nullptr);
}

} // namespace
