// The spreadsheet link of a list window against a recording sheet: blocks, hinted rows, blanked
// rows of a shrunk table, sheet names and column letters, and the document's link command.
#include <gtest/gtest.h>

#include "fw/core/archive.h"
#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "kvcore/grid/xl_view.h"
#include "kvcore/res/grid_ids.h"
#include "support/sample_table_doc.h"

#include <memory>
#include <string>

using kvcore::CXLView;
using kvcore::XLRange;
using kvtest::SampleTableDoc;

namespace {

struct Recorded {
    bool openOk = true;
    std::string sheet;
    std::vector<XLRange> ranges;
    std::vector<std::vector<std::vector<std::string>>> blocks;
    int saved = 0;
};

class RecordingSheet : public kvcore::XLSheetPort {
public:
    explicit RecordingSheet(Recorded& r) : r_(r) { }
    bool OpenSheet(const std::string& name) override
    {
        r_.sheet = name;
        return r_.openOk;
    }
    void PutRange(const XLRange& range, const std::vector<std::vector<std::string>>& values) override
    {
        r_.ranges.push_back(range);
        r_.blocks.push_back(values);
    }
    void MarkSaved() override { ++r_.saved; }

private:
    Recorded& r_;
};

// A document of n rows ("R<i>" names) showing the first five columns.
void Fill(SampleTableDoc& doc, int rows)
{
    doc.rows.clear();
    for (int i = 0; i < rows; ++i)
        doc.Add(("R" + std::to_string(i)).c_str(), static_cast<std::uint32_t>(i), 0, 1.0);
    doc.m_selected = { 2, 0, 1, 3, 4 };
    doc.setTitle("Orders: all - 2");
    doc.UpdateDocument(0, nullptr);
}

std::vector<std::string> Names(const Recorded& r)
{
    std::vector<std::string> names;
    for (const XLRange& range : r.ranges)
        names.push_back(range.from + ":" + range.to);
    return names;
}

// A table of n rows linked to a recording sheet.
struct LinkedTable {
    SampleTableDoc doc;
    Recorded rec;
    CXLView link { std::make_unique<RecordingSheet>(rec) };

