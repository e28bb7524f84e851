// The grid window over a grid document: hints, appends at the end, zoom, fixing columns, column
// moves, type-ahead, the sort commands and the '#' fit of numbers.
#include "fw/core/archive.h"
#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/childframe.h"
#include "fw/ui/gridmodel.h"
#include "fw/ui/text.h"
#include "kvcore/gridview/gx_view.h"
#include "kvcore/res/grid_ids.h"
#include "support/sample_table_doc.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>
#include <gtest/gtest.h>

#include <memory>
#include <string>

using kvcore::CTGXView;
using kvcore::CTHint;
using kvtest::SampleTableDoc;

namespace {

struct GXViewTest : ::testing::Test {
    fw::App app;
    SampleTableDoc doc;
    CTGXView view;

    void SetUp() override
    {
        doc.FillSecurities();
        doc.UpdateDocument(0, nullptr);
        view.setDocument(&doc);
        view.resize(700, 300);
        view.onInitialUpdate();
        view.show();
        fw::test::processEvents();
    }
    void TearDown() override { view.setDocument(nullptr); }

    // Many rows: "R<n>" names, trades n.
    void FillMany(int count)
    {
        doc.rows.clear();
        for (int i = 0; i < count; ++i)
            doc.Add(("R" + std::to_string(i)).c_str(), static_cast<std::uint32_t>(i), 0, 1.0);
        doc.UpdateDocument(0, nullptr);
        fw::test::processEvents();
    }
    std::string Cell(int row, int col) { return view.model().style(row, col).value; }
    fw::CmdUI Update(std::uint32_t id, fw::CmdUI::Source source = fw::CmdUI::Source::Menu)
    {
        fw::CmdUI ui(id, source);
        view.routeUpdate(ui);
        return ui;
    }
    void Press(Qt::Key key, const char* text)
    {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, QString::fromLatin1(text));
        QApplication::sendEvent(view.scrollTable(), &e);
    }
};

TEST_F(GXViewTest, AHintRepaintsOnlyTheMarkedVisibleRowsInViewOrder)
{
    FillMany(5000);
    view.setCurrentCell(1, SampleTableDoc::kTrades + 1);
    view.OnSortDescending(); // view row r shows document row 5000 - r
    ASSERT_EQ(Cell(1, SampleTableDoc::kName + 1), "R4999");
    const auto [first, last] = view.visibleRows();
    ASSERT_GT(last, first + 3);
    CTHint changed;
    // Document rows shown at the first and third visible rows, one far below the window, and one
    // past the document's end.
    for (int docRow : { 5000 - first, 5000 - (first + 2), 10, 7000 })
        changed.AddRow(docRow);
    const int before = view.rowRepaintsSent();
    doc.UpdateDocument(0, &changed);
    EXPECT_EQ(view.rowRepaintsSent() - before, 2);
    // A short hint: rows past its end read as unchanged.
    CTHint shortHint(1);
    doc.UpdateDocument(0, &shortHint);
    EXPECT_EQ(view.rowRepaintsSent() - before, 2);
}

TEST_F(GXViewTest, AppendingAtTheEndKeepsTheEndInViewBeyondSixteenBitCounts)
{
    FillMany(70000);
    view.scrollTable()->scrollToBottom();
    fw::test::processEvents();
    for (int i = 0; i < 3; ++i)
        doc.Add("NEW", 1, 0, 1.0);
    CTHint none;
    doc.UpdateDocument(0, &none);
    fw::test::processEvents();
    EXPECT_EQ(view.rowCount(), 70003);
    EXPECT_EQ(view.visibleRows().second, 70003);

    // Scrolled elsewhere, an append leaves the position alone.
    view.scrollTable()->scrollToTop();
    fw::test::processEvents();
    doc.Add("NEW", 1, 0, 1.0);
    doc.UpdateDocument(0, &none);
    fw::test::processEvents();
    EXPECT_EQ(view.rowCount(), 70004);
    EXPECT_EQ(view.visibleRows().first, 1);
}

TEST_F(GXViewTest, UpdatesBeforeTheInitialUpdateAreIgnored)
{
    SampleTableDoc other;
    other.FillSecurities();
    CTGXView fresh;
    fresh.setDocument(&other);
    other.UpdateDocument(0, nullptr);
    EXPECT_EQ(fresh.rowCount(), 0);
    fresh.onInitialUpdate();
    EXPECT_EQ(fresh.rowCount(), 9);
    fresh.setDocument(nullptr);
}

