#include "kv32/dialogs/market_commands.h"

#include "fw/core/command.h"
#include "kv32/dialogs/mm_order_dlg.h"
#include "kv32/dialogs/mm_tick_dlg.h"
#include "kv32/dialogs/neg_deal_dlg.h"
#include "kv32/dialogs/permission_dlg.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/shell/permissions.h"
#include "kvcore/app/session_core.h"

void KvBindMarketCommands(fw::CommandMap& map)
{
    const auto bind = [&map](unsigned id, void (*run)()) {
        map.onCommand(id, [id, run] {
            if (ps != nullptr && IsCommandAllowed(id))
                run();
        });
        map.onUpdate(id, [id](fw::CmdUI& ui) { ui.enable(ps != nullptr && IsCommandAllowed(id)); });
    };
    bind(ID_MARKET_MAKER, [] {
        CMMkrOrder dlg;
        dlg.doModal();
    });
    bind(ID_TICK_UP_DOWN, [] {
        CMMkrTickDlg dlg;
        dlg.doModal();
    });
    // A deal proposed from a window starts as a sale; the dialog takes the
    // window's security itself.
    bind(ID_NEG_DEAL, [] {
        CNegDealDlg dlg(kDealSell);
        dlg.doModal();
    });
}

void KvInstallMarketDialogs()
{
    KvInstallTickDialog();
    KvSetCommandDialog(ID_MARKET_MAKER, [](int) {
        CMMkrOrder dlg;
        return dlg.doModal();
    });
    KvInstallPermissionDialog();
}
