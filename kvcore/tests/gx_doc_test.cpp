#include <gtest/gtest.h>

#include "fw/core/archive.h"
#include "fw/core/gridsource.h"
#include "support/sample_grid_doc.h"

using ::CDateTime;
using kvcore::CTGXDoc;
using kvtest::SampleGridDoc;

namespace {

// Display columns of the sample document (1-based).
constexpr int kCount = 1, kChange = 2, kName = 3, kDate = 5;

void FillTies(SampleGridDoc& doc)
{
    doc.Add(2, -5, "b", 1.5);
    doc.Add(1, 7, "a", 1.5);
    doc.Add(2, -5, "a", 2.0);
    doc.Add(1, 7, "b", 1.5);
    doc.Add(2, -5, "b", 1.5);
    doc.UpdateRows(nullptr);
}

TEST(GXDocSort, TwoKeysKeepDocumentOrderAmongTiesInEitherDirection)
{
    struct Case {
        int ascending;
        std::vector<std::uint32_t> order;
    };
    for (const Case& c : { Case { 1, { 1, 3, 2, 0, 4 } }, Case { 0, { 0, 4, 2, 3, 1 } } }) {
        SampleGridDoc doc;
        FillTies(doc);
        doc.SetSortColumn(kCount, c.ascending);
        doc.SetSortColumn(kName, c.ascending);
        EXPECT_EQ(doc.Order(), c.order) << "ascending " << c.ascending;
    }
}

TEST(GXDocSort, LargeValuesCompareThreeWayNotByDifference)
{
    SampleGridDoc doc;
    doc.Add(0xF0000000u, INT32_MAX, "x", 0);
    doc.Add(1, INT32_MIN, "x", 0);
    doc.Add(0, 0, "x", 0);
    doc.UpdateRows(nullptr);
    doc.SetSortColumn(kCount, 1);
    EXPECT_EQ(doc.Order(), (std::vector<std::uint32_t> { 2, 1, 0 }));
    doc.SetSortColumn(kCount, 0); // clears nothing: same column changes direction
    doc.RemoveSortColumn(kCount);
    doc.SetSortColumn(kChange, 1);
    EXPECT_EQ(doc.Order(), (std::vector<std::uint32_t> { 1, 2, 0 }));
}

TEST(GXDocSort, DirectionChangeKeepsPriorityAndHeaderClickClearsSorting)
{
    SampleGridDoc doc;
    FillTies(doc);
    doc.SetSortColumn(kCount, 1);
    doc.SetSortColumn(kName, 1);
    doc.SetSortColumn(kCount, 0);
    EXPECT_EQ(doc.m_sortKeys, (std::vector<std::uint32_t> { CTGXDoc::MakeSortKey(0, 0), CTGXDoc::MakeSortKey(2, 1) }));
    EXPECT_TRUE(doc.IsSorted(kCount, 0));
    EXPECT_FALSE(doc.IsSorted(kCount, 1));
    doc.SetSortColumn(0, 1);
    EXPECT_TRUE(doc.m_sortKeys.empty());
    EXPECT_EQ(doc.Order(), (std::vector<std::uint32_t> { 0, 1, 2, 3, 4 }));
}

TEST(GXDocSort, InvalidDatesComeFirstAscendingAndLastDescending)
{
    SampleGridDoc doc;
    doc.Add(0, 0, "", 0, CDateTime(2024, 5, 1, 10, 0, 0));
    doc.Add(0, 0, "", 0);
    doc.Add(0, 0, "", 0, CDateTime(2023, 1, 1, 9, 0, 0));
    doc.Add(0, 0, "", 0);
    doc.UpdateRows(nullptr);
    doc.SetSortColumn(kDate, 1);
    EXPECT_EQ(doc.Order(), (std::vector<std::uint32_t> { 1, 3, 2, 0 }));
    doc.SetSortColumn(kDate, 0);
    EXPECT_EQ(doc.Order(), (std::vector<std::uint32_t> { 0, 2, 1, 3 }));
}

TEST(GXDocUpdate, AppendedRowsAreMarkedAndChangedRowsFollowTheSort)
{
    SampleGridDoc doc;
    doc.Add(3, 0, "c", 0);
    doc.Add(1, 0, "a", 0);
    doc.UpdateRows(nullptr);
    doc.SetSortColumn(kCount, 1); // view: 1, 0
    doc.Add(2, 0, "b", 0);
    doc.Add(0x10000, 0, "z", 0);
    kvcore::CTHint changed;
    changed.AddRow(0);
    long appendedFrom = 0;
    const auto marks = doc.UpdateRows(&changed, &appendedFrom);
    EXPECT_EQ(appendedFrom, 2);
    EXPECT_EQ(doc.Order(), (std::vector<std::uint32_t> { 1, 2, 0, 3 }));
    // Row 1 stayed in place and unchanged; the others moved, changed or are new.
    ASSERT_EQ(marks.GetSize(), 4);
    EXPECT_EQ((std::vector<int> { marks.GetRow(0), marks.GetRow(1), marks.GetRow(2), marks.GetRow(3) }),
        (std::vector<int> { 0, 1, 1, 1 }));
    doc.rows.pop_back();
    EXPECT_EQ(doc.UpdateRows(&changed, &appendedFrom).GetSize(), 0); // removal redraws all
    EXPECT_EQ(appendedFrom, -1);
    EXPECT_EQ(doc.Order(), (std::vector<std::uint32_t> { 1, 2, 0 }));
}

TEST(GXDocColor, IndexesThroughTheTableAndKeepsContrast)
{
    SampleGridDoc doc;
    doc.Add(1, 0, "", 0);
    doc.m_colorRefs = { 0x0000FF, kvcore::kBlack };
    doc.m_defaultBack = 0x123456;
    doc.m_defaultText = 0x654321;
    struct Case {
        int method;
        std::int32_t index;
        kvcore::COLORREF back, text;
    };
    for (const Case& c : { Case { 0, 0, 0x0000FF, 0x654321 }, Case { 1, 0, 0x123456, 0x0000FF },
             Case { 0, -1, 0x123456, 0x654321 }, Case { 0, 7, 0x123456, 0x654321 }, Case { 2, 0, 0x123456, 0x654321 } }) {
        CTGXDoc::m_iColorMethod = c.method;
        doc.rows[0].color = c.index;
        kvcore::COLORREF back = 0, text = 0;
        doc.GetColorCell(doc.GetRowData(0), 0, back, text);
        EXPECT_EQ(back, c.back) << c.method << "/" << c.index;
        EXPECT_EQ(text, c.text) << c.method << "/" << c.index;
    }
    struct Contrast {
        int method;
        kvcore::COLORREF same, back, text;
    };
    for (const Contrast& c : { Contrast { 0, kvcore::kBlack, kvcore::kBlack, kvcore::kWhite },
             Contrast { 0, 0x00FF00, 0x00FF00, kvcore::kBlack }, Contrast { 1, kvcore::kBlack, kvcore::kWhite, kvcore::kBlack },
             Contrast { 1, 0x00FF00, kvcore::kBlack, 0x00FF00 } }) {
        CTGXDoc::m_iColorMethod = c.method;
        kvcore::COLORREF back = c.same, text = c.same;
        CTGXDoc::KeepContrast(back, text);
        EXPECT_EQ(back, c.back);
        EXPECT_EQ(text, c.text);
        EXPECT_NE(back, text);
    }
    CTGXDoc::m_iColorMethod = 0;
}

TEST(GXDocSerialize, FixedRecordMatchesGoldenBytesAndLoadsBack)
{
    SampleGridDoc doc;
    doc.m_defaultBack = 0x00FFFFFF;
    doc.m_defaultText = 0x00000080;
    doc.m_zoom = 120;
    doc.m_fixedColumns = 1;
    doc.m_columnSet = 2;
    doc.m_selected = { 2, 0 };
    doc.m_width.clear();
    doc.m_displayWidths = { 40, 64 };
    doc.m_sortKeys = { CTGXDoc::MakeSortKey(2, 1) };
    doc.m_colorRefs = { 0x0000FF };
    fw::Archive out;
    doc.Serialize(out);
    const std::vector<std::uint8_t> golden = {
        0xFF, 0xFF, 0xFF, 0x00, 0x80, 0x00, 0x00, 0x00, // default back, default text
        0x78, 0x00, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00, // zoom, fixed, column set, no Excel link
        0x03, 0x00, 0x40, 0x00, 0x00, 0x00, 0x28, 0x00, // widths by column id
        0x01, 0x00, 0x02, 0x00, 0x01, 0x00, // sort keys
        0x02, 0x00, 0x02, 0x00, 0x00, 0x00, // selected columns
        0x01, 0x00, 0xFF, 0x00, 0x00, 0x00, // colour references
    };
    EXPECT_EQ(out.bytes(), golden);

    SampleGridDoc loaded;
    fw::Archive in(golden);
    loaded.Serialize(in);
    EXPECT_EQ(loaded.m_zoom, 120);
    EXPECT_EQ(loaded.m_fixedColumns, 1);
    EXPECT_EQ(loaded.m_columnSet, 2);
    EXPECT_EQ(loaded.m_selected, doc.m_selected);
    EXPECT_EQ(loaded.m_width, (std::vector<std::uint16_t> { 64, 0, 40 }));
    EXPECT_EQ(loaded.m_sortKeys, doc.m_sortKeys);
    EXPECT_EQ(loaded.m_colorRefs, doc.m_colorRefs);
    EXPECT_FALSE(loaded.IsExcelLinked());
}

TEST(GXDocSerialize, ShortRecordChangesNothing)
{
    SampleGridDoc doc;
    const auto selected = doc.m_selected;
    std::vector<std::uint8_t> bytes = { 0, 0, 0, 0, 0, 0, 0, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0x05, 0x00, 0x01 };
    fw::Archive in(bytes);
    EXPECT_THROW(doc.Serialize(in), fw::ArchiveError);
    EXPECT_EQ(doc.m_zoom, 100);
    EXPECT_EQ(doc.m_selected, selected);
}

TEST(GXDocMapping, RowsAndColumnsOutsideTheDocumentAnswerMinusOne)
{
    SampleGridDoc doc;
    FillTies(doc);
    doc.m_selected = { 3, 1 };
    EXPECT_EQ(doc.MapColView2Doc(1), 3);
    EXPECT_EQ(doc.MapColView2Doc(0), -1);
    EXPECT_EQ(doc.MapColView2Doc(3), 2);
    EXPECT_EQ(doc.GetColumnJustify(1), 2u);
    EXPECT_EQ(doc.MapRowView2Doc(0), -1);
    EXPECT_EQ(doc.MapRowView2Doc(5), 4);
    EXPECT_EQ(doc.MapRowView2Doc(6), -1);
}

} // namespace

