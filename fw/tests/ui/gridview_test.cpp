#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/dragdrop.h"
#include "fw/ui/childframe.h"
#include "fw/ui/gridview.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/text.h"

#include <QHeaderView>
#include <QMdiArea>
#include <QScrollBar>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QMimeData>
#include <QDropEvent>
#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QClipboard>
#include <QPrinter>
#include <QTableView>
#include <QTemporaryDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Rows of n columns; column 1 holds names that start with a letter cycling through a few.
struct Source : fw::GridSource {
    int rows = 100000;
    int cols = 6;
    std::vector<int> order = { 1, 2, 3, 4, 5, 6 };
    mutable int asked = 0;
    int rowCount() const override { return rows; }
    int columnCount() const override { return cols; }
    bool cellStyle(int row, int col, fw::CellStyle& s) const override
    {
        ++asked;
        if (col == 0) {
            s.value = std::to_string(row);
            return true;
        }
        int id = order[static_cast<size_t>(col - 1)];
        if (row == 0) {
            s.value = "Col" + std::to_string(id);
            return true;
        }
        static const char* names[] = { "alpha", "Bravo", "", "Alpha", "charlie" };
        s.value = id == 1 ? names[row % 5] : std::to_string(row * 10 + id);
        s.align = id == 1 ? fw::Align::Left : fw::Align::Right;
        return true;
    }
    bool moveColumns(int from, int to, int dest) override
    {
        std::vector<int> moved(order.begin() + from - 1, order.begin() + to);
        order.erase(order.begin() + from - 1, order.begin() + to);
        order.insert(order.begin() + dest - 1, moved.begin(), moved.end());
        return true;
    }
};

// Records every change notification of a model.
struct ChangeSpy {
    std::vector<std::pair<QModelIndex, QModelIndex>> calls;
    QMetaObject::Connection c;
    explicit ChangeSpy(QAbstractItemModel* m)
    {
        c = QObject::connect(m, &QAbstractItemModel::dataChanged,
                             [this](const QModelIndex& a, const QModelIndex& b) { calls.emplace_back(a, b); });
    }
    ~ChangeSpy() { QObject::disconnect(c); }
    int count() const { return static_cast<int>(calls.size()); }
};

struct GridViewTest : ::testing::Test {
    fw::App app;
    Source src;
    fw::GridView grid;
    void SetUp() override
    {
        grid.resize(700, 400);
        grid.setSource(&src);
        grid.setFrozenCols(2);
        grid.setZoom(150);
        grid.onInitialUpdate();
        grid.show();
        fw::test::processEvents();
    }
};

TEST_F(GridViewTest, ShowsLargeSourceWithFrozenColumnsAtZoom)
{
    EXPECT_EQ(grid.rowCount(), 100000);
    EXPECT_EQ(grid.frozenCols(), 2);
    EXPECT_EQ(grid.zoom(), 150);
    EXPECT_FALSE(grid.frozenTable()->isColumnHidden(1));
    EXPECT_TRUE(grid.frozenTable()->isColumnHidden(2));
    EXPECT_TRUE(grid.scrollTable()->isColumnHidden(0));
    // Widths stay unzoomed in the grid's bookkeeping and scale on screen.
    grid.setColWidth(3, 100);
    EXPECT_EQ(grid.colWidth(3), 100);
    EXPECT_EQ(grid.scrollTable()->horizontalHeader()->sectionSize(2), 150);
    auto [first, last] = grid.visibleRows();
    EXPECT_EQ(first, 1);
    EXPECT_GT(last, 5);
    EXPECT_LT(last, 100);
    EXPECT_EQ(grid.contentSize().height(),
              grid.scrollTable()->horizontalHeader()->height() + 1 + 100000 * grid.rowHeight());
    int before = grid.rowHeight();
    QFont big = grid.baseFont();
    big.setPointSize(big.pointSize() * 2);
    grid.setBaseFont(big);
    EXPECT_GT(grid.rowHeight(), before);
}

