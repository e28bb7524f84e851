// The users, firms, control events and replies windows offscreen in the
// application over the scripted router: which users the rights show, which
// commands the current row's state allows, the records the commands send and
// the lines they leave in the replies window.
#include "list_windows/list_fixture.h"

#include <cstdio>

#include "kv32/dialogs/alerts/alert_openers.h"
#include "kv32/dialogs/permission_dlg.h"
#include "kv32/dialogs/price_control_event_dlg.h"
#include "kv32/dialogs/supervision/suspend_dlg.h"
#include "kv32/dialogs/supervision/tr_acc_list_dlg.h"
#include "kv32/dialogs/supervisor_dlgs.h"
#include "kv32/lists/alert_defs_list.h"
#include "kv32/lists/cash_positions_list.h"
#include "kv32/lists/control_events_list.h"
#include "kv32/lists/firms_list.h"
#include "kv32/lists/position_lists.h"
#include "kv32/lists/users_list.h"
#include "kv32/res/party_window_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/res/table_strings.h"
#include "kv32/shell/session.h"
#include "kv32/windows/cash_positions_view.h"
#include "kv32/windows/control_events_view.h"
#include "kv32/windows/firms_view.h"
#include "kv32/windows/users_view.h"
#include "kv32/windows/view_openers.h"
#include "kvcore/frame/main_frame_core.h"

#include <QMdiArea>

