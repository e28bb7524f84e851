#include "kv32/shell/app/main_frame.h"

#include "fw/core/resources.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/frame/app_core.h"

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
}
