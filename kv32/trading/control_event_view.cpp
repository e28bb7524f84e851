#include "kv32/trading/control_event_view.h"

#include <cstring>

#include "kv32/res/market_dialogs_ids.h"
#include "kv32/tables/all_tables.h"

KvControlEventView ControlEventView(const TradeEventRec& event)
{
    KvControlEventView v;
    v.mode = event.cEventType == 'G' ? kControlEventReference
        : event.cEventType == 'H'    ? kControlEventLimits
                                     : 0;
    if (v.mode == 0)
        return v;
    // The event names its security by short name, not by key.
    const std::string shortName(event.szObjectCode, strnlen(event.szObjectCode, sizeof event.szObjectCode));
    const int row = shortName.empty() ? -1 : SecurityTable().FindByName(shortName);
    if (row >= 0) {
        const SecurityRec& s = *SecurityTable().GetRec(row);
        v.security = s.szShortName;
        const std::string key(s.szCode, strnlen(s.szCode, sizeof s.szCode));
        const int board = key.size() >= 5 ? BoardTable().FindByCode(key.substr(1, 4).c_str()) : -1;
        if (board >= 0)
            v.board = BoardTable().GetRec(board)->szName;
    }
    const std::string key(event.szMessageKey, strnlen(event.szMessageKey, sizeof event.szMessageKey));
    v.message = ExchMessageTable().GetMessageText(key.c_str());
    if (v.mode == kControlEventLimits) {
        v.title = Kv32MarketDialogString(IDS_PC_PRICE_LIMIT_TITLE);
        // The record's first limit is the upper one, as the supervisor operations window shows it.
        v.upperLimit = event.dUpperLimit.Format(1, 1);
        v.lowerLimit = event.dLowerLimit.Format(1, 1);
    } else
        v.referencePrice = event.dRefPrice.Format(1, 1);
    return v;
}