namespace kv32test {
namespace {

class PartyWindows : public ListWindows {
protected:
    void SetUp() override
    {
        ListWindows::SetUp();
        for (int code : { 25, 26, 29, 30, 31, 33, 35, 7, 27, 28, 54 })
            Grant(142, code);
        for (int type : { 147, 148, 39, 45 })
            Grant(type, 0);
        KvDisplayType() = ' ';
        Colours();
    }
    void TearDown() override
    {
        KvDisplayType() = ' ';
        ListWindows::TearDown();
    }
    // Suspended rows in the colour the tables give them when loaded.
    static void Colours()
    {
        TraderTable().m_aColors = { 0x8080FF };
        TraderTable().m_aColorNames = { IDS_SUSPENDED_TRADER };
        ParticipantTable().m_aColors = { 0x8080FF };
        ParticipantTable().m_aColorNames = { 0 };
    }
    static void User(const char* code, const char* firm, bool active = true, bool approve = false)
    {
        TraderRec rec;
        rec.nIndex = TraderTable().GetCount();
        std::snprintf(rec.szCode, sizeof rec.szCode, "%s", code);
        std::snprintf(rec.szName, sizeof rec.szName, "Name of %s", code);
        std::snprintf(rec.szFirm, sizeof rec.szFirm, "%s", firm);
        std::snprintf(rec.szRole, sizeof rec.szRole, "TRADER");
        std::snprintf(rec.szStatus, sizeof rec.szStatus, "%s",
            Kv32TableString(active ? IDS_STATE_ACTIVE : IDS_STATE_SUSPENDED).c_str());
        std::snprintf(rec.szApprove, sizeof rec.szApprove, "%s", approve ? Kv32TableString(IDS_YES).c_str() : "");
        std::snprintf(rec.szActive, sizeof rec.szActive, "%s", Kv32TableString(IDS_YES).c_str());
        for (int i = 0; i < kPartyStatistics; ++i)
            rec.aStats[i] = CDouble(1000.0 * (i + 1) + rec.nIndex, 0);
        rec.nActive = active ? -1 : 0;
        TraderTable().AddRec(rec);
    }
    static void Firm(const char* code, const char* name, const char* type, bool active = true)
    {
        ParticipantRec rec;
        std::snprintf(rec.szCode, sizeof rec.szCode, "%s", code);
        std::snprintf(rec.szName, sizeof rec.szName, "%s", name);
        std::snprintf(rec.szType, sizeof rec.szType, "%s", type);
        std::snprintf(rec.szStatus, sizeof rec.szStatus, "%s",
            Kv32TableString(active ? IDS_STATE_ACTIVE : IDS_STATE_SUSPENDED).c_str());
        rec.nActiveCount = 3;
        for (int i = 0; i < kPartyStatistics; ++i)
            rec.aStats[i] = CDouble(25000.0 * (i + 1) + ParticipantTable().GetCount(), 0);
        rec.nActive = active ? -1 : 0;
        ParticipantTable().AddRec(rec);
    }
    static void Event(int id, char type, char kind, const char* subject)
    {
        TradeEventRec rec;
        rec.nIndex = TradeEventTable().GetCount();
        rec.nEventId = id;
        rec.cEventType = type;
        rec.time = CDateTime(2026, 3, 2, 10, 15, id % 60);
        std::snprintf(rec.szEventText, sizeof rec.szEventText, "%s", CTradeEventTable::EventText(type).c_str());
        std::snprintf(rec.szText12, sizeof rec.szText12, "SUP1");
        std::snprintf(rec.szObjectName, sizeof rec.szObjectName, "%s", subject);
        std::snprintf(rec.szKind, sizeof rec.szKind, "%s", CTradeEventTable::KindText(kind).c_str());
        if (type == 'G')
            rec.dRefPrice = CDouble(123.45, 2);
        if (type == 'H') {
            rec.dLowerLimit = CDouble(110.0, 3);
            rec.dUpperLimit = CDouble(130.0, 3);
        }
        TradeEventTable().AddRec(rec);
    }
    static void Rights18(int value)
    {
        RightRec rec { RightTable().GetCount(), 18, 0, value };
        RightTable().AddRec(rec);
    }
    // The logged-on TRADER01 and MATE of firm F1, STRANGER of F2, and the
    // users' rights value (negative: no rights record).
    void FreshUsersWithRights(int rights18)
    {
        FreeTables();
        Colours();
        User("MATE", "F1");
        User("TRADER01", "F1");
        User("STRANGER", "F2");
        if (rights18 >= 0)
            Rights18(rights18);
    }
    std::vector<std::string> Replies() const
    {
        std::vector<std::string> lines;
        for (int i = 0; i < RepliesTable().GetCount(); ++i)
            lines.emplace_back(RepliesTable().GetRec(i)->szIdentifier);
        return lines;
    }
};

// The records as the host reads them, written out by hand.
TEST_F(PartyWindows, RecordsOfTheUserFirmAndEventCommands)
{
    const std::string P = "TRADER01    ";
    EXPECT_EQ(BuildUserOperatorText(kOprUserLogoff, "BOB", 'Y', 'N'), P + "\x23" "BOB         YN");
    EXPECT_EQ(BuildUserOperatorText(kOprUserSuspend, "BOB", 'Y', 'P'), P + "\x1D" "BOB         YP");
    EXPECT_EQ(BuildUserOperatorText(kOprUserUnsuspend, "BOB", 'N', ' '), P + "\x1E" "BOB         N ");
    EXPECT_EQ(BuildApproveText("BOB"), P + "BOB         ");
    EXPECT_EQ(BuildFirmOperatorText(kOprFirmSuspend, "FIRMA", 'Y', 'S'), P + "\x19" "FIRMA       YS");
    EXPECT_EQ(BuildEventDeleteText(42), P + "\x08" "0042");
    for (const std::string& text : { BuildUserOperatorText(kOprUserLogoff, "BOB", 'Y', 'N'), BuildApproveText("BOB"),
             BuildEventDeleteText(42) })
        EXPECT_EQ(text.size(), text == BuildApproveText("BOB") ? 24u : text.size() == 17 ? 17u : 27u);
    // A code or id too long for its field sends nothing rather than a cut one.
    EXPECT_EQ(BuildUserOperatorText(kOprUserLogoff, "THIRTEENCHARS", 'Y', 'N'), "");
    EXPECT_EQ(BuildEventDeleteText(10000), "");
    EXPECT_EQ(BuildEventDeleteText(-1), "");
}

TEST_F(PartyWindows, UsersTheRightsShow)
{
    // TRADER01 is the logged-on user.
    const struct {
        int rights; // -1: no rights record
        std::vector<std::string> shown;
    } cases[] = {
        { -1, { "TRADER01", "MATE", "STRANGER" } },
        { 0, { "TRADER01", "MATE", "STRANGER" } },
        { 2, { "TRADER01" } },
        { 4, { "TRADER01", "MATE" } },
        { 6, { "TRADER01" } },
        { 8, { "TRADER01", "MATE", "STRANGER" } },
        { 8 | 2, { "TRADER01", "MATE", "STRANGER" } },
    };
    for (const auto& c : cases) {
        FreshUsersWithRights(c.rights);
        auto* view = Open<CTradersView>(16);
        ASSERT_NE(view, nullptr);
        std::vector<std::string> shown;
        const auto* doc = static_cast<CTradersDoc*>(view->GetListDoc());
        for (int row = 0; row < doc->GetRowCount(); ++row)
            shown.emplace_back(doc->GetRowRecord(row)->szCode);
        std::sort(shown.begin(), shown.end());
        std::vector<std::string> expected = c.shown;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(shown, expected) << "rights " << c.rights;
        app->CloseAllDocuments();
    }
}

TEST_F(PartyWindows, CommandsTheCurrentRowAllows)
{
    const std::string yes = Kv32TableString(IDS_YES);
    TraderRec active, suspended, approving;
    std::snprintf(active.szStatus, sizeof active.szStatus, "%s", Kv32TableString(IDS_STATE_ACTIVE).c_str());
    std::snprintf(suspended.szStatus, sizeof suspended.szStatus, "%s", Kv32TableString(IDS_STATE_SUSPENDED).c_str());
    approving = active;
    std::snprintf(approving.szApprove, sizeof approving.szApprove, "%s", yes.c_str());
    const struct {
        unsigned id;
        bool onActive, onSuspended, onApproving, onNone;
    } users[] = {
        { ID_USER_SUSPEND, true, false, true, false },
        { ID_USER_UNSUSPEND, false, true, false, false },
        { ID_USER_APPROVE_ON, true, true, false, false },
        { ID_USER_APPROVE_OFF, false, false, true, false },
        { ID_USER_LOGOFF, true, true, true, false },
        { ID_USER_PASSWORD, true, true, true, false },
        { ID_USER_ORDERS, true, true, true, true },
        { ID_USER_ALERTS_VIEW, true, true, true, true },
    };
    for (const auto& c : users) {
        EXPECT_EQ(UserCommandAllowed(c.id, &active), c.onActive) << c.id;
        EXPECT_EQ(UserCommandAllowed(c.id, &suspended), c.onSuspended) << c.id;
        EXPECT_EQ(UserCommandAllowed(c.id, &approving), c.onApproving) << c.id;
        EXPECT_EQ(UserCommandAllowed(c.id, nullptr), c.onNone) << c.id;
    }

    ParticipantRec broker, issuer, suspendedIssuer;
    std::snprintf(broker.szType, sizeof broker.szType, "BROK");
    std::snprintf(broker.szStatus, sizeof broker.szStatus, "%s", Kv32TableString(IDS_STATE_ACTIVE).c_str());
    issuer = broker;
    std::snprintf(issuer.szType, sizeof issuer.szType, "ISSR");
    suspendedIssuer = issuer;
    std::snprintf(suspendedIssuer.szStatus, sizeof suspendedIssuer.szStatus, "%s",
        Kv32TableString(IDS_STATE_SUSPENDED).c_str());
    const struct {
        unsigned id;
        bool onBroker, onIssuer, onSuspendedIssuer, onNone;
    } firms[] = {
        { ID_FIRM_SUSPEND, true, true, false, false },
        { ID_FIRM_UNSUSPEND, false, false, true, false },
        { ID_ISSUER_SUSPEND, false, true, false, false },
        { ID_ISSUER_UNSUSPEND, false, false, true, false },
        { ID_FIRM_LOGON_VERIFY, true, true, true, false },
        { ID_FIRM_ALERTS_VIEW, true, true, true, true },
    };
    for (const auto& c : firms) {
        EXPECT_EQ(FirmCommandAllowed(c.id, &broker), c.onBroker) << c.id;
        EXPECT_EQ(FirmCommandAllowed(c.id, &issuer), c.onIssuer) << c.id;
        EXPECT_EQ(FirmCommandAllowed(c.id, &suspendedIssuer), c.onSuspendedIssuer) << c.id;
        EXPECT_EQ(FirmCommandAllowed(c.id, nullptr), c.onNone) << c.id;
    }
    // A suspended broker still has no issuer commands.
    ParticipantRec suspendedBroker = broker;
    std::snprintf(suspendedBroker.szStatus, sizeof suspendedBroker.szStatus, "%s",
        Kv32TableString(IDS_STATE_SUSPENDED).c_str());
    EXPECT_FALSE(FirmCommandAllowed(ID_ISSUER_UNSUSPEND, &suspendedBroker));

    const struct {
        char type, kind;
        bool view, remove;
    } events[] = {
        { 'A', 'P', true, true },
        { 'A', 'p', true, true }, // the same kind text
        { 'B', 'S', true, false },
        { 'C', 'F', true, false },
        { 'G', 'P', true, true }, // enabled, but deletes nothing (below)
    };
    for (const auto& c : events) {
        TradeEventRec e;
        e.cEventType = c.type;
        std::snprintf(e.szKind, sizeof e.szKind, "%s", CTradeEventTable::KindText(c.kind).c_str());
        EXPECT_EQ(EventCommandAllowed(ID_EVENT_VIEW, &e), c.view) << c.type << c.kind;
        EXPECT_EQ(EventCommandAllowed(ID_EVENT_DELETE, &e), c.remove) << c.type << c.kind;
    }
    EXPECT_FALSE(EventCommandAllowed(ID_EVENT_VIEW, nullptr));
}

TEST_F(PartyWindows, SuspendingThreeUsersFillsTheRepliesOneLogoffDoesNot)
{
    User("ALICE", "F1");
    User("BOB", "F1");
    User("CAROL", "F2");
    User("DAVE", "F2", false);
    KvDisplayType() = 'P';
    auto* view = Open<CTradersView>(16);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetListDoc()->title(), Kv32ShellString(16) + " - 4");

