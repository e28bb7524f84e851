// The application's commands without list windows and the records of the
// automation interface, over the scripted router.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "fw/core/command.h"
#include "fw/core/msgbox.h"
#include "kv32/res/ids.h"
#include "kv32/shell/app_commands.h"
#include "kv32/shell/command_bindings.h"
#include "kv32/shell/print_log.h"
#include "kv32/shell/session.h"
#include "security_test_fixture.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"
#include "support/recording_printer.h"

namespace {

using namespace kv32test;

std::string Golden(const char* name)
{
    std::ifstream in(std::string(KV32_TEST_DATA_DIR "/") + name, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

class AppCommands : public SecurityFixture {
protected:
    AppCommands()
        : userPath("kv3userpath", scratch.Path())
    {
        CSessionCore::FindSettingsFolder();
        AddSecurity(SecuritySpec {});
    }
    ~AppCommands() override
    {
        ps = nullptr;
        KvPrintLog() = nullptr;
        KvAppSettings() = CKvAppSettings();
    }
    void LogOn()
    {
        session = std::make_unique<CSession>("TRADER01");
        ps = session.get();
    }
    CKvAutomationOrder SampleOrder() const
    {
        CKvAutomationOrder o;
        o.account = "ACC1";
        o.quantity = 100;
        o.price = 123.45;
        o.side = "Buy";
        o.security = "SEC1";
        o.board = "Main board";
        return o;
    }

    kvtest::ScratchIniDir scratch;
    kvtest::ScopedEnv userPath;
    std::unique_ptr<CSession> session;
};

TEST_F(AppCommands, WithdrawOrderSendsTheGoldenRecord)
{
    EXPECT_FALSE(KvAutomationWithdrawOrder(42)) << "no session: nothing is sent";
    EXPECT_TRUE(router.Requests().empty());
    LogOn();
    router.Reply({ { 193, std::string("Withdrawn") + '\0' } });
    EXPECT_TRUE(KvAutomationWithdrawOrder(42));
    const auto sent = router.Requests();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].type, 138);
    const std::string golden = Golden("order_withdraw_42.txt");
    ASSERT_EQ(golden.size(), 105u);
    EXPECT_EQ(sent[0].bytes, golden);
    EXPECT_EQ(sent[0].bytes.substr(14, 12), "000000000042");
    // An order number that does not fit its field sends nothing.
    router.ClearRecord();
    EXPECT_FALSE(KvAutomationWithdrawOrder(-1));
    EXPECT_FALSE(KvAutomationWithdrawOrder(1000000000000LL));
    EXPECT_TRUE(router.Requests().empty());
}

TEST_F(AppCommands, SendOrderBuildsTheOrderEntryRecord)
{
    LogOn();
    router.Reply({ { 193, std::string("Order accepted") + '\0' } });
    EXPECT_TRUE(KvAutomationSendOrder(SampleOrder()));
    const auto sent = router.Requests();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].type, 132);
    const std::string golden = Golden("order_entry_sec1.txt");
    ASSERT_EQ(golden.size(), 211u);
    EXPECT_EQ(sent[0].bytes, golden);
    EXPECT_EQ(ui.boxes.size(), 1u) << "the host's acceptance shows";
}

