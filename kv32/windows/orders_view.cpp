#include "kv32/windows/orders_view.h"

#include "fw/core/msgbox.h"
#include "kv32/dialogs/amend_dlg.h"
#include "kv32/dialogs/order_entry_dlg.h"
#include "kv32/dialogs/wai_dlg.h"
#include "kv32/filters/order_list.h"
#include "kv32/lists/order_copies.h"
#include "kv32/res/order_list_strings.h"
#include "kv32/tables/local_order_table.h"
#include "kv32/dialogs/order_method_dlg.h"
#include "kv32/dialogs/withdraw_dlg.h"
#include "kv32/filters/orders_filter.h"
#include "kv32/filters/trading_filters.h"
#include "kv32/lists/orders_list.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/shell/order_withdraw_record.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/host_table.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/prompts.h"
#include "kvcore/frame/app_core.h"

#include <algorithm>
#include <map>

namespace {

const COrderRec* AsOrder(const std::uint8_t* record)
{
    return reinterpret_cast<const COrderRec*>(record);
}

// The command's transaction for each selected order.
KvRowAction OrderAction(const CTableIndexDoc* doc, unsigned commandId, bool confirm)
{
    KvRowAction action;
    action.confirm = confirm;
    action.build = [doc, commandId](unsigned row) -> std::optional<KvRowTransaction> {
        const COrderRec* order = AsOrder(doc->GetRowData(static_cast<int>(row)));
        if (order == nullptr)
            return std::nullopt;
        return OrderTransaction(commandId, *order);
    };
    return action;
}

void SendText(int code, std::string text)
{
    if (text.empty()) {
        KvMessageBox(KvListWindowString(IDS_LIST_FIELD_REFUSED), fw::MB_ICONEXCLAMATION);
        return;
    }
    VORLTransaction(code, text.data(), static_cast<int>(text.size()), 1);
}

} // namespace

COrdersView::COrdersView(QWidget* parent)
    : CListView(parent)
{
    const auto allows = [](unsigned id) {
        return [id](const std::uint8_t* current) { return OrderCommandAllowed(id, AsOrder(current)); };
    };
    MapCommand(ID_LIST_AMEND, KvCommandRule::NeedCurrentRow, allows(ID_LIST_AMEND), [this] { OnAmend(); });
    MapCommand(ID_LIST_WITHDRAW, KvCommandRule::NeedCurrentRow, allows(ID_LIST_WITHDRAW), [this] { OnWithdraw(); });
    MapCommand(ID_ORDER_APPROVE, KvCommandRule::NeedCurrentRow, allows(ID_ORDER_APPROVE), [this] { OnApprove(); });
    MapCommand(ID_ORDER_WITHDRAW_TODAY, KvCommandRule::Always, nullptr, [this] { OnWithdrawToday(); });
    MapCommand(ID_ORDER_WITHDRAW_ALL, KvCommandRule::Always, nullptr, [this] { OnWithdrawAll(); });
    MapCommand(ID_ORDER_TRADES, KvCommandRule::Always, nullptr, [this] { OnTrades(); });
    MapCommand(ID_ORDER_OUTSTANDING, KvCommandRule::Always, nullptr, [this] { OnOutstanding(); });
    MapDialogCommand(ID_SUMMARY_TRADING_ACCOUNT, KvCommandRule::NeedCurrentRow, nullptr, nullptr);
    MapCommand(ID_ORDER_METHODS, KvCommandRule::NeedCurrentRow, allows(ID_ORDER_METHODS), [this] { OnOrderMethods(); });
    MapCommand(ID_LIST_EXPORT, KvCommandRule::NeedSelection, nullptr, [this] { OnExport(false); });
    MapCommand(ID_LIST_EXPORT_ALL, KvCommandRule::NeedRows, nullptr, [this] { OnExport(true); });
    MapCommand(ID_ORDER_COPY_TO_ENGINE, KvCommandRule::NeedCurrentRow, nullptr, [this] { OnCopyToEngine(); });
    MapCommand(ID_ORDER_AMEND_TO_ENGINE, KvCommandRule::NeedCurrentRow, nullptr, [this] { OnAmendToEngine(); });
    MapCommand(ID_ORDER_COPY_TO_POB, KvCommandRule::NeedCurrentRow, nullptr, [this] { OnCopyToPrivateBook(); });
    MapCommand(ID_ORDER_MOVE_TO_POB, KvCommandRule::NeedCurrentRow, nullptr, [this] { OnMoveToPrivateBook(); });
}

