#include "kv32/windows/summary_view.h"

#include "kv32/dialogs/supervision/board_summary_dlg.h"
#include "kv32/res/market_window_strings.h"

CSumView::CSumView(QWidget* parent)
    : CListView(parent)
{
    Kv32RegisterMarketWindowResources();
    MapCommand(ID_MW_SUMMARY_BY_BOARD, KvCommandRule::Always, nullptr, [] { KvOpenBoardSummary(); });
}

CSumView::~CSumView() = default;
