#include "kv32/windows/order_book_view.h"

#include "kv32/filters/orders_filter.h"
#include "kv32/filters/trading_filters.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/lists/order_book_list.h"
#include "kv32/lists/orders_list.h"
#include "kv32/lists/security_book_filters.h"
#include "kv32/res/market_window_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/windows/child_bar_frame.h"

COrdBkView::COrdBkView(QWidget* parent)
    : CListView(parent)
{
    Kv32RegisterMarketWindowResources();
    MapDialogCommand(ID_MW_TICK, KvCommandRule::NeedCurrentRow, nullptr, nullptr);
    MapCommand(ID_MW_ORDERS, KvCommandRule::NeedCurrentRow, [](const std::uint8_t*) { return KvHasListWindow(8); },
        [this] { OnOrders(); });
    MapCommand(ID_MW_LAST_N_TRADES, KvCommandRule::NeedCurrentRow,
        [](const std::uint8_t*) { return KvHasListWindow(30); }, [this] { OnLastTrades(); });
    DisableSorting();
}

COrdBkView::~COrdBkView()
{
    // A document closed first took its sinks with it (and no longer names this view).
    if (COrdBkDoc* doc = GetBookDoc(); doc != nullptr && doc == m_pSinkDoc)
        doc->RemovePaneSink(this);
}

COrdBkDoc* COrdBkView::GetBookDoc() const
{
    return dynamic_cast<COrdBkDoc*>(GetDocument());
}

void COrdBkView::onInitialUpdate()
{
    CListView::onInitialUpdate();
    COrdBkDoc* doc = GetBookDoc();
    if (doc == nullptr || m_pSinkDoc == doc)
        return;
    m_pSinkDoc = doc;
    doc->AddPaneSink(this, [this](int pane, const std::string& text) {
        if (auto* frame = dynamic_cast<CTChildBarFrame*>(parentFrame()))
            frame->SetPaneText(pane, text);
    });
}

void COrdBkView::OnOrders()
{
    const COrdBkDoc* doc = GetBookDoc();
    auto* orders = dynamic_cast<CTableIndexDoc*>(OpenListWindow(8));
    if (doc == nullptr || orders == nullptr)
        return;
    const OrderBookLevel* level = doc->GetLevel(doc->GetCurrentIndex());
    auto* criteria = dynamic_cast<CCriteriaOf<COrdersFilter, COrderRec>*>(&orders->Filter());
    if (level == nullptr || criteria == nullptr)
        return;
    KvBookOrdersCriteria(criteria->Get(), doc->SecurityCode(), doc->GetCurrentColumn(),
        { level->dBid, level->dBidSize, level->dOffer, level->dOfferSize }, { 2, 4, 5, 7 });
    orders->UpdateDocument(0, nullptr);
}

void COrdBkView::OnLastTrades()
{
    const COrdBkDoc* doc = GetBookDoc();
    auto* trades = dynamic_cast<CTableIndexDoc*>(OpenListWindow(30));
    if (doc == nullptr || trades == nullptr || doc->GetCurrentIndex() < 0)
        return;
    if (auto* criteria = dynamic_cast<CCriteriaOf<CLastNFilter, LastTradeRec>*>(&trades->Filter()))
        KvBookLastTradesCriteria(criteria->Get(), doc->SecurityCode());
    trades->UpdateDocument(0, nullptr);
}