TEST_F(GridViewTest, HintRepaintsOnlyTheVisibleMarkedRows)
{
    auto [first, last] = grid.visibleRows();
    fw::RowHint hint(src.rows);
    // Three visible rows and two far below the window.
    for (int r : { first, first + 2, last, 5000, 99999 })
        hint.AddRow(r - 1);
    ChangeSpy spy(&grid.model());
    grid.onUpdate(nullptr, 0, &hint);
    ASSERT_EQ(spy.count(), 3);
    std::vector<int> changed;
    for (const auto& [tl, br] : spy.calls) {
        EXPECT_EQ(tl.row(), br.row()) << "one notification per row";
        EXPECT_EQ(tl.column(), 0);
        EXPECT_EQ(br.column(), grid.colCount() - 1);
        changed.push_back(tl.row());
    }
    std::sort(changed.begin(), changed.end());
    EXPECT_EQ(changed, (std::vector<int> { first - 1, first + 1, last - 1 })) << "exactly the marked rows";
}

// Collects what a widget paints.
struct PaintSpy : QObject {
    QRegion painted;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

// A hint that flags every row that moved describes a change of the row count: the grid repaints
// the rows it names and the lines of rows that came or went, never the whole window.
TEST_F(GridViewTest, ACountChangeTheHintDescribesRepaintsOnlyItsRows)
{
    // A scroll bar that comes or goes would resize the viewport.
    grid.scrollTable()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    fw::test::processEvents();
    QWidget* port = grid.scrollTable()->viewport();
    PaintSpy spy;
    port->installEventFilter(&spy);
    // The scroll bars stay as they were drawn while the slider does not move.
    PaintSpy bars;
    for (QScrollBar* bar : grid.findChildren<QScrollBar*>())
        bar->installEventFilter(&bars);
    const int h = grid.rowHeight();
    auto [first, last] = grid.visibleRows();
    ASSERT_GT(last, 12);
    struct Step {
        int rows; // the source's row count after the change (0: a full redraw at 40 rows first)
        std::vector<int> marked; // view rows (0-based)
        int top, lines; // the lines of the viewport that may repaint, from the first that must
    } steps[] = {
        { 100005, { 2 }, 2, 1 }, // rows appended far below
        { 100001, { 0, 1 }, 0, 2 }, // rows removed far below
        { 11, {}, 11, (port->height() + h - 1) / h - 11 }, // the end comes into view
        { 13, { 11, 12 }, 11, (port->height() + h - 1) / h - 11 }, // rows appended in view (blank lines below may repaint)
    };
    for (const Step& step : steps) {
        if (step.rows < 100) {
            // The row numbers lose digits: the row header narrows and everything moves.
            src.rows = 40;
            grid.onUpdate(nullptr, 0, nullptr);
        }
        fw::test::processEvents();
        spy.painted = QRegion();
        bars.painted = QRegion();
        src.rows = step.rows;
        fw::RowHint hint(src.rows);
        hint.SetCoversMoves(true);
        for (int r : step.marked)
            hint.AddRow(r);
        grid.onUpdate(nullptr, 0, &hint);
        fw::test::processEvents();
        EXPECT_EQ(grid.rowCount(), step.rows);
        const QRect painted = spy.painted.boundingRect();
        EXPECT_EQ(painted.top(), step.top * h) << step.rows << " rows";
        EXPECT_LE(painted.bottom(), std::min((step.top + step.lines) * h, port->height() - 1)) << step.rows << " rows";
        EXPECT_EQ(painted.width(), port->width());
        if (step.rows > 100) {
            EXPECT_TRUE(bars.painted.isEmpty()) << step.rows << " rows";
        }
    }
    port->removeEventFilter(&spy);
}

// The horizontal scroll bar under the scrolling columns and the table's own move together.
TEST_F(GridViewTest, TheHorizontalBarFollowsTheTable)
{
    grid.resize(300, 300);
    fw::test::processEvents();
    QScrollBar* inner = grid.scrollTable()->horizontalScrollBar();
    QScrollBar* shown = nullptr;
    for (QScrollBar* bar : grid.findChildren<QScrollBar*>())
        if (bar != inner && bar->orientation() == Qt::Horizontal && bar->isVisible())
            shown = bar;
    ASSERT_NE(shown, nullptr);
    ASSERT_GT(inner->maximum(), 0);
    EXPECT_EQ(shown->maximum(), inner->maximum());
    EXPECT_EQ(shown->pageStep(), inner->pageStep());
    shown->setValue(shown->maximum());
    EXPECT_EQ(inner->value(), inner->maximum());
    inner->setValue(0);
    EXPECT_EQ(shown->value(), 0);
    EXPECT_EQ(grid.scrollTable()->columnAt(0), 2) << "the first scrolling column at the left";
}

// A reset would lose the current cell, the selection and the scroll position on every tick.
TEST_F(GridViewTest, NoUpdateResetsTheModelOrItsLayout)
{
    int resets = 0;
    int relayouts = 0;
    QAbstractItemModel* m = &grid.model();
    auto c1 = QObject::connect(m, &QAbstractItemModel::modelAboutToBeReset, [&] { ++resets; });
    auto c2 = QObject::connect(m, &QAbstractItemModel::layoutAboutToBeChanged, [&] { ++relayouts; });
    fw::RowHint hint(src.rows);
    hint.AddRow(3);
    grid.onUpdate(nullptr, 0, &hint);
    grid.onUpdate(nullptr, 0, nullptr);
    src.rows += 5;
    grid.onUpdate(nullptr, (intptr_t(100000) << 16) | 1, nullptr);
    src.rows -= 50;
    grid.onUpdate(nullptr, 0, nullptr);
    fw::test::processEvents();
    QObject::disconnect(c1);
    QObject::disconnect(c2);
    EXPECT_EQ(grid.rowCount(), 99955);
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(relayouts, 0);
}

TEST_F(GridViewTest, UpdatesBeforeInitialUpdateAreIgnoredAndAppendsFollowTheEnd)
{
    fw::GridView fresh;
    fresh.setSource(&src);
    ChangeSpy spy(&fresh.model());
    fresh.onUpdate(nullptr, 0, nullptr);
    EXPECT_EQ(spy.count(), 0);

    grid.scrollTable()->scrollToBottom();
    fw::test::processEvents();
    grid.scrollTable()->scrollToBottom();
    src.rows += 10;
    grid.onUpdate(nullptr, (intptr_t(100000) << 16) | 1, nullptr);
    fw::test::processEvents();
    EXPECT_EQ(grid.rowCount(), 100010);
    EXPECT_EQ(grid.visibleRows().second, 100010);
    EXPECT_EQ(grid.frozenTable()->rowAt(0), grid.scrollTable()->rowAt(0)) << "both halves show the same rows";

    // Scrolled elsewhere, an append leaves the position alone.
    grid.scrollTable()->scrollToTop();
    src.rows += 10;
    grid.onUpdate(nullptr, (intptr_t(100010) << 16) | 1, nullptr);
    fw::test::processEvents();
    EXPECT_EQ(grid.visibleRows().first, 1);
}

TEST_F(GridViewTest, CurrentCellSelectionAndHitTest)
{
    grid.setCurrentCell(3, 4);
    EXPECT_EQ(grid.currentCell(), (fw::GridCell { 3, 4 }));
    grid.selectRange({ 2, 1, 4, 3 });
    grid.selectRange({ 7, 2, 7, 2 }, true);
    EXPECT_EQ(grid.selectedRows(), (std::vector<int> { 2, 3, 4, 7 }));
    EXPECT_EQ(grid.selectionRanges().size(), 2u);

    // Centre of a data cell in the frozen part, of a title, of a row header.
    QRect cell = grid.cellRect(2, 1);
    EXPECT_EQ(grid.hitTest(cell.center()), (fw::GridCell { 2, 1 }));
    QRect scrolled = grid.cellRect(3, 4);
    EXPECT_EQ(grid.hitTest(scrolled.center()), (fw::GridCell { 3, 4 }));
    QRect title = grid.cellRect(0, 4);
    EXPECT_EQ(grid.hitTest(title.center()), (fw::GridCell { 0, 4 }));
    QPoint rowHeader(2, cell.center().y());
    EXPECT_EQ(grid.hitTest(rowHeader), (fw::GridCell { 2, 0 }));
    EXPECT_EQ(grid.hitTest({ 2, 2 }), (fw::GridCell { 0, 0 }));
}

TEST_F(GridViewTest, TypeAheadWrapsAndIgnoresCase)
{
    // Column 1 reads alpha, Bravo, "", Alpha, charlie, alpha, ... (row % 5 picks the name).
    grid.setCurrentCell(1, 1); // "Bravo"
    auto press = [&](Qt::Key key, const char* text) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, QString::fromLatin1(text));
        QApplication::sendEvent(grid.frozenTable(), &e);
    };
    press(Qt::Key_A, "a");
    EXPECT_EQ(grid.currentCell().row, 3); // "Alpha"
    press(Qt::Key_A, "A");
    EXPECT_EQ(grid.currentCell().row, 5); // "alpha"
    press(Qt::Key_End, "");
    EXPECT_EQ(grid.currentCell(), (fw::GridCell { 100000, 1 }));
    press(Qt::Key_B, "b"); // wraps to row 1
    EXPECT_EQ(grid.currentCell().row, 1);
    press(Qt::Key_Home, "");
    EXPECT_EQ(grid.currentCell().row, 1);
}