    int asked = 0;
    router->AnswerWith([&](const std::vector<Msg>&) {
        return std::vector<Msg> { { 193, WithZero("done " + std::to_string(asked++)) } };
    });
    Select(*view, { 2, 0, 1 });
    EXPECT_TRUE(Enabled(*view, ID_USER_SUSPEND));
    EXPECT_FALSE(Enabled(*view, ID_USER_UNSUSPEND));
    view->routeCommand(ID_USER_SUSPEND);
    const std::string P = "TRADER01    \x1D";
    EXPECT_EQ(Sent(142), (std::vector<std::string> { P + "ALICE       YP", P + "BOB         YP", P + "CAROL       YP" }));
    EXPECT_EQ(Replies(), (std::vector<std::string> { "ALICE", "BOB", "CAROL" }));
    EXPECT_STREQ(RepliesTable().GetRec(2)->szMessage, "done 2");
    // The replies window shows the table's lines.
    CTDoc* replies = app->OpenTable(CRepliesTable::kTableId, false, true, nullptr);
    ASSERT_NE(replies, nullptr);
    EXPECT_EQ(replies->GetRowCount(), 3);
    EXPECT_EQ(replies->title(), Kv32ShellString(29));

    // One user logged off: one record, the replies stay.
    router->ClearRecord();
    Select(*view, { 3 });
    EXPECT_FALSE(Enabled(*view, ID_USER_SUSPEND));
    EXPECT_TRUE(Enabled(*view, ID_USER_UNSUSPEND));
    view->routeCommand(ID_USER_LOGOFF);
    EXPECT_EQ(Sent(142), (std::vector<std::string> { "TRADER01    \x23" "DAVE        YN" }));
    EXPECT_EQ(Replies().size(), 3u);

