// The alert definition, order counting limits and security selection dialogs
// offscreen, driven by control id as their openers open them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <cstdlib>
#include <string>
#include <vector>

#include "alert_dialogs/alert_fixture.h"
#include "fw/core/rescheck.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/alerts/alert_openers.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/alert_dialog_ids.h"
#include "kv32/shell/alert_select_form.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/doc/ct_doc.h"

namespace alerttest {
namespace {

using AlertDialogs = AlertMarket;

std::vector<std::string> Lines(fw::Dialog& d, uint32_t id)
{
    std::vector<std::string> lines;
    for (int i = 0; i < d.itemCount(id); ++i)
        lines.push_back(d.itemString(id, i));
    return lines;
}

void PressEscape(fw::Dialog& d)
{
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&d, &escape);
}

// Saves the dialog's picture as docs/alert-<name>-<language>.png when asked to.
void Shot(fw::Dialog& d, const char* name)
{
    const QImage image = d.grab().toImage();
    EXPECT_FALSE(image.isNull());
    if (const char* dir = std::getenv("KV32_SHOT_DIR")) {
        const char* language = fw::language() == fw::Language::English ? "en" : "hu";
        image.save(QDir(dir).filePath(QStringLiteral("alert-%1-%2.png").arg(name, language)));
    }
}

TEST(AlertDialogResources, TemplatesAndTextsAreComplete)
{
    const fw::ResourceSet set { "kv32-alert-dialogs-check", Kv32AlertDialogStrings(),
        Kv32AlertDialogTemplates() };
    const fw::ResourceReport report = fw::checkResources(std::span(&set, 1));
    EXPECT_TRUE(report.ok()) << report.text();
}

TEST_F(AlertDialogs, TheSecurityDialogWithoutASecurityOnlySaysSo)
{
    fw::test::Script script;
    script.answerMessageBox(fw::IDOK);
    EXPECT_EQ(KvRunSecAlertDialog(-1), fw::IDCANCEL);
    EXPECT_EQ(script.messageBoxes(), std::vector<std::string> { "A Security must be selected first" });
    EXPECT_TRUE(script.dialogsShown().empty());
    EXPECT_TRUE(script.allAnswersUsed());
}

TEST_F(AlertDialogs, ASecurityAlertIsDefinedByControlId)
{
    HintRecorder hints;
    fw::test::Script script;
    script.expectDialog(IDD_SEC_ALERT, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_ALERT_BOARD), "Main board");
        EXPECT_EQ(d.itemText(IDC_ALERT_SUBJECT), "ALFA");
        EXPECT_TRUE(d.isItemEnabled(IDC_ALERT_CREATE));
        for (uint32_t id : { IDC_ALERT_CRITERION, IDC_ALERT_OPERATOR, IDC_ALERT_VALUE, IDC_ALERT_CLEAR,
                 IDC_ALERT_CLEAR_ALL })
            EXPECT_FALSE(d.isItemEnabled(id)) << id;
        d.userClick(IDC_ALERT_CREATE);
        EXPECT_EQ(d.itemCount(IDC_ALERT_CRITERION), 15);
        EXPECT_FALSE(d.isItemEnabled(IDC_ALERT_CREATE));
        EXPECT_EQ(d.itemText(IDC_ALERT_CRITERION), "Bid");
        d.userSelect(IDC_ALERT_CRITERION, 2);
        EXPECT_FALSE(d.item(IDC_ALERT_VALUE)->isVisibleTo(&d));
        EXPECT_FALSE(d.item(IDC_ALERT_OPERATOR)->isVisibleTo(&d));
        EXPECT_TRUE(d.item(IDC_ALERT_PERCENT)->isVisibleTo(&d));
        EXPECT_EQ(d.itemText(IDC_ALERT_EXPLANATION), "% (+ or -) more than last traded price before today.");
        d.userType(IDC_ALERT_PERCENT, "5");
        EXPECT_EQ(d.itemString(IDC_ALERT_CRITERION, 2), "Last*");
        d.userType(IDC_ALERT_PERCENT, "");
        EXPECT_EQ(d.itemString(IDC_ALERT_CRITERION, 2), "Last");
        d.userSelect(IDC_ALERT_CRITERION, 0);
        EXPECT_TRUE(d.item(IDC_ALERT_VALUE)->isVisibleTo(&d));
        EXPECT_EQ(Lines(d, IDC_ALERT_OPERATOR), (std::vector<std::string> { "=", ">", ">=", "<", "<=" }));
        d.userSelect(IDC_ALERT_OPERATOR, 2);
        d.userType(IDC_ALERT_VALUE, "12.5");
        EXPECT_EQ(d.itemString(IDC_ALERT_CRITERION, 0), "Bid*");
        d.userSelect(IDC_ALERT_CRITERION, 1);
        d.userSelect(IDC_ALERT_CRITERION, 0);
        EXPECT_EQ(d.itemText(IDC_ALERT_VALUE), "12.50");
        EXPECT_EQ(d.curSel(IDC_ALERT_OPERATOR), 2);
        PressEscape(d);
    });
    EXPECT_EQ(KvRunSecAlertDialog(kAlfa), fw::IDOK) << "Escape closes as Close does";
    ASSERT_EQ(SecAlertTable().GetCount(), 1);
    const CSecAlertLimits& def = *SecAlertTable().GetRec(0);
    EXPECT_EQ(def.anOperator[0], 3);
    EXPECT_DOUBLE_EQ(def.adLimit[0], 12.5);
    EXPECT_EQ(def.anOperator[2], 0);
    for (int i = 0; i < CSecAlertLimits::kFigures; ++i)
        EXPECT_EQ(def.anChanged[i], 0) << "tested again after OK: " << i;
    EXPECT_EQ(hints.ids.front(), 26);
    EXPECT_TRUE(script.allAnswersUsed());
}

