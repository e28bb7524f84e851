#include "kvcore/gridview/table_view.h"

#include "fw/core/msgbox.h"
#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "fw/ui/app.h"
#include "fw/ui/childframe.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/placement.h"
#include "fw/ui/printing.h"
#include "kvcore/app/app_core_logic.h"
#include "kvcore/app/menu_access.h"
#include "kvcore/app/session_core.h"
#include "kvcore/dialogs/title_dlg.h"
#include "kvcore/frame/app_core.h"
#include "kvcore/frame/main_frame_core.h"
#include "kvcore/gridview/table_dialogs.h"
#include "kvcore/res/grid_ids.h"
#include "kvcore/res/table_ids.h"

namespace {

constexpr std::size_t kMaxItemText = 256;

CMainFrameCore* MainFrameCore()
{
    CKvAppCore* app = CKvAppCore::Instance();
    return app != nullptr ? app->GetMainFrame() : nullptr;
}

} // namespace

KvTableDialogHooks& KvTableDialogs()
{
    static KvTableDialogHooks hooks;
    return hooks;
}

CTView::CTView(QWidget* parent) : kvcore::CTGXView(parent) { MapTableCommands(); }

CTView::~CTView() = default;

CTDoc* CTView::GetDocument() const { return dynamic_cast<CTDoc*>(document()); }

uint32_t CTView::GetViewID() const
{
    const CTDoc* doc = GetDocument();
    return doc != nullptr ? doc->GetDocID() : 0;
}

void CTView::onInitialUpdate()
{
    kvcore::CTGXView::onInitialUpdate();
    const CTDoc* doc = GetDocument();
    if (doc != nullptr && doc->m_wndPlacement.hasPosition())
        SetFramePlacement(doc->m_wndPlacement);
}

void CTView::onBeginPrinting(bool preview)
{
    if (CMainFrameCore* frame = MainFrameCore())
        frame->PreviewOpen(preview);
    kvcore::CTGXView::onBeginPrinting(preview);
}

void CTView::onEndPrinting()
{
    if (CMainFrameCore* frame = MainFrameCore())
        frame->PreviewOpen(false);
    kvcore::CTGXView::onEndPrinting();
}

std::optional<fw::Menu> CTView::BuildPopUpMenu(unsigned menuId) const
{
    const unsigned id = menuId != 0 ? menuId : GetViewID();
    const fw::MenuTemplate* tmpl = fw::findMenu(id);
    if (tmpl == nullptr)
        return std::nullopt;
    fw::Menu menu = fw::buildMenu(*tmpl, fw::language());
    PruneMenu(&menu);
    if (id == IDM_GRID_POPUP || id == IDM_COLUMN_POPUP) {
        const fw::Menu* first = menu.itemAt(0);
        if (first == nullptr || !first->isPopup())
            return std::nullopt;
        return *first;
    }
    fw::Menu popup = fw::Menu::popup({});
    const KvLayoutEntry* entry = ps != nullptr ? ps->GetLayout(id) : nullptr;
    if (entry == nullptr)
        return popup;
    for (std::uint16_t pos : entry->popup) {
        // A definition stored while the user had more rights may name items no longer there.
        const fw::Menu* item = menu.itemAt(pos);
        if (item == nullptr)
            continue;
        if (!CanAccess(item->isPopup() ? kPopupItemId : item->id(), 0))
            continue;
        if (item->isSeparator()) {
            popup.add(fw::Menu::separator());
            continue;
        }
        std::string text = item->text().substr(0, kMaxItemText);
        if (item->isPopup()) {
            fw::Menu sub = *item;
            sub.setText(std::move(text));
            popup.add(std::move(sub));
        } else {
            popup.add(fw::Menu::command(item->id(), std::move(text)));
        }
    }
    return popup;
}

void CTView::DoPopUpMenu(QPoint point, unsigned menuId)
{
    std::optional<fw::Menu> popup = BuildPopUpMenu(menuId);
    fw::App* app = fw::App::instance();
    fw::MainFrame* frame = app != nullptr ? app->mainFrame() : nullptr;
    if (!popup || frame == nullptr)
        return;
    frame->trackPopupMenu(*popup, point);
}

void CTView::SetIconic(bool iconic)
{
    const fw::ChildFrame* frame = parentFrame();
    if (iconic && frame != nullptr && !frame->isMinimized())
        SetSelection(-1);
}

