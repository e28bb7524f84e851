#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fw/core/rescheck.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/supervisor_dlgs.h"
#include "kv32/dialogs/supervisor_requests.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/session_core.h"
#include "kvcore/security/password.h"
#include "support/kv32_fixture.h"

namespace {

using kv32test::End;

const std::string kUser = "SUPER01     "; // the logged-on supervisor, 12 characters

std::string Accepted()
{
    return std::string("Done") + '\0';
}

std::string Refused()
{
    return std::string("Refused") + '\0' + "77";
}

std::string Spaces(size_t n)
{
    return std::string(n, ' ');
}

class SupervisorDialogs : public kv32test::Kv32Fixture {
protected:
    SupervisorDialogs()
        : session("SUPER01")
    {
        session.m_sUser = "SUPER01";
        ps = &session;
        KvTables().traders.Free();
        KvTables().participants.Free();
        for (const char* code : { "USER01", "USER02" }) {
            TraderRec rec;
            std::strcpy(rec.szCode, code);
            std::strcpy(rec.szName, std::string("Name of ").append(code).c_str());
            rec.nYFlag = std::strcmp(code, "USER02") == 0 ? 1 : 0;
            TraderTable().AddRec(rec);
        }
        for (const char* code : { "FIRM01", "FIRM02" }) {
            ParticipantRec rec;
            std::strcpy(rec.szCode, code);
            rec.nYFlag = std::strcmp(code, "FIRM01") == 0 ? 1 : 0;
            ParticipantTable().AddRec(rec);
        }
    }
    ~SupervisorDialogs() override
    {
        KvTables().traders.Free();
        KvTables().participants.Free();
        ps = nullptr;
    }
    // The operator transactions sent so far.
    std::vector<std::string> Sent() const
    {
        std::vector<std::string> texts;
        for (const kv32test::Msg& m : router.Requests())
            if (m.type == kTrOperator)
                texts.push_back(m.bytes);
        return texts;
    }
    CSession session;
};

TEST(SupervisorRequests, GoldenRecords)
{
    const std::string digest(64, 'D');
    struct Case {
        const char* name;
        std::string text;
        std::string golden;
    };
    const Case cases[] = {
        { "access none", BuildAccessRequest("SUPER01", "GRP", "ROLE", 0), kUser + '\x07' + "GRP         ROLE        0" },
        { "access public", BuildAccessRequest("SUPER01", "GRP", "ROLE", 1), kUser + '\x07' + "GRP         ROLE        1" },
        { "access user", BuildAccessRequest("SUPER01", "", "R", 2), kUser + '\x07' + Spaces(12) + "R           2" },
        { "access firm", BuildAccessRequest("SUPER01", "G", "R", 3), kUser + '\x07' + "G           R           4" },
        { "access full", BuildAccessRequest("SUPER01", "G", "R", 4), kUser + '\x07' + "G           R           8" },
        { "access no level", BuildAccessRequest("SUPER01", "G", "R", -1), "" },
        { "access group too long", BuildAccessRequest("SUPER01", "GROUP6789012X", "R", 1), "" },
        { "default role", BuildDefaultRoleRequest("SUPER01", "USER01", "TRADER"), kUser + '!' + "USER01      TRADER      " },
        { "verify user on", BuildLogonVerifyRequest("SUPER01", true, false, "USER01"), kUser + "6YUUSER01      " },
        { "verify firm off", BuildLogonVerifyRequest("SUPER01", false, true, "FIRM01"), kUser + "6NFFIRM01      " },
        { "replay count", BuildReplayRequest("SUPER01", KvReplayMode::Count, "25"), kUser + "9T0000000000000025" },
        { "replay interval", BuildReplayRequest("SUPER01", KvReplayMode::Interval, "001500"),
            kUser + "9A001500" + std::string(10, '\0') },
        { "replay stop at", BuildReplayRequest("SUPER01", KvReplayMode::StopAt, "143000"),
            kUser + "9S143000" + std::string(10, '\0') },
        { "replay count too long", BuildReplayRequest("SUPER01", KvReplayMode::Count, "12345678901234567"), "" },
        { "replay negative count", BuildReplayRequest("SUPER01", KvReplayMode::Count, "-5"), "" },
        { "replay bad time", BuildReplayRequest("SUPER01", KvReplayMode::StopAt, "14:30"), "" },
        { "address add", BuildNetAddressRequest("SUPER01", "USER01", 'A', "127.0.0.1", "127.0.0.9", "", ""),
            kUser + ' ' + "USER01      A" + "127.0.0.1" + Spaces(11) + "127.0.0.9" + Spaces(11) + Spaces(40) },
        { "address delete", BuildNetAddressRequest("SUPER01", "USER01", 'D', "", "", "127.0.0.1", "127.0.0.9"),
            kUser + ' ' + "USER01      D" + Spaces(40) + "127.0.0.1" + Spaces(11) + "127.0.0.9" + Spaces(11) },
        { "password", BuildUserPasswordRequest("SUPER01", "USER02", digest), kUser + '\x1f' + "USER02      " + digest },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, c.golden) << c.name;
    // The documented lengths.
    EXPECT_EQ(cases[0].text.size(), 38u);
    EXPECT_EQ(cases[7].text.size(), 37u);
    EXPECT_EQ(cases[8].text.size(), 27u);
    EXPECT_EQ(cases[10].text.size(), 30u);
    EXPECT_EQ(cases[11].text.size(), 30u);
    EXPECT_EQ(cases[16].text.size(), 106u);
    EXPECT_EQ(cases[18].text.size(), 89u);
}

TEST(SupervisorRequests, RepliesOfTheListsAndTheStatistics)
{
    std::string record(48, ' ');
    record.replace(0, 8, "00000001");
    record.replace(8, 9, "127.0.0.1");
    record.replace(28, 11, "127.0.0.200");
    EXPECT_EQ(NetAddressLine(record), "127.0.0.1\t127.0.0.200");
    EXPECT_EQ(NetAddressLine(record.substr(0, 47)), "") << "a short record is no line";

    std::string stats(252, ' ');
    stats.replace(214, 8, "00001234");
    stats.replace(222, 8, "00000000");
    stats.replace(230, 8, "01234567");
    stats.replace(238, 8, "00000012");
    stats.replace(246, 6, "093015");
    KvReplayStatistics out;
    ASSERT_TRUE(DecodeReplayStatistics(stats, out));
    EXPECT_FALSE(out.orders.empty());
    EXPECT_EQ(out.trades, "") << "zero shows empty";
    EXPECT_NE(out.transactions.find("234"), std::string::npos);
    EXPECT_FALSE(out.lastTime.empty());
    EXPECT_FALSE(DecodeReplayStatistics(stats.substr(0, 251), out));
}

TEST(SupervisorRequests, TemplatesAndTextsAreComplete)
{
    Kv32RegisterShellDialogs();
    const fw::ResourceSet set { "kv32-shell-dialogs-check", Kv32ShellDialogStrings(), Kv32ShellDialogTemplates() };
    const fw::ResourceReport report = fw::checkResources(std::span(&set, 1));
    EXPECT_TRUE(report.ok()) << report.text();
}

TEST_F(SupervisorDialogs, AccessSendsTheLevelDigitAndClosesOnlyOnSuccess)
{
    struct Case {
        int level;
        char digit;
    };
    for (const Case& c : { Case { 0, '0' }, Case { 4, '8' } }) {
        router.ClearRecord();
        router.Reply({ { 193, Accepted() } });
        CAccessDlg dlg;
        const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_EQ(d.itemCount(IDC_ACCESS_LEVEL), 5);
            d.userType(IDC_GROUP, "TRADERS");
            d.userType(IDC_ROLE, "DEALER");
            d.userSelect(IDC_ACCESS_LEVEL, c.level);
            d.userClick(fw::kIdOk);
        });
        EXPECT_EQ(result, fw::IDOK);
        ASSERT_EQ(Sent().size(), 1u);
        EXPECT_EQ(Sent()[0], kUser + '\x07' + "TRADERS     DEALER      " + c.digit);
    }

    router.ClearRecord();
    router.Reply({ { 192, Refused() } });
    CAccessDlg refused;
    fw::test::runModal(refused, [&](fw::Dialog& d) {
        d.userSelect(IDC_ACCESS_LEVEL, 1);
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible()) << "a refused request keeps the dialog open";
        // Without a level nothing is sent.
        d.setCurSel(IDC_ACCESS_LEVEL, -1);
        d.userClick(fw::kIdOk);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_ACCESS_LEVEL));
        d.onCancel();
    });
    EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(SupervisorDialogs, DefaultRoleSendsOnlyAChangedRoleForAUser)
{
    struct Case {
        const char* name;
        std::string target;
        std::string typed; // empty: the role is left as shown
        bool sent;
    };
    const Case cases[] = {
        { "unchanged", "USER01", "", false },
        { "changed", "USER01", "BROKER", true },
        { "no user", "", "BROKER", false },
    };
    for (const Case& c : cases) {
        router.ClearRecord();
        router.Reply({ { 193, Accepted() } });
        CDefaultRoleDlg dlg(c.target, "TRADER");
        const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_EQ(d.itemText(IDC_TARGET_USER), c.target);
            EXPECT_EQ(d.itemText(IDC_ROLE), "TRADER");
            if (!c.typed.empty())
                d.userType(IDC_ROLE, c.typed);
            d.userClick(fw::kIdOk);
            if (!c.sent) {
                EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_ROLE)) << c.name;
                d.onCancel();
            }
        });
        EXPECT_EQ(result, c.sent ? fw::IDOK : fw::IDCANCEL) << c.name;
        EXPECT_EQ(Sent().size(), c.sent ? 1u : 0u) << c.name;
        if (c.sent) {
            EXPECT_EQ(Sent()[0], kUser + '!' + "USER01      BROKER      ");
        }
    }
}

