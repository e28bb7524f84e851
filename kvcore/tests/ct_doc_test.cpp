// Table documents and their layout in the session's entry for the table: what a new window starts
// with, what closing hands over, the workspace record, and the router-target document's reply
// slots.
#include <gtest/gtest.h>

#include "fw/core/archive.h"
#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "kvcore/app/session_core.h"
#include "kvcore/doc/doc_vorl.h"
#include "kvcore/grid/gx_grid_access.h"
#include "kvcore/router/info_req.h"
#include "kvcore/router/record_reader.h"

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kTable = 7;
constexpr std::uint32_t kOtherTable = 8;
constexpr std::uint16_t kFirstTitle = 31000;

constexpr fw::StringEntry kStrings[] = {
    { kTable, "Trades", "K\xc3\xb6t\xc3\xa9sek" },
    { kFirstTitle, "Security", "\xc3\x89rt\xc3\xa9kpap\xc3\xadr" },
};
const fw::ResourceSet kSet { "ct-doc-test", kStrings };
[[maybe_unused]] const bool kRegistered = (fw::addResources(kSet), true);

struct Record {
    std::uint32_t qty = 0;
    char name[12] = {};
};

// A table of four columns whose default colours are two and whose default columns are 2, 0.
class LayoutDoc : public CTDoc {
public:
    int GetMaxColumns() override { return 4; }
    int GetFirstColumnID() override { return kFirstTitle; }
    void AddDefaultColors() override { m_colorRefs = { 0x0000FF, 0x00FF00 }; }
    void AddDefaultSelColumns() override { m_selected = { 2, 0 }; }
    void SetDocDescription() override
    {
        m_type = { kvcore::kGXUnsigned, kvcore::kGXText, kvcore::kGXUnsigned, kvcore::kGXUnsigned };
        m_offset = { 0, 4, 0, 0 };
        m_justify = { 2, 0, 2, 2 };
        ++descriptions;
    }
    int descriptions = 0;
};

// The window of a document: answers the grid and frame questions from fields.
class FakeWindow : public fw::DocumentView, public kvcore::GXGridAccess, public CTDocWindow {
public:
    void onDocumentUpdate(fw::DocumentView*, intptr_t, fw::Hint*) override { ++updates; }
    bool isWindow() const override { return true; }
    fw::GridCell GridCurrentCell() const override { return {}; }
    std::vector<int> GridSelectedRows() const override { return {}; }
    int GetColWidth(unsigned pos) const override { return pos < widths.size() ? widths[pos] : 0; }
    bool IsGridVisible() const override { return true; }
    fw::WindowPlacement GetFramePlacement() const override { return placement; }
    void SetFramePlacement(const fw::WindowPlacement& p) override
    {
        placement = p;
        ++placed;
    }
    bool IsFrameAlwaysOnTop() const override { return onTop; }
    void SetFrameAlwaysOnTop() override { onTop = true; }
    bool FrameHasCaption() const override { return caption; }
    void RemoveFrameCaption() override { caption = false; }
    void ApplyLayout() override { ++layouts; }

    std::vector<int> widths;
    fw::WindowPlacement placement;
    bool onTop = false;
    bool caption = true;
    int placed = 0;
    int layouts = 0;
    int updates = 0;
};

// A template of one table id whose documents get a FakeWindow each (unless windowless).
template <typename Doc> class TableTemplate : public fw::DocTemplateBase, public KvTableTemplate {
public:
    explicit TableTemplate(std::uint32_t id)
        : fw::DocTemplateBase(id, [] { return std::make_unique<Doc>(); })
        , id_(id)
    {
    }
    ~TableTemplate() override
    {
        closeAllDocuments();
        for (auto& w : windows)
            w->setDocument(nullptr);
    }
    std::uint32_t GetDocTemplateID() const override { return id_; }
    Doc* Open() { return static_cast<Doc*>(openDocumentFile({})); }
    FakeWindow* WindowOf(const fw::Document* doc) const
    {
        for (const auto& w : windows)
            if (w->document() == doc)
                return w.get();
        return nullptr;
    }
    bool windowless = false;
    std::vector<std::unique_ptr<FakeWindow>> windows;

protected:
    bool createWindows(fw::Document& doc, bool) override
    {
        if (!windowless) {
            windows.push_back(std::make_unique<FakeWindow>());
            windows.back()->setDocument(&doc);
        }
        return true;
    }

private:
    std::uint32_t id_;
};

class CTDocTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.m_settings.layouts.assign(10, KvLayoutEntry {});
        ps = &session;
    }
    void TearDown() override { ps = nullptr; }
    KvLayoutEntry& Entry(std::uint32_t id = kTable) { return session.m_settings.layouts[id]; }

    CSessionCore session;
};

TEST_F(CTDocTest, ATableNeverOpenedGetsItsDefaultsAndBindsTheEntry)
{
    TableTemplate<LayoutDoc> tmpl(kTable);
    LayoutDoc* doc = tmpl.Open();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetDocID(), kTable);
    EXPECT_EQ(doc->m_available, (std::vector<std::uint16_t> { 31000, 31001, 31002, 31003 }));
    EXPECT_EQ(doc->m_selected, (std::vector<std::uint16_t> { 2, 0 }));
    EXPECT_EQ(doc->m_width, (std::vector<std::uint16_t>(4, 0)));
    EXPECT_EQ(doc->m_colorRefs, (std::vector<std::uint32_t> { 0x0000FF, 0x00FF00 }));
    EXPECT_EQ(doc->m_zoom, 100);
    EXPECT_EQ(doc->descriptions, 1);
    EXPECT_EQ(session.IsTable(kTable), 1);
    EXPECT_EQ(session.GetTableDoc(kTable), doc);
    EXPECT_EQ(session.IsTable(kOtherTable), 0);
    // The base document selects every column in order and has no colours of its own.
    TableTemplate<CTDoc> plain(kOtherTable);
    CTDoc* base = plain.Open();
    EXPECT_TRUE(base->m_selected.empty());
    EXPECT_TRUE(base->m_colorRefs.empty());
}

TEST_F(CTDocTest, ASecondWindowStartsWithTheFirstWindowsLiveLayout)
{
    TableTemplate<LayoutDoc> tmpl(kTable);
    LayoutDoc* first = tmpl.Open();
    const KvLayoutEntry stored = Entry();
    // The user changes the first window after it opened.
    first->m_selected = { 3, 1, 0 };
    tmpl.WindowOf(first)->widths = { 90, 45, 60 };
    first->m_sortKeys = { CTDoc::MakeSortKey(1, CTDoc::kDescending) };
    first->m_colorRefs = { 0x123456 };
    first->m_zoom = 121;
    first->m_fixedColumns = 1;
    first->m_defaultBack = 0x00C0C0C0;
    EXPECT_EQ(Entry(), stored) << "nothing is stored while the window only changes";

    LayoutDoc* second = tmpl.Open();
    EXPECT_EQ(second->m_selected, (std::vector<std::uint16_t> { 3, 1, 0 }));
    EXPECT_EQ(second->m_width, (std::vector<std::uint16_t> { 60, 45, 0, 90 }));
    EXPECT_EQ(second->m_sortKeys, first->m_sortKeys);
    EXPECT_EQ(second->m_colorRefs, (std::vector<std::uint32_t> { 0x123456 }));
    EXPECT_EQ(second->m_zoom, 121);
    EXPECT_EQ(second->m_fixedColumns, 1);
    EXPECT_EQ(second->m_defaultBack, 0x00C0C0C0u);
    EXPECT_EQ(session.GetTableDoc(kTable), second);
}

TEST_F(CTDocTest, ClosingHandsTheLayoutOverAndTheLastWindowClosesTheEntry)
{
    TableTemplate<LayoutDoc> tmpl(kTable);
    LayoutDoc* first = tmpl.Open();
    LayoutDoc* second = tmpl.Open();
    tmpl.WindowOf(second)->placement.normalPosition = { 10, 20, 410, 320 };
    second->m_zoom = 90;
    second->onCloseDocument();
    EXPECT_EQ(Entry().open, 1);
    EXPECT_EQ(session.GetTableDoc(kTable), first) << "the other window owns the layout";
    EXPECT_EQ(Entry().zoom, 90) << "the closing window stored its layout";
    EXPECT_EQ(Entry().placement.normalPosition, (fw::Rect { 10, 20, 410, 320 }));

    first->m_sortKeys = { CTDoc::MakeSortKey(2, CTDoc::kAscending) };
    first->onCloseDocument();
    EXPECT_EQ(Entry().open, 0);
    EXPECT_EQ(session.GetTableDoc(kTable), nullptr);
    EXPECT_EQ(Entry().sortKeys, first->m_sortKeys);

    // The next window of the table starts where the last one left.
    LayoutDoc* again = tmpl.Open();
    EXPECT_EQ(again->m_sortKeys, (std::vector<std::uint32_t> { CTDoc::MakeSortKey(2, CTDoc::kAscending) }));
}

