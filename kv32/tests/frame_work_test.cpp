// The main frame's work without the window: the post-logon check over the
// scripted router, the poll work on a manual clock, the reset of the
// subscription tables and the default button groups.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/core/clock.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/frame_work.h"
#include "kv32/shell/local_orders_port.h"
#include "kv32/shell/session.h"
#include "kv32/shell/text_format.h"
#include "kvcore/app/logon_checks.h"
#include "support/clock_support.h"
#include "support/kv32_fixture.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

namespace {

using namespace kv32test;

std::string Accepted(const std::string& text)
{
    return text + std::string(1, '\0');
}

class LogonCheck : public Kv32Fixture {
protected:
    LogonCheck()
    {
        KvSetLogonDialogs({ [this](std::string& code) {
                               ++codeDialogs;
                               code = securityCode;
                               return codeOk;
                           },
            [this](bool expired) {
                passwordDialogs.push_back(expired);
                return passwordOk;
            } });
    }
    ~LogonCheck() override { KvSetLogonDialogs({}); }

    std::vector<int> SentTypes() const
    {
        std::vector<int> types;
        for (const Msg& m : router.Requests())
            types.push_back(m.type);
        return types;
    }

    bool passwordOk = true;
    bool codeOk = true;
    std::string securityCode = "S3CR3T";
    int codeDialogs = 0;
    std::vector<bool> passwordDialogs;
};

TEST_F(LogonCheck, PasswordStateDecidesTheSession)
{
    struct Case {
        const char* name;
        std::vector<std::vector<Msg>> replies;
        bool passwordOk, codeOk;
        int expected;
        std::vector<int> sent;
        int passwordDialogs, codeDialogs;
    };
    const Case cases[] = {
        { "plain start", { { { 193, Accepted("OK") } } }, true, true, 1, { 152 }, 0, 0 },
        { "forced change, then start", { { { 193, Accepted("PW") } }, { { 193, Accepted("NO") } } }, true, true, 1,
            { 152, 152 }, 1, 0 },
        { "forced change cancelled", { { { 193, Accepted("PW") } } }, false, true, 0, { 152 }, 1, 0 },
        { "forced change, then the security code",
            { { { 193, Accepted("PW") } }, { { 193, Accepted("YES") } }, { { 193, Accepted("") } } }, true, true, 1,
            { 152, 152, 153 }, 1, 1 },
        { "security code refused by the host", { { { 193, Accepted("YES") } }, { { 192, Accepted("Bad code") } } },
            true, true, 0, { 152, 153 }, 0, 1 },
        { "security code cancelled", { { { 193, Accepted("YES") } } }, true, false, 0, { 152 }, 0, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        router.ClearRecord();
        passwordDialogs.clear();
        codeDialogs = 0;
        passwordOk = c.passwordOk;
        codeOk = c.codeOk;
        for (const auto& packet : c.replies)
            ScriptedRouter::Reply(packet);
        EXPECT_EQ(KvDoCheck(), c.expected);
        EXPECT_EQ(SentTypes(), c.sent);
        EXPECT_EQ(static_cast<int>(passwordDialogs.size()), c.passwordDialogs);
        EXPECT_EQ(codeDialogs, c.codeDialogs);
    }
    for (bool expired : passwordDialogs)
        EXPECT_TRUE(expired) << "the password dialog runs in its forced mode";
}

TEST_F(LogonCheck, SecurityCodeRecordIsUserAndCodeIn32Bytes)
{
    router.Reply({ { 193, Accepted("YES") } });
    router.Reply({ { 193, Accepted("") } });
    ASSERT_EQ(KvDoCheck(), 1);
    const std::vector<Msg> sent = router.Requests();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].bytes, "TRADER01    ");
    EXPECT_EQ(sent[1].bytes, "TRADER01    S3CR3T              ");
    EXPECT_EQ(sent[1].bytes.size(), 32u);
}

TEST_F(LogonCheck, NetworkFailureRefusesWithItsMessage)
{
    router.FailNextRecv(7);
    EXPECT_EQ(KvDoCheck(), 0);
    // The router's own error first, then the refusal of the logon.
    ASSERT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(ui.boxes.back().text, "A network error occured, you could not be logged in.");
    EXPECT_EQ(codeDialogs, 0) << "a failed check never asks for the security code";
}