    // Approve on goes out as its own transaction.
    router->ClearRecord();
    Select(*view, { 0 });
    view->routeCommand(ID_USER_APPROVE_ON);
    EXPECT_EQ(Sent(147), (std::vector<std::string> { "TRADER01    ALICE       " }));

    // An emptied replies table leaves an empty window.
    RepliesTable().Free();
    app->UpdateAllDocuments(CRepliesTable::kTableId, 0, nullptr);
    EXPECT_EQ(replies->GetRowCount(), 0);
}

TEST_F(PartyWindows, UsersWindowOpensTheDialogsAndWindowsOfItsUsers)
{
    User("ALICE", "F1");
    User("BOB", "F1");
    User("CAROL", "F2");
    auto* view = Open<CTradersView>(16);
    ASSERT_NE(view, nullptr);
    Select(*view, { 1 });
    EXPECT_TRUE(Opens<CUserPassDlg>(*view, ID_USER_PASSWORD));
    EXPECT_TRUE(Opens<CNetAddressDlg>(*view, ID_USER_NET_ADDRESS));
    EXPECT_TRUE(Opens<CLogonVerDlg>(*view, ID_USER_LOGON_VERIFY));
    EXPECT_TRUE(Opens<CAccessDlg>(*view, ID_PERMISSION_ACCESS));
    EXPECT_TRUE(Opens<CDefaultRoleDlg>(*view, ID_PERMISSION_ROLE));

    // The dialogs installed by other parts of the program get the user's row
    // of the trader table; without one installed the command is off.
    for (unsigned id : { ID_PERMISSION_SET, ID_PERMISSION_DELETE, ID_USER_ALERT_DEFS, ID_USER_CASH_POSITIONS }) {
        int given = -2;
        KvSetCommandDialog(id, [&](int row) {
            given = row;
            return static_cast<int>(fw::IDCANCEL);
        });
        EXPECT_TRUE(Enabled(*view, id)) << id;
        view->routeCommand(id);
        EXPECT_EQ(given, 1) << id;
        KvSetCommandDialog(id, nullptr);
        EXPECT_FALSE(Enabled(*view, id)) << id;
    }
    KvInstallPermissionDialog();
    KvInstallAlertDialogs();
    // Alerts View brings up the users alerts window.
    EXPECT_TRUE(Enabled(*view, ID_USER_ALERTS_VIEW));
    view->routeCommand(ID_USER_ALERTS_VIEW);
    ASSERT_NE(ps->GetTableDoc(27), nullptr);
    EXPECT_NE(dynamic_cast<CTAlertsDoc*>(ps->GetTableDoc(27)), nullptr);

    // Two selected users: the orders window lists only theirs.
    OrderSpec mine;
    mine.number = 1;
    mine.user = "ALICE";
    Order(mine);
    OrderSpec theirs;
    theirs.number = 2;
    theirs.user = "CAROL";
    Order(theirs);
    OrderSpec other;
    other.number = 3;
    other.user = "BOB";
    Order(other);
    Select(*view, { 2, 0 });
    view->routeCommand(ID_USER_ORDERS);
    ASSERT_EQ(app->GetDocTemplate(8)->documents().size(), 1u);
    auto* orders = dynamic_cast<CTableIndexDoc*>(app->GetDocTemplate(8)->documents().front().get());
    ASSERT_NE(orders, nullptr);
    EXPECT_EQ(orders->GetRowCount(), 2);
}

// The main frame's View openers: each cash positions command opens the window
// of its kind with no codes, and the users window keeps to the own firm unless
// the rights show every user; each is offered as the permissions allow.
TEST_F(PartyWindows, ViewOpenersSetTheirWindowsCriteria)
{
    fw::CommandMap frame;
    KvBindViewOpeners(frame);
    const struct {
        unsigned id;
        int right; // the permission's message type; 0 for the users window
        int kind; // the cash positions kind; -1 for the users window
        int rights18; // -1 no rights record for users
        std::vector<std::string> users;
    } cases[] = {
        { ID_VIEW_CASH_FIRM, 46, CCurPosFilter::kFirms, -1, {} },
        { ID_VIEW_CASH_ACCOUNT, 86, CCurPosFilter::kTradingAccounts, -1, {} },
        { ID_VIEW_CASH_USER, 90, CCurPosFilter::kUsers, -1, {} },
        { ID_VIEW_USERS, 0, -1, -1, { "MATE", "STRANGER", "TRADER01" } },
        { ID_VIEW_USERS, 0, -1, 8, { "MATE", "STRANGER", "TRADER01" } },
        { ID_VIEW_USERS, 0, -1, 0, { "MATE", "TRADER01" } },
        { ID_VIEW_USERS, 0, -1, 4, { "MATE", "TRADER01" } },
        { ID_VIEW_USERS, 0, -1, 2, { "TRADER01" } },
    };
    const auto enabled = [&frame](unsigned id) {
        fw::CmdUI ui(id);
        (*frame.findUpdate(id))(ui);
        return ui.enabled();
    };
    for (const auto& c : cases) {
        FreshUsersWithRights(c.rights18);
        if (c.right != 0) {
            EXPECT_FALSE(enabled(c.id)) << c.id << " without its right";
            Grant(c.right, 0);
        }
        ASSERT_NE(frame.findCommand(c.id), nullptr) << c.id;
        EXPECT_TRUE(enabled(c.id)) << c.id;
        (*frame.findCommand(c.id))(c.id);
        if (c.kind >= 0) {
            auto* doc = dynamic_cast<CCurPosDoc*>(ps->GetTableDoc(CCurPosDoc::kTableId));
            ASSERT_NE(doc, nullptr) << c.id;
            CCurPosFilter expected;
            expected.m_nKind = c.kind;
            EXPECT_EQ(doc->Criteria(), expected) << c.id;
        } else {
            auto* doc = dynamic_cast<CTradersDoc*>(ps->GetTableDoc(CTradersDoc::kTableId));
            ASSERT_NE(doc, nullptr);
            std::vector<std::string> shown;
            for (int row = 0; row < doc->GetRowCount(); ++row)
                shown.emplace_back(doc->GetRowRecord(row)->szCode);
            std::sort(shown.begin(), shown.end());
            EXPECT_EQ(shown, c.users) << "rights " << c.rights18;
        }
        app->CloseAllDocuments();
    }
}

TEST_F(PartyWindows, CashPositionsOpenTheWindowOfTheCurrentUserOrFirm)
{
    User("ALICE", "FIRMA");
    User("BOB", "FIRMB");
    Firm("FIRMA", "Alpha Brokers", "BROK");
    Firm("FIRMB", "Beta Securities", "BROK");
    Grant(46, 0); // firms' cash positions
    KvInstallCashPositionsOpeners();
    const auto cashCriteria = [] {
        auto* doc = dynamic_cast<CCurPosDoc*>(ps->GetTableDoc(CCurPosDoc::kTableId));
        return doc == nullptr ? std::optional<CCurPosFilter>() : std::optional<CCurPosFilter>(doc->Criteria());
    };
    const auto same = [](const std::optional<CCurPosFilter>& got, int kind, const char* firm, const char* user) {
        return got && got->m_nKind == kind && got->m_strFirm == firm && got->m_strUser == user
            && got->m_strAccount.empty();
    };

    auto* users = Open<CTradersView>(16);
    ASSERT_NE(users, nullptr);
    Select(*users, { 1 });
    EXPECT_TRUE(Enabled(*users, ID_USER_CASH_POSITIONS));
    users->routeCommand(ID_USER_CASH_POSITIONS);
    EXPECT_TRUE(same(cashCriteria(), CCurPosFilter::kUsers, "FIRMB", "BOB"));

    auto* firms = Open<CFirmsView>(17);
    ASSERT_NE(firms, nullptr);
    EXPECT_FALSE(Enabled(*firms, ID_FIRM_CASH_POSITIONS)) << "no current firm";
    Select(*firms, { 0 });
    EXPECT_TRUE(Enabled(*firms, ID_FIRM_CASH_POSITIONS));
    firms->routeCommand(ID_FIRM_CASH_POSITIONS);
    EXPECT_TRUE(same(cashCriteria(), CCurPosFilter::kFirms, "FIRMA", ""));
    EXPECT_EQ(app->GetDocTemplate(CCurPosDoc::kTableId)->documents().size(), 2u);
    // The same firm again brings its window to the front.
    firms->routeCommand(ID_FIRM_CASH_POSITIONS);
    EXPECT_EQ(app->GetDocTemplate(CCurPosDoc::kTableId)->documents().size(), 2u);
    KvSetCommandDialog(ID_USER_CASH_POSITIONS, nullptr);
    KvSetCommandDialog(ID_FIRM_CASH_POSITIONS, nullptr);
}

TEST_F(PartyWindows, SuspendingTwoFirmsNamesThemInTheReplies)
{
    Firm("FIRMA", "Alpha Brokers", "BROK");
    Firm("FIRMB", "Beta Securities", "BROK");
    Firm("ISSR1", "Gamma Issuer", "ISSR");
    auto* view = Open<CFirmsView>(17);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetListDoc()->title(), Kv32ShellString(17)) << "no count in the title";
    router->AnswerWith([](const std::vector<Msg>&) { return std::vector<Msg> { { 193, WithZero("done") } }; });
    Select(*view, { 0, 1 });
    EXPECT_FALSE(Enabled(*view, ID_ISSUER_SUSPEND));
    view->routeCommand(ID_FIRM_SUSPEND);
    const std::string P = "TRADER01    \x19";
    EXPECT_EQ(Sent(142), (std::vector<std::string> { P + "FIRMA       Y ", P + "FIRMB       Y " }));
    EXPECT_EQ(Replies(), (std::vector<std::string> { "Alpha Brokers", "Beta Securities" }));

