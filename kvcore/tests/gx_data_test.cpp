// The grid's data adapter over the grid document, the table popup built from its definition and
// the grid windows' resources.
#include <gtest/gtest.h>

#include "fw/core/archive.h"
#include "fw/core/rescheck.h"
#include "fw/core/strings.h"
#include "kvcore/grid/gx_atoms.h"
#include "kvcore/grid/gx_data.h"
#include "kvcore/grid/gx_popup.h"
#include "kvcore/res/grid_ids.h"
#include "kvcore/res/grid_resources.h"
#include "kvcore/res/strings.h"
#include "support/sample_table_doc.h"

#include <array>

using kvtest::SampleTableDoc;

namespace {

TEST(GXData, ColumnMovesReorderTheSelectedColumnsOrAreRefused)
{
    struct Case {
        int from, to, dest;
        bool moved;
        std::vector<std::uint16_t> selected;
    };
    const Case cases[] = {
        { 2, 3, 1, true, { 1, 2, 0, 3, 4 } }, // a block to the front keeps its order
        { 1, 1, 5, true, { 1, 2, 3, 4, 0 } }, // the first to the end
        { 4, 5, 2, true, { 0, 3, 4, 1, 2 } },
        { 3, 3, 3, true, { 0, 1, 2, 3, 4 } }, // in place
        { 0, 1, 1, false, { 0, 1, 2, 3, 4 } },
        { 2, 1, 1, false, { 0, 1, 2, 3, 4 } },
        { 4, 6, 1, false, { 0, 1, 2, 3, 4 } }, // past the last column
        { 4, 5, 5, false, { 0, 1, 2, 3, 4 } }, // the block would not fit there
        { 1, 1, 0, false, { 0, 1, 2, 3, 4 } },
    };
    for (const Case& c : cases) {
        SampleTableDoc doc;
        doc.m_selected = { 0, 1, 2, 3, 4 };
        doc.m_displayWidths = { 10, 11, 12, 13, 14 };
        kvcore::CTGXData data(&doc);
        EXPECT_EQ(data.moveColumns(c.from, c.to, c.dest), c.moved) << c.from << ".." << c.to << " to " << c.dest;
        EXPECT_EQ(doc.m_selected, c.selected) << c.from << ".." << c.to << " to " << c.dest;
        // The live widths travel with their columns.
        for (std::size_t pos = 0; pos < doc.m_selected.size(); ++pos)
            EXPECT_EQ(doc.m_displayWidths[pos], 10 + doc.m_selected[pos]);
    }
}

TEST(GXData, AnswersFromTheDocumentAndKeepsLayoutChangesThere)
{
    SampleTableDoc doc;
    kvcore::CTGXData detached;
    fw::CellStyle style;
    EXPECT_EQ(detached.rowCount(), 0);
    EXPECT_FALSE(detached.cellStyle(0, 1, style));

    doc.FillSecurities();
    doc.UpdateDocument(0, nullptr);
    kvcore::CTGXData data(&doc);
    EXPECT_EQ(data.rowCount(), 9);
    EXPECT_EQ(data.columnCount(), SampleTableDoc::kColumns);
    ASSERT_TRUE(data.cellStyle(1, 3, style));
    EXPECT_EQ(style.value, "ALFAK\xD5");
    fw::CellStyle header;
    ASSERT_TRUE(data.cellStyle(9, 0, header));
    EXPECT_EQ(header.value, "9");
    // Rows change under the adapter: it keeps no copy.
    doc.rows[0].name[0] = 'a';
    ASSERT_TRUE(data.cellStyle(1, 3, style));
    EXPECT_EQ(style.value, "aLFAK\xD5");

    data.frozenColumnsChanged(2);
    EXPECT_EQ(doc.GetFixedColumns(), 2);
    data.columnResized(3, 90);
    data.columnResized(99, 90); // no such column
    EXPECT_EQ(doc.m_displayWidths.size(), 3u);
    fw::Archive out;
    doc.Serialize(out);
    EXPECT_EQ(doc.m_width[SampleTableDoc::kName], 90);
}

TEST(GXPopup, BuiltFromTheDefinitionInItsOrder)
{
    fw::Menu table;
    table.add(fw::Menu::command(100, "&Buy"));
    table.add(fw::Menu::command(101, "&Sell"));
    table.add(fw::Menu::separator());
    table.add(fw::Menu::popup("&More", { fw::Menu::command(110, "&Details") }));
    table.add(fw::Menu::command(102, "&Cancel order"));
    auto allowed = [](std::uint32_t id) { return id != 101; };
    // Past the end, a forbidden command, a separator, a submenu, and a repeat.
    const fw::Menu popup = kvcore::KvBuildDefinedPopup(table, { 4, 9, 1, 2, 3, 0, 4 }, allowed);
    ASSERT_EQ(popup.itemCount(), 5u);
    EXPECT_EQ(popup.itemAt(0)->id(), 102u);
    EXPECT_TRUE(popup.itemAt(1)->isSeparator());
    ASSERT_TRUE(popup.itemAt(2)->isPopup());
    EXPECT_EQ(popup.itemAt(2)->itemAt(0)->id(), 110u);
    EXPECT_EQ(popup.itemAt(3)->text(), "&Buy");
    EXPECT_EQ(popup.itemAt(4)->id(), 102u);
    EXPECT_EQ(kvcore::KvBuildDefinedPopup(table, {}, allowed).itemCount(), 0u);
}

TEST(GXResources, GridTextsAndPopupsPassTheCheckWithTheLibrarysOwn)
{
    const std::array sets { KvCoreResources(), KvGridResources() };
    constexpr std::uint32_t kUsed[] = { IDS_FIT_CONTROL, IDS_FIX, IDS_UNFIX };
    fw::UsedIds used;
    used.strings = kUsed;
    const fw::ResourceReport report = fw::checkResources(sets, used);
    EXPECT_TRUE(report.ok()) << report.text();
    ASSERT_NE(fw::findMenu(IDM_GRID_POPUP), nullptr);
    ASSERT_NE(fw::findMenu(IDM_COLUMN_POPUP), nullptr);
    fw::setLanguage(fw::Language::Hungarian);
    EXPECT_EQ(fw::loadString(IDS_UNFIX), "R\xF6gz\xEDt\xE9s &felold\xE1sa");
    fw::setLanguage(fw::Language::English);
    EXPECT_EQ(fw::loadString(IDS_FIX), "&Fix");
}

} // namespace

