#include "kvcore/gridview/gx_view.h"

#include "fw/core/strings.h"
#include "fw/ui/app.h"
#include "fw/ui/childframe.h"
#include "kvcore/app/session_core.h"
#include "kvcore/dialogs/color_select_dlg.h"
#include "kvcore/dialogs/grid_props_page.h"
#include "kvcore/dialogs/sort_dlg.h"
#include "kvcore/frame/app_core.h"
#include "kvcore/frame/main_frame_core.h"
#include "kvcore/frame/wait_cursor.h"
#include "kvcore/grid/gx_doc.h"
#include "kvcore/res/grid_ids.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace kvcore {

namespace {

// The wait cursor for the length of a sort.
struct WaitCursor {
    WaitCursor() { KvShowWaitCursor(true); }
    ~WaitCursor() { KvShowWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

CTGXView::CTGXView(QWidget* parent) : fw::GridView(parent)
{
    MapCommands();
    // A double click on a title's right edge fits that column to its content.
    for (QTableView* table : { frozenTable(), scrollTable() })
        connect(table->horizontalHeader(), &QHeaderView::sectionHandleDoubleClicked, this,
            [this](int logical) { FitColumns(logical + 1, logical + 1); });
}

CTGXView::~CTGXView() = default;

CTGXDoc* CTGXView::GetDocument() const { return dynamic_cast<CTGXDoc*>(document()); }

void CTGXView::onInitialUpdate()
{
    m_data.SetDocument(GetDocument());
    setSource(&m_data);
    const bool wasLocked = lockUpdates(true);
    // The look every table grid shares (lines, 3D titles, marking, colours, font, printed page).
    setProperties(KvGridProperties());
    ShowDocumentZoom();
    fw::GridView::onInitialUpdate();
    RestructControl();
    lockUpdates(wasLocked);
    m_bInitialized = true;
    redraw();
}

void CTGXView::onUpdate(fw::View* sender, intptr_t hint, fw::Hint* object)
{
    if (m_bInitialized && hint == 0 && object == nullptr && properties() != KvGridProperties())
        setProperties(KvGridProperties());
    fw::GridView::onUpdate(sender, hint, object);
}

void CTGXView::ShowDocumentZoom()
{
    CTGXDoc* doc = GetDocument();
    if (!doc)
        return;
    // A stored zoom no step could reach (a damaged layout record) shows at 100.
    if (doc->m_zoom < kZoomMin || doc->m_zoom > kZoomMax * 11 / 10)
        doc->m_zoom = 100;
    setZoom(doc->m_zoom);
}

void CTGXView::DoPopUpMenu(QPoint, unsigned) { }

int CTGXView::TitleWidth(int col)
{
    // A column the user never sized is as wide as its title (bold, as a sorted
    // title shows), and never narrower than the grid's default: a Hungarian
    // title is often twice its English twin.
    constexpr int kDefaultWidth = 80;
    constexpr int kTitleMargin = 16;
    QFont bold = baseFont();
    bold.setBold(true);
    const QString title = model().headerData(col - 1, Qt::Horizontal, Qt::DisplayRole).toString();
    return std::max(kDefaultWidth, QFontMetrics(bold).horizontalAdvance(title) + kTitleMargin);
}

int CTGXView::RestructControl()
{
    CTGXDoc* doc = GetDocument();
    if (!doc)
        return 1;
    const bool wasLocked = lockUpdates(true);
    model().syncCounts();
    for (int col = 1; col <= doc->GetColumnNumber(); ++col) {
        const std::size_t id = doc->m_selected[static_cast<std::size_t>(col - 1)];
        const int width = id < doc->m_width.size() ? doc->m_width[id] : 0;
        setColWidth(col, width != 0 ? width : TitleWidth(col));
    }
    setFrozenCols(doc->GetFixedColumns());
    lockUpdates(wasLocked);
    redraw();
    return 1;
}

void CTGXView::ResetControl() { onUpdate(nullptr, 0, nullptr); }

void CTGXView::SetSelection(int docRow)
{
    CTGXDoc* doc = GetDocument();
    if (!doc)
        return;
    clearSelection();
    int gridRow = -1;
    if (docRow >= 0) {
        const auto& map = doc->m_rowMap;
        const auto found = std::find(map.begin(), map.end(), static_cast<std::uint32_t>(docRow));
        if (found != map.end())
            gridRow = static_cast<int>(found - map.begin()) + 1;
        else if (m_bInitialized)
            gridRow = docRow + 1;
    }
    setCurrentCell(gridRow, 1);
    if (gridRow >= 1 && gridRow <= rowCount())
        selectRange({ gridRow, 1, gridRow, colCount() });
}

int CTGXView::GetColWidth(unsigned pos) const { return colWidth(static_cast<int>(pos) + 1); }

int CTGXView::SelColor()
{
    CColorSelectDlg dlg(this);
    return dlg.doModal();
}

int CTGXView::RunSortDialog()
{
    CTGXDoc* doc = GetDocument();
    if (!doc)
        return 0;
    std::vector<std::string> titles;
    for (std::size_t id = 0; id < doc->m_available.size(); ++id)
        titles.push_back(doc->GetColumnTitleText(static_cast<int>(id)));
    CDlgTabSort dlg(std::move(titles), doc->m_sortKeys, this);
    return dlg.doModal();
}

void CTGXView::ResizeParentToFit(bool shrinkOnly)
{
    fw::ChildFrame* frame = parentFrame();
    if (!frame || frame->isMaximized())
        return;
    const QSize content = contentSize() + QSize(1, 1);
    QSize client = size();
    QSize wanted = content;
    if (shrinkOnly) {
        if (client.width() <= content.width())
            wanted.setWidth(client.width());
        if (client.height() <= content.height())
            wanted.setHeight(client.height());
    }
    const QSize delta = wanted - client;
    if (!delta.isNull())
        frame->resize(frame->size() + delta);
}

void CTGXView::SetLogFont(const QFont& font)
{
    if (font.family().isEmpty() || !m_bInitialized)
        return;
    setBaseFont(font);
    ResetControl();
}

QFont CTGXView::GetLogFont() const { return m_bInitialized ? baseFont() : QFont(); }

void CTGXView::SetZoom(int zoom)
{
    CTGXDoc* doc = GetDocument();
    if (!doc)
        return;
    doc->m_zoom = zoom;
    setZoom(zoom);
    if (doc->m_fitWindow)
        ResizeParentToFit(true);
}

void CTGXView::OnGridZoomin()
{
    if (CTGXDoc* doc = GetDocument())
        SetZoom(ZoomInStep(doc->m_zoom));
}

void CTGXView::OnGridZoomout()
{
    if (CTGXDoc* doc = GetDocument())
        SetZoom(ZoomOutStep(doc->m_zoom));
}

void CTGXView::OnGridZoom100() { SetZoom(100); }

int CTGXView::CurrentColumn() const
{
    const fw::GridCell cell = currentCell();
    return cell.valid() && cell.row >= 1 && cell.col >= 1 ? cell.col : 0;
}

void CTGXView::SortCurrentColumn(int ascending)
{
    CTGXDoc* doc = GetDocument();
    const int col = CurrentColumn();
    if (!doc || col == 0)
        return;
    WaitCursor wait;
    doc->SetSortColumn(col, ascending);
}

void CTGXView::OnSortAscending() { SortCurrentColumn(1); }
void CTGXView::OnSortDescending() { SortCurrentColumn(0); }

void CTGXView::OnColNoSort()
{
    CTGXDoc* doc = GetDocument();
    const int col = CurrentColumn();
    if (!doc || col == 0)
        return;
    WaitCursor wait;
    doc->RemoveSortColumn(col);
}

void CTGXView::OnGridNoSort()
{
    if (CTGXDoc* doc = GetDocument())
        doc->SetSortColumn(0, 0);
}

void CTGXView::FitColumns(int first, int last)
{
    // The main frame neither polls nor repaints tables while the columns are measured.
    CKvAppCore* app = CKvAppCore::Instance();
    CMainFrameCore* frame = app ? app->GetMainFrame() : nullptr;
    if (frame)
        frame->LockUpdates(true);
    fitColumnsToContent(first, last);
    if (frame)
        frame->LockUpdates(false);
}

void CTGXView::OnGridSizeToContent()
{
    FitColumns(1, colCount());
    CTGXDoc* doc = GetDocument();
    if (doc && doc->m_fitWindow)
        ResizeParentToFit(true);
}

void CTGXView::OnColSizeToContent()
{
    const auto ranges = selectionRanges();
    if (ranges.empty()) {
        if (const int col = CurrentColumn())
            FitColumns(col, col);
        return;
    }
    for (const fw::GridRange& range : ranges)
        FitColumns(range.left, range.right);
}

void CTGXView::OnGridShrinkView() { ResizeParentToFit(true); }

void CTGXView::OnColFix()
{
    const int col = CurrentColumn();
    if (col == 0)
        return;
    setFrozenCols(col > frozenCols() ? col : 0);
}

void CTGXView::OnSortDlg()
{
    CTGXDoc* doc = GetDocument();
    if (!doc)
        return;
    RunSortDialog();
    doc->UpdateDocument(0, nullptr);
}

void CTGXView::OnOptionsColor()
{
    if (SelColor() != 1)
        return;
    if (CKvAppCore* app = CKvAppCore::Instance())
        app->UpdateAllDocuments(0, 0, nullptr);
}

void CTGXView::onContextMenu(int row, int col, QPoint globalPos)
{
    if (row < 0 || col < 0)
        return;
    if (row == 0 && col == 0)
        DoPopUpMenu(globalPos, IDM_GRID_POPUP);
    else if (row == 0)
        DoPopUpMenu(globalPos, IDM_COLUMN_POPUP);
    else
        DoPopUpMenu(globalPos, 0);
}

void CTGXView::MapCommands()
{
    fw::CommandMap& map = commands();
    map.onCommand(ID_OPTIONS_COLOR, [this] { OnOptionsColor(); });
    map.onCommand(ID_GRID_ZOOMIN, [this] { OnGridZoomin(); });
    map.onCommand(ID_GRID_ZOOMOUT, [this] { OnGridZoomout(); });
    map.onCommand(ID_GRID_ZOOM100, [this] { OnGridZoom100(); });
    map.onCommand(ID_GRID_NOSORT, [this] { OnGridNoSort(); });
    map.onCommand(ID_GRID_SIZETOCONTENT, [this] { OnGridSizeToContent(); });
    map.onCommand(ID_GRID_SHRINKVIEW, [this] { OnGridShrinkView(); });
    map.onCommand(ID_SORT_ASCENDING, [this] { OnSortAscending(); });
    map.onCommand(ID_SORT_DESCENDING, [this] { OnSortDescending(); });
    map.onCommand(ID_COL_NOSORT, [this] { OnColNoSort(); });
    map.onCommand(ID_COL_SIZETOCONTENT, [this] { OnColSizeToContent(); });
    map.onCommand(ID_COL_FIX, [this] { OnColFix(); });
    map.onCommand(ID_SORT_DLG, [this] { OnSortDlg(); });

    map.onUpdate(ID_GRID_ZOOMIN, [this](fw::CmdUI& ui) {
        const CTGXDoc* doc = GetDocument();
        ui.enable(doc && source() && doc->m_zoom < kZoomMax);
    });
    map.onUpdate(ID_GRID_ZOOMOUT, [this](fw::CmdUI& ui) {
        const CTGXDoc* doc = GetDocument();
        ui.enable(doc && source() && doc->m_zoom > kZoomMin);
    });
    map.onUpdate(ID_GRID_ZOOM100, [this](fw::CmdUI& ui) {
        const CTGXDoc* doc = GetDocument();
        if (doc && doc->m_zoom == 100)
            ui.remove();
    });
    map.onUpdate(ID_GRID_NOSORT, [this](fw::CmdUI& ui) {
        const CTGXDoc* doc = GetDocument();
        if (doc && doc->m_sortKeys.empty())
            ui.remove();
    });
    auto sortable = [this](int ascending) {
        return [this, ascending](fw::CmdUI& ui) {
            const CTGXDoc* doc = GetDocument();
            const int col = CurrentColumn();
            ui.enable(doc && col != 0 && !doc->IsSorted(col, ascending));
        };
    };
    map.onUpdate(ID_SORT_ASCENDING, sortable(1));
    map.onUpdate(ID_SORT_DESCENDING, sortable(0));
    map.onUpdate(ID_COL_NOSORT, [this](fw::CmdUI& ui) {
        const CTGXDoc* doc = GetDocument();
        const int col = CurrentColumn();
        if (!doc || col == 0 || (!doc->IsSorted(col, 1) && !doc->IsSorted(col, 0)))
            ui.remove();
    });
    map.onUpdate(ID_COL_FIX, [this](fw::CmdUI& ui) {
        const int col = CurrentColumn();
        if (!ui.isMenu() || col == 0)
            return;
        ui.setText(fw::loadString(col > frozenCols() ? IDS_FIX : IDS_UNFIX));
    });
}

} // namespace kvcore
