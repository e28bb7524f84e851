#include "kv32/windows/list_view.h"

#include <charconv>

#include "fw/core/msgbox.h"
#include "kv32/dialogs/selection_dlgs.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/list_window_strings.h"
#include "kvcore/app/app_core_logic.h"
#include "kvcore/app/logon.h"
#include "kvcore/frame/app_core.h"
#include "kvcore/frame/main_frame_core.h"
#include "kv32/res/order_list_strings.h"

CListView::CListView(QWidget* parent)
    : CTView(parent)
{
    Kv32RegisterListWindowResources();
    commands().onCommand(ID_OPTIONS_FILTER, [this] { OnFilter(); });
    commands().onUpdate(ID_OPTIONS_FILTER, [this](fw::CmdUI& ui) {
        const CTableIndexDoc* doc = GetListDoc();
        ui.enable(doc != nullptr && KvFindFilterDialog(doc->GetTableID()) != nullptr);
    });
    commands().onCommand(ID_VIEW_GOTO, [this] { OnGoTo(); });
    commands().onUpdate(ID_VIEW_GOTO, [](fw::CmdUI& ui) { ui.enable(true); });
}

CListView::~CListView() = default;

CTableIndexDoc* CListView::GetListDoc() const
{
    return dynamic_cast<CTableIndexDoc*>(GetDocument());
}

KvRowState CListView::RowState() const
{
    KvRowState state;
    if (const CTableIndexDoc* doc = GetListDoc()) {
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
    if (const CTableIndexDoc* doc = GetListDoc())
        doc->GetSelectedRows(rows);
    return rows;
}

const std::uint8_t* CListView::CurrentRecord() const
{
    const CTableIndexDoc* doc = GetListDoc();
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
    CTableIndexDoc* doc = GetListDoc();
    if (doc == nullptr)
        return;
    CGotoDlg dlg(doc->GetTableID());
    if (dlg.doModal() != fw::IDOK)
        return;
    const std::string& text = dlg.Text();
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        return;
    const int row = doc->RowOfHostIndex(FindHostIndexOfNumber(number));
    if (row >= 0)
        SetSelection(row);
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
