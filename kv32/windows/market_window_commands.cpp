#include "kv32/windows/market_window_commands.h"

#include <vector>

#include "fw/core/command.h"
#include "fw/core/msgbox.h"
#include "kv32/dialogs/selection_dlgs.h"
#include "kv32/shell/alert_select_form.h"
#include "kv32/lists/securities_list.h"
#include "kv32/res/market_window_strings.h"
#include "kv32/shell/permissions.h"
#include "kvcore/app/logon.h"
#include "kvcore/frame/app_core.h"

void KvBindMarketWindowCommands(fw::CommandMap& map)
{
 // A new securities window takes the securities chosen by the selection command.
    KvSetSecuritySelectionTaker([](CTDoc& doc, const std::vector<uint32_t>& indices) {
        if (auto* secs = dynamic_cast<CSecsDoc*>(&doc))
            secs->AppendRows(indices);
    });
    map.onCommand(ID_MW_NEW_SUMMARY, [] {
        CKvAppCore* app = CKvAppCore::Instance();
        CMktBrd11Dlg dlg;
        if (app != nullptr && dlg.Run() == fw::IDOK)
            app->OpenTable(7, true, true, nullptr);
    });
}
