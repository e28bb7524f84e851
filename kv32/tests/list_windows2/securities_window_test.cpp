// The securities window: its suspension records, which commands the current
// security allows, suspension through the dialog or for several rows, the
// alert colours of its eleven columns, All Boards, the workspace round trip,
// Go To and the related windows of the selected securities.
#include "list_windows2/market_fixture.h"

#include "fw/core/archive.h"
#include "kv32/dialogs/selection_dlgs.h"
#include "kv32/dialogs/supervision/suspend_dlg.h"
#include "kv32/filters/orders_filter.h"
#include "kv32/lists/orders_list.h"
#include "kv32/lists/securities_list.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/res/market_window_strings.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/res/table_strings.h"
#include "kv32/shell/session.h"
#include "kv32/windows/securities_view.h"

namespace {

using namespace kv32test;

std::string Padded(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

TEST(SecuritySuspendText, RecordsAreExactAndRefuseAnOverlongMessage)
{
    ScriptedRouter router("TRADER01");
    const CDateTime time(2026, 12, 11, 9, 30, 5);
    const std::string message = "Security ALFA has been suspended.";
    EXPECT_EQ(BuildSecuritySuspendText(true, "INSTR0000001", time, message, 'P'),
        "TRADER01    \x09INSTR0000001093005" + Padded(message, 640) + "PS");
    const std::string back = "Security ALFA has been unsuspended.";
    const std::string unsuspend = BuildSecuritySuspendText(false, "INSTR0000001", time, back, ' ');
    EXPECT_EQ(unsuspend, "TRADER01    \x0AINSTR0000001093005" + Padded(back, 640) + " ");
    EXPECT_EQ(unsuspend.size(), 672u);
    EXPECT_EQ(BuildSecuritySuspendText(true, "INSTR0000001", time, std::string(641, 'x'), 'P'), "");
}

TEST(SecurityCommands, EnabledByMethodsStatusAndIssuer)
{
    struct Case {
        const char* methods;
        char kind;
        unsigned id;
        bool allowed;
    };
    const Case cases[] = {
        { "10", 'A', ID_MW_BUY, true },
        { "01", 'A', ID_MW_SELL, true },
        { "00", 'A', ID_MW_BUY, false },
        { "", 'A', ID_MW_SELL, false },
        { "0001", 'A', ID_MW_DEAL, true },
        { "0000", 'A', ID_MW_DEAL, false },
        { "000001", 'A', ID_MW_MARKET_MAKER, true },
        { "00000", 'A', ID_MW_MARKET_MAKER, false },
        { "", 'A', ID_MW_SUSPEND_SECURITY, true },
        { "", 'A', ID_MW_UNSUSPEND_SECURITY, false },
        { "", 'S', ID_MW_SUSPEND_SECURITY, false },
        { "", 'S', ID_MW_UNSUSPEND_SECURITY, true },
        { "", '\0', ID_MW_SUSPEND_SECURITY, true },
        { "", '\0', ID_MW_UNSUSPEND_SECURITY, true },
    };
    for (const Case& c : cases) {
        SecurityRec rec {};
        CSecurityTable::TakeMethods(rec, c.methods);
        rec.cStatusKind = c.kind;
        EXPECT_EQ(SecurityCommandAllowed(c.id, &rec), c.allowed) << c.methods << " " << c.kind << " " << c.id;
    }
    EXPECT_FALSE(SecurityCommandAllowed(ID_MW_BUY, nullptr));
    EXPECT_TRUE(SecurityCommandAllowed(ID_MW_ALERTS_VIEW, nullptr));

    // The issuer: a participant of type "ISSR" named by the security's code,
    // its state in the current language.
    ParticipantTable().Free();
    struct Issuer {
        const char* code;
        const char* type;
        unsigned state;
    };
    for (const Issuer& i : { Issuer { "ISS1", "ISSR", IDS_STATE_ACTIVE }, Issuer { "ISS2", "ISSR", IDS_STATE_SUSPENDED },
             Issuer { "BRK1", "BROK", IDS_STATE_ACTIVE } }) {
        ParticipantRec p;
        std::strcpy(p.szCode, i.code);
        std::strcpy(p.szType, i.type);
        std::strcpy(p.szStatus, Kv32TableString(i.state).c_str());
        ParticipantTable().AddRec(p);
    }
    struct IssuerCase {
        const char* issuer;
        bool suspend;
        bool unsuspend;
    };
    for (const IssuerCase& c : { IssuerCase { "ISS1", true, false }, IssuerCase { "ISS2", false, true },
             IssuerCase { "BRK1", false, false }, IssuerCase { "NONE", false, false }, IssuerCase { "", false, false } }) {
        SecurityRec rec {};
        std::strcpy(rec.szInstrCode, c.issuer);
        EXPECT_EQ(SecurityCommandAllowed(ID_MW_SUSPEND_ISSUER, &rec), c.suspend) << c.issuer;
        EXPECT_EQ(SecurityCommandAllowed(ID_MW_UNSUSPEND_ISSUER, &rec), c.unsuspend) << c.issuer;
    }
    ParticipantTable().Free();
}

class SecuritiesWindow : public MarketWindows {
protected:
    CSecsView* OpenWith(std::vector<int> rows)
    {
        auto* view = Open<CSecsView>(6);
        if (view != nullptr)
            view->GetSecsDoc()->SetRows(std::move(rows));
        return view;
    }
};

TEST_F(SecuritiesWindow, OneRowSuspendsThroughTheDialogSeveralThroughOneRecordEach)
{
    const int alfa = Security("ALFA", "BRD1", "INSTR0000001");
    const int beta = Security("BETA", "BRD1", "INSTR0000002");
    const int gamma = Security("GAMMA", "BRD1", "INSTR0000003", 'S');
    auto* view = OpenWith({ alfa, beta, gamma });
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDocument()->title(), "Securities");
    Select(*view, { 0 });
    EXPECT_TRUE(Enabled(*view, ID_MW_SUSPEND_SECURITY));
    EXPECT_FALSE(Enabled(*view, ID_MW_UNSUSPEND_SECURITY)) << "active";
    // One row: the suspension dialog, which sends itself.
    bool dialog = false;
    fw::Dialog::setModalHook([&](fw::Dialog& d) {
        dialog = dynamic_cast<CSuspendDlg*>(&d) != nullptr;
        d.endDialog(fw::IDCANCEL);
    });
    view->routeCommand(ID_MW_SUSPEND_SECURITY);
    fw::Dialog::setModalHook({});
    EXPECT_TRUE(dialog);
    EXPECT_TRUE(router->Requests().empty());
    Select(*view, { 2 });
    EXPECT_FALSE(Enabled(*view, ID_MW_SUSPEND_SECURITY)) << "suspended";

    KvDisplayType() = 'P';
    int answer = 0;
    router->AnswerWith([&](const std::vector<Msg>&) {
        return std::vector<Msg> { { 193, WithZero("accepted " + std::to_string(answer++)) } };
    });
    Select(*view, { 2, 0, 1 });
    EXPECT_TRUE(Enabled(*view, ID_MW_UNSUSPEND_SECURITY)) << "several rows need no dialog";
    view->routeCommand(ID_MW_UNSUSPEND_SECURITY);
    KvDisplayType() = ' ';
    const std::vector<std::string> sent = Sent(142);
    ASSERT_EQ(sent.size(), 3u);
    const std::string time = sent[0].substr(25, 6);
    for (std::size_t i = 0; i < sent.size(); ++i) {
        const char* name = i == 0 ? "ALFA" : i == 1 ? "BETA" : "GAMMA";
        EXPECT_EQ(sent[i], "TRADER01    \x0AINSTR000000" + std::to_string(i + 1) + time
                + Padded(std::string("Security ") + name + " has been unsuspended.", 640) + "P");
    }
    ASSERT_EQ(RepliesTable().GetCount(), 3);
    EXPECT_STREQ(RepliesTable().GetRec(1)->szIdentifier, "BETA      ");
    EXPECT_STREQ(RepliesTable().GetRec(2)->szMessage, "accepted 2");
}

TEST_F(SecuritiesWindow, AlertColoursShowOnTheElevenColumnsOnly)
{
    const int alfa = Security("ALFA");
    SecurityRec& rec = *SecurityTable().GetRec(alfa);
    for (std::uint32_t& colour : rec.aAlertColors)
        colour = 0x0000FF;
    auto* view = OpenWith({ alfa });
    ASSERT_NE(view, nullptr);
    CSecsDoc& doc = *view->GetSecsDoc();
    const int saved = kvcore::CTGXDoc::m_iColorMethod;
    for (int method : { 0, 1, 2 }) {
        kvcore::CTGXDoc::m_iColorMethod = method;
        int coloured = 0;
        for (int col = 0; col < CSecsDoc::kColumns; ++col) {
            kvcore::COLORREF back = 0, text = 0;
            doc.GetColorCell(doc.GetRowData(0), col, back, text);
            const bool alert = (method == 0 ? back : text) == 0x0000FF;
            EXPECT_EQ(alert, CSecsDoc::IsAlertColumn(col + 2900)) << method << " " << col;
            EXPECT_NE(method == 0 ? text : back, 0x0000FFu);
            coloured += alert ? 1 : 0;
        }
        EXPECT_EQ(coloured, 11) << method;
    }
    kvcore::CTGXDoc::m_iColorMethod = saved;
}

TEST_F(SecuritiesWindow, AllBoardsGoToAndTheWorkspace)
{
    const int alfa1 = Security("ALFA", "BRD1", "INSTR0000001");
    const int beta = Security("BETA", "BRD1", "INSTR0000002");
    const int alfa2 = Security("ALFA", "BRD2", "INSTR0000001");
    auto* view = OpenWith({ beta, alfa2, alfa1 });
    ASSERT_NE(view, nullptr);

    // Go To: the upper row of two equal names; an unknown name changes nothing.
    const auto goTo = [&](const char* text) {
        fw::Dialog::setModalHook([text](fw::Dialog& d) {
            d.userType(IDC_GOTO_TEXT, text);
            d.userClick(fw::kIdOk);
        });
        view->routeCommand(ID_VIEW_GOTO);
        fw::Dialog::setModalHook({});
        return view->GetDocument()->GetCurrentIndex();
    };
    Select(*view, { 2 });
    EXPECT_EQ(goTo("ALFA"), 1);
    EXPECT_EQ(goTo("alfa"), 1) << "case counts";
    EXPECT_EQ(goTo("BETA"), 0);

    // All Boards: a new window with the security on every board, in table order.
    Select(*view, { 1 });
    const std::size_t before = app->GetDocTemplate(6)->documents().size();
    view->routeCommand(ID_MW_ALL_BOARDS);
    ASSERT_EQ(app->GetDocTemplate(6)->documents().size(), before + 1);
    auto* all = dynamic_cast<CSecsDoc*>(app->GetDocTemplate(6)->documents().back().get());
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all->m_aRows, (std::vector<int> { alfa1, alfa2 }));