void CTView::OnOptionsDisplayOrder()
{
    CTDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    KvColumnChooserArgs args;
    args.captionId = IDS_COLUMNS_CAPTION;
    for (std::size_t id = 0; id < doc->m_available.size(); ++id) {
        KvColumnTitle title;
        if (doc->m_atoms)
            title.text = doc->GetColumnTitleText(static_cast<int>(id));
        else
            title.stringId = doc->m_available[id];
        args.titles.push_back(std::move(title));
    }
    // The widths as the user left them go back into the document first, whatever the answer.
    doc->StoreColumnWidths();
    args.selection = &doc->m_selected;
    args.view = this;
    args.mandatory = doc->m_columnChooser;
    args.showFixed = 1;
    args.fixedCount = frozenCols();
    const auto& dialog = KvTableDialogs().chooseColumns;
    if (!dialog || dialog(args) != 1)
        return;
    doc->m_fixedColumns = std::max(args.fixedCount, 0);
    setFrozenCols(doc->m_fixedColumns);
    RestructControl();
}

void CTView::OnOptionsPopup()
{
    CTDoc* doc = GetDocument();
    KvLayoutEntry* entry = ps != nullptr && doc != nullptr ? ps->GetLayout(doc->GetDocID()) : nullptr;
    const auto& dialog = KvTableDialogs().editPopup;
    if (entry != nullptr && dialog)
        dialog(*this, doc->GetDocID(), entry->popup);
}

void CTView::OnOptionsTitle()
{
    CTDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    std::string byDefault;
    doc->MakeTitle(byDefault);
    CSetWinTextDlg dialog(doc, byDefault, this);
    dialog.m_sTitle = doc->m_sCustomTitle.empty() ? byDefault : doc->m_sCustomTitle;
    if (dialog.doModal() != fw::IDOK)
        return;
    const std::string& title = dialog.m_sTitle;
    // The default text stores no custom title, so a later change of the default shows through.
    doc->m_sCustomTitle = title == byDefault ? std::string() : title;
    doc->setTitle(doc->m_sCustomTitle.empty() ? byDefault : title);
}

fw::WindowPlacement CTView::GetFramePlacement() const
{
    const fw::ChildFrame* frame = parentFrame();
    if (frame != nullptr)
        return fw::placementOf(*frame);
    const CTDoc* doc = GetDocument();
    return doc != nullptr ? doc->m_wndPlacement : fw::WindowPlacement {};
}

void CTView::SetFramePlacement(const fw::WindowPlacement& placement)
{
    if (fw::ChildFrame* frame = parentFrame())
        fw::applyPlacement(*frame, placement);
}

bool CTView::IsFrameAlwaysOnTop() const
{
    const fw::ChildFrame* frame = parentFrame();
    return frame != nullptr && frame->isAlwaysOnTop();
}

void CTView::SetFrameAlwaysOnTop()
{
    if (fw::ChildFrame* frame = parentFrame())
        frame->setAlwaysOnTop(true);
}

bool CTView::FrameHasCaption() const
{
    const fw::ChildFrame* frame = parentFrame();
    return frame == nullptr || frame->hasCaption();
}

void CTView::RemoveFrameCaption()
{
    if (fw::ChildFrame* frame = parentFrame())
        frame->setCaption(false);
}

void CTView::ApplyLayout()
{
    if (GetDocument() == nullptr || !IsInitialized())
        return;
    ShowDocumentZoom();
    RestructControl();
}

void CTView::MapTableCommands()
{
    fw::CommandMap& map = commands();
    map.onCommand(ID_OPTIONS_DISPLAYORDER, [this] { OnOptionsDisplayOrder(); });
    map.onCommand(ID_OPTIONS_POPUP, [this] { OnOptionsPopup(); });
    map.onCommand(ID_OPTIONS_TITLE, [this] { OnOptionsTitle(); });
    map.onCommand(ID_FILE_PRINT, [this] { fw::printView(*this, false); });
    map.onCommand(ID_FILE_PRINT_PREVIEW, [this] { fw::printView(*this, true); });
    const auto printRight = [](fw::CmdUI& ui) { ui.enable(CanAccess(ui.id(), 0) != 0); };
    map.onUpdate(ID_FILE_PRINT, printRight);
    map.onUpdate(ID_FILE_PRINT_PREVIEW, printRight);
}