TEST_F(AlertDialogs, AFirmBoundAlreadyCrossedLogsOnceAfterOk)
{
    ParticipantTable().GetRec(kFirm1)->aStats[3] = CDouble(150.0, 0);
    HintRecorder hints;
    fw::test::Script script;
    script.expectDialog(IDD_FIRM_ALERT, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_ALERT_SUBJECT), "First Broker");
        d.userClick(IDC_ALERT_CREATE);
        EXPECT_EQ(d.itemCount(IDC_ALERT_CRITERION), 16);
        d.userSelect(IDC_ALERT_CRITERION, 3);
        d.userSelect(IDC_ALERT_OPERATOR, 1);
        d.userType(IDC_ALERT_VALUE, "100");
        EXPECT_EQ(d.itemString(IDC_ALERT_CRITERION, 3), "Total Buy Order Value*");
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(KvRunFirmAlertDialog(kFirm1), fw::IDOK);
    EXPECT_EQ(AlertLogTable().GetCount(), 1);
    // A second OK without changes logs nothing more.
    script.expectDialog(IDD_FIRM_ALERT, [](fw::Dialog& d) {
        EXPECT_TRUE(d.isItemEnabled(IDC_ALERT_CLEAR_ALL));
        d.close();
    });
    EXPECT_EQ(KvRunFirmAlertDialog(kFirm1), fw::IDOK);
    EXPECT_EQ(AlertLogTable().GetCount(), 1);
    for (int i = 0; i < CAlertLimits::kFigures; ++i)
        EXPECT_EQ(FirmAlertTable().GetRec(0)->anChanged[i], 0) << i;
    EXPECT_EQ(std::count(hints.ids.begin(), hints.ids.end(), 25), 2);
    EXPECT_TRUE(script.allAnswersUsed());
}