TEST_F(GridViewTest, ColumnMovesGoThroughTheSourceAndFitUsesVisibleRows)
{
    grid.setColWidth(3, 40);
    grid.scrollTable()->horizontalHeader()->moveSection(2, 5);
    EXPECT_EQ(src.order, (std::vector<int> { 1, 2, 4, 5, 6, 3 }));
    EXPECT_EQ(grid.colWidth(6), 40) << "the width follows the column";
    EXPECT_EQ(grid.scrollTable()->horizontalHeader()->visualIndex(2), 2) << "header keeps logical order";

    grid.fitColumnsToContent(3, 3);
    int fitted = grid.colWidth(3);
    EXPECT_GT(fitted, 10);
    EXPECT_LT(fitted, 200);
}

TEST_F(GridViewTest, PrintsToPdfWithHeaderAndFooter)
{
    src.rows = 120;
    grid.onUpdate(nullptr, 0, nullptr);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("grid.pdf"));
    int pages = grid.print(printer, "Orders", "Page &p");
    EXPECT_GE(pages, 2);
    EXPECT_GT(QFileInfo(dir.filePath("grid.pdf")).size(), 1000);
}

TEST_F(GridViewTest, LockStopsRepaintsUntilUnlocked)
{
    EXPECT_FALSE(grid.lockUpdates(true));
    EXPECT_FALSE(grid.scrollTable()->updatesEnabled());
    EXPECT_TRUE(grid.lockUpdates(false));
    EXPECT_TRUE(grid.scrollTable()->updatesEnabled());
}

} // namespace