COrdersView::~COrdersView() = default;

int COrdersView::CurrentHostIndex() const
{
    const CTableIndexDoc* doc = GetListDoc();
    return doc == nullptr ? -1 : doc->HostIndexOfRow(doc->GetCurrentIndex());
}

void COrdersView::OnAmend()
{
    const int row = CurrentHostIndex();
    if (row < 0)
        return;
    CAmendDlg dlg(row);
    dlg.doModal();
}

void COrdersView::OnOrderMethods()
{
    const int row = CurrentHostIndex();
    if (row < 0)
        return;
    COrderMethodDlg dlg(*OrderTable().GetRec(row));
    dlg.doModal();
}

void COrdersView::OnTrades()
{
    const CTableIndexDoc* doc = GetListDoc();
    const std::vector<unsigned> rows = KvSortedSelection(SelectedRows());
    CKvAppCore* app = CKvAppCore::Instance();
    if (doc == nullptr || app == nullptr)
        return;
    // The smallest and the largest selected order numbers: a sorted view
    // does not list them first and last.
    std::uint32_t lowest = 0, highest = 0;
    bool any = false;
    for (unsigned row : rows) {
        const COrderRec* order = AsOrder(doc->GetRowData(static_cast<int>(row)));
        if (order == nullptr)
            continue;
        lowest = any ? std::min(lowest, order->nOrderNo) : order->nOrderNo;
        highest = any ? std::max(highest, order->nOrderNo) : order->nOrderNo;
        any = true;
    }
    auto* trades = dynamic_cast<CTableIndexDoc*>(app->OpenTable(9, true, true, nullptr));
    auto* criteria = trades == nullptr ? nullptr : dynamic_cast<CCriteriaOf<CTradesFilter, CTradeRec>*>(&trades->Filter());
    if (criteria == nullptr || !any)
        return;
    criteria->Reset();
    CTradesFilter& filter = criteria->Get();
    filter.m_bNoFiltering = 0;
    filter.m_nLowestOrderNo = lowest;
    filter.m_nHighestOrderNo = highest;
    trades->UpdateDocument(0, nullptr);
}

void COrdersView::OnOutstanding()
{
    CKvAppCore* app = CKvAppCore::Instance();
    auto* orders = app == nullptr ? nullptr : dynamic_cast<CTableIndexDoc*>(app->OpenTable(8, true, true, nullptr));
    auto* criteria = orders == nullptr ? nullptr : dynamic_cast<CCriteriaOf<COrdersFilter, COrderRec>*>(&orders->Filter());
    if (criteria == nullptr)
        return;
    criteria->Reset();
    COrdersFilter& filter = criteria->Get();
    filter.m_bNoFiltering = 0;
    filter.m_bShowOpen = 1;
    filter.m_bShowInactive = filter.m_bShowMatched = filter.m_bShowAmended = filter.m_bShowWithdrawn
        = filter.m_bShowUnapproved = 0;
    orders->UpdateDocument(0, nullptr);
}

void COrdersView::OnWithdraw()
{
    const std::vector<unsigned> rows = KvSortedSelection(SelectedRows());
    if (rows.size() < 2) {
        // One order: the withdraw dialog, which sends itself.
        CWithdrawDlg dlg(CurrentHostIndex());
        dlg.doModal();
        return;
    }
    const CTableIndexDoc* doc = GetListDoc();
    KvRowAction action = OrderAction(doc, ID_LIST_WITHDRAW, false);
    SendForSelection(action);
}

void COrdersView::OnApprove()
{
    const CTableIndexDoc* doc = GetListDoc();
    KvRowAction action = OrderAction(doc, ID_ORDER_APPROVE, true);
    SendForSelection(action);
}

void COrdersView::OnWithdrawToday()
{
    if (AreYouShure(IDS_WITHDRAW_TODAY_CONFIRM) == fw::IDNO)
        return;
    SendText(138, BuildWithdrawTodayText());
}

void COrdersView::OnWithdrawAll()
{
    if (AreYouShure(IDS_WITHDRAW_ALL_CONFIRM) == fw::IDNO)
        return;
    KvFieldWriter user;
    AppendUserField(user);
    SendText(138, KvWithdrawAllOrdersRecord(user.Str()));
}

