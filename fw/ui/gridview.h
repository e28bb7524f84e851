#pragma once
// A grid view: frozen columns on the left and scrolling columns on the right, two table views
// over one model that asks a GridSource per cell. Header row and row-header column, fixed row
// heights, current cell and selections, hit testing, column widths and moves, fit to content over
// the visible rows, zoom, type-ahead, update locking and printing.
#include "fw/core/gridprops.h"
#include "fw/ui/fw_ui_api.h"
#include "fw/ui/gridmodel.h"
#include "fw/ui/gridsource.h"
#include "fw/ui/view.h"

#include <QPoint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QPrinter;
class QScrollBar;
class QTableView;

namespace fw {

class FW_UI_API GridView : public View {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);
    ~GridView() override;

    void setSource(GridSource* source);
    GridSource* source() const { return model_.source(); }
    GridModel& model() { return model_; }
    QTableView* frozenTable() const { return frozen_; }
    QTableView* scrollTable() const { return main_; }

    // Binds the source (set by the owner before), applies widths and frozen columns, sets the
    // initialised flag. Updates that arrive earlier are ignored.
    void onInitialUpdate() override;
    bool initialised() const { return initialised_; }
    // hint != 0: rows were appended (old count in the high 16 bits); a RowHint object names the
    // changed view rows (index = grid row - 1), of which only the visible ones are repainted;
    // neither: everything is repainted.
    void onUpdate(View* sender, intptr_t hint, Hint* object) override;

    int rowCount() const { return model_.rowCount(); }
    int colCount() const { return model_.columnCount(); }

    // Frozen (fixed) display columns 1..n stay at the left.
    void setFrozenCols(int n);
    int frozenCols() const { return frozenCols_; }

    // Column widths in unzoomed pixels; -1 restores the default.
    void setColWidth(int col, int width);
    int colWidth(int col) const;
    // Widths that fit the header and the visible rows' texts of columns first..last.
    void fitColumnsToContent(int first, int last);

    // Zoom in percent (the grid shows everything scaled, the stored widths stay unzoomed).
    void setZoom(int percent);
    int zoom() const { return zoom_; }
    int rowHeight() const;
    // The title row's height in text lines (titles wrap at blanks to fill them).
    void setTitleLines(int lines);
    // The font at zoom 100 (printing always uses it).
    void setBaseFont(const QFont& font);
    const QFont& baseFont() const { return baseFont_; }
    // Pixels needed to show every column and row without scrolling (at the current zoom).
    QSize contentSize() const;

    // Current cell and selection in grid co-ordinates.
    GridCell currentCell() const;
    void setCurrentCell(int row, int col);
    void clearSelection();
    void selectRange(const GridRange& range, bool add = false);
    std::vector<GridRange> selectionRanges() const;
    // Grid rows with a selected cell, ascending.
    std::vector<int> selectedRows() const;

    // The cell under a point of this widget; row 0 the header row, col 0 the row header,
    // -1 outside.
    GridCell hitTest(QPoint pos) const;
    QRect cellRect(int row, int col) const;
    // First and last grid rows visible in the window (0, -1 when none).
    std::pair<int, int> visibleRows() const;

    // Type-ahead: make the first row in from..to whose value in col starts with ch current.
    bool findFirstCharMatch(QChar ch, int col, int fromRow, int toRow);

    // Locking stops repaints; returns the previous state. redraw repaints everything now.
    bool lockUpdates(bool lock);
    void redraw();

    // Grid lines, the 3D title row and row header, the marking of the current row and column,
    // and the printed page.
    void setProperties(const GridProperties& props);
    const GridProperties& properties() const { return props_; }

    // Prints every row on A4 paper (the same pages on every printer and in every PDF) with the
    // page setup's margins and orientation: header text at the top and footer text at the
    // bottom of each page ("&p" becomes the page number). Returns the page count.
    int print(QPrinter& printer, const std::string& header, const std::string& footer);
    // The view's print: every row with the texts set here, else the page setup's (an empty
    // header prints the document title).
    int onPrint(QPrinter& printer) override;
    void setPrintTexts(std::string header, std::string footer);

    // Called on a right click or context-menu key (grid co-ordinates, screen position).
    virtual void onContextMenu(int row, int col, QPoint globalPos);
    virtual void onCellDoubleClicked(int row, int col);
    // The user clicked a column title.
    virtual void onHeaderClicked(int col);
    // Row drag and drop. Dragging selected rows out asks dragPayload for the bytes to carry;
    // a drop of a row payload that canAcceptRows accepts goes to onRowDrop.
    void setRowDragDrop(bool dragOut, bool dropIn);
    virtual bool dragPayload(const std::vector<int>& /*rows*/, std::vector<uint8_t>& /*payload*/, std::string& /*text*/)
    {
        return false;
    }
    // The drag of rows out of the grid runs inside this call (drag() returns when the row is
    // dropped or the drag is given up); an override may do its work around it.
    virtual Qt::DropAction runRowDrag(const std::function<Qt::DropAction()>& drag) { return drag(); }
    virtual bool canAcceptRows(const std::vector<uint8_t>& /*payload*/) { return false; }
    virtual bool onRowDrop(const std::vector<uint8_t>& /*payload*/, Qt::DropAction /*action*/, GridCell /*at*/)
    {
        return false;
    }

    // Copies the selected rows to the clipboard: their cell texts (tab-separated, one line per
    // row) and, when dragPayload gives one, the private row payload. Ctrl+C does the same.
    bool copySelection();

    // Counters for tests and benchmarks: change notifications sent for single rows.
    int rowRepaintsSent() const { return rowRepaints_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void applyColumns();
    void applyLook();
    void applyZoomFont();
    void layoutFrozen();
    // Repaints the lines of the rows that came or went since the count was oldCount.
    void repaintCountChange(int oldCount);
    bool handleKey(QKeyEvent* key);
    bool handleDragDrop(QWidget* viewport, QEvent* event);
    QTableView* tableFor(int col) const;
    void onSectionMoved(int logical, int oldVisual, int newVisual);

    GridModel model_;
    GridDelegate delegate_;
    QTableView* frozen_;
    QTableView* main_;
    QWidget* filler_; // under the frozen half, as tall as the horizontal scroll bar
    QScrollBar* hbar_; // under the scrolling half, in step with its own (hidden) bar
    QWidget* corner_; // right of hbar_ while the vertical bar shows
    QFont baseFont_;
    int frozenCols_ = 0;
    int zoom_ = 100;
    int titleLines_ = 1;
    bool initialised_ = false;
    bool locked_ = false;
    bool moving_ = false;
    bool applying_ = false;
    int rowRepaints_ = 0;
    bool dragOut_ = false;
    bool dropIn_ = false;
    QPoint pressPos_;
    bool pressed_ = false;
    std::map<int, int> widths_; // column -> unzoomed width
    std::optional<std::string> printHeader_;
    std::optional<std::string> printFooter_;
    GridProperties props_;
};

} // namespace fw
