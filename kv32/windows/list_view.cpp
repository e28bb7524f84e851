#include "kv32/windows/list_view.h"

#include <charconv>

#include "fw/core/msgbox.h"
#include "fw/ui/childframe.h"
#include "kv32/dialogs/selection_dlgs.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/list_window_strings.h"
#include "kvcore/app/app_core_logic.h"
#include "kvcore/app/logon.h"
#include "kvcore/frame/app_core.h"
#include "kvcore/frame/main_frame_core.h"
#include "kvcore/res/grid_ids.h"
#include "kv32/res/order_list_strings.h"
#include "kvcore/res/grid_ids.h"

CListView::CListView(QWidget* parent)
    : CTView(parent)
{
    Kv32RegisterListWindowResources();
    commands().onCommand(ID_OPTIONS_FILTER, [this] { OnFilter(); });
    commands().onUpdate(ID_OPTIONS_FILTER, [this](fw::CmdUI& ui) {
        ui.enable(HasFilterDialog());
    });
    commands().onCommand(ID_VIEW_GOTO, [this] { OnGoTo(); });
    commands().onUpdate(ID_VIEW_GOTO, [](fw::CmdUI& ui) { ui.enable(true); });
}

CListView::~CListView() = default;

CTableIndexDoc* CListView::GetListDoc() const
{
    return dynamic_cast<CTableIndexDoc*>(GetDocument());
}

CTDoc* CListView::GetTableDoc() const
{
    return dynamic_cast<CTDoc*>(GetDocument());
}

KvRowState CListView::RowState() const
{
    KvRowState state;
    if (const CTDoc* doc = GetTableDoc()) {
        state.current = doc->GetCurrentIndex();
        state.rows = doc->GetRowCount();
        std::vector<unsigned> rows;
        state.selected = doc->GetSelectedRows(rows);
    }
    return state;
}

std::vector<unsigned> CListView::SelectedRows() const
{
    std::vector<unsigned> rows;
    if (const CTDoc* doc = GetTableDoc())
        doc->GetSelectedRows(rows);
    return rows;
}

const std::uint8_t* CListView::CurrentRecord() const
{
    const CTDoc* doc = GetTableDoc();
    return doc == nullptr ? nullptr : doc->GetRowData(doc->GetCurrentIndex());
}

void CListView::MapCommand(unsigned id, KvCommandRule rule, StateTest state, std::function<void()> run)
{
    commands().onCommand(id, std::move(run));
    commands().onUpdate(id, [this, id, rule, state = std::move(state)](fw::CmdUI& ui) {
        bool on = KvCommandEnabled(rule, id, RowState());
        if (on && state)
            on = state(CurrentRecord());
        ui.enable(on);
    });
}

void CListView::MapDialogCommand(unsigned id, KvCommandRule rule, StateTest state, std::function<int()> argument)
{
    MapCommand(
        id, rule,
        [id, state = std::move(state)](const std::uint8_t* current) {
            return KvFindCommandDialog(id) != nullptr && (!state || state(current));
        },
        [id, argument = std::move(argument)] {
            if (const KvCommandDialog* dialog = KvFindCommandDialog(id))
                (*dialog)(argument ? argument() : 0);
        });
}

void CListView::MapForwardedCommand(unsigned id, KvCommandRule rule, StateTest state)
{
    commands().onUpdate(id, [this, id, rule, state = std::move(state)](fw::CmdUI& ui) {
        bool on = KvCommandEnabled(rule, id, RowState());
        if (on && state)
            on = state(CurrentRecord());
        // The handler is the main frame's or the application's: ask along the
        // frame's route, which reaches them (the view's own stops at its frame).
        fw::ChildFrame* frame = parentFrame();
        ui.enable(on && (frame != nullptr ? frame->hasCommandHandler(id) : hasCommandHandler(id)));
    });
}

void CListView::DisableSorting()
{
    for (unsigned id : { ID_SORT_DLG, ID_SORT_ASCENDING, ID_SORT_DESCENDING })
        commands().onUpdate(id, [](fw::CmdUI& ui) { ui.enable(false); });
}

CTDoc* CListView::OpenListWindow(std::uint32_t tableId)
{
    CKvAppCore* app = CKvAppCore::Instance();
    if (app == nullptr || !KvHasListWindow(tableId))
        return nullptr;
    return app->OpenTable(tableId, true, true, nullptr);
}

int CListView::SendForSelection(const KvRowAction& action)
{
    return KvSendForRows(SelectedRows(), action, *this);
}

std::vector<unsigned> CListView::ExportRows(bool all) const
{
    if (!all)
        return KvSortedSelection(SelectedRows());
    std::vector<unsigned> rows;
    if (const CTableIndexDoc* doc = GetListDoc())
        for (int row = 0; row < doc->GetRowCount(); ++row)
            rows.push_back(static_cast<unsigned>(row));
    return rows;
}

std::string CListView::AskFileName(bool open, unsigned titleId, unsigned filterId, const std::string& defaultExt)
{
    CKvAppCore* app = CKvAppCore::Instance();
    CMainFrameCore* frame = app != nullptr ? app->GetMainFrame() : nullptr;
    if (frame == nullptr)
        return {};
    RegisterOrderListStrings();
    return frame->GetFilename(open, "", fw::loadString(titleId), filterId, defaultExt);
}

bool CListView::HasFilterDialog() const
{
    const CTableIndexDoc* doc = GetListDoc();
    return doc != nullptr && KvFindFilterDialog(doc->GetTableID()) != nullptr;
}

void CListView::OnFilter()
{
    CTableIndexDoc* doc = GetListDoc();
    const KvFilterDialog* dialog = doc == nullptr ? nullptr : KvFindFilterDialog(doc->GetTableID());
    if (dialog == nullptr || (*dialog)(doc->Filter()) != fw::IDOK)
        return;
    KvWaitCursor wait;
    doc->UpdateDocument(0, nullptr);
}

void CListView::OnGoTo()
{
    CTDoc* doc = GetTableDoc();
    if (doc == nullptr)
        return;
    CGotoDlg dlg(doc->GetTableID());
    if (dlg.doModal() != fw::IDOK)
        return;
    const int row = FindRowOfText(dlg.Text());
    if (row >= 0)
        SetSelection(row);
}

int CListView::FindRowOfText(const std::string& text) const
{
    const CTableIndexDoc* doc = GetListDoc();
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (doc == nullptr || error != std::errc() || end != text.data() + text.size())
        return -1;
    return doc->RowOfHostIndex(FindHostIndexOfNumber(number));
}

void CListView::DoPopUpMenu(QPoint point, unsigned menuId)
{
    if (menuId == 0 && fw::findMenu(GetViewID()) == nullptr)
        menuId = IDM_GRID_POPUP;
    CTView::DoPopUpMenu(point, menuId);
}

void CListView::OpenTable(std::uint32_t tableId)
{
    CKvAppCore* app = CKvAppCore::Instance();
    if (app != nullptr && KvHasListWindow(tableId))
        app->OpenTable(tableId, true, true, nullptr);
}

void CListView::UpdateAllViews(std::uint32_t tableId)
{
    // The documents read their rows again: a view alone would repaint the old ones.
    if (CKvAppCore* app = CKvAppCore::Instance())
        app->UpdateAllDocuments(tableId, 0, nullptr);
}
