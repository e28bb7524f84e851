// The Trading Events window in the application: the schedule's events, the
// enabling of Add, Modify and Remove, the removal record sent to the host and
// a priority that cannot be sent.
#include "../list_windows/list_fixture.h"

#include "kv32/dialogs/supervision/schedule_entry_dlg.h"
#include "kv32/lists/schedule_list.h"
#include "kv32/res/schedule_strings.h"
#include "kv32/windows/schedule_view.h"

namespace kv32test {
namespace {

class TradingEvents : public ListWindows {
protected:
    void SetUp() override
    {
        ListWindows::SetUp();
        for (int code : { 42, 43, 70 })
            Grant(142, code);
    }
    void Event(const char* code, const char* time, int priority, const char* transition, const char* board,
        const char* instrument, const char* security, char pending = 'N')
    {
        char prio[3];
        std::snprintf(prio, sizeof prio, "%02d", priority);
        ++seq;
        std::string r = std::to_string(seq);
        r = std::string(10 - r.size(), '0') + r + Padded(code, 12) + time + prio + Padded(transition, 12)
            + Padded(board, 4) + Padded(instrument, 4) + Padded(security, 12) + std::string(1, pending) + "0";
        Feed(ScheduleTable(), CFlagTable2::kRequest, r);
        ScheduleTable().OnPostReceive();
    }
    CTimesView* OpenView()
    {
        return Open<CTimesView>(20);
    }
};

TEST_F(TradingEvents, AnEmptyScheduleOffersOnlyAdd)
{
    CTimesView* view = OpenView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDocument()->GetRowCount(), 0);
    EXPECT_TRUE(Enabled(*view, ID_SCHEDULE_ADD));
    EXPECT_FALSE(Enabled(*view, ID_SCHEDULE_MODIFY));
    EXPECT_FALSE(Enabled(*view, ID_SCHEDULE_REMOVE));

    Event("EV1", "093000", 5, "OPEN", "BRD1", "EQ", "INSTR0000001");
    EXPECT_EQ(view->GetDocument()->GetRowCount(), 1) << "the schedule's broadcast shows the event";
    Select(*view, { 0 });
    EXPECT_TRUE(Enabled(*view, ID_SCHEDULE_MODIFY));
    EXPECT_TRUE(Enabled(*view, ID_SCHEDULE_REMOVE));
    EXPECT_TRUE(Opens<CScheduleEntryEditDlg>(*view, ID_SCHEDULE_MODIFY));
    EXPECT_TRUE(Opens<CScheduleEntryDlg>(*view, ID_SCHEDULE_ADD));
}

TEST_F(TradingEvents, RemoveSendsTheEventsCodesWithATwoDigitPriority)
{
    Event("EV1", "093000", 5, "OPEN", "BRD1", "EQ", "INSTR0000001");
    Event("EV2", "170000", 12, "CLOSE", "BRD1", "", "");
    CTimesView* view = OpenView();
    ASSERT_NE(view, nullptr);
    fw::CellStyle cell;
    ASSERT_TRUE(view->GetDocument()->GetStyleRowCol(1, 4, cell));
    EXPECT_EQ(cell.value, "Main board") << "the window shows the board's name";

    // The host accepts each removal.
    router->AnswerWith([](const std::vector<Msg>&) { return std::vector<Msg> { { 193, WithZero("ok") } }; });
    Select(*view, { 0 });
    view->routeCommand(ID_SCHEDULE_REMOVE);
    Select(*view, { 1 });
    view->routeCommand(ID_SCHEDULE_REMOVE);
    const std::vector<std::string> sent = Sent(142);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], "TRADER01    +09300005OPEN        BRD1EQ  INSTR0000001");
    EXPECT_EQ(sent[1], "TRADER01    +17000012CLOSE       BRD1                ");
    EXPECT_EQ(sent[0].size(), 53u);
}

TEST_F(TradingEvents, APriorityOutsideTwoDigitsIsRefusedAndNothingIsSent)
{
    Event("EV1", "093000", 5, "OPEN", "BRD1", "EQ", "INSTR0000001");
    CTimesView* view = OpenView();
    ASSERT_NE(view, nullptr);
    for (int priority : { 100, -1 }) {
        ScheduleTable().GetRec(0)->nPriority = priority;
        boxes.clear();
        Select(*view, { 0 });
        view->routeCommand(ID_SCHEDULE_REMOVE);
        ASSERT_EQ(boxes.size(), 1u) << priority;
        EXPECT_EQ(boxes[0], KvScheduleString(IDS_SCHEDULE_PRIORITY_RANGE));
    }
    EXPECT_TRUE(Sent(142).empty());
}

TEST_F(TradingEvents, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        ScheduleTable().Free();
        Event("EV1", "090000", 5, "OPEN", "BRD1", "", "");
        Event("EV2", "093000", 10, "AUCTION", "BRD1", "EQ", "INSTR0000001", 'Y');
        Event("EV3", "170000", 20, "CLOSE", "BRD1", "", "");
        CTimesView* view = OpenView();
        ASSERT_NE(view, nullptr);
        view->OnGridSizeToContent();
        view->parentFrame()->resize(900, 200);
        const QImage image = view->parentFrame()->grab().toImage();
        EXPECT_FALSE(image.isNull());
        if (dirName != nullptr)
            image.save(QDir(dirName).filePath(QStringLiteral("list-trading-events-%1.png").arg(suffix)));
        const bool english = language == fw::Language::English;
        EXPECT_EQ(view->GetDocument()->GetColumnTitle(2), english ? "Priority" : "Priorit\xE1s");
        EXPECT_EQ(view->GetDocument()->GetRowCount(), 3);
        app->CloseAllDocuments();
    }
}

} // namespace
} // namespace kv32test