namespace {

struct DropGrid : fw::GridView {
    std::vector<std::pair<std::vector<uint8_t>, fw::GridCell>> drops;
    bool canAcceptRows(const std::vector<uint8_t>& p) override { return !p.empty() && p[0] == 0x42; }
    bool onRowDrop(const std::vector<uint8_t>& p, Qt::DropAction, fw::GridCell at) override
    {
        drops.emplace_back(p, at);
        return true;
    }
};

TEST(GridDragDrop, CopyPutsRowTextsAndThePayloadOnTheClipboard)
{
    fw::App app;
    struct Small : fw::GridSource {
        int rowCount() const override { return 3; }
        int columnCount() const override { return 2; }
        bool cellStyle(int row, int col, fw::CellStyle& s) const override
        {
            s.value = "r" + std::to_string(row) + "c" + std::to_string(col);
            return true;
        }
    } src;
    struct PayloadGrid : fw::GridView {
        bool dragPayload(const std::vector<int>& rows, std::vector<uint8_t>& payload, std::string&) override
        {
            for (int r : rows)
                payload.push_back(static_cast<uint8_t>(r));
            return true;
        }
    } grid;
    grid.setSource(&src);
    grid.onInitialUpdate();
    EXPECT_FALSE(grid.copySelection()) << "nothing selected";
    grid.selectRange({ 1, 1, 1, 1 });
    grid.selectRange({ 3, 2, 3, 2 }, true);
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QStringLiteral("c"));
    grid.setCurrentCell(1, 1);
    QApplication::sendEvent(grid.scrollTable(), &copy);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("r1c1\tr1c2\nr3c1\tr3c2\n"));
    EXPECT_EQ(fw::rowsFromClipboard(), (std::vector<uint8_t> { 1, 3 }));
}