TEST_F(SupervisorDialogs, LogonVerifyOverUsersAndFirmsStaysOpen)
{
    struct Case {
        unsigned table;
        const char* selected;
        const char* label;
        bool shownOn; // the selected entry's flag
        std::string golden; // after switching the radio over
    };
    const Case cases[] = {
        { CLogonVerDlg::kTradersTable, "USER01", "User:", false, kUser + "6YUUSER01      " },
        { CLogonVerDlg::kFirmsTable, "FIRM01", "Firm:", true, kUser + "6NFFIRM01      " },
    };
    for (const Case& c : cases) {
        router.ClearRecord();
        router.Reply({ { 193, Accepted() } });
        CLogonVerDlg dlg(c.table, c.selected);
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_EQ(d.itemText(IDC_ENTRY_LABEL), c.label);
            EXPECT_EQ(d.itemString(IDC_USER_COMBO, d.curSel(IDC_USER_COMBO)), c.selected);
            EXPECT_EQ(d.isButtonChecked(IDC_SECURITY_ON), c.shownOn ? 1 : 0);
            d.userClick(c.shownOn ? IDC_SECURITY_OFF : IDC_SECURITY_ON);
            d.userClick(fw::kIdOk);
            EXPECT_TRUE(d.isVisible()) << "stays open after a successful OK";
            // Choosing the other entry shows its flag.
            d.userSelect(IDC_USER_COMBO, 1);
            EXPECT_EQ(d.isButtonChecked(IDC_SECURITY_ON), c.shownOn ? 0 : 1);
            d.onCancel();
        });
        ASSERT_EQ(Sent().size(), 1u);
        EXPECT_EQ(Sent()[0], c.golden);
    }
}