TEST_F(AppCommands, SendOrderFlagsAndRefusedInput)
{
    LogOn();
    CKvAutomationOrder market = SampleOrder();
    market.price = 0;
    market.hiddenQuantity = 40;
    market.side = "s";
    const std::string record = KvAutomationOrderRecord(market);
    ASSERT_EQ(record.size(), 211u);
    EXPECT_EQ(record[24], 'S');
    const std::string flags = record.substr(25, 32);
    EXPECT_EQ(flags[0], '1') << "a zero price is a market order";
    EXPECT_EQ(flags[1], '0');
    EXPECT_EQ(flags[11], '1') << "a hidden quantity";
    EXPECT_EQ(flags[24], '1');
    EXPECT_EQ(record.substr(108, 16), "0000000000000040");

    struct Case {
        const char* name;
        void (*change)(CKvAutomationOrder&);
    };
    const Case refused[] = {
        { "unknown security", [](CKvAutomationOrder& o) { o.security = "NOSUCH"; } },
        { "security on another board", [](CKvAutomationOrder& o) { o.board = "Second board"; } },
        { "account too long", [](CKvAutomationOrder& o) { o.account = "ACCOUNT-OF-13"; } },
        { "board name too long", [](CKvAutomationOrder& o) { o.board = std::string(300, 'B'); } },
        { "side", [](CKvAutomationOrder& o) { o.side = "X"; } },
        { "no side", [](CKvAutomationOrder& o) { o.side.clear(); } },
        { "price too large", [](CKvAutomationOrder& o) { o.price = 12345678.9; } },
        { "price not a number", [](CKvAutomationOrder& o) { o.price = std::nan(""); } },
        { "fractional quantity", [](CKvAutomationOrder& o) { o.quantity = 1.5; } },
        { "zero quantity", [](CKvAutomationOrder& o) { o.quantity = 0; } },
        { "negative hidden quantity", [](CKvAutomationOrder& o) { o.hiddenQuantity = -1; } },
        { "quantity of 17 digits", [](CKvAutomationOrder& o) { o.quantity = 1e16; } },
    };
    for (const Case& c : refused) {
        CKvAutomationOrder o = SampleOrder();
        c.change(o);
        EXPECT_FALSE(KvAutomationSendOrder(o)) << c.name;
    }
    EXPECT_TRUE(router.Requests().empty()) << "refused input sends nothing";

    // A call that arrives while a request of the program is under way sends nothing.
    fTrPacket = 1;
    EXPECT_FALSE(KvAutomationSendOrder(SampleOrder()));
    EXPECT_FALSE(KvAutomationWithdrawOrder(42));
    fTrPacket = 0;
    EXPECT_TRUE(router.Requests().empty());
}

TEST_F(AppCommands, LogonVerificationSwitchAsksAndSendsTheOperatorRecord)
{
    fw::CommandMap map;
    KvBindAppCommands(map, {}, {});
    (*map.findCommand(ID_OPR_LOGON_VERIFY_ON))(ID_OPR_LOGON_VERIFY_ON);
    EXPECT_TRUE(router.Requests().empty()) << "no session";
    LogOn();
    ps->m_bConfirm = 1;
    ui.boxAnswer = fw::IDNO;
    (*map.findCommand(ID_OPR_LOGON_VERIFY_ON))(ID_OPR_LOGON_VERIFY_ON);
    EXPECT_TRUE(router.Requests().empty()) << "declined";
    ui.boxAnswer = fw::IDYES;
    router.Reply({ { 193, std::string("ok") + '\0' } });
    router.Reply({ { 193, std::string("ok") + '\0' } });
    (*map.findCommand(ID_OPR_LOGON_VERIFY_ON))(ID_OPR_LOGON_VERIFY_ON);
    (*map.findCommand(ID_OPR_LOGON_VERIFY_OFF))(ID_OPR_LOGON_VERIFY_OFF);
    const auto sent = router.Requests();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].type, 142);
    EXPECT_EQ(sent[0].bytes, "TRADER01    6YS            ");
    EXPECT_EQ(sent[1].bytes, "TRADER01    6NS            ");
    EXPECT_EQ(sent[0].bytes.size(), 27u);
}

TEST_F(AppCommands, TrafficAverageDividesByAtLeastOneSecond)
{
    struct Case {
        std::uint64_t bytes;
        std::int64_t seconds;
        std::uint64_t expected;
    };
    for (const Case c : { Case { 1000, 0, 1000 }, Case { 1000, -3, 1000 }, Case { 1000, 1, 1000 },
             Case { 1000, 3, 333 }, Case { 0, 10, 0 } })
        EXPECT_EQ(KvTrafficAverage(c.bytes, c.seconds), c.expected) << c.bytes << "/" << c.seconds;
    KvShowTrafficAverage();
    EXPECT_TRUE(ui.statusTexts.empty()) << "only while a session exists";
    LogOn();
    KvShowTrafficAverage();
    ASSERT_EQ(ui.statusTexts.size(), 1u);
    EXPECT_EQ(ui.statusTexts[0].rfind("Average session network traffic is ", 0), 0u) << ui.statusTexts[0];
}


