#include "kv32/windows/list_filter_dialogs.h"

#include "fw/core/msgbox.h"
#include "kv32/filters/dialogs/filter_dlgs.h"
#include "kv32/lists/list_criteria.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/tables/last_trade_table.h"
#include "kv32/tables/local_order_record.h"
#include "kv32/tables/neg_deal_table.h"
#include "kv32/tables/participant_table.h"
#include "kv32/tables/order_record.h"
#include "kv32/tables/trade_table.h"

namespace {

// Runs Dialog on the criteria when they are the window's Filter over Rec.
template <class Dialog, class Filter, class Rec> void Install(std::uint32_t tableId)
{
    KvSetFilterDialog(tableId, [](CListCriteria& criteria) {
        auto* own = dynamic_cast<CCriteriaOf<Filter, Rec>*>(&criteria);
        if (own == nullptr)
            return static_cast<int>(fw::IDCANCEL);
        Dialog dlg(own->Get());
        return dlg.doModal();
    });
}

} // namespace

void KvInstallListFilterDialogs()
{
    Install<CFilterOrderDlg, COrdersFilter, COrderRec>(8);
    Install<CFilterTradeDlg, CTradesFilter, CTradeRec>(9);
    Install<CFilterNDealDlg, CNDealsFilter, CNegDealRec>(10);
    Install<CFilterLastNDlg, CLastNFilter, LastTradeRec>(30);
    Install<CFilterLastNDlg, CLastNFilter, LastTradeRec>(38);
    Install<CFilterPrivateOrderDlg, CPrivateOrderFilter, CLocalOrderRec>(32);
    Install<CFilterFirmDlg, CFirmsFilter, ParticipantRec>(17);
}
