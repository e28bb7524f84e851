#include "kv32/windows/neg_deals_view.h"

#include "kv32/lists/neg_deals_list.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/tables/all_tables.h"

namespace {

const CNegDealRec* AsDeal(const std::uint8_t* record)
{
    return reinterpret_cast<const CNegDealRec*>(record);
}

} // namespace

CNDealsView::CNDealsView(QWidget* parent)
    : CListView(parent)
{
    const auto allows = [](unsigned id) {
        return [id](const std::uint8_t* current) { return DealCommandAllowed(id, AsDeal(current)); };
    };
    for (unsigned id : { ID_LIST_WITHDRAW, ID_DEAL_APPROVE })
        MapCommand(id, KvCommandRule::NeedCurrentRow, allows(id), [this, id] { OnDealTransaction(id); });
    MapDialogCommand(ID_DEAL_CONFIRM, KvCommandRule::NeedCurrentRow, allows(ID_DEAL_CONFIRM), nullptr);
    MapDialogCommand(ID_LIST_AMEND, KvCommandRule::NeedCurrentRow, allows(ID_LIST_AMEND), [this] {
        const CTableIndexDoc* doc = GetListDoc();
        const CNegDealRec* deal = doc == nullptr ? nullptr : AsDeal(doc->GetRowData(doc->GetCurrentIndex()));
        return deal != nullptr && DealIsMatched(*deal) ? 1 : 0;
    });
    MapDialogCommand(ID_SUMMARY_TRADING_ACCOUNT, KvCommandRule::NeedCurrentRow, nullptr, nullptr);
    // The export writes through the deals' export file form, installed with it.
    MapDialogCommand(ID_LIST_EXPORT, KvCommandRule::Always, nullptr, nullptr);
    MapDialogCommand(ID_LIST_EXPORT_ALL, KvCommandRule::Always, nullptr, nullptr);
}

CNDealsView::~CNDealsView() = default;

void CNDealsView::OnDealTransaction(unsigned commandId)
{
    const CTableIndexDoc* doc = GetListDoc();
    if (doc == nullptr)
        return;
    KvRowAction action;
    action.confirmTextId = commandId == ID_LIST_WITHDRAW ? unsigned { IDS_WITHDRAW_CONFIRM } : 0u;
    action.build = [doc, commandId](unsigned row) -> std::optional<KvRowTransaction> {
        const CNegDealRec* deal = AsDeal(doc->GetRowData(static_cast<int>(row)));
        if (deal == nullptr)
            return std::nullopt;
        return DealTransaction(commandId, *deal);
    };
    SendForSelection(action);
}

int CNDealsView::FindHostIndexOfNumber(std::uint32_t number) const
{
    return NegDealTable().FindRowByNumber(number);
}
