#include "kv32/shell/app/main_frame.h"
#include "kv32/windows/position_views.h"
#include "kv32/windows/view_openers.h"

#include "fw/ui/commondlg.h"
#include "fw/ui/propertysheet.h"
#include "kv32/dialogs/auction/auction_dlg.h"
#include "kv32/dialogs/defaults_page.h"
#include "kv32/dialogs/market_commands.h"
#include "kv32/shell/app/main_menu.h"
#include "kv32/dialogs/order_entry_dlg.h"
#include "kv32/dialogs/supervision/acc_groups_dlg.h"
#include "kv32/dialogs/supervision/depo_accounts_dlg.h"
#include "kv32/dialogs/supervision/tr_acc_dlg.h"
#include "kv32/shell/app_startup.h"
#include "kv32/shell/command_bindings.h"
#include "kv32/shell/option_files.h"
#include "kv32/shell/local_orders_port.h"
#include "kv32/shell/session.h"
#include "kv32/trading/order_entry_layout.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/frame/app_core.h"
#include "kvcore/router/cvorl.h"

CMainFrame::CMainFrame()
{
    KvRegisterMainMenus();
    KvBindFrameCommands(commands(), KvNotifications().logNotify, KvNotifications().auditNotify);
    // The option files are chosen in the framework's file dialog, in the settings folder.
    KvOptionFilesPort().fileDialog = [](const CKvOptionDialog& d, std::string& path) {
        fw::FileDialogRequest request;
        request.open = !d.save;
        request.title = d.title;
        request.filter = d.filter;
        request.defaultExt = d.defaultExt;
        request.defaultName = d.folder.empty() || d.defaultName.empty() ? d.defaultName : d.folder + "/" + d.defaultName;
        const std::optional<std::string> chosen = fw::getFileName(request);
        if (!chosen)
            return KvDialogResult::Cancel;
        path = *chosen;
        return KvDialogResult::Ok;
    };
    KvBindOrderEntryCommands(commands(), [](int side, bool primary) {
        COrderEntryDlg dlg(side, primary ? 1 : 0);
        dlg.doModal();
    });
    KvBindAuctionCommands(commands(), [](KvAuctionKind kind) { KvRunAuctionDialog(kind); });
    KvBindMarketCommands(commands());
    commands().onCommand(32856, [] { KvRunTrAccDialog(); });
    commands().onCommand(60020, [] { KvRunAccGroupsDialog(); });
    commands().onCommand(32894, [] { KvRunDepoAccountsDialog(); });
    KvBindPositionCommands(commands());
    KvBindViewOpeners(commands());
    // Log on: the core's logon, then the user's local order book.
    commands().onCommand(ID_KV_LOGON, [this] {
        OnSessionBegin();
        if (ps != nullptr) {
            if (const auto& load = KvLocalOrdersPort().load)
                load();
        }
    });
}

std::unique_ptr<CSessionCore> CMainFrame::CreateSession()
{
    return std::make_unique<CSession>(pvorl != nullptr ? pvorl->User() : std::string());
}

void CMainFrame::DoCustomize(fw::PropertySheet& sheet)
{
    // The program's own options follow the frame's pages.
    COptionsDefaultsPg defaults;
    sheet.addPage(defaults);
    CMainFrameCore::DoCustomize(sheet);
}

void CMainFrame::OnPollEvent()
{
    if (CSession* session = KvSession())
        m_pollWork.Run(*session);
    CMainFrameCore::OnPollEvent();
}

void CMainFrame::SetButtonGroups()
{
    for (const CKvButtonGroup& group : KvDefaultButtonGroups())
        AddDefaultButtonGroup(group.commands.data(), static_cast<unsigned>(group.commands.size()), group.name,
            group.showLoggedOff, group.showLoggedOn);
}

void CMainFrame::EndSession(int bLogoff)
{
    const bool hadSession = ps != nullptr;
    const std::string user = hadSession ? ps->m_sUser : std::string();
    CMainFrameCore::EndSession(bLogoff);
    if (hadSession)
        KvPrintLogoff(user);
}