TEST_F(GXViewTest, ZoomStepsStopAtTheLimitsAndLiveInTheDocument)
{
    std::vector<int> in;
    for (int i = 0; i < 14; ++i) {
        view.routeCommand(ID_GRID_ZOOMIN);
        in.push_back(doc.m_zoom);
    }
    EXPECT_EQ(in, (std::vector<int> { 110, 121, 133, 146, 160, 176, 193, 212, 233, 256, 281, 309, 309, 309 }));
    EXPECT_EQ(view.zoom(), 309);
    EXPECT_FALSE(Update(ID_GRID_ZOOMIN).enabled());
    view.routeCommand(ID_GRID_ZOOM100);
    EXPECT_EQ(view.zoom(), 100);
    EXPECT_TRUE(Update(ID_GRID_ZOOM100).removed());
    EXPECT_FALSE(Update(ID_GRID_ZOOM100, fw::CmdUI::Source::ToolBar).removed());
    std::vector<int> out;
    for (int i = 0; i < 11; ++i) {
        view.routeCommand(ID_GRID_ZOOMOUT);
        out.push_back(doc.m_zoom);
    }
    EXPECT_EQ(out, (std::vector<int> { 90, 81, 73, 66, 60, 54, 49, 44, 40, 40, 40 }));
    EXPECT_FALSE(Update(ID_GRID_ZOOMOUT).enabled());
    EXPECT_TRUE(Update(ID_GRID_ZOOMIN).enabled());
    EXPECT_FALSE(Update(ID_GRID_ZOOM100).removed());
    doc.m_zoom = 290;
    view.OnGridZoomin();
    EXPECT_EQ(doc.m_zoom, 319);
}

TEST(GXViewZoom, AStoredZoomNoStepReachesShowsAtHundred)
{
    fw::App app;
    for (const auto& [stored, shown] : { std::pair { 0, 100 }, std::pair { 36, 100 }, std::pair { 40, 40 },
             std::pair { 309, 309 }, std::pair { 340, 100 }, std::pair { 65535, 100 } }) {
        SampleTableDoc doc;
        doc.m_zoom = stored;
        CTGXView view;
        view.setDocument(&doc);
        view.onInitialUpdate();
        EXPECT_EQ(view.zoom(), shown) << stored;
        EXPECT_EQ(doc.m_zoom, shown) << stored;
        view.setDocument(nullptr);
    }
}

TEST_F(GXViewTest, FixFreezesUpToTheCurrentColumnAndUnfixReleases)
{
    EXPECT_FALSE(Update(ID_COL_FIX).text().has_value()) << "no current cell, no text change";
    view.setCurrentCell(2, 3);
    EXPECT_EQ(Update(ID_COL_FIX).text(), "&Fix");
    view.routeCommand(ID_COL_FIX);
    EXPECT_EQ(view.frozenCols(), 3);
    EXPECT_EQ(doc.GetFixedColumns(), 3);
    EXPECT_EQ(Update(ID_COL_FIX).text(), "&Unfix");
    fw::setLanguage(fw::Language::Hungarian);
    EXPECT_EQ(Update(ID_COL_FIX).text(), fw::resourceText("", "Rögzítés &feloldása"));
    fw::setLanguage(fw::Language::English);
    view.setCurrentCell(2, 2);
    view.routeCommand(ID_COL_FIX);
    EXPECT_EQ(view.frozenCols(), 0);
    EXPECT_EQ(doc.GetFixedColumns(), 0);
    // A fixed count stored with the document comes back with the next window.
    doc.m_fixedColumns = 2;
    view.RestructControl();
    EXPECT_EQ(view.frozenCols(), 2);
}

TEST_F(GXViewTest, AColumnWithoutAStoredWidthShowsItsWholeTitle)
{
    const int name = SampleTableDoc::kName + 1;
    QFont big = view.baseFont();
    big.setPixelSize(40);
    view.setBaseFont(big);
    view.RestructControl();
    QFont bold = big;
    bold.setBold(true);
    EXPECT_GT(view.colWidth(name), QFontMetrics(bold).horizontalAdvance(QStringLiteral("Security")));
    // A width the user left stays as it was.
    doc.m_width.assign(SampleTableDoc::kColumns, 0);
    doc.m_width[SampleTableDoc::kName] = 55;
    view.RestructControl();
    EXPECT_EQ(view.colWidth(name), 55);
}