TEST(GridDragDrop, OnlyAcceptedRowPayloadsAreDropped)
{
    fw::App app;
    Source src;
    src.rows = 50;
    DropGrid grid;
    grid.resize(600, 300);
    grid.setSource(&src);
    grid.onInitialUpdate();
    grid.setRowDragDrop(false, true);
    grid.show();
    fw::test::processEvents();
    QWidget* vp = grid.scrollTable()->viewport();
    QPoint at = vp->mapFrom(&grid, grid.cellRect(4, 3).center());
    struct {
        std::vector<uint8_t> bytes;
        bool row;
        bool accepted;
    } cases[] = { { { 0x42, 1, 2 }, true, true }, { { 0x41 }, true, false }, { { 0x42 }, false, false } };
    for (const auto& c : cases) {
        std::unique_ptr<QMimeData> mime;
        if (c.row) {
            mime = fw::makeRowMimeData(c.bytes, "");
        } else {
            mime = std::make_unique<QMimeData>();
            mime->setText(QStringLiteral("B"));
        }
        QDragEnterEvent enter(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &enter);
        EXPECT_EQ(enter.isAccepted(), c.accepted);
        QDropEvent drop(QPointF(at), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &drop);
        EXPECT_EQ(drop.isAccepted(), c.accepted);
    }
    ASSERT_EQ(grid.drops.size(), 1u);
    EXPECT_EQ(grid.drops[0].first, (std::vector<uint8_t> { 0x42, 1, 2 }));
    EXPECT_EQ(grid.drops[0].second, (fw::GridCell { 4, 3 }));
}

// Pressing on a selected row and moving past the drag distance starts a row drag through
// runRowDrag (the override here does not run the drag loop); a move shorter than the distance,
// a right button or a grid without drag-out starts none.
TEST(GridDragDrop, ARowDragRunsInsideTheDragHook)
{
    fw::App app;
    Source src;
    src.rows = 20;
    struct HookGrid : fw::GridView {
        bool dragPayload(const std::vector<int>& rows, std::vector<uint8_t>& payload, std::string&) override
        {
            payload.assign(rows.begin(), rows.end());
            return true;
        }
        Qt::DropAction runRowDrag(const std::function<Qt::DropAction()>&) override
        {
            ++drags;
            return Qt::IgnoreAction;
        }
        int drags = 0;
    };
    struct {
        bool dragOut;
        Qt::MouseButton button;
        int distanceFactor; // times the platform's start distance
        int drags;
    } cases[] = {
        { true, Qt::LeftButton, 3, 1 },
        { true, Qt::LeftButton, 0, 0 },
        { true, Qt::RightButton, 3, 0 },
        { false, Qt::LeftButton, 3, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dragOut << " " << c.button << " " << c.distanceFactor);
        HookGrid grid;
        grid.resize(600, 300);
        grid.setSource(&src);
        grid.onInitialUpdate();
        grid.setRowDragDrop(c.dragOut, true);
        grid.show();
        fw::test::processEvents();
        grid.selectRange({ 2, 1, 2, 2 });
        QWidget* vp = grid.scrollTable()->viewport();
        const QPointF from = vp->mapFrom(&grid, grid.cellRect(2, 1).center());
        const QPointF to = from + QPointF(QApplication::startDragDistance() * c.distanceFactor, 0);
        QMouseEvent press(QEvent::MouseButtonPress, from, vp->mapToGlobal(from), c.button, c.button, Qt::NoModifier);
        QApplication::sendEvent(vp, &press);
        QMouseEvent move(QEvent::MouseMove, to, vp->mapToGlobal(to), Qt::NoButton, c.button, Qt::NoModifier);
        QApplication::sendEvent(vp, &move);
        EXPECT_EQ(grid.drags, c.drags);
    }
}

} // namespace

