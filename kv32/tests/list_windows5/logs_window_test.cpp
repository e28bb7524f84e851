// The Logs window offscreen in the application: the alert log's entries with
// the count in the title, a filter that matches nothing (no count), new
// entries following, and pictures in both languages (written to
// KV32_SHOT_DIR when it is set).
#include "kv32/filters/supervision_filters.h"
#include "kv32/lists/logs_list.h"
#include "kv32/windows/logs_view.h"
#include "list_fixture.h"

namespace {

using namespace kv32test;

class LogsWindow : public ListWindows {
protected:
    static void UserAlert(const char* user, const char* text, double value)
    {
        CLogEntry e;
        e.InitKind1000(2, user, text, CDouble(value, 0));
        e.time = CDateTime(2026, 12, 10, 10, 5, 0);
        AlertLogTable().AddEntry(e, 0);
    }
    static void FirmAlert(const char* firm, const char* text, double value)
    {
        CLogEntry e;
        e.InitKind2000(1, firm, text, CDouble(value, 0));
        e.time = CDateTime(2026, 12, 10, 10, 6, 0);
        AlertLogTable().AddEntry(e, 0);
    }
    static std::string Cell(CListView& view, int row, int col)
    {
        fw::CellStyle style;
        view.GetDocument()->GetStyleRowCol(row + 1, col, style);
        return style.value;
    }
};

TEST_F(LogsWindow, ListsTheEntriesAndDropsTheCountWhenNothingMatches)
{
    UserAlert("ALICE", "Traded value over the limit", 1500);
    FirmAlert("BRK1", "Orders over the limit", 42);
    auto* view = Open<CLogsView>(22);
    ASSERT_NE(view, nullptr);
    auto* doc = dynamic_cast<CLogsDoc*>(view->GetDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->title(), "Alert Logs - 2");
    EXPECT_EQ(Cell(*view, 0, 3), "ALICE");
    EXPECT_EQ(Cell(*view, 1, 4), "BRK1");
    EXPECT_EQ(Cell(*view, 1, 7), "Orders over the limit");
    EXPECT_EQ(Cell(*view, 0, 2), "10:05:00");

    // A new entry follows.
    UserAlert("BOB", "Traded volume over the limit", 7);
    AlertLogTable().UpdateViews();
    EXPECT_EQ(doc->title(), "Alert Logs - 3");

    // Only firm alerts, then nothing at all.
    auto& filter = dynamic_cast<CCriteriaOf<CLogsFilter, CLogEntry>&>(doc->Filter()).Get();
    filter.m_bNoFiltering = 0;
    filter.m_bAllBoards = filter.m_bAllSecurities = filter.m_bAllUsers = filter.m_bAllFirms = 1;
    filter.m_bShowMessages = filter.m_bShowNews = filter.m_bShowMarketMakerAlerts = 0;
    filter.m_bShowUserAlerts = filter.m_bShowSecurityAlerts = filter.m_bShowSupervisorOperations = 0;
    filter.m_bShowOrderCountingAlerts = 0;
    filter.m_bShowFirmAlerts = 1;
    doc->UpdateDocument(0, nullptr);
    ASSERT_EQ(doc->GetRowCount(), 1);
    EXPECT_STREQ(doc->GetRowRecord(0)->szFirm, "BRK1");
    filter.m_bShowFirmAlerts = 0;
    doc->UpdateDocument(0, nullptr);
    EXPECT_EQ(doc->GetRowCount(), 0);
    const std::string title = doc->title();
    EXPECT_EQ(title.find(" - "), std::string::npos) << title;
}

TEST_F(LogsWindow, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    UserAlert("ALICE", "Traded value over the limit", 1500);
    FirmAlert("BRK1", "Orders over the limit", 42);
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        auto* view = Open<CLogsView>(22);
        ASSERT_NE(view, nullptr);
        view->OnGridSizeToContent();
        view->parentFrame()->resize(1100, 200);
        const QImage image = view->parentFrame()->grab().toImage();
        EXPECT_FALSE(image.isNull());
        if (dirName != nullptr)
            image.save(QDir(dirName).filePath(QStringLiteral("list-logs-%1.png").arg(suffix)));
        EXPECT_EQ(view->GetDocument()->GetColumnTitle(7), language == fw::Language::English ? "Description" : "Le\xEDr\xE1s");
        app->CloseAllDocuments();
    }
}

} // namespace