TEST_F(SupervisorDialogs, LogonVerifyAnsweredNoSendsNothingAndARefusalResetsTheRadio)
{
    session.m_bConfirm = 1;
    ui.boxAnswer = fw::IDNO;
    CLogonVerDlg dlg(CLogonVerDlg::kTradersTable, "USER01");
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        d.userClick(IDC_SECURITY_ON);
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(Sent().empty());
        ui.boxAnswer = fw::IDYES;
        router.Reply({ { 192, Refused() } });
        d.userClick(fw::kIdOk);
        EXPECT_EQ(Sent().size(), 1u);
        EXPECT_EQ(d.isButtonChecked(IDC_SECURITY_ON), 0) << "back to the user's flag";
        EXPECT_EQ(d.isButtonChecked(IDC_SECURITY_OFF), 1);
        d.onCancel();
    });
}

TEST_F(SupervisorDialogs, MarketReplayModesAndTheirRecords)
{
    std::string stats(252, '0');
    stats.replace(214, 8, "00000042");
    stats.replace(246, 6, "101500");
    router.Reply({ { 25, stats }, End() });
    CMarketReplayDlg dlg;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        ASSERT_FALSE(router.Requests().empty());
        EXPECT_EQ(router.Requests()[0].type, kReplayStatisticsRequest);
        EXPECT_EQ(router.Requests()[0].bytes, "TRADER01    ") << "the router session's user is the key";
        EXPECT_EQ(d.itemText(IDC_STAT_ORDERS), "42");
        EXPECT_FALSE(d.isItemEnabled(IDC_EXECUTE));
        EXPECT_FALSE(d.isItemEnabled(IDC_REPLAY_INTERVAL));
        EXPECT_FALSE(d.isItemEnabled(IDC_REPLAY_STOP_AT));

        d.userClick(IDC_MODE_COUNT);
        EXPECT_EQ(d.focusId(), static_cast<uint32_t>(IDC_REPLAY_COUNT));
        EXPECT_FALSE(d.isItemEnabled(IDC_EXECUTE));
        d.userType(IDC_REPLAY_COUNT, "5");
        EXPECT_TRUE(d.isItemEnabled(IDC_EXECUTE));
        router.ClearRecord();
        router.Reply({ { 193, Accepted() } });
        router.Reply({ { 25, stats }, End() });
        d.userClick(IDC_EXECUTE);
        ASSERT_EQ(Sent().size(), 1u);
        EXPECT_EQ(Sent()[0], kUser + "9T0000000000000005");
        EXPECT_EQ(router.Requests().back().type, kReplayStatisticsRequest) << "statistics asked again";

        d.userClick(IDC_MODE_INTERVAL);
        EXPECT_EQ(d.itemText(IDC_REPLAY_COUNT), "");
        EXPECT_FALSE(d.isItemEnabled(IDC_REPLAY_COUNT));
        EXPECT_TRUE(d.isItemEnabled(IDC_REPLAY_INTERVAL));
        EXPECT_TRUE(d.isItemEnabled(IDC_EXECUTE));
        router.ClearRecord();
        router.Reply({ { 193, Accepted() } });
        router.Reply({ { 25, stats }, End() });
        d.userClick(IDC_EXECUTE);
        ASSERT_EQ(Sent().size(), 1u);
        EXPECT_EQ(Sent()[0], kUser + "9A000000" + std::string(10, '\0'));

        d.userClick(IDC_MODE_STOP_AT);
        EXPECT_TRUE(d.isItemEnabled(IDC_REPLAY_STOP_AT));
        EXPECT_FALSE(d.isItemEnabled(IDC_REPLAY_INTERVAL));
        d.onCancel();
    });
}

