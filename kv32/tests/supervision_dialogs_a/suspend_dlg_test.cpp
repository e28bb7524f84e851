// The suspend and unsuspend dialog offscreen over the scripted router: what
// each kind sends, the states offered for a security, the read-only view of a
// trading event and a refusal that keeps the dialog open.
#include <gtest/gtest.h>

#include "kv32/dialogs/supervision/suspend_dlg.h"
#include "kv32/res/supervision_a_ids.h"
#include "supervision_dialogs_a/supervision_fixture.h"

namespace {

using namespace supervisiontest;

class SuspendDialog : public SupervisionFixture { };

std::string Message(const std::string& text)
{
    return text + std::string(640 - text.size(), ' ');
}

TEST_F(SuspendDialog, ASecurityOfTheSecuritiesWindowIsSuspendedAtATime)
{
    KvDisplayType() = 'P';
    FakeActiveRow securities(kListSecurities, kAlfa);
    router.Reply({ { 193, Accepted() } });
    script.answerMessageBox(fw::IDOK);
    script.expectDialog(IDD_SUSPEND, [](fw::Dialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Suspend trading for the security");
        EXPECT_EQ(d.itemText(IDC_SUSP_SUBJECT_LABEL), "Security");
        EXPECT_EQ(d.itemText(fw::kIdOk), "Suspend");
        EXPECT_EQ(d.itemText(IDC_SUSP_SUBJECT), "ALFA");
        EXPECT_TRUE(d.isButtonChecked(IDC_SUSP_URGENT)) << "the user's display type";
        EXPECT_EQ(d.itemCount(IDC_SUSP_NEW_STATE), 2);
        EXPECT_EQ(d.itemText(IDC_SUSP_NEW_STATE), "Suspended");
        EXPECT_EQ(d.itemCount(IDC_SUSP_REASON), 3);
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk)) << "no message yet";
        EXPECT_FALSE(d.isItemEnabled(IDC_SUSP_TIME));
        d.userSelect(IDC_SUSP_REASON, 2);
        EXPECT_EQ(d.itemText(IDC_SUSP_MESSAGE), "Security ALFA has been halted owing to reference price adjustment.");
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        d.userSelect(IDC_SUSP_NEW_STATE, 1);
        d.userClick(IDC_SUSP_AT_TIME);
        EXPECT_TRUE(d.isItemEnabled(IDC_SUSP_TIME));
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(KvRunSuspendForActiveRow(kSuspendSecurity), fw::IDOK);
    EXPECT_EQ(KvRunSuspendForActiveRow(kSuspendIssuer), 0) << "the securities window has no issuer";
    ASSERT_EQ(Sent(142).size(), 1u);
    EXPECT_EQ(Sent(142)[0],
        kUser + '\x09' + "ALFA00000001" + "101500"
            + Message("Security ALFA has been halted owing to reference price adjustment.") + "P" + "H");
}

TEST_F(SuspendDialog, ChoosingAnotherSecurityOffersItsOwnStates)
{
    CSuspendDlg dlg;
    dlg.m_nKind = kSuspendSecurity;
    dlg.m_sPresetSecurityName = "ALFA";
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        d.userSelect(IDC_SUSP_SUBJECT, d.findStringExact(IDC_SUSP_SUBJECT, -1, "BETA"));
        EXPECT_EQ(d.itemText(IDC_SUSP_MESSAGE), "") << "the message of the other security is gone";
        EXPECT_FALSE(d.isItemEnabled(IDC_SUSP_NEW_STATE)) << "a closed security may only become active";
        d.userType(IDC_SUSP_MESSAGE, "Closed for good");
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk)) << "no state to move to";
        d.userSelect(IDC_SUSP_SUBJECT, d.findStringExact(IDC_SUSP_SUBJECT, -1, "GOVT"));
        EXPECT_TRUE(d.isItemEnabled(IDC_SUSP_NEW_STATE));
        EXPECT_EQ(d.itemText(IDC_SUSP_NEW_STATE), "Suspended");
        d.userSelect(IDC_SUSP_REASON, 0);
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        d.onCancel();
    });
    EXPECT_TRUE(Sent(142).empty());
}

TEST_F(SuspendDialog, AllTradingSendsTheCommaCodeAtSevenAndARefusalKeepsTheDialogOpen)
{
    router.Reply({ { 192, Refused() } });
    router.Reply({ { 193, Accepted() } });
    script.answerMessageBox(fw::IDOK);
    script.answerMessageBox(fw::IDOK);
    CSuspendDlg dlg;
    dlg.m_nKind = kSuspendAll;
    const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_SUSP_SUBJECT), "All");
        EXPECT_FALSE(d.isItemEnabled(IDC_SUSP_SUBJECT));
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userSelect(IDC_SUSP_REASON, 0);
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible()) << "refused";
        EXPECT_EQ(d.itemText(IDC_SUSP_MESSAGE), "Trading suspended for technical reasons");
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    const std::string golden = kUser + ',' + "070000" + Message("Trading suspended for technical reasons") + ' ';
    EXPECT_EQ(Sent(142), (std::vector<std::string> { golden, golden }));
    EXPECT_EQ(Sent(142)[0].size(), 660u);
}

