#pragma once
// CTGXView: the grid window of every list window. It shows its CTGXDoc through the framework's
// grid (which asks a CTGXData for every cell), repaints exactly the visible rows an update hint
// marks, keeps the end of the table in view when rows are appended there, and carries the grid
// commands every table window offers: zoom, sorting by column, fixing columns, sizing columns to
// their content, shrinking the window to the grid, the sort and colour dialogs. Widths, frozen
// columns, zoom and sort keys live in the document, so every window of a table and its stored
// layout agree.
#include "fw/ui/gridview.h"
#include "kvcore/grid/gx_data.h"
#include "kvcore/grid/gx_grid_access.h"
#include "kvcore/kvcore_api.h"

#include <QFont>
#include <QPoint>

namespace kvcore {

class CTGXDoc;

class KVCORE_API CTGXView : public fw::GridView, public GXGridAccess {
    Q_OBJECT
public:
    static constexpr int kZoomMax = 300;
    static constexpr int kZoomMin = 40;

    explicit CTGXView(QWidget* parent = nullptr);
    ~CTGXView() override;

    CTGXDoc* GetDocument() const;

    // Binds the grid to the document, applies its columns, zoom and frozen count; updates that
    // arrive earlier are ignored.
    void onInitialUpdate() override;
    // A full update (no hint) also takes the look every table grid shares, which the
    // Customize sheet may have changed.
    void onUpdate(fw::View* sender, intptr_t hint, fw::Hint* object) override;
    bool IsInitialized() const { return m_bInitialized; }

    // The context menu of a grid area: menu 52 for the title row's corner, 53 for a column
    // title, 0 for the table's own popup. Nothing here; the table view shows them.
    virtual void DoPopUpMenu(QPoint point, unsigned menuId);
    // Applies the document's selected columns, widths and frozen count to the grid.
    virtual int RestructControl();
    // The unzoomed width of a column that has no stored width.
    int TitleWidth(int col);
    // A full repaint.
    void ResetControl();
    // Makes the grid row that shows document row docRow current and selected; a row the map
    // does not hold falls back to grid row docRow + 1.
    void SetSelection(int docRow);
    // Runs the colour dialog for this window; 1 when the user chose OK.
    virtual int SelColor();
    // Resizes the frame to the grid's content (only shrinking with shrinkOnly); nothing while the
    // frame is maximised.
    void ResizeParentToFit(bool shrinkOnly);
    // The grid's font (at zoom 100). A font without a family changes nothing.
    void SetLogFont(const QFont& font);
    QFont GetLogFont() const;

    // What the document reads of its grid views.
    fw::GridCell GridCurrentCell() const override { return currentCell(); }
    std::vector<int> GridSelectedRows() const override { return selectedRows(); }
    int GetColWidth(unsigned pos) const override;
    bool IsGridVisible() const override { return isVisible(); }

    // Zoom steps: in by 11/10 below the maximum, out by 10/11 above the minimum; otherwise the
    // zoom stays.
    static int ZoomInStep(int zoom) { return zoom < kZoomMax ? zoom * 11 / 10 : zoom; }
    static int ZoomOutStep(int zoom) { return zoom > kZoomMin ? zoom * 10 / 11 : zoom; }

    // The grid commands (also reachable through the command ids of kvcore/res/grid_ids.h).
    void OnGridZoomin();
    void OnGridZoomout();
    void OnGridZoom100();
    void OnGridNoSort();
    void OnGridSizeToContent();
    void OnGridShrinkView();
    void OnSortAscending();
    void OnSortDescending();
    void OnColNoSort();
    void OnColSizeToContent();
    void OnColFix();
    void OnSortDlg();
    void OnOptionsColor();

protected:
    void onContextMenu(int row, int col, QPoint globalPos) override;
    // Shows the document's zoom (a stored zoom no step reaches becomes 100).
    void ShowDocumentZoom();
    // Runs the sort dialog on the document's keys; the keys change only on OK.
    virtual int RunSortDialog();

private:
    void MapCommands();
    void SetZoom(int zoom);
    // The current cell's display column, or 0 when no data cell is current.
    int CurrentColumn() const;
    void SortCurrentColumn(int ascending);
    void FitColumns(int first, int last);

    CTGXData m_data;
    bool m_bInitialized = false;
};

} // namespace kvcore