TEST_F(SupervisorDialogs, NetworkAddressListAndItsThreeActions)
{
    auto line = [](const char* from, const char* to) {
        std::string r(48, ' ');
        r.replace(0, 8, "00000001");
        r.replace(8, std::strlen(from), from);
        r.replace(28, std::strlen(to), to);
        return r;
    };
    router.Reply({ { 39, line("127.0.0.1", "127.0.0.9") }, End() });
    CNetAddressDlg dlg("USER02");
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        ASSERT_EQ(router.Requests().size(), 1u);
        EXPECT_EQ(router.Requests()[0].type, kNetAddressListRequest);
        EXPECT_EQ(router.Requests()[0].bytes, kUser + "00000000USER02      ");
        EXPECT_EQ(d.itemString(IDC_USER_COMBO, d.curSel(IDC_USER_COMBO)), "Name of USER02");
        ASSERT_EQ(d.itemCount(IDC_ADDRESS_LIST), 1);
        EXPECT_FALSE(d.isItemEnabled(IDC_ADDRESS_MODIFY));
        EXPECT_FALSE(d.isItemEnabled(IDC_ADDRESS_DELETE));

        d.userSelect(IDC_ADDRESS_LIST, 0);
        EXPECT_EQ(d.itemText(IDC_ADDRESS_FROM), "127.0.0.1");
        EXPECT_EQ(d.itemText(IDC_ADDRESS_TO), "127.0.0.9");
        EXPECT_FALSE(d.isItemEnabled(IDC_ADDRESS_ADD));
        EXPECT_FALSE(d.isItemEnabled(IDC_ADDRESS_MODIFY));
        EXPECT_TRUE(d.isItemEnabled(IDC_ADDRESS_DELETE));

        d.userType(IDC_ADDRESS_TO, "127.0.0.20");
        EXPECT_TRUE(d.isItemEnabled(IDC_ADDRESS_ADD));
        EXPECT_TRUE(d.isItemEnabled(IDC_ADDRESS_MODIFY));
        EXPECT_FALSE(d.isItemEnabled(IDC_ADDRESS_DELETE));

        router.ClearRecord();
        router.Reply({ { 193, Accepted() } });
        router.Reply({ { 39, line("127.0.0.1", "127.0.0.20") }, End() });
        d.userClick(IDC_ADDRESS_MODIFY);
        ASSERT_EQ(Sent().size(), 1u);
        EXPECT_EQ(Sent()[0], kUser + ' ' + "USER02      M" + "127.0.0.1" + Spaces(11) + "127.0.0.20" + Spaces(10)
                + "127.0.0.1" + Spaces(11) + "127.0.0.9" + Spaces(11));
        EXPECT_EQ(router.Requests().back().type, kNetAddressListRequest) << "the list is asked again";
        ASSERT_EQ(d.itemCount(IDC_ADDRESS_LIST), 1);
        EXPECT_EQ(d.itemString(IDC_ADDRESS_LIST, 0), "127.0.0.1\t127.0.0.20");

        // Delete: blanks in both new fields, even after an edit.
        d.userSelect(IDC_ADDRESS_LIST, 0);
        router.ClearRecord();
        router.Reply({ { 192, Refused() } });
        router.Reply({ End() });
        d.userClick(IDC_ADDRESS_DELETE);
        ASSERT_EQ(Sent().size(), 1u);
        EXPECT_EQ(Sent()[0], kUser + ' ' + "USER02      D" + Spaces(40) + "127.0.0.1" + Spaces(11) + "127.0.0.20"
                + Spaces(10));
        EXPECT_EQ(d.itemCount(IDC_ADDRESS_LIST), 0) << "the list is asked again whatever the result";

        // Add, answered No: nothing is sent.
        session.m_bConfirm = 1;
        ui.boxAnswer = fw::IDNO;
        router.ClearRecord();
        d.userType(IDC_ADDRESS_FROM, "127.0.1.1");
        d.userType(IDC_ADDRESS_TO, "127.0.1.2");
        d.userClick(IDC_ADDRESS_ADD);
        EXPECT_TRUE(Sent().empty());
        d.onCancel();
    });
}

TEST_F(SupervisorDialogs, PasswordSendsTheDigestForTheChosenUser)
{
    router.Reply({ { 193, Accepted() } });
    CUserPassDlg dlg("USER01");
    const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemString(IDC_USER_COMBO, d.curSel(IDC_USER_COMBO)), "Name of USER01");
        d.userSelect(IDC_USER_COMBO, 1);
        d.userType(IDC_NEW_PASSWORD, "Secret-2026x");
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0], kUser + '\x1f' + "USER02      " + PasswordDigest("Secret-2026x", "USER02"));
}

TEST_F(SupervisorDialogs, PasswordBreakingTheRulesIsEmptiedAndNothingSent)
{
    CUserPassDlg dlg("USER01");
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        d.userType(IDC_NEW_PASSWORD, "a");
        d.userClick(fw::kIdOk);
        EXPECT_EQ(d.itemText(IDC_NEW_PASSWORD), "");
        EXPECT_TRUE(d.isVisible());
        d.onCancel();
    });
    EXPECT_TRUE(Sent().empty());
    EXPECT_FALSE(ui.boxes.empty()) << "the rule's own message";
}

} // namespace