TEST_F(SuspendDialog, UnsuspendKindsStartWithTheirMessage)
{
    struct Case {
        int kind;
        const char* preset;
        const char* message; // nullptr: OK stays off
    };
    const Case cases[] = {
        { kUnsuspendAll, "", "All Trading has been unsuspended" },
        { kUnsuspendSecurity, "ALFA", "Security ALFA has been unsuspended" },
        { kUnsuspendIssuer, "Issuer Two", "Issuer Issuer Two has been unsuspended" },
        { kUnsuspendIssuer, "Nobody", nullptr },
    };
    for (const Case& c : cases) {
        router.ClearRecord();
        if (c.message != nullptr) {
            router.Reply({ { 193, Accepted() } });
            script.answerMessageBox(fw::IDOK);
        }
        CSuspendDlg dlg;
        dlg.m_nKind = c.kind;
        dlg.m_sPresetSecurityName = c.preset;
        dlg.m_sPresetIssuerName = c.preset;
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_EQ(d.itemText(fw::kIdOk), "Unsuspend");
            if (c.message == nullptr) {
                EXPECT_FALSE(d.isItemEnabled(fw::kIdOk)) << c.preset;
                EXPECT_FALSE(d.isItemEnabled(IDC_SUSP_REASON));
                d.userType(IDC_SUSP_MESSAGE, "typed");
                EXPECT_FALSE(d.isItemEnabled(fw::kIdOk)) << "no issuer to send";
                d.onCancel();
                return;
            }
            EXPECT_EQ(d.itemText(IDC_SUSP_MESSAGE), c.message);
            EXPECT_TRUE(d.isItemEnabled(fw::kIdOk)) << c.kind;
            d.userClick(fw::kIdOk);
        });
        EXPECT_EQ(Sent(142).size(), c.message == nullptr ? 0u : 1u) << c.kind;
    }
}

TEST_F(SuspendDialog, AnIssuerChosenInTheDialogIsSentByItsCode)
{
    router.Reply({ { 193, Accepted() } });
    script.answerMessageBox(fw::IDOK);
    CSuspendDlg dlg;
    dlg.m_nKind = kSuspendIssuer;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        EXPECT_TRUE(d.item(IDC_SUSP_NEW_STATE)->isHidden());
        d.userSelect(IDC_SUSP_SUBJECT, 0);
        EXPECT_EQ(d.itemCount(IDC_SUSP_REASON), 7);
        d.userSelect(IDC_SUSP_REASON, 4);
        d.userClick(IDC_SUSP_NON_DISPLAY);
        d.userClick(fw::kIdOk);
    });
    ASSERT_EQ(Sent(142).size(), 1u);
    EXPECT_EQ(Sent(142)[0],
        kUser + '\x0c' + "ISS1        " + "070000" + Message("Issuer Issuer One Trading suspended on company's request")
            + 'N');
}

TEST_F(SuspendDialog, ATradingEventIsShownReadOnlyAndNothingIsSent)
{
    AddMessage("00000007", "Security ALFA suspended by the exchange");
    AddEvent('A', "ALFA", "Long name of ALFA", "00000007", 9);
    AddEvent('E', "ISS1", "Issuer One", "00000099", 11);
    AddEvent('G', "ALFA", "", "", 12);
    struct Case {
        int row;
        const char* caption;
        const char* message;
        int hour;
    };
    const Case cases[] = {
        { 0, "Suspend trading for the security", "Security ALFA suspended by the exchange", 9 },
        { 1, "Suspend trading for the issuer", "No Message was found", 11 },
    };
    for (const Case& c : cases) {
        script.expectDialog(IDD_SUSPEND, [&](fw::Dialog& d) {
            EXPECT_EQ(d.windowTitle().toStdString(), c.caption);
            EXPECT_EQ(d.itemText(IDC_SUSP_MESSAGE), c.message);
            EXPECT_TRUE(d.item(IDC_SUSP_MESSAGE)->property("readOnly").toBool());
            EXPECT_FALSE(d.isItemEnabled(IDC_SUSP_SUBJECT));
            EXPECT_FALSE(d.isItemEnabled(IDC_SUSP_REASON));
            EXPECT_EQ(d.curSel(IDC_SUSP_NEW_STATE), -1);
            EXPECT_TRUE(d.item(IDC_SUSP_TIME)->isHidden());
            EXPECT_EQ(d.itemText(IDC_SUSP_EVENT_TIME), CDateTime(2026, 12, 10, c.hour, 30, 0).FormatTime());
            EXPECT_EQ(d.itemText(fw::kIdOk), "OK");
            EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
            d.userClick(fw::kIdOk);
        });
        FakeActiveRow events(28, c.row);
        EXPECT_EQ(KvRunSuspendForActiveRow(0), fw::IDOK);
    }
    EXPECT_EQ(KvRunSuspendEvent(2), 0) << "a price event is no suspension";
    EXPECT_TRUE(Sent(142).empty());
    EXPECT_TRUE(script.allAnswersUsed());
}

} // namespace
