#include "kv32/windows/sec_boards_view.h"

#include "kv32/lists/sec_boards_list.h"
#include "kv32/res/market_window_strings.h"

CSecBrdsView::CSecBrdsView(QWidget* parent)
    : CListView(parent)
{
    Kv32RegisterMarketWindowResources();
    for (unsigned id : { ID_MW_BUY, ID_MW_SELL, ID_MW_DEAL })
        MapForwardedCommand(id, KvCommandRule::NeedCurrentRow, nullptr);
    for (unsigned id :
        { ID_MW_ORDER_BOOK, ID_MW_MARKET_BY_ORDER, ID_MW_ORDERS, ID_MW_TRADES, ID_MW_NEG_DEALS })
        MapCommand(id, KvCommandRule::AlwaysOff, nullptr, [] { });
}

CSecBrdsView::~CSecBrdsView() = default;

CSecBrdsDoc* CSecBrdsView::GetSecBrdsDoc() const
{
    return dynamic_cast<CSecBrdsDoc*>(GetDocument());
}

void CSecBrdsView::onInitialUpdate()
{
    CListView::onInitialUpdate();
    // Two lines of title: the board's name above the figure's.
    setTitleLines(2);
}

int CSecBrdsView::FindRowOfText(const std::string& text) const
{
    const CSecBrdsDoc* doc = GetSecBrdsDoc();
    return doc == nullptr ? -1 : doc->FindRowOfShortName(text);
}