TEST_F(CTDocTest, StoredPlacementsComeBackOnlyWhenPositionsAreRestoredAndNeverFromAWindowlessDocument)
{
    TableTemplate<LayoutDoc> tmpl(kTable);
    for (int restore : { 0, 1 }) {
        Entry().placement.normalPosition = { 5, 6, 305, 206 };
        session.m_settings.options.restorePositions = restore;
        LayoutDoc* doc = tmpl.Open();
        EXPECT_EQ(doc->m_wndPlacement.hasPosition(), restore == 1) << restore;
        doc->onCloseDocument();
    }
    // A document without a window keeps no position: the next window opens where the framework
    // puts it.
    tmpl.windowless = true;
    session.m_settings.options.restorePositions = 1;
    LayoutDoc* doc = tmpl.Open();
    doc->StoreDocumentInfo();
    EXPECT_FALSE(Entry().placement.hasPosition());
    EXPECT_EQ(Entry().placement.length, 44u);
    EXPECT_EQ(Entry().open, 0);
}

TEST_F(CTDocTest, TitlesFollowTheFilterUnlessACustomTitleIsSet)
{
    TableTemplate<LayoutDoc> tmpl(kTable);
    LayoutDoc* doc = tmpl.Open();
    EXPECT_EQ(doc->ApplyFilter(false), 1);
    EXPECT_EQ(doc->title(), "") << "ApplyFilter(false) changes nothing";
    doc->UpdateDocument(0, nullptr);
    EXPECT_EQ(doc->title(), "Trades");
    fw::setLanguage(fw::Language::Hungarian);
    doc->UpdateDocument(0, nullptr);
    EXPECT_EQ(doc->title(), "K\xf6t\xe9sek");
    fw::setLanguage(fw::Language::English);
    doc->m_sCustomTitle = "My trades";
    doc->UpdateDocument(0, nullptr);
    EXPECT_EQ(doc->title(), "My trades");
    EXPECT_EQ(doc->TestDump(), "   ID = 7 (Trades)\r\n");
}

TEST_F(CTDocTest, RowsAreTheRowObjectsAndOutsideThemThereIsNone)
{
    TableTemplate<LayoutDoc> tmpl(kTable);
    LayoutDoc* doc = tmpl.Open();
    EXPECT_EQ(doc->GetRowData(0), nullptr);
    for (std::uint32_t qty : { 30u, 10u, 20u }) {
        auto row = std::make_unique<CTRecordRow<Record>>();
        row->record.qty = qty;
        doc->m_aRows.push_back(std::move(row));
    }
    doc->UpdateDocument(0, nullptr);
    EXPECT_EQ(doc->GetRowCount(), 3);
    for (int bad : { -1, 3, 1000 })
        EXPECT_EQ(doc->GetRowData(bad), nullptr) << bad;
    doc->SetSortColumn(1, 1); // display column 1 shows column id 2 (qty)
    EXPECT_EQ(doc->MapRowView2Doc(1), 1);
    EXPECT_EQ(doc->MapRowView2Doc(3), 0);
}