TEST_F(AppCommands, PrintLogEndsOnlyWithASessionAndThePrintLogOn)
{
    RecordingPrinter printer;
    KvPrintLog() = &printer;
    KvAppSettings().bPrintLog = 1;
    KvEndPrintLog();
    EXPECT_EQ(printer.ends, 0);
    LogOn();
    KvEndPrintLog();
    EXPECT_EQ(printer.ends, 1);
    KvAppSettings().bPrintLog = 0;
    KvEndPrintLog();
    EXPECT_EQ(printer.ends, 1);
}

TEST_F(AppCommands, DiagnosticFileListsTheFramesAndBeeps)
{
    LogOn();
    ASSERT_TRUE(KvWriteDiagnosticFile({ { false }, { true } }, "documents\r\n"));
    std::ifstream in(KvDiagnosticFile(), std::ios::binary);
    const std::string text { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    EXPECT_EQ(text, "Frame #0\r\n   Locked = 0\r\nFrame #1\r\n   Locked = 1\r\ndocuments\r\n");
    EXPECT_EQ(KvDiagnosticFile(), std::filesystem::path(sSettingsPath + "TRADER01.LOG"));
    EXPECT_EQ(ui.beeps.size(), 1u);
}

TEST_F(AppCommands, TogglesAndMenuUpdates)
{
    fw::CommandMap app;
    std::vector<std::uint32_t> opened;
    KvBindAppCommands(app, [&](std::uint32_t id, bool, bool) { opened.push_back(id); }, {});
    fw::CommandMap frame;
    KvBindFrameCommands(frame);
    for (const CKvOpenCommand& c : KvOpenCommands())
        (*app.findCommand(c.commandId))(c.commandId);
    EXPECT_EQ(opened.size(), KvOpenCommands().size());
    EXPECT_EQ(opened.front(), 8u);

    LogOn();
    auto update = [](fw::CommandMap& map, unsigned id, fw::CmdUI::Source source = fw::CmdUI::Source::Menu) {
        fw::CmdUI ui(id, source);
        (*map.findUpdate(id))(ui);
        return ui;
    };
    // Save alerts at logoff: allowed for everyone, checked while set.
    EXPECT_TRUE(update(frame, ID_SAVE_ALERTS_AT_LOGOFF).enabled());
    EXPECT_EQ(update(frame, ID_SAVE_ALERTS_AT_LOGOFF).check(), 1);
    (*frame.findCommand(ID_SAVE_ALERTS_AT_LOGOFF))(ID_SAVE_ALERTS_AT_LOGOFF);
    EXPECT_EQ(session->m_bSaveAlerts, 0);
    EXPECT_EQ(update(frame, ID_SAVE_ALERTS_AT_LOGOFF).check(), 0);
    (*app.findCommand(ID_SUSPEND_NOTIFY))(ID_SUSPEND_NOTIFY);
    EXPECT_EQ(session->m_bSuspendNotify, 0);
    (*app.findCommand(ID_CONFIRM_OPERATIONS))(ID_CONFIRM_OPERATIONS);
    EXPECT_EQ(update(app, ID_CONFIRM_OPERATIONS).check(), 1);
    // Order counting needs operator right 0, which this user lacks.
    RightTable().Free();
    EXPECT_FALSE(update(app, 32780).enabled());
    // Buy follows the right to type 132, once its dialog has bound the command.
    Feed(RightTable(), 93, "132000" + std::string(15, '0') + "1" + "1");
    EXPECT_FALSE(update(app, 32994).enabled()) << "no dialog yet";
    app.onCommand(32994, [] { });
    EXPECT_TRUE(update(app, 32994).enabled());
    RightTable().Free();
    EXPECT_FALSE(update(app, 32994).enabled());
    // Commands of list windows leave the menu, not a toolbar.
    for (unsigned id : KvWindowOnlyCommands()) {
        EXPECT_TRUE(update(frame, id).removed()) << id;
        EXPECT_FALSE(update(frame, id, fw::CmdUI::Source::ToolBar).removed()) << id;
    }
    EXPECT_EQ(KvWindowOnlyCommands().size(), 39u);
    (*frame.findCommand(ID_PRINT_LOG_FAILED))(ID_PRINT_LOG_FAILED);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text.rfind("Error during Orders and Trades log printing.", 0), 0u);
}

} // namespace