namespace {

TEST(GXDocStyle, CellsShowTheirTypeAlignmentAndSortedTitlesInBold)
{
    SampleGridDoc doc;
    doc.Add(4000000000u, -12, "Alpha", 0);
    doc.m_type.push_back(5); // a type the grid cannot show
    doc.m_offset.push_back(0);
    doc.m_justify.push_back(0);
    doc.m_selected.push_back(6);
    doc.UpdateRows(nullptr);
    doc.SetSortColumn(kName, 1);
    struct Case {
        int col;
        std::string value;
        fw::Align align;
        bool fit;
    };
    for (const Case& c : { Case { kCount, "4000000000", fw::Align::Right, true },
             Case { kChange, "-12", fw::Align::Right, true }, Case { kName, "Alpha", fw::Align::Left, false },
             Case { kDate, "", fw::Align::Center, false }, Case { 7, "Not Supported Data Type", fw::Align::Left, false } }) {
        fw::CellStyle style;
        ASSERT_TRUE(doc.GetStyleRowCol(1, c.col, style)) << c.col;
        EXPECT_EQ(style.value, c.value) << c.col;
        EXPECT_EQ(style.align, c.align) << c.col;
        EXPECT_EQ(style.fit, c.fit) << c.col;
    }
    fw::CellStyle title;
    EXPECT_TRUE(doc.GetStyleRowCol(0, kName, title));
    EXPECT_TRUE(title.bold);
    fw::CellStyle plain;
    EXPECT_TRUE(doc.GetStyleRowCol(0, kCount, plain));
    EXPECT_FALSE(plain.bold);
    fw::CellStyle outside;
    EXPECT_FALSE(doc.GetStyleRowCol(2, kCount, outside));
    EXPECT_FALSE(doc.GetStyleRowCol(1, 8, outside));
}

} // namespace

