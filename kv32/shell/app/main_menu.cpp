// The program's menus: the logged-off one, and the logged-on one with every command the program
// offers. Items of the commands that belong to one kind of list window (Edit) leave the menu
// when the active window does not handle them; those the user may not use are cut by the
// rights when the interface is shown.
#include "kv32/shell/app/main_menu.h"

#include "fw/core/resources.h"
#include "fw/ui/mainframe.h"
#include "kv32/shell/app_commands.h"
#include "kv32/shell/command_bindings.h"
#include "kvcore/app/main_frame_logic.h"
#include "kvcore/frame/app_core.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/res/grid_ids.h"
#include "kvcore/res/table_ids.h"

namespace {

using fw::MenuEntry;
using fw::MenuEntryKind;
constexpr MenuEntryKind P = MenuEntryKind::Popup;
constexpr MenuEntryKind C = MenuEntryKind::Command;
constexpr MenuEntryKind S = MenuEntryKind::Separator;

constexpr MenuEntry kLoggedOffMenu[] = {
    { 0, P, 0, "&Session", "&Munkamenet" },
    { 1, C, ID_KV_LOGON, "Log &on...", "&Bejelentkezés..." },
    { 1, S },
    { 1, C, CKvAppCore::ID_APP_EXIT, "E&xit", "&Kilépés" },
    { 0, P, 0, "&Help", "&Súgó" },
    { 1, C, ID_KV_APP_ABOUT, "&About kv32...", "A kv32 &névjegye..." },
};

constexpr MenuEntry kLoggedOnMenu[] = {
    { 0, P, 0, "&Session", "&Munkamenet" },
    { 1, C, ID_KV_LOGOFF, "Log o&ff", "&Kijelentkezés" },
    { 1, C, ID_KV_REFRESH, "&Refresh", "&Frissítés" },
    { 1, S },
    { 1, C, ID_PRINT_LOG_END, "End Print &Log", "&Naplónyomtatás lezárása" },
    { 1, S },
    { 1, P, 0, "&Trading Accounts", "&Kereskedési számlák" },
    { 2, C, 32856, "&User...", "&Felhasználó..." },
    { 2, C, 60020, "&Groups...", "&Csoportok..." },
    { 1, S },
    { 1, C, CKvAppCore::ID_APP_EXIT, "E&xit", "&Kilépés" },

    { 0, P, 0, "&Edit", "S&zerkesztés" },
    { 1, C, 33091, "&Market Maker...", "Árjegyzői &megbízás..." },
    { 1, C, 33161, "T&ick Up/Down...", "Árlépés fel/&le..." },
    { 1, S },
    { 1, C, 32894, "Depository &Accounts...", "&Letéti számlák..." },
    { 1, C, 32882, "Add Trading &Event...", "Kereskedési &esemény felvétele..." },
    { 1, P, 0, "&Suspend", "&Felfüggesztés" },
    { 2, C, 32880, "&All Trading", "A teljes &kereskedés" },
    { 2, C, 33097, "Iss&uer and its securities", "&Kibocsátó és értékpapírjai" },
    { 1, P, 0, "&Unsuspend", "Felfüggesztés fel&oldása" },
    { 2, C, 32881, "All &Trading", "A teljes &kereskedés" },
    { 2, C, 33098, "Iss&uer and its securities", "&Kibocsátó és értékpapírjai" },
    { 1, P, 0, "&Referece Price", "&Referenciaár" },
    { 2, C, 33077, "&Change Reference Price...", "Referenciaár &módosítása..." },
    { 2, C, 33187, "Ref. price to &upper limit...", "Referenciaár a &felső korlátra..." },
    { 2, C, 33188, "Ref. price to &lower limit...", "Referenciaár az &alsó korlátra..." },
    { 1, S },
    { 1, C, 33169, "&Primary Auction Window...", "&Elsődleges aukció ablak..." },
    { 1, C, 33186, "&Buy-back Auction Window...", "&Visszavásárlási aukció ablak..." },
    { 1, S },
    { 1, C, ID_OPR_LOGON_VERIFY_ON, "Logon Verify &On", "Bejelentkezés-ellenőrzés &be" },
    { 1, C, ID_OPR_LOGON_VERIFY_OFF, "Logon Verify O&ff", "Bejelentkezés-ellenőrzés &ki" },

    { 0, P, 0, "&View", "&Nézet" },
    { 1, C, 32932, "S&ummary...", "Össze&sítés..." },
    { 1, C, 32911, "&Boards", "&Táblák" },
    { 1, C, 32944, "&Markets", "&Piacok" },
    { 1, C, 32945, "&Instruments", "&Instrumentumok" },
    { 1, C, 32796, "&Securities...", "&Értékpapírok..." },
    { 1, C, 32983, "Securities on B&oards", "Értékpapírok a tá&blákon" },
    { 1, C, 32919, "In&dices", "In&dexek" },
    { 1, S },
    { 1, P, 0, "&Orders", "&Megbízások" },
    { 2, C, 32797, "&Orders", "&Megbízások" },
    { 2, C, 32780, "Order &counting", "Megbízás&számlálás" },
    { 1, C, 32798, "&Trades", "&Kötések" },
    { 1, C, 33146, "&Last N Trades", "&Utolsó N kötés" },
    { 1, C, 32946, "&Negotiated Deals", "Tárgyalásos ü&gyletek" },
    { 1, C, 33148, "&Private Order Book", "Saját &ajánlati könyv" },
    { 1, C, 33179, "Tic&ker", "&Futószalag" },
    { 1, C, 32895, "Firm &Security Position", "Cég &értékpapír-pozíciója" },
    { 1, C, 36001, "Trading Account Security Pos&ition...", "Kereskedési számla értékpapír-p&ozíciója..." },
    { 1, C, 32790, "Trading Acco&unts", "Kereskedési szám&lák" },
    { 1, S },
    { 1, C, 32841, "&Firms", "&Cégek" },
    { 1, P, 0, "&Events", "&Események" },
    { 2, C, 32981, "&Trading Events", "&Kereskedési események" },
    { 2, C, 36000, "&Control Events", "&Felügyeleti események" },
    { 2, C, 33029, "&Audit Events", "&Auditesemények" },
    { 2, C, 33030, "Audit &Types", "Audit&eseménytípusok" },
    { 1, C, 33017, "&Alert Logs", "&Riasztási napló" },
    { 1, C, 33144, "&Replies", "&Válaszok" },
    { 1, S },
    { 1, C, fw::cmd::ViewStatusBar, "Status &Bar", "Állapot&sor" },

    { 0, P, 0, "&News", "&Hírek" },
    { 1, C, 32967, "&List", "&Lista" },
    { 1, C, ID_SEND_NEWS, "&Send...", "&Küldés..." },

    { 0, P, 0, "&Messages", "Ü&zenetek" },
    { 1, C, 32920, "&List", "&Lista" },
    { 1, C, ID_SEND_MESSAGE, "&Send...", "&Küldés..." },

    { 0, P, 0, "&Options", "&Beállítások" },
    { 1, C, ID_KV_OPTIONS_PASSWORD, "&Password...", "&Jelszó..." },
    { 1, C, ID_KV_OPTIONS_CALCULATOR, "&Calculator", "&Számológép" },
    { 1, C, ID_KV_OPTIONS_MOUSE, "&Mouse", "&Egér" },
    { 1, C, ID_KV_OPTIONS_UI, "&Windows", "&Ablakkezelés" },
    { 1, C, ID_KV_OPTIONS_SAVER_START, "Saver S&tart", "Képernyőkímélő &indítása" },
    { 1, C, ID_KV_OPTIONS_SAVER_SETUP, "Saver Set&up", "Képernyőkímélő be&állítása" },
    { 1, S },
    { 1, C, ID_KV_BENCH_SETUP, "Bench &Setup...", "Munkaállomás &beállítása..." },
    { 1, C, ID_KV_CUSTOMIZE, "Customi&ze...", "&Testreszabás..." },
    { 1, C, ID_CONFIRM_OPERATIONS, "C&onfirm Operations", "Műveletek &megerősítése" },
    { 1, C, ID_SUSPEND_NOTIFY, "Suspend &Notify", "Felfüggesztés &jelzése" },
    { 1, S },
    { 1, C, ID_OPTIONS_DISPLAYORDER, "C&olumns...", "&Oszlopok..." },
    { 1, C, ID_OPTIONS_POPUP, "Pop&Up...", "&Helyi menü..." },
    { 1, C, ID_OPTIONS_TITLE, "T&itle...", "&Cím..." },
    { 1, C, ID_OPTIONS_COLOR, "&Color...", "S&zínek..." },
    { 1, S },
    { 1, P, 0, "&Save", "&Mentés" },
    { 2, C, ID_KV_WORKSPACE_SAVE, "&Workspace...", "&Munkaterület..." },
    { 2, P, 0, "&Alerts", "&Riasztások" },
    { 3, C, 33007, "&Users...", "&Felhasználók..." },
    { 3, C, 33008, "&Firms...", "&Cégek..." },
    { 3, C, 33009, "&Securities...", "&Értékpapírok..." },
    { 3, C, 33192, "&Order counting...", "&Megbízásszámlálás..." },
    { 2, C, 33010, "Alert &Logs...", "Riasztási &napló..." },
    { 2, C, 33194, "&Default Selections...", "&Alapértelmezett választások..." },
    { 1, P, 0, "&Restore", "&Visszaállítás" },
    { 2, C, ID_KV_WORKSPACE_RESTORE, "&Workspace...", "&Munkaterület..." },
    { 2, P, 0, "&Alerts", "&Riasztások" },
    { 3, C, 33011, "&Users...", "&Felhasználók..." },
    { 3, C, 33012, "&Firms...", "&Cégek..." },
    { 3, C, 33013, "&Securities...", "&Értékpapírok..." },
    { 3, C, 33193, "&Order counting...", "&Megbízásszámlálás..." },
    { 2, C, 33014, "Alert &Logs...", "Riasztási &napló..." },
    { 2, C, 33195, "&Default Selections...", "&Alapértelmezett választások..." },
    { 1, P, 0, "Save on &Logoff", "Mentés &kijelentkezéskor" },
    { 2, C, ID_KV_WORKSPACE_AUTOSAVE, "&Workspace", "&Munkaterület" },
    { 2, C, ID_SAVE_ALERTS_AT_LOGOFF, "&Alerts", "&Riasztások" },
    { 2, C, ID_SAVE_LOGS_AT_LOGOFF, "Alert &Logs", "Riasztási &napló" },
    { 1, S },
    { 1, C, ID_KV_WORKSPACE_1, "Workspace&1", "Munkaterület &1" },
    { 1, C, ID_KV_WORKSPACE_1 + 1, "Workspace&2", "Munkaterület &2" },
    { 1, C, ID_KV_WORKSPACE_1 + 2, "Workspace&3", "Munkaterület &3" },
    { 1, C, ID_KV_WORKSPACE_1 + 3, "Workspace&4", "Munkaterület &4" },
    { 1, C, ID_KV_WORKSPACE_5, "Workspace&5", "Munkaterület &5" },
    { 1, S },
    { 1, C, ID_TRAFFIC_AVERAGE, "Network &Traffic", "&Hálózati forgalom" },
    { 1, C, ID_DIAGNOSTIC_FILE, "&Diagnostic File", "&Diagnosztikai fájl" },

    { 0, P, 0, "&Window", "&Ablak" },
    { 1, C, ID_KV_WINDOW_RESTORE, "&Restore", "&Előző méret" },
    { 1, C, ID_KV_WINDOW_MOVE, "&Move", "Át&helyezés" },
    { 1, C, ID_KV_WINDOW_SIZE, "&Size", "&Méretezés" },
    { 1, C, ID_KV_WINDOW_MINIMIZE, "Mi&nimize", "&Kis méret" },
    { 1, C, ID_KV_WINDOW_MAXIMIZE, "Ma&ximize", "&Teljes méret" },
    { 1, S },
    { 1, C, ID_KV_WINDOW_CLOSE_ALL, "Close &All", "Az összes &bezárása" },
    { 1, S },
    { 1, C, fw::cmd::WindowCascade, "&Cascade", "&Lépcsőzetes elrendezés" },
    { 1, C, fw::cmd::WindowTileHorz, "Tile &Horizontal", "&Vízszintes mozaik" },
    { 1, C, fw::cmd::WindowTileVert, "&Tile Vertical", "&Függőleges mozaik" },
    { 1, C, fw::cmd::WindowArrange, "Arrange &Icons", "Ikonok &elrendezése" },

    { 0, P, 0, "&Help", "&Súgó" },
    { 1, C, ID_KV_APP_ABOUT, "&About kv32...", "A kv32 &névjegye..." },
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

void KvRegisterMainMenus()
{
    static const bool registered = (fw::addResources(kResources), true);
    (void)registered;
}
