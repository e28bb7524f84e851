// The Audit Events and Audit Types windows offscreen in the application: the
// events under the audit filter with the count in the title, new events
// appended from the table's hint (a rejected one changes nothing), the types
// in table order with the display-mode command, and pictures in both
// languages (written to KV32_SHOT_DIR when it is set).
#include <cstdio>

#include "kv32/dialogs/audit_dlgs.h"
#include "kv32/filters/supervision_filters.h"
#include "kv32/lists/audits_list.h"
#include "kv32/res/audit_window_strings.h"
#include "kv32/tables/table_updates.h"
#include "kv32/windows/audits_view.h"
#include "list_fixture.h"

namespace {

using namespace kv32test;

class AuditWindows : public ListWindows {
protected:
    void TearDown() override
    {
        AuditTable().Free();
        AuditEventTypeTable().Free();
        ListWindows::TearDown();
    }
    static void Event(const char* user, const char* text)
    {
        AuditEventRec e {};
        e.nIndex = AuditTable().GetCount();
        e.time = CDateTime(2026, 12, 10, 9, 15, 0);
        std::snprintf(e.szGroupCode, sizeof e.szGroupCode, "TRD");
        std::snprintf(e.szGroupName, sizeof e.szGroupName, "Trading");
        std::snprintf(e.szTypeCode, sizeof e.szTypeCode, "SUSP");
        std::snprintf(e.szTypeText, sizeof e.szTypeText, "User suspended");
        std::snprintf(e.szUser, sizeof e.szUser, "%s", user);
        std::snprintf(e.szFirm, sizeof e.szFirm, "BRK1");
        std::snprintf(e.szBoardName, sizeof e.szBoardName, "Main board");
        std::snprintf(e.szSecurity, sizeof e.szSecurity, "ALFA");
        std::snprintf(e.szText, sizeof e.szText, "%s", text);
        AuditTable().AddRec(e);
    }
    static void Type(const char* code, const char* text, char mode, const char* over)
    {
        AuditTypeRec t {};
        t.nIndex = AuditEventTypeTable().GetCount();
        std::snprintf(t.szGroupCode, sizeof t.szGroupCode, "TRD");
        std::snprintf(t.szGroupName, sizeof t.szGroupName, "Trading");
        std::snprintf(t.szTypeCode, sizeof t.szTypeCode, "%s", code);
        std::snprintf(t.szTypeText, sizeof t.szTypeText, "%s", text);
        t.cDisplayMode = mode;
        std::snprintf(t.szOverride, sizeof t.szOverride, "%s", over);
        AuditEventTypeTable().AddRec(t);
    }
    // The table announces the events from first on as new.
    static void Announce(int first)
    {
        fw::RowHint hint(AuditTable().GetCount());
        for (int i = first; i < AuditTable().GetCount(); ++i)
            hint.AddRow(i);
        KvUpdateAllDocuments(CAuditTable::kTableId, &hint);
    }
    static std::string Cell(CListView& view, int row, int col)
    {
        fw::CellStyle style;
        view.GetDocument()->GetStyleRowCol(row + 1, col, style);
        return style.value;
    }
};

TEST_F(AuditWindows, EventsAreAppendedAsTheyArriveUnderTheFilter)
{
    Event("ALICE", "first");
    Event("BOB", "second");
    auto* view = Open<CAuditsView>(33);
    ASSERT_NE(view, nullptr);
    auto* doc = dynamic_cast<CAuditsDoc*>(view->GetDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->title(), "Audit Events - 2");
    EXPECT_EQ(Cell(*view, 1, 11), "second");
    EXPECT_EQ(Cell(*view, 0, 1), "09:15:00");

    // Only ALICE's events.
    auto& filter = dynamic_cast<CCriteriaOf<CAuditsFilter, AuditEventRec>&>(doc->Filter()).Get();
    filter.m_bNoFiltering = 0;
    filter.m_bAllBoards = filter.m_bAllSecurities = filter.m_bAllFirms = 1;
    filter.m_bAllTypes = filter.m_bAllGroups = 1;
    filter.m_bAllUsers = 0;
    filter.m_aUsers = { "ALICE" };
    doc->UpdateDocument(0, nullptr);
    ASSERT_EQ(doc->GetRowCount(), 1);
    const std::string title = doc->title();
    EXPECT_EQ(title.substr(title.size() - 4), " - 1");

    // A rejected event changes neither the rows nor the title.
    Event("BOB", "third");
    Announce(2);
    EXPECT_EQ(doc->GetRowCount(), 1);
    EXPECT_EQ(doc->title(), title);
    // An accepted one is appended after the last row.
    Event("ALICE", "fourth");
    Announce(3);
    ASSERT_EQ(doc->GetRowCount(), 2);
    EXPECT_STREQ(doc->GetRowRecord(1)->szText, "fourth");
    EXPECT_EQ(doc->title().substr(doc->title().size() - 4), " - 2");
}

TEST_F(AuditWindows, TypesAreListedInTableOrderWithTheOverrideCommand)
{
    Type("SUSP", "User suspended", 'P', "");
    Type("LOGN", "Logon", 'N', "S");
    auto* view = Open<CAuditTypesView>(34);
    ASSERT_NE(view, nullptr);
    CTDoc* doc = view->GetDocument();
    EXPECT_EQ(doc->GetRowCount(), 2);
    EXPECT_EQ(Cell(*view, 0, 1), "User suspended");
    EXPECT_EQ(Cell(*view, 0, 3), "P");
    EXPECT_EQ(Cell(*view, 1, 4), "S");
    EXPECT_EQ(doc->GetColumnTitle(4), "Override Display Mode");
    EXPECT_TRUE(Enabled(*view, ID_AUDIT_OVERRIDE_MODE));
    Select(*view, { 1 });
    EXPECT_TRUE(Opens<CAuditModeDlg>(*view, ID_AUDIT_OVERRIDE_MODE));
}

TEST_F(AuditWindows, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    Event("ALICE", "Suspended by the supervisor");
    Event("BOB", "Logon from 127.0.0.1");
    Type("SUSP", "User suspended", 'P', "");
    Type("LOGN", "Logon", 'N', "S");
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        auto* events = Open<CAuditsView>(33);
        auto* types = Open<CAuditTypesView>(34);
        ASSERT_TRUE(events && types);
        for (auto [view, name] : { std::pair<CListView*, const char*> { events, "audits" }, { types, "audit-types" } }) {
            view->OnGridSizeToContent();
            view->parentFrame()->resize(1300, 200);
            const QImage image = view->parentFrame()->grab().toImage();
            EXPECT_FALSE(image.isNull());
            if (dirName != nullptr)
                image.save(QDir(dirName).filePath(QStringLiteral("list-%1-%2.png").arg(name, suffix)));
        }
        EXPECT_EQ(events->GetDocument()->GetColumnTitle(11), language == fw::Language::English ? "Text" : "Sz\xF6veg");
        app->CloseAllDocuments();
    }
}

} // namespace