    explicit LinkedTable(int rows)
    {
        Fill(doc, rows);
        link.setDocument(&doc);
        link.onInitialUpdate();
    }
    ~LinkedTable() { link.setDocument(nullptr); }
};

TEST(XLView, WritesTheTableInBlocksOfElevenRowsThenOnlyHintedRows)
{
    LinkedTable table(25);
    auto& [doc, rec, link] = table;
    ASSERT_TRUE(link.IsLinked());
    EXPECT_EQ(rec.sheet, "Orders  all");
    EXPECT_EQ(Names(rec), (std::vector<std::string> { "A1:E11", "A12:E22", "A23:E26" }));
    ASSERT_EQ(rec.blocks.size(), 3u);
    EXPECT_EQ(rec.blocks[0][0][0], "Security");
    EXPECT_EQ(rec.blocks[0][1][0], "R0");
    EXPECT_EQ(rec.blocks[2][3][0], "R24");
    EXPECT_EQ(rec.blocks[2].size(), 4u);
    EXPECT_EQ(rec.saved, 1);

    rec.ranges.clear();
    rec.blocks.clear();
    kvcore::CTHint changed;
    changed.AddRow(6);
    doc.UpdateDocument(0, &changed);
    EXPECT_EQ(Names(rec), (std::vector<std::string> { "A8:E8" }));
    EXPECT_EQ(rec.blocks[0][0][0], "R6");

    // An update another view sends is not the document's and writes nothing.
    rec.ranges.clear();
    link.onDocumentUpdate(&link, 0, nullptr);
    EXPECT_TRUE(rec.ranges.empty());
}

TEST(XLView, AShrunkTableBlanksTheRowsAndColumnsItLeft)
{
    LinkedTable table(30);
    auto& [doc, rec, link] = table;
    rec.ranges.clear();
    rec.blocks.clear();
    doc.rows.resize(20);
    doc.m_selected.pop_back();
    doc.UpdateDocument(0, nullptr);
    EXPECT_EQ(Names(rec), (std::vector<std::string> { "A1:E11", "A12:E22", "A23:E31" }));
    EXPECT_EQ(rec.blocks[1][9][0], "R19"); // sheet row 21
    EXPECT_EQ(rec.blocks[1][10], std::vector<std::string>(5)); // sheet row 22
    EXPECT_EQ(rec.blocks[2].back(), std::vector<std::string>(5)); // sheet row 31
    EXPECT_EQ(rec.blocks[0][0][4], "") << "a column no longer shown";
    // The next update writes only what is left.
    rec.ranges.clear();
    doc.UpdateDocument(0, nullptr);
    EXPECT_EQ(Names(rec), (std::vector<std::string> { "A1:D11", "A12:D21" }));
}

TEST(XLView, ARowRemovedInTheMiddleRewritesTheRowsThatMovedAndBlanksTheLast)
{
    LinkedTable table(30);
    auto& [doc, rec, link] = table;
    rec.ranges.clear();
    rec.blocks.clear();
    doc.rows.erase(doc.rows.begin() + 5);
    kvcore::CTHint moved;
    moved.SetCoversMoves(true);
    moved.SetSize(29);
    moved.AddRange(5, 28);
    doc.UpdateDocument(0, &moved);
    EXPECT_EQ(Names(rec), (std::vector<std::string> { "A7:E17", "A18:E28", "A29:E31" }));
    ASSERT_EQ(rec.blocks.size(), 3u);
    EXPECT_EQ(rec.blocks[0][0][0], "R6");
    EXPECT_EQ(rec.blocks[2][1][0], "R29"); // sheet row 30
    EXPECT_EQ(rec.blocks[2].back(), std::vector<std::string>(5)); // sheet row 31
}

TEST(XLView, SheetNamesAndColumnLetters)
{
    struct Name {
        const char* title;
        const char* sheet;
    };
    for (const Name& n : { Name { "Orders: all - 2", "Orders  all" }, Name { "Trades a/b?c*d\\e", "Trades a b c d e" },
             Name { "Orders - x2", "Orders - x2" }, Name { "Best - 12 - 3", "Best - 12" }, Name { "- 5", "- 5" },
             Name { "A very long window title that goes on", "A very long window title that g" } })
        EXPECT_EQ(kvcore::XLSheetName(n.title), n.sheet) << n.title;
    struct Column {
        int col;
        const char* name;
    };
    for (const Column& c : { Column { 1, "A" }, Column { 26, "Z" }, Column { 27, "AA" }, Column { 52, "AZ" },
             Column { 53, "BA" }, Column { 702, "ZZ" }, Column { 703, "AAA" } })
        EXPECT_EQ(kvcore::XLColumnName(c.col), c.name) << c.col;
}

TEST(XLView, TheDocumentsCommandLinksUnlinksAndReportsASheetItCannotReach)
{
    Recorded rec;
    CXLView::SetPortFactory([&rec] { return std::make_unique<RecordingSheet>(rec); });
    std::string shown;
    fw::setMessageBoxHook([&](const std::string& text, std::uint32_t) {
        shown = text;
        return fw::IDOK;
    });
    SampleTableDoc doc;
    Fill(doc, 3);
    auto menuText = [&doc] {
        fw::CmdUI ui(ID_GRID_EXCEL, fw::CmdUI::Source::Menu);
        doc.routeUpdate(ui);
        return ui.text().value_or("");
    };
    EXPECT_EQ(menuText(), "Link E&xcel");
    doc.routeCommand(ID_GRID_EXCEL);
    EXPECT_TRUE(doc.IsExcelLinked());
    EXPECT_EQ(menuText(), "Unlink E&xcel");
    EXPECT_EQ(rec.ranges.size(), 1u);
    fw::Archive out;
    doc.Serialize(out);
    EXPECT_EQ(out.bytes()[14], 1) << "the layout record says the window is linked";
    doc.routeCommand(ID_GRID_EXCEL);
    EXPECT_FALSE(doc.IsExcelLinked());
    EXPECT_TRUE(shown.empty());

    rec.openOk = false;
    doc.routeCommand(ID_GRID_EXCEL);
    EXPECT_FALSE(doc.IsExcelLinked());
    EXPECT_EQ(shown, "Cannot Start EXCEL");
    fw::setMessageBoxHook(nullptr);
    CXLView::SetPortFactory(nullptr);
}

} // namespace