    // The issuer's suspension opens its dialog.
    Select(*view, { 2 });
    EXPECT_TRUE(Enabled(*view, ID_ISSUER_SUSPEND));
    EXPECT_TRUE(Opens<CSuspendDlg>(*view, ID_ISSUER_SUSPEND));
    EXPECT_TRUE(Opens<CLogonVerDlg>(*view, ID_FIRM_LOGON_VERIFY));
    EXPECT_TRUE(Opens<CTrAccListDlg>(*view, ID_FIRM_TRADING_ACCOUNTS));
    EXPECT_FALSE(Enabled(*view, ID_PERMISSION_SET));

    // Every type switch off: an empty window whose title tells the filter.
    auto& filter = dynamic_cast<CCriteriaOf<CFirmsFilter, ParticipantRec>&>(view->GetListDoc()->Filter()).Get();
    filter.m_bNoFiltering = 0;
    filter.m_bShowBrokers = filter.m_bShowExchanges = filter.m_bShowInstitutions = filter.m_bShowIssuers = 0;
    view->GetListDoc()->UpdateDocument(0, nullptr);
    EXPECT_EQ(view->GetListDoc()->GetRowCount(), 0);
    std::string described = Kv32ShellString(17);
    filter.GetDescription(described);
    EXPECT_EQ(view->GetListDoc()->title(), described);
    EXPECT_NE(described, Kv32ShellString(17));
}