namespace {

TEST(GXTitles, ComeFromTheStringTableOrFromAtoms)
{
    // The base document's titles: string ids, or atoms made at run time.
    struct Plain : kvcore::CTGXDoc {
    } doc;
    doc.m_available = { IDS_FIX, IDS_UNFIX, 1 };
    doc.m_selected = { 1, 0 };
    EXPECT_EQ(doc.GetColumnTitle(1), "&Unfix");
    EXPECT_EQ(doc.GetColumnTitle(2), "&Fix");
    EXPECT_EQ(doc.GetColumnTitleText(7), "");

    const std::string longTitle(200, 'x');
    const std::uint16_t bid = kvcore::KvAddAtom("Board A Bid");
    const std::uint16_t same = kvcore::KvAddAtom("BOARD A BID");
    const std::uint16_t wide = kvcore::KvAddAtom(longTitle);
    EXPECT_EQ(bid, same) << "letter case is ignored";
    EXPECT_GE(bid, 0xC000);
    EXPECT_EQ(kvcore::KvAddAtom(""), 0);
    EXPECT_EQ(kvcore::KvAddAtom(std::string(300, 'y')), 0);
    doc.m_atoms = 1;
    doc.m_available = { bid, wide };
    EXPECT_EQ(doc.GetColumnTitle(1), longTitle.substr(0, 128));
    EXPECT_EQ(doc.GetColumnTitle(2), "Board A Bid");
    // The atom stays while a reference is left.
    EXPECT_TRUE(kvcore::KvDeleteAtom(bid));
    EXPECT_EQ(kvcore::KvGetAtomName(bid), "Board A Bid");
    EXPECT_TRUE(kvcore::KvDeleteAtom(bid));
    EXPECT_EQ(kvcore::KvGetAtomName(bid), "");
    EXPECT_FALSE(kvcore::KvDeleteAtom(bid));
    EXPECT_TRUE(kvcore::KvDeleteAtom(wide));
}

} // namespace
