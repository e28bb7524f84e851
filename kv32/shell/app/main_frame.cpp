#include "kv32/shell/app/main_frame.h"

#include "fw/core/resources.h"
#include "kv32/shell/command_bindings.h"
#include "kv32/shell/local_orders_port.h"
#include "kv32/shell/session.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/frame/app_core.h"
#include "kvcore/router/cvorl.h"

namespace {

using fw::MenuEntry;
using fw::MenuEntryKind;

constexpr MenuEntry kLoggedOffMenu[] = {
    { 0, MenuEntryKind::Popup, 0, "&File", "&Fájl" },
    { 1, MenuEntryKind::Command, ID_KV_LOGON, "Log &on...", "&Bejelentkezés..." },
    { 1, MenuEntryKind::Separator },
    { 1, MenuEntryKind::Command, CKvAppCore::ID_APP_EXIT, "E&xit", "&Kilépés" },
};

constexpr MenuEntry kLoggedOnMenu[] = {
    { 0, MenuEntryKind::Popup, 0, "&File", "&Fájl" },
    { 1, MenuEntryKind::Command, ID_KV_LOGOFF, "Log o&ff", "&Kijelentkezés" },
    { 1, MenuEntryKind::Separator },
    { 1, MenuEntryKind::Command, CKvAppCore::ID_APP_EXIT, "E&xit", "&Kilépés" },
};

constexpr fw::MenuTemplate kMenus[] = {
    { IDR_KV_LOGGED_OFF, kLoggedOffMenu },
    { IDR_KV_LOGGED_ON, kLoggedOnMenu },
};

constexpr fw::StringEntry kStrings[] = {
    { IDR_KV_LOGGED_OFF, "kv32 Trader Workstation", "kv32 kereskedői munkaállomás" },
    { IDR_KV_LOGGED_ON, "kv32 Trader Workstation", "kv32 kereskedői munkaállomás" },
};

const fw::ResourceSet kResources { "kv32-main-frame", kStrings, {}, kMenus };

} // namespace

CMainFrame::CMainFrame()
{
    static const bool registered = (fw::addResources(kResources), true);
    (void)registered;
    KvBindFrameCommands(commands());
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
