// The Firms, Users and Securities Alerts windows offscreen in the
// application: a row per figure with an operator, coded by definition and
// figure, the operator's text centred and sorted by its code, the rows made
// again when the definitions change, "Al&erts..." on the current row's
// subject, the Logs window's colour per kind, and pictures in both languages
// (written to KV32_SHOT_DIR when it is set).
#include <cstring>

#include "kv32/dialogs/alerts/alert_def_dlgs.h"
#include "kv32/dialogs/alerts/alert_openers.h"
#include "kv32/lists/alert_defs_list.h"
#include "kv32/lists/logs_list.h"
#include "kv32/tables/alert_strings.h"
#include "kv32/windows/alert_defs_view.h"
#include "kv32/windows/logs_view.h"
#include "list_fixture.h"

namespace {

using namespace kv32test;

class AlertWindows : public ListWindows {
protected:
    void TearDown() override
    {
        for (unsigned id : { ID_USER_ALERTS, ID_FIRM_ALERTS, ID_SECURITY_ALERTS })
            KvSetCommandDialog(id, nullptr);
        kvcore::CTGXDoc::m_iColorMethod = 0;
        ListWindows::TearDown();
    }
    // A definition of the code with the figures' operators and limits; linked to `link`.
    static void PartyDefinition(CPartyAlertTable& table, const char* code, int link,
        std::initializer_list<std::pair<int, int>> figureOps, double limit = 1500)
    {
        CAlertLimits def;
        std::snprintf(def.szCode, sizeof def.szCode, "%s", code);
        def.nLink = link;
        for (const auto& [figure, op] : figureOps) {
            def.anOperator[figure] = op;
            def.adLimit[figure] = CDouble(limit + figure, 0);
        }
        table.AddRec(def);
    }
    static std::string Cell(CTDoc& doc, int row, int col)
    {
        fw::CellStyle style;
        doc.GetStyleRowCol(row + 1, col, style);
        return style.value;
    }
    static fw::Align Alignment(CTDoc& doc, int row, int col)
    {
        fw::CellStyle style;
        doc.GetStyleRowCol(row + 1, col, style);
        return style.align;
    }
    static std::vector<int> Codes(const CAlertDefsDoc& doc)
    {
        std::vector<int> codes;
        for (int r = 0; r < doc.GetRowCount(); ++r)
            codes.push_back(doc.GetRowRecord(r)->nCode);
        return codes;
    }
};

TEST_F(AlertWindows, FirmsAlertsShowARowPerFigureWithAnOperatorCodedByDefinitionAndFigure)
{
    // Definition 0 has no condition at all, definition 1 three, definition 2 one.
    PartyDefinition(FirmAlertTable(), "BRK0", -1, {});
    PartyDefinition(FirmAlertTable(), "BRK1", 4, { { 2, 2 }, { 0, 5 }, { 15, 1 } });
    PartyDefinition(FirmAlertTable(), "BRK2", 7, { { 3, 4 } });
    FirmAlertTable().GetRec(1)->anFired[2] = 1;
    FirmAlertTable().GetRec(2)->anChanged[3] = 1;
    auto* view = Open<CFAlertsView>(25);
    ASSERT_NE(view, nullptr);
    auto* doc = dynamic_cast<CFAlertsDoc*>(view->GetDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->title(), "Firms Alerts");
    EXPECT_EQ(Codes(*doc), (std::vector<int> { 16, 18, 31, 35 }));
    EXPECT_EQ(Cell(*doc, 0, 1), "BRK1");
    EXPECT_EQ(Cell(*doc, 0, 2), Kv32AlertString(IDS_FIRM_FIGURE_FIRST + 0));
    EXPECT_EQ(Cell(*doc, 0, 3), "=<");
    EXPECT_EQ(Alignment(*doc, 0, 3), fw::Align::Center);
    EXPECT_EQ(Cell(*doc, 1, 3), ">");
    EXPECT_EQ(Cell(*doc, 1, 4), CDouble(1502, 0).Format(1, 1));
    EXPECT_EQ(Cell(*doc, 1, 5), "No");
    EXPECT_EQ(Cell(*doc, 1, 6), "Yes");
    EXPECT_EQ(Cell(*doc, 3, 5), "Yes");
    EXPECT_EQ(Cell(*doc, 3, 6), "No");
    // Each row names its definition and its firm's host row.
    EXPECT_EQ(doc->DefinitionOfRow(3), 2);
    EXPECT_EQ(doc->HostIndexOfRow(3), 7);
    EXPECT_EQ(doc->HostIndexOfRow(4), -1);

    // Sorting by the operator orders by its code: "=" (1), ">" (2), "<" (4), "=<" (5).
    doc->SetSortColumn(3, kvcore::CTGXDoc::kAscending);
    doc->UpdateDocument(0, nullptr);
    std::vector<std::string> ops;
    for (int r = 0; r < 4; ++r)
        ops.push_back(Cell(*doc, r, 3));
    EXPECT_EQ(ops, (std::vector<std::string> { "=", ">", "<", "=<" }));

    // A definition whose conditions are all cleared leaves no row once the table tells.
    FirmAlertTable().GetRec(1)->ResetAll();
    FirmAlertTable().UpdateViews();
    EXPECT_EQ(Codes(*doc), (std::vector<int> { 35 }));
}

TEST_F(AlertWindows, SecuritiesAlertsTakeTheSecuritysNamesAndFifteenFigures)
{
    const SecurityRec& alfa = *SecurityTable().GetRec(0);
    CSecAlertLimits linked;
    std::memcpy(linked.szCode, alfa.szCode, sizeof linked.szCode);
    linked.nLink = 0;
    linked.anOperator[14] = 3;
    linked.adLimit[14] = CDouble(12.5, 2);
    linked.anOperator[1] = 4;
    CSecAlertLimits gone;
    std::memcpy(gone.szCode, "0BRD9GONE        ", 18);
    gone.nLink = -1;
    gone.anOperator[0] = 1;
    SecAlertTable().AddRec(linked);
    SecAlertTable().AddRec(gone);
    auto* view = Open<CSAlertsView>(26);
    ASSERT_NE(view, nullptr);
    auto* doc = dynamic_cast<CSAlertsDoc*>(view->GetDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(Codes(*doc), (std::vector<int> { 1, 14, 15 }));
    EXPECT_EQ(Cell(*doc, 1, 1), "ALFA");
    EXPECT_EQ(Cell(*doc, 1, 2), alfa.szBoardName);
    EXPECT_EQ(Cell(*doc, 1, 3), Kv32AlertString(IDS_SEC_FIGURE_FIRST + 14));
    EXPECT_EQ(Cell(*doc, 1, 4), ">=");
    EXPECT_EQ(Cell(*doc, 1, 5), CDouble(12.5, 2).Format(1, 1));
    EXPECT_EQ(Cell(*doc, 1, 6), "No");
    // A security the host no longer lists shows its instrument and board codes.
    EXPECT_EQ(Cell(*doc, 2, 1), "GONE");
    EXPECT_EQ(Cell(*doc, 2, 2), "BRD9");
    EXPECT_EQ(doc->HostIndexOfRow(0), 0);
}

TEST_F(AlertWindows, AlertsCommandOpensTheKindsDialogOnTheCurrentRowsSubject)
{
    PartyDefinition(UserAlertTable(), "ALICE", 3, { { 1, 2 } });
    PartyDefinition(UserAlertTable(), "BOB", 5, { { 4, 3 } });
    auto* view = Open<CTAlertsView>(27);
    ASSERT_NE(view, nullptr);
    KvSetCommandDialog(ID_USER_ALERTS, nullptr);
    EXPECT_FALSE(Enabled(*view, ID_USER_ALERTS)) << "no dialog installed";
    std::vector<int> opened;
    KvSetCommandDialog(ID_USER_ALERTS, [&](int row) {
        opened.push_back(row);
        return static_cast<int>(fw::IDOK);
    });
    EXPECT_TRUE(Enabled(*view, ID_USER_ALERTS));
    EXPECT_FALSE(Enabled(*view, ID_FIRM_ALERTS));
    view->routeCommand(ID_USER_ALERTS); // no current row
    Select(*view, { 1 });
    view->routeCommand(ID_USER_ALERTS);
    EXPECT_EQ(opened, (std::vector<int> { -1, 5 }));
}

TEST_F(AlertWindows, TheDialogsChangesReachTheWindowWhenItCloses)
{
    ParticipantRec firm;
    std::snprintf(firm.szCode, sizeof firm.szCode, "BRK1");
    std::snprintf(firm.szName, sizeof firm.szName, "Alpha Brokers");
    ParticipantTable().AddRec(firm);
    PartyDefinition(FirmAlertTable(), "BRK1", -1, { { 1, 2 }, { 2, 2 } });
    FirmAlertTable().LinkAlerts();
    auto* view = Open<CFAlertsView>(25);
    ASSERT_NE(view, nullptr);
    auto* doc = dynamic_cast<CFAlertsDoc*>(view->GetDocument());
    ASSERT_EQ(doc->GetRowCount(), 2);
    KvInstallAlertDialogs();
    Select(*view, { 0 });
    bool sawFirm = false;
    fw::Dialog::setModalHook([&](fw::Dialog& d) {
        auto* dlg = dynamic_cast<CFirmAlertDlg*>(&d);
        sawFirm = dlg != nullptr && dlg->Form().SubjectRow() == 0;
        if (dlg == nullptr) {
            d.endDialog(fw::IDCANCEL);
            return;
        }
        dlg->Form().ChooseCriterion(1);
        dlg->Form().Clear();
        dlg->onOK();
    });
    view->routeCommand(ID_FIRM_ALERTS);
    fw::Dialog::setModalHook({});
    EXPECT_TRUE(sawFirm);
    EXPECT_EQ(Codes(*doc), (std::vector<int> { 2 }));
}

TEST_F(AlertWindows, LogsRowsTakeTheColourOfTheirKindOrTag)
{
    AlertLogTable().m_aColors = { 0x000001, 0x000002, 0x000003, 0x000004, 0x000005, 0x000006 };
    const auto add = [](CLogEntry e, int tag = -1) {
        e.nTag = tag;
        AlertLogTable().AddEntry(e, 0);
    };
    CLogEntry user, firm, security, count, news, message, event, tagged;
    user.InitKind1000(1, "ALICE", "u", CDouble(1, 0));
    firm.InitKind2000(1, "BRK1", "f", CDouble(1, 0));
    security.InitKind3000(1, "0BRD1X", "Main board", "X", "s", 1);
    count.InitKind7000("BRD1", "BRK1", "c", 9, "");
    news.InitKind4000(CDateTime(2026, 12, 10, 9, 0, 0), "Heading");
    message.InitKind5000(CDateTime(2026, 12, 10, 9, 1, 0), "ALICE", "Hello");
    event.InitKind6000(CDateTime(2026, 12, 10, 9, 2, 0), "SUP1", "Trading suspended");
    tagged.InitKind1000(2, "BOB", "t", CDouble(1, 0));
    for (const CLogEntry* e : { &user, &firm, &security, &count, &news, &message, &event })
        add(*e);
    add(tagged, 4);
    auto* view = Open<CLogsView>(22);
    ASSERT_NE(view, nullptr);
    auto* doc = dynamic_cast<CLogsDoc*>(view->GetDocument());
    ASSERT_EQ(doc->GetRowCount(), 8);
    const std::uint32_t expected[] = { 1, 2, 3, 4, 6, 5, doc->m_defaultBack, 5 };
    for (int method : { 0, 1 }) {
        kvcore::CTGXDoc::m_iColorMethod = method;
        for (int r = 0; r < 8; ++r) {
            SCOPED_TRACE(testing::Message() << "method " << method << " row " << r);
            fw::CellStyle style;
            ASSERT_TRUE(doc->GetStyleRowCol(r + 1, 1, style));
            EXPECT_EQ(method == 0 ? style.back : style.text,
                method == 0 || r != 6 ? expected[r] : doc->m_defaultText);
        }
    }
}

TEST_F(AlertWindows, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    PartyDefinition(FirmAlertTable(), "BRK1", -1, { { 0, 5 }, { 2, 2 }, { 9, 3 } });
    PartyDefinition(UserAlertTable(), "ALICE", -1, { { 1, 4 }, { 5, 1 } });
    FirmAlertTable().GetRec(0)->anFired[2] = 1;
    CSecAlertLimits sec;
    std::memcpy(sec.szCode, SecurityTable().GetRec(0)->szCode, sizeof sec.szCode);
    sec.nLink = 0;
    sec.anOperator[2] = 2;
    sec.adLimit[2] = CDouble(125.5, 2);
    sec.anOperator[4] = 5;
    sec.adLimit[4] = CDouble(98.25, 2);
    SecAlertTable().AddRec(sec);
    const struct {
        std::uint32_t table;
        const char* name;
        const char* englishTitle;
        const char* hungarianTitle;
    } windows[] = {
        { 25, "list-firm-alerts", "Firms Alerts", "C\xE9griaszt\xE1sok" },
        { 26, "list-security-alerts", "Security Alerts", "\xC9rt\xE9kpap\xEDr-riaszt\xE1sok" },
        { 27, "list-user-alerts", "Users Alerts", "Felhaszn\xE1l\xF3i riaszt\xE1sok" },
    };
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        for (const auto& w : windows) {
            SCOPED_TRACE(w.name);
            auto* view = Open<CListView>(w.table);
            ASSERT_NE(view, nullptr);
            EXPECT_EQ(view->GetDocument()->title(),
                language == fw::Language::English ? w.englishTitle : w.hungarianTitle);
            view->OnGridSizeToContent();
            view->parentFrame()->resize(760, 180);
            const QImage image = view->parentFrame()->grab().toImage();
            EXPECT_FALSE(image.isNull());
            if (dirName != nullptr)
                image.save(QDir(dirName).filePath(QStringLiteral("%1-%2.png").arg(w.name, suffix)));
            app->CloseAllDocuments();
        }
    }
}

} // namespace