TEST_F(AlertDialogs, TheUserDialogWithoutItsUserIsDisabled)
{
    char bits[32];
    std::snprintf(bits, sizeof bits, "018000%016d1", 4);
    Feed(RightTable(), 93, bits);
    HintRecorder hints;
    fw::test::Script script;
    script.expectDialog(IDD_TRADER_ALERT, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemCount(IDC_ALERT_SUBJECT), 0);
        for (uint32_t id : { IDC_ALERT_CREATE, IDC_ALERT_CRITERION, IDC_ALERT_OPERATOR, IDC_ALERT_VALUE,
                 IDC_ALERT_CLEAR, IDC_ALERT_CLEAR_ALL })
            EXPECT_FALSE(d.isItemEnabled(id)) << id;
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(KvRunTraderAlertDialog(kTrader1), fw::IDOK);
    EXPECT_EQ(hints.ids, std::vector<uint16_t> { 27 });
    EXPECT_TRUE(script.allAnswersUsed());
}

TEST_F(AlertDialogs, TheWindowsCommandsRunTheirDialogs)
{
    KvInstallAlertDialogs();
    fw::test::Script script;
    script.expectDialog(IDD_TRADER_ALERT, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_ALERT_SUBJECT), "TRADER02");
        d.userClick(IDC_ALERT_CREATE);
        d.userSelect(IDC_ALERT_OPERATOR, 0);
        d.userClick(fw::kIdOk);
    });
    script.expectDialog(IDD_ORDCOUNT_ALERT, [](fw::Dialog& d) { d.userClick(fw::kIdCancel); });
    for (unsigned id : { ID_USER_ALERTS, ID_FIRM_ALERTS, ID_SECURITY_ALERTS, ID_ORDCOUNT_ALERTS })
        ASSERT_NE(KvFindCommandDialog(id), nullptr) << id;
    EXPECT_EQ((*KvFindCommandDialog(ID_USER_ALERTS))(kTrader2), fw::IDOK);
    EXPECT_EQ(UserAlertTable().GetRec(0)->anOperator[0], 1);
    EXPECT_EQ(UserAlertTable().GetRec(0)->anChanged[0], 0);
    EXPECT_EQ((*KvFindCommandDialog(ID_ORDCOUNT_ALERTS))(-1), fw::IDCANCEL);
    for (unsigned id : { ID_USER_ALERTS, ID_FIRM_ALERTS, ID_SECURITY_ALERTS, ID_ORDCOUNT_ALERTS })
        KvSetCommandDialog(id, nullptr);
    EXPECT_TRUE(script.allAnswersUsed());
}

TEST_F(AlertDialogs, OrderCountingLimitsByControlId)
{
    OrdCountAlertTable().AddAlert("BRD1", "", true, 1, 2, 3, 4);
    const int row = CountingRow("BRD2", "FIRM2");
    fw::test::Script script;
    script.answerMessageBox(fw::IDOK);
    script.expectDialog(IDD_ORDCOUNT_ALERT, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_OCA_BOARD), "BRD2");
        EXPECT_EQ(d.itemText(IDC_OCA_FIRM), "FIRM2");
        EXPECT_EQ(Lines(d, IDC_OCA_FIRM), (std::vector<std::string> { "FIRM1", "FIRM2" }));
        EXPECT_EQ(Lines(d, IDC_OCA_BOARD), (std::vector<std::string> { "BRD1", "BRD2", "BRD3" }));
        EXPECT_EQ(d.itemText(IDC_OCA_PERIOD), std::to_string(nOrdCountPeriod));
        EXPECT_TRUE(d.isButtonChecked(IDC_OCA_ALL));
        EXPECT_FALSE(d.isItemEnabled(IDC_OCA_FIRM));
        EXPECT_FALSE(d.isItemEnabled(IDC_OCA_DELETE));
        d.userClick(IDC_OCA_ALL);
        EXPECT_TRUE(d.isItemEnabled(IDC_OCA_FIRM));
        d.userClick(fw::kIdOk);
        d.userType(IDC_OCA_MM_AVG, "5");
        d.userSelect(IDC_OCA_FIRM, 0);
        EXPECT_EQ(d.itemText(IDC_OCA_MM_AVG), "0") << "the firm's limits (none) are shown";
        d.userType(IDC_OCA_MM_AVG, "5");
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(KvRunOrdCountAlertDialog(row), fw::IDOK);
    EXPECT_EQ(script.messageBoxes(),
        std::vector<std::string> {
            "At least one limit value must be greater than 0.\n(0 means the limit is switched off)" });
    ASSERT_EQ(OrdCountAlertTable().GetCount(), 2);
    const COrdCountAlertRec& added = *OrdCountAlertTable().GetRec(1);
    EXPECT_STREQ(added.szBoard, "BRD2");
    EXPECT_STREQ(added.szFirm, "FIRM1");
    EXPECT_EQ(added.nMMSpeed, 5u);

    script.expectDialog(IDD_ORDCOUNT_ALERT, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_OCA_NORMAL), "1");
        EXPECT_TRUE(d.isItemEnabled(IDC_OCA_DELETE));
        d.userClick(IDC_OCA_DELETE);
    });
    EXPECT_EQ(KvRunOrdCountAlertDialog(-1), fw::IDOK);
    EXPECT_EQ(OrdCountAlertTable().GetRec(0)->bDeleted, 1u);
    EXPECT_TRUE(script.allAnswersUsed());
}