TEST_F(PartyWindows, SecurityHoldingsOfTheCurrentFirm)
{
    Firm("FIRMA", "Alpha Brokers", "BROK");
    auto* view = Open<CFirmsView>(17);
    ASSERT_NE(view, nullptr);
    Select(*view, { 0 });
    ASSERT_TRUE(Enabled(*view, ID_FIRM_SECURITY_HOLDINGS));
    view->routeCommand(ID_FIRM_SECURITY_HOLDINGS);
    // The firm's window is the one open: asking for it again finds it.
    std::string key = "FIRMA";
    auto* holdings = dynamic_cast<CCurPosSecsDoc*>(app->OpenTable(14, true, true, &key));
    ASSERT_NE(holdings, nullptr);
    EXPECT_EQ(holdings->Firm(), "FIRMA");
}

TEST_F(PartyWindows, SecurityHoldingsFollowTheActiveFirmsWindowAndShowNegativesInRed)
{
    Firm("FIRMA", "Alpha Brokers", "BROK");
    Firm("FIRMB", "Beta Securities", "BROK");
    auto* view = Open<CFirmsView>(17);
    ASSERT_NE(view, nullptr);
    Select(*view, { 0 });
    view->routeCommand(ID_FIRM_SECURITY_HOLDINGS);
    auto* holdings = dynamic_cast<CCurPosSecsDoc*>(ps->GetTableDoc(CCurPosSecsDoc::kTableId));
    ASSERT_NE(holdings, nullptr);
    // Without a key the window compares its firm with the firms window's current row.
    app->GetMainFrame()->mdiArea()->setActiveSubWindow(view->parentFrame());
    EXPECT_EQ(holdings->CheckTable(nullptr), 1);
    Select(*view, { 1 });
    EXPECT_EQ(holdings->CheckTable(nullptr), 0);
    std::string other = "FIRMB";
    EXPECT_EQ(holdings->CheckTable(&other), 0);
    view->routeCommand(ID_FIRM_SECURITY_HOLDINGS);
    EXPECT_EQ(app->GetDocTemplate(CCurPosSecsDoc::kTableId)->documents().size(), 2u);

    // Open, current, planned buy and sell below zero are red; the traded figures never.
    const auto number = [](long long v) {
        char text[24];
        std::snprintf(text, sizeof text, "%016lld", v);
        return std::string(text);
    };
    Feed(*holdings, 45,
        "0000000001" + Padded("", 12) + Padded("INSTR0000001", 12) + number(-1000) + number(900) + number(-10)
            + number(20) + number(1000) + number(0) + number(-10) + number(0) + number(1));
    holdings->OnPostReceive();
    ASSERT_EQ(holdings->GetRowCount(), 1);
    const struct {
        int method;
        int col;
        bool red;
    } cells[] = {
        { 0, 2, true }, { 0, 3, false }, { 0, 4, true }, { 0, 5, false }, { 0, 7, false }, { 1, 2, true },
        { 1, 4, true }, { 1, 3, false },
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(testing::Message() << c.method << " " << c.col);
        kvcore::CTGXDoc::m_iColorMethod = c.method;
        fw::CellStyle style;
        ASSERT_TRUE(holdings->GetStyleRowCol(1, c.col, style));
        EXPECT_EQ((c.method == 0 ? style.back : style.text) == kNegativeRed, c.red) << style.value;
    }
    kvcore::CTGXDoc::m_iColorMethod = 0;
}