namespace {

TEST(GXDocStyle, YieldShowsZeroOnlyWhenItsPriceHasAValue)
{
    SampleGridDoc doc;
    doc.titles.push_back("Yield");
    doc.m_type.push_back(kvcore::kGXDouble);
    doc.m_offset.push_back(static_cast<std::uint16_t>(offsetof(kvtest::SampleRow, yield)));
    doc.m_justify.push_back(2);
    doc.m_selected.push_back(6);
    doc.Add(0, 0, "", 101.5);
    doc.Add(0, 0, "", 0);
    doc.UpdateRows(nullptr);
    fw::CellStyle priced, unpriced;
    ASSERT_TRUE(doc.GetStyleRowCol(1, 7, priced));
    ASSERT_TRUE(doc.GetStyleRowCol(2, 7, unpriced));
    EXPECT_FALSE(priced.value.empty());
    EXPECT_TRUE(unpriced.value.empty());
    doc.titles[6] = "Spread"; // not a yield column: zero stays hidden
    fw::CellStyle other;
    ASSERT_TRUE(doc.GetStyleRowCol(1, 7, other));
    EXPECT_TRUE(other.value.empty());
    EXPECT_FALSE(doc.AddYieldEntry(std::string(32, 'x').c_str(), "Last") && doc.m_yields.back().valid);
    while (doc.AddYieldEntry("Y", "P")) { }
    EXPECT_EQ(doc.m_yields.size(), CTGXDoc::kMaxYieldEntries);
}

} // namespace
