#include "kv32/windows/private_orders_view.h"

#include <string_view>

#include "fw/core/msgbox.h"
#include "fw/ui/app.h"
#include "fw/ui/mainframe.h"
#include "kv32/dialogs/order_entry_dlg.h"
#include "kv32/dialogs/wai_dlg.h"
#include "kv32/filters/order_list.h"
#include "kv32/filters/order_list_import.h"
#include "kv32/lists/order_copies.h"
#include "kv32/lists/private_orders_list.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/res/order_list_strings.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/logon.h"
#include "kvcore/res/grid_ids.h"

CPrivateOrderView::CPrivateOrderView(QWidget* parent)
    : CListView(parent)
{
    const auto notRejected = [](const std::uint8_t* current) {
        const auto* order = reinterpret_cast<const CLocalOrderRec*>(current);
        return order != nullptr
            && std::string_view(order->szStatus) != LocalOrderTable().StateText(LocalOrderState::Rejected);
    };
    MapCommand(ID_POB_RELEASE, KvCommandRule::NeedCurrentRow, notRejected, [this] { OnRelease(); });
    MapCommand(ID_POB_MOVE, KvCommandRule::NeedCurrentRow, nullptr, [this] { OnMove(); });
    MapCommand(ID_POB_DELETE, KvCommandRule::NeedSelection, nullptr, [this] { OnDelete(); });
    MapCommand(ID_POB_AMEND, KvCommandRule::NeedCurrentRow, nullptr, [this] { OnAmend(); });
    MapCommand(ID_POB_CLEAR, KvCommandRule::NeedRows, nullptr, [this] { OnClear(); });
    MapCommand(ID_LIST_EXPORT, KvCommandRule::NeedSelection, nullptr, [this] { OnExport(false); });
    MapCommand(ID_LIST_EXPORT_ALL, KvCommandRule::NeedRows, nullptr, [this] { OnExport(true); });
    MapCommand(ID_POB_IMPORT, KvCommandRule::Always, nullptr, [this] { OnImport(); });
}

CPrivateOrderView::~CPrivateOrderView() = default;

CPrivateOrderDoc* CPrivateOrderView::Doc() const
{
    return dynamic_cast<CPrivateOrderDoc*>(GetListDoc());
}

void CPrivateOrderView::OnRelease()
{
    if (CPrivateOrderDoc* doc = Doc())
        ReleasePrivateOrders(*doc, SelectedRows(), *this);
}

void CPrivateOrderView::OnMove()
{
    CPrivateOrderDoc* doc = Doc();
    if (doc == nullptr)
        return;
    CWAIDlg dlg;
    if (dlg.doModal() != fw::IDOK)
        return;
    if (!MovePrivateOrders(*doc, SelectedRows(), dlg.Identifier()))
        KvMessageBox(KvListWindowString(IDS_LIST_FIELD_REFUSED), fw::MB_ICONEXCLAMATION);
}

void CPrivateOrderView::OnDelete()
{
    if (CPrivateOrderDoc* doc = Doc())
        DeletePrivateOrders(*doc, SelectedRows());
}

void CPrivateOrderView::OnAmend()
{
    CPrivateOrderDoc* doc = Doc();
    const int index = doc == nullptr ? -1 : doc->HostIndexOfRow(doc->GetCurrentIndex());
    if (index < 0)
        return;
    // The dialog changes the order in the book instead of sending it.
    COrderEntryDlg dlg(IsBuySide(LocalOrderTable().GetAt(index)->szBuySell) ? 1 : 2, 0);
    dlg.SetPrivateOrder(index);
    dlg.doModal();
}

void CPrivateOrderView::OnClear()
{
    if (CPrivateOrderDoc* doc = Doc())
        ClearPrivateOrders(*doc);
}

void CPrivateOrderView::OnExport(bool all)
{
    CPrivateOrderDoc* doc = Doc();
    const std::vector<unsigned> rows = ExportRows(all);
    if (doc == nullptr || rows.empty())
        return;
    const std::string path = AskFileName(false, IDS_ODL_EXPORT_TITLE, IDS_ODL_PRIVATE_EXPORT_FILTER, "odl");
    if (path.empty())
        return;
    std::vector<const CLocalOrderRec*> orders;
    for (unsigned row : rows)
        if (const CLocalOrderRec* order = doc->GetRowOrder(static_cast<int>(row)))
            orders.push_back(order);
    if (const std::uint32_t error = ExportPrivateOrdersFile(path, orders))
        KvMessageBox(Kv32OrderListString(error), fw::MB_ICONHAND);
}

void CPrivateOrderView::OnImport()
{
    CPrivateOrderDoc* doc = Doc();
    if (doc == nullptr)
        return;
    const std::string path = AskFileName(true, IDS_ODL_IMPORT_TITLE, IDS_ODL_PRIVATE_IMPORT_FILTER, "odl");
    if (path.empty())
        return;
    KvWaitCursor wait;
    COrderListImport imported = ImportPrivateOrdersFile(path);
    if (imported.fileError != 0)
        KvMessageBox(Kv32OrderListString(imported.fileError), fw::MB_ICONHAND);
    AppendImportedOrders(*doc, imported.orders);
}

std::optional<fw::Menu> CPrivateOrderView::EmptyWindowMenu() const
{
    std::optional<fw::Menu> menu = BuildPopUpMenu(IDM_GRID_POPUP);
    if (menu)
        menu->add(fw::Menu::command(ID_POB_IMPORT, "&" + Kv32OrderListString(IDS_ODL_IMPORT_TITLE) + "..."));
    return menu;
}

void CPrivateOrderView::DoPopUpMenu(QPoint point, unsigned menuId)
{
    const CPrivateOrderDoc* doc = Doc();
    if (menuId != IDM_GRID_POPUP || doc == nullptr || doc->GetRowCount() != 0) {
        CListView::DoPopUpMenu(point, menuId);
        return;
    }
    std::optional<fw::Menu> menu = EmptyWindowMenu();
    fw::App* app = fw::App::instance();
    fw::MainFrame* frame = app != nullptr ? app->mainFrame() : nullptr;
    if (menu && frame != nullptr)
        frame->trackPopupMenu(*menu, point);
}