TEST_F(GXViewTest, DraggedColumnsReorderTheDocumentsColumnsAndTheirTitles)
{
    view.setColWidth(SampleTableDoc::kName + 1, 77);
    view.scrollTable()->horizontalHeader()->moveSection(SampleTableDoc::kName, 0);
    fw::test::processEvents();
    EXPECT_EQ(doc.m_selected, (std::vector<std::uint16_t> { 2, 0, 1, 3, 4, 5, 6, 7 }));
    EXPECT_EQ(Cell(0, 1), "Security");
    EXPECT_EQ(Cell(1, 1), "ALFAK\xD5");
    EXPECT_EQ(view.GetColWidth(0), 77);
    fw::Archive out;
    doc.Serialize(out);
    EXPECT_EQ(doc.m_width[SampleTableDoc::kName], 77);
}

TEST_F(GXViewTest, SortCommandsBoldTheirTitlesAndNoSortingRestoresTheOrder)
{
    const int change = SampleTableDoc::kChange + 1, name = SampleTableDoc::kName + 1;
    EXPECT_TRUE(Update(ID_GRID_NOSORT).removed());
    EXPECT_FALSE(Update(ID_SORT_ASCENDING).enabled()) << "no current cell";
    view.setCurrentCell(1, change);
    EXPECT_TRUE(Update(ID_COL_NOSORT).removed());
    view.routeCommand(ID_SORT_ASCENDING);
    EXPECT_FALSE(Update(ID_SORT_ASCENDING).enabled());
    EXPECT_TRUE(Update(ID_SORT_DESCENDING).enabled());
    EXPECT_FALSE(Update(ID_COL_NOSORT).removed());
    EXPECT_FALSE(Update(ID_GRID_NOSORT).removed());
    EXPECT_EQ(Cell(1, name), "G\xD6RBE"); // -250 first
    EXPECT_TRUE(view.model().headerData(change - 1, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(view.model().headerData(name - 1, Qt::Horizontal, Qt::FontRole).isValid());
    // Ties (change 0: CSILLAG, HALOM) keep document order, also descending.
    view.routeCommand(ID_SORT_DESCENDING);
    std::vector<std::string> names;
    for (int r = 1; r <= view.rowCount(); ++r)
        names.push_back(Cell(r, name));
    EXPECT_EQ(names, (std::vector<std::string> { "DELTA", "ALFAK\xD5", "F\xC9NYES", "\xD6RL\xD5", "CSILLAG", "HALOM",
                         "\xC9RCB\xC1NYA", "B\xC1RKA", "G\xD6RBE" }));
    view.routeCommand(ID_GRID_NOSORT);
    EXPECT_TRUE(doc.m_sortKeys.empty());
    EXPECT_EQ(Cell(1, name), "ALFAK\xD5");
    EXPECT_EQ(Cell(9, name), "\xD6RL\xD5");
    EXPECT_FALSE(view.model().headerData(change - 1, Qt::Horizontal, Qt::FontRole).isValid());
    // The column's own No Sorting removes only its key.
    view.routeCommand(ID_SORT_ASCENDING);
    view.setCurrentCell(1, name);
    view.routeCommand(ID_SORT_DESCENDING);
    view.routeCommand(ID_COL_NOSORT);
    EXPECT_EQ(doc.m_sortKeys, (std::vector<std::uint32_t> { kvcore::CTGXDoc::MakeSortKey(SampleTableDoc::kChange, 1) }));
}

TEST_F(GXViewTest, TypeAheadSearchesBelowThenWrapsToTheCurrentRow)
{
    const int name = SampleTableDoc::kName + 1;
    doc.rows[3].name[0] = 'a'; // "aELTA"
    doc.UpdateDocument(0, nullptr);
    view.setCurrentCell(9, name); // the last row
    Press(Qt::Key_A, "a");
    EXPECT_EQ(view.currentCell().row, 1) << "wraps to row 1";
    Press(Qt::Key_A, "a");
    EXPECT_EQ(view.currentCell().row, 4) << "lower and upper case alike";
    Press(Qt::Key_H, "h");
    EXPECT_EQ(view.currentCell().row, 8);
    Press(Qt::Key_H, "h");
    EXPECT_EQ(view.currentCell().row, 8) << "the current row itself is found last";
    Press(Qt::Key_Home, "");
    EXPECT_EQ(view.currentCell().row, 1);
    Press(Qt::Key_End, "");
    EXPECT_EQ(view.currentCell().row, 9);
}

TEST_F(GXViewTest, SetSelectionFindsTheDocumentRowThroughTheSort)
{
    view.setCurrentCell(1, SampleTableDoc::kTrades + 1);
    view.OnSortAscending(); // HALOM (0 trades, document row 7) first
    view.SetSelection(7);
    EXPECT_EQ(view.currentCell(), (fw::GridCell { 1, 1 }));
    EXPECT_EQ(doc.GetCurrentIndex(), 7);
    std::vector<unsigned> rows;
    EXPECT_EQ(doc.GetSelectedRows(rows), 1);
    EXPECT_EQ(rows, (std::vector<unsigned> { 7 }));
}

TEST_F(GXViewTest, NumbersThatDoNotFitShowHashMarksOfTheSameLength)
{
    const int trades = SampleTableDoc::kTrades + 1;
    const fw::CellStyle& big = view.model().style(3, trades); // 4000000000
    ASSERT_TRUE(big.fit);
    const QFontMetrics fm(view.scrollTable()->font());
    const int need = fm.horizontalAdvance(fw::toQt(big.value));
    EXPECT_EQ(fw::GridDelegate::shownText(big, fm, need), QStringLiteral("4000000000"));
    EXPECT_EQ(fw::GridDelegate::shownText(big, fm, need - 1), QString(10, QLatin1Char('#')));
    const fw::CellStyle text = view.model().style(3, SampleTableDoc::kName + 1);
    EXPECT_FALSE(text.fit) << "texts are cut, never replaced";
    doc.m_fitControl = false;
    EXPECT_FALSE(view.model().style(4, trades).fit);
}

TEST_F(GXViewTest, TitleEdgeDoubleClickFitsTheColumnAndFontsChangeOnlyWithAFamily)
{
    const int name = SampleTableDoc::kName + 1;
    view.setColWidth(name, 8);
    emit view.scrollTable()->horizontalHeader()->sectionHandleDoubleClicked(name - 1);
    EXPECT_GT(view.colWidth(name), 40) << "wide enough for \"\xC9RCB\xC1NYA\"";

    const int height = view.rowHeight();
    view.SetLogFont(QFont());
    EXPECT_EQ(view.rowHeight(), height);
    QFont big = view.GetLogFont();
    big.setPointSize(big.pointSize() * 2);
    view.SetLogFont(big);
    EXPECT_GT(view.rowHeight(), height);
    EXPECT_EQ(view.GetLogFont().pointSize(), big.pointSize());
}

// Which popup a right click asks for: the corner's, a title's or the table's own.
struct PopupView : CTGXView {
    std::vector<unsigned> asked;
    void DoPopUpMenu(QPoint, unsigned menuId) override { asked.push_back(menuId); }
};

TEST(GXViewPopup, RightClicksAskForTheGridColumnOrTablePopup)
{
    fw::App app;
    SampleTableDoc doc;
    doc.FillSecurities();
    doc.UpdateDocument(0, nullptr);
    PopupView view;
    view.setDocument(&doc);
    view.resize(700, 300);
    view.onInitialUpdate();
    view.show();
    fw::test::processEvents();
    for (QPoint at : { QPoint(2, 2), view.cellRect(0, 3).center(), view.cellRect(2, 3).center() }) {
        QContextMenuEvent e(QContextMenuEvent::Mouse, at, view.mapToGlobal(at));
        QApplication::sendEvent(&view, &e);
    }
    EXPECT_EQ(view.asked, (std::vector<unsigned> { IDM_GRID_POPUP, IDM_COLUMN_POPUP, 0 }));
    view.setDocument(nullptr);
}

TEST(GXViewFrame, ShrinkWindowFitsTheGridButNeverWhenMaximised)
{
    fw::App app;
    SampleTableDoc doc;
    doc.FillSecurities();
    doc.UpdateDocument(0, nullptr);
    auto owned = std::make_unique<CTGXView>();
    CTGXView* view = owned.get();
    view->setDocument(&doc);
    fw::ChildFrame frame(std::move(owned));
    frame.resize(1600, 900);
    view->onInitialUpdate();
    frame.show();
    fw::test::processEvents();
    const QSize content = view->contentSize() + QSize(1, 1);
    view->routeCommand(ID_GRID_SHRINKVIEW);
    fw::test::processEvents();
    EXPECT_EQ(view->size(), content);
    // Growing is not shrinking: a smaller window keeps its size.
    frame.resize(frame.size() - QSize(100, 50));
    fw::test::processEvents();
    const QSize small = frame.size();
    view->ResizeParentToFit(true);
    EXPECT_EQ(frame.size(), small);
    frame.showMaximized();
    fw::test::processEvents();
    const QSize maximised = frame.size();
    view->ResizeParentToFit(false);
    EXPECT_EQ(frame.size(), maximised);
    view->setDocument(nullptr);
}

} // namespace