    // The workspace keeps the rows by code: a moved security is found again,
    // an unknown one dropped.
    fw::Archive store;
    view->GetSecsDoc()->Serialize(store);
    SecurityTable().Free();
    Security("ALFA", "BRD2", "INSTR0000001");
    Security("GAMMA", "BRD1", "INSTR0000003");
    Security("ALFA", "BRD1", "INSTR0000001");
    fw::Archive load(store.bytes());
    CSecsDoc restored;
    restored.Serialize(load);
    EXPECT_EQ(restored.m_aRows, (std::vector<int> { 0, 2 }));
}

TEST_F(SecuritiesWindow, RelatedWindowsTakeTheSelectedSecuritiesAndBoards)
{
    const int alfa = Security("ALFA", "BRD1", "INSTR0000001");
    const int beta = Security("BETA", "BRD2", "INSTR0000002");
    auto* view = OpenWith({ alfa, beta });
    ASSERT_NE(view, nullptr);
    Select(*view, { 1, 0 });
    EXPECT_TRUE(Enabled(*view, ID_MW_ORDERS));
    EXPECT_TRUE(Enabled(*view, ID_MW_LAST_N_TRADES));
    view->routeCommand(ID_MW_ORDERS);
    auto* orders = dynamic_cast<COrdersDoc*>(app->GetDocTemplate(8)->documents().back().get());
    ASSERT_NE(orders, nullptr);
    auto* criteria = dynamic_cast<CCriteriaOf<COrdersFilter, COrderRec>*>(&orders->Filter());
    ASSERT_NE(criteria, nullptr);
    const COrdersFilter& f = criteria->Get();
    EXPECT_EQ(f.m_bNoFiltering, 0);
    EXPECT_EQ(f.m_bAllSecurities, 0);
    EXPECT_EQ(f.m_bAllBoards, 0);
    EXPECT_EQ(f.m_aSecurities, (std::vector<int> { alfa, beta }));
    EXPECT_EQ(f.m_aBoards, (std::vector<int> { 0, 1 }));
}

