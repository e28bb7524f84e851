// The trading event entry dialog offscreen over the scripted router: the
// transitions the host lists, instrument and security exclusive, the question
// for a time already past, the record of an added event, and the modify
// variant that only shows an event.
#include <gtest/gtest.h>

#include <QDateTime>

#include "fw/ui/datetimefield.h"
#include "kv32/dialogs/supervision/schedule_entry_dlg.h"
#include "kv32/res/supervision_a_ids.h"
#include "supervision_dialogs_a/supervision_fixture.h"

namespace {

using namespace supervisiontest;

std::string Transitions(const std::vector<std::string>& names)
{
    char count[4];
    std::snprintf(count, sizeof count, "%03zu", names.size());
    std::string reply = "0000000001" + std::string(count);
    for (const std::string& n : names)
        reply += n + std::string(12 - n.size(), ' ');
    return reply;
}

void SetTime(fw::Dialog& d, int hour, int minute)
{
    d.itemAs<fw::DateTimeField>(IDC_SE_TIME)->setValue(QDateTime(QDate(2000, 1, 1), QTime(hour, minute, 0)));
}

class ScheduleEntryDialog : public SupervisionFixture {
protected:
    void ListTransitions() { router.Reply({ { 91, Transitions({ "OPEN", "CLOSE", "HALT" }) }, End() }); }
};

TEST_F(ScheduleEntryDialog, AnAddedEventCarriesTheChosenTransitionAndSubject)
{
    ListTransitions();
    router.Reply({ { 193, Accepted() } });
    script.answerMessageBox(fw::IDOK);
    CScheduleEntryDlg dlg;
    const int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Add Trading Time");
        EXPECT_EQ(d.itemCount(IDC_SE_TRANSITION), 3);
        EXPECT_EQ(d.itemText(IDC_SE_TRANSITION), "OPEN");
        EXPECT_EQ(d.curSel(IDC_SUP_BOARD), -1);
        EXPECT_EQ(d.curSel(IDC_SE_INSTRUMENT), -1);
        d.userSelect(IDC_SUP_BOARD, 0);
        EXPECT_EQ(d.itemCount(IDC_SUP_SECURITY), 3);
        d.userSelect(IDC_SUP_SECURITY, 0);
        d.userSelect(IDC_SE_INSTRUMENT, 0);
        EXPECT_EQ(d.curSel(IDC_SUP_SECURITY), -1) << "an instrument clears the security";
        d.userSelect(IDC_SUP_SECURITY, 0);
        EXPECT_EQ(d.curSel(IDC_SE_INSTRUMENT), -1) << "a security clears the instrument";
        d.userSelect(IDC_SE_TRANSITION, 2);
        d.userType(IDC_SE_PRIORITY, "5");
        SetTime(d, 14, 30);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(Sent(91), std::vector<std::string> { kUser + "0000000000" });
    EXPECT_EQ(Sent(142),
        std::vector<std::string> { kUser + '*' + "143000" + "05" + "HALT        " + "MAIN" + "    " + "ALFA00000001" });
}

TEST_F(ScheduleEntryDialog, ATimeAlreadyPastAsksAndNoKeepsTheDialog)
{
    ListTransitions();
    router.Reply({ { 193, Accepted() } });
    script.answerMessageBox(fw::IDNO);
    script.answerMessageBox(fw::IDYES);
    script.answerMessageBox(fw::IDOK);
    CScheduleEntryDlg dlg;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        SetTime(d, 9, 0);
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        d.userClick(fw::kIdOk);
    });
    ASSERT_EQ(script.messageBoxes().size(), 3u);
    EXPECT_EQ(script.messageBoxes()[0],
        "The given Trade Event time is earlier than the System time! Do you want to continue?");
    // Nothing chosen but the transition: blanks for board, instrument and security.
    EXPECT_EQ(Sent(142), std::vector<std::string> { kUser + '*' + "090000" + "00" + "OPEN        " + std::string(20, ' ') });
}

TEST_F(ScheduleEntryDialog, WithoutTransitionsNothingCanBeAdded)
{
    router.Reply({ { 91, Transitions({}) }, End() });
    CScheduleEntryDlg dlg;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemCount(IDC_SE_TRANSITION), 0);
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.onCancel();
    });
    EXPECT_TRUE(Sent(142).empty());
}

TEST_F(ScheduleEntryDialog, TheModifyVariantShowsTheEventOfTheTradingEventsWindow)
{
    ScheduleRec rec;
    std::strcpy(rec.szCode, "EV1");
    rec.time = CDateTime(2026, 12, 10, 16, 45, 30);
    rec.nPriority = 7;
    std::strcpy(rec.szTransition, "CLOSE");
    std::strcpy(rec.szBoard, "MAIN");
    std::strcpy(rec.szSecurity, "BETA00000001");
    ScheduleTable().AddRec(rec);
    ListTransitions();
    script.expectDialog(IDD_SCHEDULE_ENTRY, [](fw::Dialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Modify Trading Time");
        EXPECT_EQ(d.itemText(IDC_SE_TRANSITION), "CLOSE");
        EXPECT_EQ(d.itemText(IDC_SUP_BOARD), "Main Board");
        EXPECT_EQ(d.itemText(IDC_SUP_SECURITY), "BETA");
        EXPECT_EQ(d.itemText(IDC_SE_PRIORITY), "7");
        EXPECT_EQ(d.itemAs<fw::DateTimeField>(IDC_SE_TIME)->value()->time(), QTime(16, 45, 30));
        for (uint32_t id : { IDC_SE_TIME, IDC_SE_PRIORITY, IDC_SE_TRANSITION, IDC_SUP_BOARD, IDC_SUP_SECURITY })
            EXPECT_FALSE(d.isItemEnabled(id)) << id;
        EXPECT_TRUE(d.item(fw::kIdOk)->isHidden());
        EXPECT_EQ(d.itemText(fw::kIdCancel), "&Close");
        d.onCancel();
    });
    FakeActiveRow events(20, 0);
    EXPECT_EQ(KvRunScheduleEntryEditForActiveRow(), fw::IDCANCEL);
    FakeActiveRow orders(kListOrders, 0);
    EXPECT_EQ(KvRunScheduleEntryEditForActiveRow(), 0);
    EXPECT_TRUE(Sent(142).empty());
}

} // namespace