TEST_F(PartyWindows, ControlEventsDeleteOnlyAPendingSuspension)
{
    Event(42, 'A', 'P', "ALFA");
    Event(43, 'G', 'P', "ALFA");
    Event(44, 'C', 'F', "Gamma Issuer");
    router->AnswerWith([](const std::vector<Msg>&) { return std::vector<Msg> { { 193, WithZero("done") } }; });
    auto* view = Open<CSupervisorOperationsView>(28);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetListDoc()->title(), Kv32ShellString(28) + " - 3");

    Select(*view, { 1 });
    view->routeCommand(ID_EVENT_DELETE);
    EXPECT_TRUE(Sent(142).empty()) << "a reference price event is not deleted";
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(Opens<CPriceControlEventDlg>(*view, ID_EVENT_VIEW));

    Select(*view, { 2 });
    EXPECT_FALSE(Enabled(*view, ID_EVENT_DELETE));
    EXPECT_TRUE(Opens<CSuspendDlg>(*view, ID_EVENT_VIEW));

    Select(*view, { 0 });
    ASSERT_TRUE(Enabled(*view, ID_EVENT_DELETE));
    view->routeCommand(ID_EVENT_DELETE);
    EXPECT_EQ(Sent(142), (std::vector<std::string> { "TRADER01    \x08" "0042" }));
}