TEST_F(CTDocTest, TheWorkspaceRecordMatchesGoldenBytesAndLoadsBack)
{
    TableTemplate<LayoutDoc> tmpl(kTable);
    LayoutDoc* doc = tmpl.Open();
    FakeWindow* window = tmpl.WindowOf(doc);
    doc->m_defaultBack = 0x00FFFFFF;
    doc->m_defaultText = 0;
    doc->m_selected = { 2 };
    doc->m_width = { 0, 0, 0 };
    window->widths = { 50 };
    doc->m_sortKeys = {};
    doc->m_colorRefs = {};
    window->placement.flags = 0;
    window->placement.showCmd = fw::ShowNormal;
    window->placement.normalPosition = { 1, 2, 301, 202 };
    window->onTop = true;
    window->caption = false;
    doc->m_sCustomTitle = "Mine";
    fw::Archive out;
    doc->Serialize(out);
    const std::vector<std::uint8_t> golden = {
        0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, // default back, default text
        0x64, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // zoom 100, fixed, column set, no Excel link
        0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x32, 0x00, // widths by column id
        0x00, 0x00, // no sort keys
        0x01, 0x00, 0x02, 0x00, // selected columns
        0x00, 0x00, // no colour references
        0x2C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, // length, flags, show state
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // minimised position
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // maximised position
        0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x2D, 0x01, 0x00, 0x00, 0xCA, 0x00, 0x00, 0x00, // normal
        0x01, 0x00, // always on top
        0x00, 0x00, // no caption
        0x04, 'M', 'i', 'n', 'e', // custom title
    };
    EXPECT_EQ(out.bytes(), golden);

    // Loading into a window of another session's layout: the document owns the table's entry,
    // its frame goes on top without caption, where it was, under its own title.
    LayoutDoc* other = tmpl.Open();
    FakeWindow* otherWindow = tmpl.WindowOf(other);
    ASSERT_EQ(session.GetTableDoc(kTable), other);
    fw::Archive in(golden);
    doc->Serialize(in);
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(session.GetTableDoc(kTable), doc);
    EXPECT_EQ(doc->m_width, (std::vector<std::uint16_t> { 0, 0, 50 }));
    EXPECT_EQ(doc->m_wndPlacement.normalPosition, (fw::Rect { 1, 2, 301, 202 }));
    EXPECT_EQ(window->placed, 1);
    EXPECT_EQ(window->layouts, 1);
    EXPECT_EQ(doc->title(), "Mine");
    EXPECT_EQ(otherWindow->placed, 0);

    // A record cut inside the window's part leaves the window's settings alone.
    LayoutDoc* third = tmpl.Open();
    FakeWindow* thirdWindow = tmpl.WindowOf(third);
    std::vector<std::uint8_t> cut(golden.begin(), golden.end() - 3);
    fw::Archive shortIn(cut);
    EXPECT_THROW(third->Serialize(shortIn), fw::ArchiveError);
    EXPECT_FALSE(thirdWindow->onTop);
    EXPECT_TRUE(thirdWindow->caption);
    EXPECT_EQ(thirdWindow->placed, 0);
    EXPECT_TRUE(third->m_sCustomTitle.empty());
}

TEST_F(CTDocTest, ATableIdWithoutAnEntryOpensWithDefaultsAndStoresNothing)
{
    session.m_settings.layouts.clear();
    TableTemplate<LayoutDoc> tmpl(kTable);
    LayoutDoc* doc = tmpl.Open();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->m_selected, (std::vector<std::uint16_t> { 2, 0 }));
    EXPECT_EQ(session.IsTable(kTable), 0);
    doc->onCloseDocument();
    EXPECT_EQ(session.GetTableDoc(kTable), nullptr);
}

// A requesting document that asks for data on every second cycle.
class RequestingDoc : public CTDocVorl {
public:
    int UpdateReq() override { return (++cycles % 2) == 0; }
    int cycles = 0;
};

TEST_F(CTDocTest, ARouterTargetDocumentQueuesItsSlotsAndForgetsThemWhenItCloses)
{
    aInfoReq.RemoveAll();
    TableTemplate<RequestingDoc> tmpl(kTable);
    RequestingDoc* doc = tmpl.Open();
    EXPECT_EQ(doc->m_nReqState, 0);
    EXPECT_EQ(doc->m_bNew, 1);
    // The template's request cycle, as CTDocTemplate runs it.
    for (int cycle = 0; cycle < 2; ++cycle)
        if (doc->UpdateReq())
            doc->OnPostUpdateReq();
    ASSERT_EQ(aInfoReq.GetSize(), 1);
    EXPECT_EQ(aInfoReq.GetAt(0).nKind, INFOREQ_DOCUMENT);
    EXPECT_EQ(aInfoReq.GetAt(0).nID, static_cast<std::int32_t>(kTable));
    EXPECT_EQ(aInfoReq.GetAt(0).GetTarget(), static_cast<CVorlTarget*>(doc));
    doc->m_nReqCount = 2;
    doc->OnPostUpdateReq();
    aInfoReq.Add(INFOREQ_PERMANENT, 3, nullptr);
    const CInfoReq permanent = aInfoReq.GetAt(3);

    // Replies are taken and counted even though the base reads nothing; the views follow.
    FakeWindow* window = tmpl.WindowOf(doc);
    unsigned char text[] = "ROW";
    tagTMSG message;
    message.nLength = 3;
    message.pText = text;
    EXPECT_EQ(doc->StoreDataItem(&message), 1);
    const int updates = window->updates;
    doc->OnPostReceive();
    EXPECT_EQ(window->updates, updates + 1);

    doc->onCloseDocument();
    ASSERT_EQ(aInfoReq.GetSize(), 4);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(aInfoReq.GetAt(i).GetTarget(), nullptr) << i;
    EXPECT_EQ(aInfoReq.GetAt(3).nID, permanent.nID);
    aInfoReq.RemoveAll();
}

} // namespace