namespace {

// Names in Windows-1250 that start with accented capitals and small letters alike.
struct Names : fw::GridSource {
    std::vector<std::string> names;
    int rowCount() const override { return static_cast<int>(names.size()); }
    int columnCount() const override { return 1; }
    bool cellStyle(int row, int col, fw::CellStyle& s) const override
    {
        s.value = row == 0 || col == 0 ? std::to_string(row) : names[static_cast<size_t>(row - 1)];
        return true;
    }
};

TEST(GridTypeAhead, AnyLetterOfTheCodePageSearches)
{
    fw::App app;
    Names src;
    for (const char* n : { "Oszkár", "Éva", "ödön", "Ödön", "Őrs", "Ottó", "Ákos" })
        src.names.push_back(fw::fromQt(QString::fromUtf8(n)));
    fw::GridView grid;
    grid.resize(300, 300);
    grid.setSource(&src);
    grid.onInitialUpdate();
    grid.show();
    grid.setCurrentCell(1, 1);
    auto press = [&](const char* utf8) {
        QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8(utf8));
        QApplication::sendEvent(grid.scrollTable(), &e);
        return grid.currentCell().row;
    };
    struct {
        const char* key;
        int row;
    } steps[] = { { "Ö", 3 }, { "ö", 4 }, { "Ö", 3 }, { "Ő", 5 }, { "é", 2 }, { "Á", 7 }, { "o", 1 }, { "ű", 1 } };
    for (const auto& s : steps)
        EXPECT_EQ(press(s.key), s.row) << s.key;
}

// The row number beside each visible row, for every count of frozen columns, scrolled to the
// top, to the end, and maximised in a main window.
TEST(GridRowHeader, NumberSitsBesideItsDataRow)
{
    fw::App app;
    enum class Place { Top, End, Maximised };
    for (int frozen : { 0, 1, 2, 6 })
        for (Place place : { Place::Top, Place::End, Place::Maximised }) {
            SCOPED_TRACE(testing::Message() << frozen << " frozen, place " << static_cast<int>(place));
            Source src;
            src.rows = 300;
            fw::MainFrame frame;
            fw::GridView* grid = nullptr;
            std::unique_ptr<fw::GridView> alone;
            if (place == Place::Maximised) {
                auto view = std::make_unique<fw::GridView>();
                grid = view.get();
                auto* child = new fw::ChildFrame(std::move(view));
                frame.mdiArea()->addSubWindow(child); // the area owns it
                frame.resize(900, 600);
                frame.show();
                child->showMaximized();
            } else {
                alone = std::make_unique<fw::GridView>();
                grid = alone.get();
                grid->resize(500, 300);
                grid->show();
            }
            grid->setSource(&src);
            grid->setFrozenCols(frozen);
            grid->onInitialUpdate();
            fw::test::processEvents();
            if (place == Place::End)
                grid->setCurrentCell(src.rows, src.cols);
            fw::test::processEvents();

            QHeaderView* numbers = grid->frozenTable()->verticalHeader();
            auto [first, last] = grid->visibleRows();
            ASSERT_GT(last, first);
            if (place == Place::End) {
                EXPECT_EQ(last, src.rows);
            }
            for (int r : { first, (first + last) / 2, last }) {
                int numberY = numbers->viewport()->mapTo(grid, QPoint(0, numbers->sectionViewportPosition(r - 1))).y();
                EXPECT_EQ(numbers->model()->headerData(r - 1, Qt::Vertical).toString(), QString::number(r));
                for (int c : { 1, src.cols })
                    EXPECT_EQ(numberY, grid->cellRect(r, c).y()) << "row " << r << " col " << c;
            }
            // One horizontal scroll bar, and the scrolling columns start where the frozen end.
            int bars = 0;
            for (QScrollBar* sb : grid->findChildren<QScrollBar*>())
                bars += sb->orientation() == Qt::Horizontal && sb->isVisible();
            EXPECT_EQ(bars, 1);
            int frozenWidth = numbers->width();
            for (int c = 1; c <= frozen; ++c)
                frozenWidth += grid->frozenTable()->horizontalHeader()->sectionSize(c - 1);
            EXPECT_EQ(grid->frozenTable()->width(), frozenWidth);
            EXPECT_EQ(grid->frozenTable()->geometry().right() + 1, grid->scrollTable()->geometry().left());
        }
}

} // namespace

