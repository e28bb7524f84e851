#include "kv32/trading/order_entry_layout.h"

#include <cstring>
#include <string>

#include "fw/core/command.h"
#include "kv32/res/table_strings.h"
#include "kv32/shell/permissions.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"
#include "kvcore/app/session_core.h"

namespace {

bool IsPrimary(const SecurityRec& s, const std::string& yes)
{
    std::string text(s.szDistribution, strnlen(s.szDistribution, sizeof s.szDistribution));
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return !yes.empty() && text == yes;
}

// The security row of the active window's selected row; -1 none.
int SelectedSecurity()
{
    const KvActiveRow* active = KvActiveListRow();
    if (active == nullptr)
        return -1;
    const int row = active->RecordIndex();
    const auto byCode = [](const char* code, size_t size) {
        return SecurityTable().FindByCode(std::string_view(code, strnlen(code, size)));
    };
    switch (active->TableId()) {
    case kListSecurities:
        return row >= 0 && row < SecurityTable().GetCount() ? row : -1;
    case kListOrders:
        if (row >= 0 && row < OrderTable().GetCount())
            return byCode(OrderTable().GetRec(row)->szSecurityCode, sizeof(COrderRec::szSecurityCode));
        return -1;
    case kListTrades:
        if (row >= 0 && row < TradeTable().GetCount())
            return byCode(TradeTable().GetRec(row)->szSecurityCode, sizeof(CTradeRec::szSecurityCode));
        return -1;
    case kListNegDeals:
        if (row >= 0 && row < NegDealTable().GetCount())
            return byCode(NegDealTable().GetRec(row)->szSecurityCode, sizeof(CNegDealRec::szSecurityCode));
        return -1;
    default:
        return -1;
    }
}

} // namespace

bool KvOrderEntryPrimaryLayout()
{
    const std::string yes = Kv32TableString(IDS_YES);
    CSecurityTable& table = SecurityTable();
    if (const int row = SelectedSecurity(); row >= 0)
        return IsPrimary(*table.GetRec(row), yes);
    if (table.GetCount() == 0)
        return false;
    for (int i = 0; i < table.GetCount(); ++i)
        if (!IsPrimary(*table.GetRec(i), yes))
            return false;
    return true;
}

void KvBindOrderEntryCommands(fw::CommandMap& map, std::function<void(int side, bool primary)> run)
{
    for (const unsigned id : { ID_ORDER_BUY, ID_ORDER_SELL }) {
        map.onCommand(id, [id, run] {
            if (ps != nullptr && IsCommandAllowed(id))
                run(id == ID_ORDER_BUY ? 1 : 2, KvOrderEntryPrimaryLayout());
        });
        map.onUpdate(id, [id](fw::CmdUI& ui) { ui.enable(ps != nullptr && IsCommandAllowed(id)); });
    }
}