TEST_F(SecuritiesWindow, ChangedSecuritiesRepaintTheirRowsOnly)
{
    const int alfa = Security("ALFA");
    const int beta = Security("BETA", "BRD1", "INSTR0000002");
    const int gamma = Security("GAMMA", "BRD1", "INSTR0000003");
    auto* view = OpenWith({ gamma, alfa });
    ASSERT_NE(view, nullptr);
    CSecsDoc& doc = *view->GetSecsDoc();
    fw::RowHint changed(SecurityTable().GetCount());
    changed.AddRow(alfa);
    changed.AddRow(beta);
    doc.UpdateDocument(1, &changed);
    const kvcore::CTHint& rows = doc.LastRowHint();
    EXPECT_FALSE(rows.GetRow(0)) << "gamma did not change";
    EXPECT_TRUE(rows.GetRow(1)) << "alfa";
    EXPECT_EQ(rows.GetSize(), 2);
}

} // namespace

#include "kv32/dialogs/alerts/alert_select_dlg.h"
#include "kv32/shell/alert_select_form.h"

namespace {

using namespace kv32test;

TEST_F(MarketWindows, TheSecuritySelectionFillsTheWindow)
{
    const int alfa = Security("ALFA", "BRD1", "INSTR0000001");
    const int beta = Security("BETA", "BRD1", "INSTR0000002");
    auto* view = Open<CSecsView>(6);
    ASSERT_NE(view, nullptr);
    CSecsDoc& doc = *view->GetSecsDoc();
    doc.SetRows({ alfa });
    // The selection command hands its choice over: it joins the window's rows.
    EXPECT_TRUE(KvHandOverSecuritySelection(&doc, { static_cast<std::uint32_t>(beta), 99u }));
    EXPECT_EQ(doc.m_aRows, (std::vector<int> { alfa, beta }));
    // Options > Filter runs the selection on the window's rows; Cancel keeps them.
    EXPECT_TRUE(Enabled(*view, ID_OPTIONS_FILTER));
    bool shown = false;
    fw::Dialog::setModalHook([&](fw::Dialog& d) {
        shown = dynamic_cast<CAlertSelectDlg*>(&d) != nullptr;
        d.endDialog(fw::IDCANCEL);
    });
    view->routeCommand(ID_OPTIONS_FILTER);
    fw::Dialog::setModalHook({});
    EXPECT_TRUE(shown);
    EXPECT_EQ(doc.m_aRows, (std::vector<int> { alfa, beta }));
}

} // namespace
