// The openers that the list windows call, over a fake active window: the
// issuers window's suspension, the deletion of an event that only confirms,
// and the trading events window's Add with a transition list longer than its
// message.
#include <gtest/gtest.h>

#include "kv32/dialogs/supervision/schedule_entry_dlg.h"
#include "kv32/dialogs/supervision/suspend_dlg.h"
#include "kv32/res/supervision_a_ids.h"
#include "supervision_dialogs_a/supervision_fixture.h"

namespace {

using namespace supervisiontest;

class SupervisionOpeners : public SupervisionFixture { };

TEST_F(SupervisionOpeners, TheIssuersWindowPresetsItsIssuer)
{
    struct Case {
        int kind;
        const char* ok;
        const char* message;
    };
    const Case cases[] = {
        { kSuspendIssuer, "Suspend", "" },
        { kUnsuspendIssuer, "Unsuspend", "Issuer Issuer Two has been unsuspended" },
    };
    FakeActiveRow firms(17, 1);
    for (const Case& c : cases) {
        script.expectDialog(IDD_SUSPEND, [&](fw::Dialog& d) {
            EXPECT_EQ(d.itemText(IDC_SUSP_SUBJECT), "Issuer Two");
            EXPECT_EQ(d.itemText(IDC_SUSP_SUBJECT_LABEL), "Issuer");
            EXPECT_EQ(d.itemText(fw::kIdOk), c.ok);
            EXPECT_EQ(d.itemText(IDC_SUSP_MESSAGE), c.message);
            d.onCancel();
        });
        EXPECT_EQ(KvRunSuspendForActiveRow(c.kind), fw::IDCANCEL) << c.kind;
    }
    EXPECT_EQ(KvRunSuspendForActiveRow(kSuspendSecurity), 0) << "the issuers window has no security";
    EXPECT_TRUE(script.allAnswersUsed());
}

TEST_F(SupervisionOpeners, DeletingAnEventOnlyConfirms)
{
    AddEvent('F', "ISS1", "Issuer One", "00000001", 8);
    supervisor.session.m_bConfirm = 1;
    script.answerMessageBox(fw::IDNO);
    script.answerMessageBox(fw::IDYES);
    script.expectDialog(IDD_SUSPEND, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(fw::kIdOk), "Delete");
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible()) << "not confirmed";
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(KvRunSuspendEvent(0, kSuspendModeDelete), fw::IDOK);
    EXPECT_TRUE(Sent(142).empty());
    EXPECT_EQ(script.messageBoxes().size(), 2u);
}

TEST_F(SupervisionOpeners, AddListsTheTransitionsTheMessageHolds)
{
    // The count says five; the message holds two names and a part of a third.
    router.Reply({ { 91, "0000000001005OPEN        CLOSE       HAL" }, End() });
    script.expectDialog(IDD_SCHEDULE_ENTRY, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemCount(IDC_SE_TRANSITION), 2);
        EXPECT_EQ(d.itemString(IDC_SE_TRANSITION, 1), "CLOSE");
        d.onCancel();
    });
    EXPECT_EQ(KvRunScheduleEntry(), fw::IDCANCEL);
    EXPECT_EQ(Sent(91).size(), 1u);
}

} // namespace
