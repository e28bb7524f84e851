#include "kv32/windows/trades_view.h"

#include <cstdio>

#include "kv32/lists/trades_list.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/tables/all_tables.h"

namespace {

const CTradeRec* AsTrade(const std::uint8_t* record)
{
    return reinterpret_cast<const CTradeRec*>(record);
}

} // namespace

CTradesView::CTradesView(QWidget* parent)
    : CListView(parent)
{
    for (unsigned id : { ID_TRADE_REQUEST_CANCEL, ID_TRADE_CONFIRM_CANCEL, ID_TRADE_APPROVE_CANCEL,
             ID_TRADE_REJECT_CANCEL, ID_TRADE_OPERATOR_CANCEL }) {
        MapCommand(
            id, KvCommandRule::NeedCurrentRow,
            [id](const std::uint8_t* current) { return TradeCommandAllowed(id, AsTrade(current)); },
            [this, id] { OnTradeCancel(id); });
    }
    for (unsigned id : { ID_SUMMARY_ORDER, ID_SUMMARY_TRADING_ACCOUNT })
        MapDialogCommand(id, KvCommandRule::NeedCurrentRow, nullptr, nullptr);
}

CTradesView::~CTradesView() = default;

void CTradesView::OnTradeCancel(unsigned commandId)
{
    const CTableIndexDoc* doc = GetListDoc();
    if (doc == nullptr)
        return;
    KvRowAction action;
    action.build = [doc, commandId](unsigned row) -> std::optional<KvRowTransaction> {
        const CTradeRec* trade = AsTrade(doc->GetRowData(static_cast<int>(row)));
        if (trade == nullptr)
            return std::nullopt;
        return TradeCancelTransaction(commandId, *trade);
    };
    SendForSelection(action);
}

int CTradesView::FindHostIndexOfNumber(std::uint32_t number) const
{
    char text[16];
    std::snprintf(text, sizeof text, "%012lu", static_cast<unsigned long>(number));
    return TradeTable().FindRowByNumber(text);
}