TEST_F(AlertDialogs, SecuritiesAreChosenByControlId)
{
    std::vector<uint32_t> indices { kGamma };
    fw::test::Script script;
    script.expectDialog(IDD_ALERT_SELECT, [](fw::Dialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Securities Selection");
        EXPECT_EQ(Lines(d, IDC_SEL_SELECTION), std::vector<std::string> { "GAMMA\tSecond board" });
        EXPECT_TRUE(d.isButtonChecked(IDC_SEL_BOARDS));
        EXPECT_FALSE(d.isItemEnabled(IDC_SEL_ADD));
        d.userSelect(IDC_SEL_CHOOSER, 0);
        EXPECT_EQ(Lines(d, IDC_SEL_AVAILABLE),
            (std::vector<std::string> { "ALFA\tMain board", "BETA\tMain board" }));
        d.userDoubleClick(IDC_SEL_AVAILABLE, 1);
        d.userClick(IDC_SEL_SECURITIES);
        EXPECT_EQ(Lines(d, IDC_SEL_CHOOSER), (std::vector<std::string> { "ALFA", "BETA", "GAMMA" }));
        d.userSelect(IDC_SEL_CHOOSER, 0);
        d.userClick(IDC_SEL_ADD_ALL);
        EXPECT_EQ(d.itemCount(IDC_SEL_SELECTION), 4);
        EXPECT_EQ(d.itemData(IDC_SEL_SELECTION, 3), static_cast<uint64_t>(kAlfaTwo));
        d.userDoubleClick(IDC_SEL_SELECTION, 0);
        EXPECT_EQ(d.itemCount(IDC_SEL_SELECTION), 3);
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(KvRunAlertSelectDialog(indices), fw::IDOK);
    EXPECT_EQ(indices, (std::vector<uint32_t> { kBeta, kAlfa, kAlfaTwo }));

    // Cancel after additions leaves the caller's array as it was.
    script.expectDialog(IDD_ALERT_SELECT, [](fw::Dialog& d) {
        d.userSelect(IDC_SEL_CHOOSER, 1);
        d.userClick(IDC_SEL_ADD_ALL);
        d.userClick(IDC_SEL_REMOVE_ALL);
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userSelect(IDC_SEL_CHOOSER, 1);
        d.userClick(IDC_SEL_ADD_ALL);
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(KvRunAlertSelectDialog(indices), fw::IDCANCEL);
    EXPECT_EQ(indices, (std::vector<uint32_t> { kBeta, kAlfa, kAlfaTwo }));

    script.expectDialog(IDD_ALERT_SELECT, [](fw::Dialog& d) {
        for (uint32_t id : { IDC_SEL_ADD_ALL, IDC_SEL_REMOVE_ALL, IDC_SEL_UNSELECT_AVAILABLE })
            EXPECT_FALSE(d.item(id)->isVisibleTo(&d)) << id;
        EXPECT_TRUE(d.item(IDC_SEL_ADD)->isVisibleTo(&d));
        d.userClick(fw::kIdCancel);
    });
    std::vector<uint32_t> one;
    EXPECT_EQ(KvRunAlertSelectDialog(one, nullptr, true), fw::IDCANCEL);
    EXPECT_TRUE(script.allAnswersUsed());
}

TEST_F(AlertDialogs, TheSelectionCommandHandsTheResultToTheSecuritiesWindow)
{
    CTDoc window;
    std::vector<uint32_t> taken;
    KvSetSecuritySelectionTaker([&](CTDoc&, const std::vector<uint32_t>& indices) { taken = indices; });
    fw::test::Script script;
    script.expectDialog(IDD_ALERT_SELECT, [](fw::Dialog& d) {
        d.userSelect(IDC_SEL_CHOOSER, 1);
        d.userClick(IDC_SEL_ADD_ALL);
        d.userClick(fw::kIdOk);
    });
    int opened = 0;
    const std::function<CTDoc*()> open = [&] {
        ++opened;
        return &window;
    };
    EXPECT_EQ(KvRunSecuritiesSelectionCommand(open), fw::IDOK);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(taken, (std::vector<uint32_t> { kGamma, kAlfaTwo }));
    script.expectDialog(IDD_ALERT_SELECT, [](fw::Dialog& d) { d.userClick(fw::kIdCancel); });
    EXPECT_EQ(KvRunSecuritiesSelectionCommand(open), fw::IDCANCEL);
    EXPECT_EQ(opened, 1) << "Cancel opens no window";
    KvSetSecuritySelectionTaker(nullptr);
    EXPECT_TRUE(script.allAnswersUsed());
}

TEST_F(AlertDialogs, PicturesInBothLanguages)
{
    for (fw::Language language : { fw::Language::English, fw::Language::Hungarian }) {
        fw::setLanguage(language);
        Fill();
        fw::test::Script script;
        script.expectDialog(IDD_SEC_ALERT, [](fw::Dialog& d) {
            d.userClick(IDC_ALERT_CREATE);
            d.userSelect(IDC_ALERT_CRITERION, 8);
            d.userType(IDC_ALERT_PERCENT, "25");
            Shot(d, "security");
            d.userClick(fw::kIdOk);
        });
        KvRunSecAlertDialog(kBeta);
        // A firm and a user condition, each defined on a new record and pictured.
        const auto defineAndShoot
            = [&script](uint32_t dialog, int criterion, int op, const char* value, const char* name) {
                  script.expectDialog(dialog, [=](fw::Dialog& d) {
                      d.userClick(IDC_ALERT_CREATE);
                      d.userSelect(IDC_ALERT_CRITERION, criterion);
                      d.userSelect(IDC_ALERT_OPERATOR, op);
                      d.userType(IDC_ALERT_VALUE, value);
                      Shot(d, name);
                      d.userClick(fw::kIdOk);
                  });
              };
        defineAndShoot(IDD_FIRM_ALERT, 3, 2, "1500000", "firm");
        KvRunFirmAlertDialog(kFirm2);
        defineAndShoot(IDD_TRADER_ALERT, 10, 1, "20000", "user");
        KvRunTraderAlertDialog(kTrader1);
        OrdCountAlertTable().AddAlert("BRD1", "FIRM1", false, 50, 20, 5, 2);
        script.expectDialog(IDD_ORDCOUNT_ALERT, [](fw::Dialog& d) {
            Shot(d, "ordcount");
            d.userClick(fw::kIdCancel);
        });
        KvRunOrdCountAlertDialog(CountingRow("BRD1", "FIRM1"));
        script.expectDialog(IDD_ALERT_SELECT, [](fw::Dialog& d) {
            d.userSelect(IDC_SEL_CHOOSER, 0);
            d.userDoubleClick(IDC_SEL_AVAILABLE, 0);
            Shot(d, "select");
            d.userClick(fw::kIdCancel);
        });
        std::vector<uint32_t> indices { kGamma };
        KvRunAlertSelectDialog(indices);
        EXPECT_EQ(script.dialogsShown().size(), 5u);
        EXPECT_TRUE(script.allAnswersUsed());
    }
}

} // namespace
} // namespace alerttest