TEST_F(LogonCheck, HostThatKeepsAskingForANewPasswordIsRefusedInTheEnd)
{
    for (int i = 0; i < 20; ++i)
        ScriptedRouter::Reply({ { 193, Accepted("PW") } });
    EXPECT_EQ(KvDoCheck(), 0);
    EXPECT_EQ(passwordDialogs.size(), 8u);
}

class PollWork : public Kv32Fixture {
protected:
    PollWork()
        : clock(0, kvtest::LocalMoment(2026, 12, 10, 16, 49, 57))
        , scope(clock)
        , userPath("kv3userpath", scratch.Path())
    {
        CSessionCore::FindSettingsFolder();
        KvAppSettings() = CKvAppSettings();
        KvSetTradingEnd(KvAppSettings(), 17, 0);
        session = std::make_unique<CSession>("TRADER01");
        ps = session.get();
        KvLocalOrdersPort().store = [this] { ++stores; };
    }
    ~PollWork() override
    {
        KvLocalOrdersPort() = CKvLocalOrdersPort();
        ps = nullptr;
        session.reset();
        KvAppSettings() = CKvAppSettings();
    }
    // One poll every `seconds`.
    void PollEvery(int seconds, int polls)
    {
        for (int i = 0; i < polls; ++i) {
            clock.setWallTime(clock.wallTime() + seconds);
            work.Run(*session);
        }
    }

    fw::ManualClock clock;
    fw::ClockScope scope;
    kvtest::ScratchIniDir scratch;
    kvtest::ScopedEnv userPath;
    std::unique_ptr<CSession> session;
    CKvPollWork work;
    int stores = 0;
};

TEST_F(PollWork, WarnsWhenAPollCrossesTheMomentAndBeepsOnePollAtATime)
{
    PollEvery(1, 2); // 16:49:58, 16:49:59
    EXPECT_TRUE(ui.statusTexts.empty());
    PollEvery(1, 1); // 16:50:00
    EXPECT_EQ(ui.statusTexts, std::vector<std::string> { "You have only 10 minutes before trading end." });
    EXPECT_EQ(ui.beeps.size(), 1u);
    PollEvery(1, 5);
    EXPECT_EQ(ui.beeps.size(), 3u) << "ETBeeps beeps on successive polls";
    EXPECT_EQ(ui.statusTexts.size(), 1u) << "once";
    // The clock moved back over the moment: not again the same day.
    clock.setWallTime(kvtest::LocalMoment(2026, 12, 10, 16, 40, 0));
    work.Run(*session);
    PollEvery(600, 2);
    EXPECT_EQ(ui.statusTexts.size(), 1u);
    // The next day warns again.
    clock.setWallTime(kvtest::LocalMoment(2026, 12, 11, 16, 49, 0));
    work.Run(*session);
    PollEvery(60, 1);
    EXPECT_EQ(ui.statusTexts.size(), 2u);
}

TEST_F(PollWork, LatePollStillWarnsAndALogonAfterTheMomentDoesNot)
{
    // The timer came late: 16:49:57 then 16:50:04.
    work.Run(*session);
    PollEvery(7, 1);
    EXPECT_EQ(ui.statusTexts.size(), 1u);
    EXPECT_EQ(ui.beeps.size(), 1u);

    CKvPollWork fresh;
    ui.statusTexts.clear();
    fresh.Run(*session); // first poll, already past the moment
    EXPECT_TRUE(ui.statusTexts.empty());
}

TEST_F(PollWork, WarningFollowsTheSessionSettings)
{
    session->m_nETNotify = 1;
    session->m_nETBeeps = 0;
    clock.setWallTime(kvtest::LocalMoment(2026, 12, 10, 16, 58, 59));
    PollEvery(1, 1);
    EXPECT_EQ(ui.statusTexts, std::vector<std::string> { "You have only 1 minutes before trading end." });
    EXPECT_TRUE(ui.beeps.empty());
    // No trading end (an hour out of range): no warning.
    KvSetTradingEnd(KvAppSettings(), 24, 0);
    CKvPollWork other;
    clock.setWallTime(kvtest::LocalMoment(2026, 12, 10, 23, 58, 59));
    other.Run(*session);
    PollEvery(120, 1);
    EXPECT_EQ(ui.statusTexts.size(), 1u);
}

