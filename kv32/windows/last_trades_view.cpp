#include "kv32/windows/last_trades_view.h"

#include "kv32/lists/last_trades_list.h"

CLastNView::CLastNView(QWidget* parent)
    : CListView(parent)
{
}

CLastNView::~CLastNView() = default;

int CLastNView::FindHostIndexOfNumber(std::uint32_t number) const
{
    const auto* doc = dynamic_cast<const CLastNDoc*>(GetListDoc());
    return doc == nullptr ? -1 : doc->HostIndexOfRow(doc->RowOfTradeNo(number));
}
