// The grid document's side of its views: the hints it sends and what it reads from grid views.
#include <gtest/gtest.h>

#include "fw/core/document.h"
#include "kvcore/grid/ct_hint.h"
#include "kvcore/grid/gx_grid_access.h"
#include "support/sample_grid_doc.h"

using kvcore::CTHint;
using kvtest::SampleGridDoc;

namespace {

// A window-less view that records what it is sent and answers the grid questions from fields.
class RecordingGrid : public fw::DocumentView, public kvcore::GXGridAccess {
public:
    void onDocumentUpdate(fw::DocumentView*, intptr_t hint, fw::Hint* object) override
    {
        ++updates;
        lastHint = hint;
        const auto* rows = dynamic_cast<const CTHint*>(object);
        marked.clear();
        hadObject = object != nullptr;
        if (rows)
            for (int r = 0; r < rows->GetSize(); ++r)
                if (rows->GetRow(r))
                    marked.push_back(r);
    }
    fw::GridCell GridCurrentCell() const override { return current; }
    std::vector<int> GridSelectedRows() const override { return selected; }
    int GetColWidth(unsigned pos) const override { return pos < widths.size() ? widths[pos] : 0; }
    bool IsGridVisible() const override { return visible; }

    int updates = 0;
    intptr_t lastHint = -1;
    bool hadObject = false;
    std::vector<int> marked;
    fw::GridCell current;
    std::vector<int> selected;
    std::vector<int> widths;
    bool visible = true;
};

TEST(GXDocViews, AppendHintCarriesOldCountsBeyondSixteenBits)
{
    SampleGridDoc doc;
    RecordingGrid view;
    view.setDocument(&doc);
    for (std::uint32_t i = 0; i < 70000; ++i)
        doc.Add(i, 0, "", 0);
    doc.UpdateDocument(0, nullptr);
    EXPECT_EQ(view.lastHint, 0);
    EXPECT_FALSE(view.hadObject);

    doc.Add(1, 0, "", 0);
    doc.Add(2, 0, "", 0);
    CTHint changed;
    changed.AddRow(5);
    doc.UpdateDocument(0, &changed);
    EXPECT_EQ(view.lastHint & 0xFFFF, 1);
    EXPECT_EQ(kvcore::AppendedFrom(view.lastHint), 70000);
    EXPECT_EQ(view.marked, (std::vector<int> { 5, 70000, 70001 }));

    // Rows went away: everything is redrawn whatever the hint says.
    doc.rows.pop_back();
    doc.UpdateDocument(0, &changed);
    EXPECT_EQ(view.lastHint, 0);
    EXPECT_FALSE(view.hadObject);
    view.setDocument(nullptr);
}

TEST(GXDocViews, SortedDocumentMarksRowsByViewPosition)
{
    SampleGridDoc doc;
    RecordingGrid view;
    view.setDocument(&doc);
    doc.Add(30, 0, "", 0);
    doc.Add(10, 0, "", 0);
    doc.Add(20, 0, "", 0);
    doc.UpdateDocument(0, nullptr);
    doc.SetSortColumn(1, 1); // view order: doc rows 1, 2, 0
    const int before = view.updates;
    CTHint changed;
    changed.AddRow(0); // document row 0 shows in view row 2
    doc.UpdateDocument(0, &changed);
    EXPECT_EQ(view.updates, before + 1);
    EXPECT_EQ(view.lastHint, 0);
    EXPECT_EQ(view.marked, (std::vector<int> { 2 }));
    view.setDocument(nullptr);
}

TEST(GXDocViews, CurrentCellSelectionAndWidthsComeFromTheGridViews)
{
    SampleGridDoc doc;
    for (std::uint32_t i = 0; i < 4; ++i)
        doc.Add(4 - i, 0, "", 0);
    doc.UpdateDocument(0, nullptr);
    EXPECT_EQ(doc.GetCurrentIndex(), -1); // no view
    EXPECT_EQ(doc.GetColWidth(0), 0);

    RecordingGrid first, hidden, second;
    first.setDocument(&doc);
    hidden.setDocument(&doc);
    second.setDocument(&doc);
    doc.SetSortColumn(1, 1); // view rows 1..4 show document rows 3, 2, 1, 0
    doc.m_selected = { 2, 0 };
    first.current = { 2, 2 };
    first.widths = { 40, 70 };
    first.selected = { 4, 1, 9 }; // 9 maps to no row
    hidden.visible = false;
    hidden.selected = { 2 };
    second.selected = { 3 };
    EXPECT_EQ(doc.GetCurrentIndex(), 2);
    EXPECT_EQ(doc.GetCurrentColumn(), 0);
    EXPECT_EQ(doc.GetColWidth(1), 70);
    std::vector<unsigned> rows;
    EXPECT_EQ(doc.GetSelectedRows(rows), 3);
    EXPECT_EQ(rows, (std::vector<unsigned> { 0, 3, 1 }));
    std::vector<std::uint16_t> words { 7 };
    EXPECT_EQ(doc.GetSelectedRows(words), 3);

    first.current = { 0, 1 }; // the title row is no document row
    EXPECT_EQ(doc.GetCurrentIndex(), -1);
    EXPECT_EQ(doc.GetCurrentColumn(), -1);
    first.setDocument(nullptr);
    hidden.setDocument(nullptr);
    second.setDocument(nullptr);
}

} // namespace

namespace {

// Row colours from a table the document shares with others of its kind.
class SharedColours : public SampleGridDoc {
public:
    int GetColorOffset() const override { return static_cast<int>(offsetof(kvtest::SampleRow, color)); }
    std::vector<std::uint32_t>& GetColorRefArray() override
    {
        static std::vector<std::uint32_t> shared { 0x00FF00, 0x0000FF };
        return shared;
    }
};

TEST(GXDocViews, ANewDocumentTakesItsColourOffsetAndTable)
{
    SharedColours doc;
    doc.m_colorOffset = -1;
    doc.Add(1, 0, "", 0);
    doc.rows[0].color = 1;
    kvcore::COLORREF back = 0, text = 0;
    doc.GetColorCell(doc.GetRowData(0), 0, back, text);
    EXPECT_EQ(back, doc.m_defaultBack) << "no colour offset before the document is opened";
    ASSERT_TRUE(doc.onNewDocument());
    doc.GetColorCell(doc.GetRowData(0), 0, back, text);
    EXPECT_EQ(back, 0x0000FFu);
}

} // namespace