TEST_F(PollWork, LocalOrderBookIsStoredEveryTimeOutTimesSixtyPolls)
{
    KvAppSettings().nPOBStoreTimeOut = 5;
    PollEvery(1, 299);
    EXPECT_EQ(stores, 0);
    PollEvery(1, 1);
    EXPECT_EQ(stores, 1);
    EXPECT_EQ(session->m_nPOBStoreCount, 0);
    PollEvery(1, 300);
    EXPECT_EQ(stores, 2);
    KvAppSettings().nPOBStoreTimeOut = 0;
    PollEvery(1, 600);
    EXPECT_EQ(stores, 2) << "0: never";
}

TEST(ButtonGroups, FiveGroupsInOrder)
{
    const auto groups = KvDefaultButtonGroups();
    ASSERT_EQ(groups.size(), 5u);
    const char* names[] = { "Session", "Trading", "View", "Grid", "Workspace" };
    const size_t sizes[] = { 2, 4, 24, 11, 5 };
    for (size_t i = 0; i < groups.size(); ++i) {
        EXPECT_STREQ(groups[i].name, names[i]);
        EXPECT_EQ(groups[i].commands.size(), sizes[i]);
    }
    EXPECT_TRUE(groups[0].showLoggedOff && groups[0].showLoggedOn);
    EXPECT_TRUE(!groups[2].showLoggedOff && groups[2].showLoggedOn);
    EXPECT_TRUE(!groups[4].showLoggedOff && !groups[4].showLoggedOn);
}

} // namespace

#include "kv32/shell/print_log.h"
#include "kv32/tables/all_tables.h"
#include "support/recording_printer.h"

namespace {

class TableReset : public Kv32Fixture {
protected:
    ~TableReset() override
    {
        KvPrintLog() = nullptr;
        KvAppSettings() = CKvAppSettings();
        LastTradeTable().Free();
        SecurityTable().Free();
    }
    fw::ManualClock clock { 0, kvtest::LocalMoment(2026, 12, 10, 9, 30, 0) };
    fw::ClockScope scope { clock };
};

TEST_F(TableReset, TradingTablesSubscribeFromTheStartAndThePrintLogNotesTheLogon)
{
    LastTradeTable().TakeSeqNum("0000000077");
    SecurityTable().TakeSeqNum("0000000055");
    RecordingPrinter printer;
    KvPrintLog() = &printer;
    EXPECT_EQ(KvResetTables(), 1);
    EXPECT_TRUE(printer.lines.empty()) << "the print log is off";
    EXPECT_STREQ(LastTradeTable().m_szSeqNum, "0000000000");
    EXPECT_STREQ(SecurityTable().m_szSeqNum, "0000000055") << "only orders, trades, deals and last trades";

    KvAppSettings().bPrintLog = 1;
    KvResetTables();
    ASSERT_EQ(printer.lines.size(), 1u);
    EXPECT_EQ(printer.lines[0].rfind("User TRADER01 logged in on ", 0), 0u) << printer.lines[0];
    KvPrintLogoff("TRADER01");
    ASSERT_EQ(printer.lines.size(), 2u);
    EXPECT_EQ(printer.lines[1].rfind("User TRADER01 logged off on ", 0), 0u) << printer.lines[1];
    EXPECT_EQ(printer.ends, 1) << "the log-off line ends the print-log document";
}

TEST(TextFill, PlaceholdersTakeTheirValuesInOrder)
{
    EXPECT_EQ(KvFillText("User %s logged in on %s.", { "A", "B" }), "User A logged in on B.");
    EXPECT_EQ(KvFillText("%d%% of %lu", { "5", "7" }), "5% of 7");
    EXPECT_EQ(KvFillText("%s and %s", { "only" }), "only and ") << "a missing value stays empty";
    EXPECT_EQ(KvFillText("%x %", { "1" }), "%x %") << "other conversions stay as they are";
}

} // namespace