TEST_F(PartyWindows, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        FreeTables();
        Colours();
        User("TRADER01", "FIRMA");
        User("BROKER02", "FIRMA", false, true);
        User("DEALER07", "FIRMB");
        Firm("FIRMA", "Alpha Brokers", "BROK");
        Firm("FIRMB", "Beta Securities", "BROK", false);
        Firm("ISSR1", "Gamma Issuer", "ISSR");
        Event(42, 'A', 'P', "ALFA");
        Event(43, 'G', 'F', "ALFA");
        Event(44, 'H', 'F', "ALFA");
        RepliesTable().AddReply("TRADER01");
        RepliesTable().SetMessage(0, "OK");
        RepliesTable().AddReply("BROKER02");
        RepliesTable().SetMessage(1, "User is already suspended");
        auto* users = Open<CTradersView>(16);
        auto* firms = Open<CFirmsView>(17);
        auto* events = Open<CSupervisorOperationsView>(28);
        CTDoc* replies = app->OpenTable(29, true, true, nullptr);
        ASSERT_TRUE(users && firms && events && replies);
        auto* repliesView = dynamic_cast<CTView*>(replies->firstView());
        ASSERT_NE(repliesView, nullptr);
        for (auto [view, name] : { std::pair<CTView*, const char*> { users, "users" }, { firms, "firms" },
                 { events, "control-events" }, { repliesView, "replies" } }) {
            view->OnGridSizeToContent();
            view->parentFrame()->resize(1400, 200);
            const QImage image = view->parentFrame()->grab().toImage();
            EXPECT_FALSE(image.isNull());
            if (dirName != nullptr)
                image.save(QDir(dirName).filePath(QStringLiteral("list-%1-%2.png").arg(name, suffix)));
        }
        EXPECT_EQ(users->GetDocument()->GetColumnTitle(1), language == fw::Language::English ? "User" : "Felhaszn\xE1l\xF3");
        EXPECT_EQ(replies->GetRowCount(), 2);
        app->CloseAllDocuments();
    }
}

} // namespace
} // namespace kv32test