namespace {

struct GridLookTest : GridViewTest {
    QImage shot() { return grid.scrollTable()->viewport()->grab().toImage(); }
};

TEST_F(GridLookTest, PropertiesDrawTheLinesAndMarksTheyAskFor)
{
    grid.setFrozenCols(0);
    grid.setZoom(100);
    grid.setCurrentCell(2, 3);
    fw::test::processEvents();
    const QRect cell = grid.scrollTable()->visualRect(grid.model().index(3, 1)); // row 4, col 2
    const QRgb line = grid.scrollTable()->palette().mid().color().rgb();
    auto at = [&](int x, int y) { return shot().pixel(x, y); };
    fw::GridProperties p;
    p.horizontalLines = false;
    p.verticalLines = true;
    grid.setProperties(p);
    EXPECT_EQ(at(cell.right(), cell.center().y()), line);
    EXPECT_NE(at(cell.center().x() + 20, cell.bottom()), line);
    p.horizontalLines = true;
    p.verticalLines = false;
    grid.setProperties(p);
    EXPECT_EQ(at(cell.center().x() + 20, cell.bottom()), line);
    EXPECT_NE(at(cell.right(), cell.center().y()), line);
    // The current row is tinted across the grid, other rows are not.
    const QRect inRow = grid.scrollTable()->visualRect(grid.model().index(1, 4));
    const QRgb plain = at(inRow.left() + 2, inRow.top() + 1);
    p.markCurrentRow = true;
    grid.setProperties(p);
    EXPECT_NE(at(inRow.left() + 2, inRow.top() + 1), plain);
    EXPECT_EQ(at(cell.left() + 2, cell.top() + 1), plain);
    grid.setCurrentCell(4, 3); // the mark follows the current cell
    EXPECT_EQ(at(inRow.left() + 2, inRow.top() + 1), plain);
    EXPECT_NE(at(cell.left() + 2, cell.top() + 1), plain);
}

TEST_F(GridLookTest, PagesAreA4WithTheSetupsMarginsAndOrientation)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    src.rows = 120;
    grid.onUpdate(nullptr, 0, nullptr);
    for (bool landscape : { false, true }) {
        fw::GridProperties p;
        p.page = { 20, 25, 20, 25, landscape, "Orders", "- &p -" };
        grid.setProperties(p);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::Letter)); // whatever the printer starts with
        printer.setOutputFileName(dir.filePath(landscape ? "l.pdf" : "p.pdf"));
        int pages = grid.onPrint(printer);
        QPageLayout layout = printer.pageLayout();
        EXPECT_EQ(layout.pageSize().id(), QPageSize::A4);
        EXPECT_EQ(layout.orientation(), landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        QMarginsF m = layout.margins(QPageLayout::Millimeter);
        EXPECT_NEAR(m.left(), 20, 0.1);
        EXPECT_NEAR(m.top(), 25, 0.1);
        // Fewer rows fit across a landscape page, so it takes more pages.
        EXPECT_EQ(pages > 3, landscape) << pages;
    }
}

} // namespace

namespace {

TEST(GridColors, DesktopColourNamesFollowThePalette)
{
    const QPalette palette = QGuiApplication::palette();
    const struct {
        uint32_t ref;
        QColor color;
    } cases[] = {
        { 0x000000FFu, QColor(255, 0, 0) },
        { 0x00FF8000u, QColor(0, 128, 255) },
        { 0x80000005u, palette.color(QPalette::Base) },
        { 0x80000008u, palette.color(QPalette::Text) },
        { 0x8000000Du, palette.color(QPalette::Highlight) },
        { 0x8000000Eu, palette.color(QPalette::HighlightedText) },
        { 0x8000000Fu, palette.color(QPalette::Button) },
    };
    for (const auto& c : cases)
        EXPECT_EQ(fw::colorFromRef(c.ref), c.color) << std::hex << c.ref;
    // The window colour is the window's, never the almost black RGB(5, 0, 0) of its bits.
    EXPECT_NE(fw::colorFromRef(0x80000005u), QColor(5, 0, 0));
}

} // namespace