void COrdersView::OnExport(bool all)
{
    const CTableIndexDoc* doc = GetListDoc();
    const std::vector<unsigned> rows = ExportRows(all);
    if (doc == nullptr || rows.empty())
        return;
    const std::string path = AskFileName(false, IDS_ODL_EXPORT_TITLE, IDS_ODL_EXPORT_FILTER, "odl");
    if (path.empty())
        return;
    std::vector<const COrderRec*> orders;
    for (unsigned row : rows)
        if (const COrderRec* order = AsOrder(doc->GetRowData(static_cast<int>(row))))
            orders.push_back(order);
    if (const std::uint32_t error = ExportOrdersFile(path, orders))
        KvMessageBox(Kv32OrderListString(error), fw::MB_ICONHAND);
}

void COrdersView::OnCopyToEngine()
{
    const CTableIndexDoc* doc = GetListDoc();
    KvRowAction action = OrderAction(doc, ID_ORDER_COPY_TO_ENGINE, false);
    SendForSelection(action);
}

void COrdersView::OnAmendToEngine()
{
    const CTableIndexDoc* doc = GetListDoc();
    const COrderRec* order = doc == nullptr ? nullptr : AsOrder(doc->GetRowData(doc->GetCurrentIndex()));
    if (order == nullptr)
        return;
    // The dialog takes the order from this window's current row, methods included.
    COrderEntryDlg dlg(IsBuySide(order->szBuySell) ? 1 : 2, 0, nullptr, 0, 1);
    dlg.doModal();
}

namespace {

// The work area typed in the identifier dialog; empty when cancelled.
std::string AskWorkArea()
{
    CWAIDlg dlg;
    return dlg.doModal() == fw::IDOK ? dlg.Identifier() : std::string();
}

} // namespace

void COrdersView::OnCopyToPrivateBook()
{
    const CTableIndexDoc* doc = GetListDoc();
    const std::vector<unsigned> rows = KvSortedSelection(SelectedRows());
    if (doc == nullptr || rows.empty())
        return;
    const std::string workArea = AskWorkArea();
    if (workArea.empty())
        return;
    std::vector<CLocalOrderRec> copies;
    for (unsigned row : rows) {
        const COrderRec* order = AsOrder(doc->GetRowData(static_cast<int>(row)));
        std::optional<CLocalOrderRec> copy = order == nullptr ? std::nullopt : LocalCopyOfOrder(*order, workArea);
        if (!copy) {
            KvMessageBox(KvListWindowString(IDS_LIST_FIELD_REFUSED), fw::MB_ICONEXCLAMATION);
            return;
        }
        copies.push_back(*copy);
    }
    for (const CLocalOrderRec& copy : copies)
        LocalOrderTable().Insert(copy);
}

void COrdersView::OnMoveToPrivateBook()
{
    const CTableIndexDoc* doc = GetListDoc();
    if (doc == nullptr || SelectedRows().empty())
        return;
    const std::string workArea = AskWorkArea();
    if (workArea.empty())
        return;
    // Only orders the host can still withdraw move; each keeps its copy as it
    // was before the withdrawal.
    std::vector<unsigned> rows;
    std::map<unsigned, CLocalOrderRec> copies;
    for (unsigned row : KvSortedSelection(SelectedRows())) {
        const COrderRec* order = AsOrder(doc->GetRowData(static_cast<int>(row)));
        if (order == nullptr || !OrderCommandAllowed(ID_ORDER_MOVE_TO_POB, order))
            continue;
        std::optional<CLocalOrderRec> copy = LocalCopyOfOrder(*order, workArea);
        if (!copy) {
            KvMessageBox(KvListWindowString(IDS_LIST_FIELD_REFUSED), fw::MB_ICONEXCLAMATION);
            return;
        }
        rows.push_back(row);
        copies.emplace(row, *copy);
    }
    KvRowAction action = OrderAction(doc, ID_ORDER_MOVE_TO_POB, false);
    action.sent = [&copies](unsigned row, bool withdrawn) {
        // An order the host kept stays there only.
        if (withdrawn)
            LocalOrderTable().Insert(copies.at(row));
    };
    KvSendForRows(rows, action, *this);
}

int COrdersView::FindHostIndexOfNumber(std::uint32_t number) const
{
    return OrderTable().FindRow(number);
}
