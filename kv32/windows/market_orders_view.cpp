#include "kv32/windows/market_orders_view.h"

#include "kv32/res/market_window_strings.h"

CMktOrdView::CMktOrdView(QWidget* parent)
    : CListView(parent)
{
    Kv32RegisterMarketWindowResources();
    MapDialogCommand(ID_MW_TICK, KvCommandRule::NeedCurrentRow, nullptr, nullptr);
    DisableSorting();
}

CMktOrdView::~CMktOrdView() = default;
