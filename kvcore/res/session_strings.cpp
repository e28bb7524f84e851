// Messages of the user's settings and workspace files.
#include "fw/core/resources.h"
#include "kvcore/app/main_frame_logic.h"
#include "kvcore/session/session_record.h"
#include "kvcore/session/column_sets.h"
#include "kvcore/session/option_programs.h"
#include "kvcore/session/workspace_commands.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { IDS_WORKSPACE_FILTER, "Workspace Files (*.wks)|*.wks|All Files (*.*)|*.*||",
        "Munkaterület-fájlok (*.wks)|*.wks|Minden fájl (*.*)|*.*||" },
    { IDS_WORKSPACE_SAVE_TITLE, "Save Workspace", "Munkaterület mentése" },
    { IDS_WORKSPACE_RESTORE_TITLE, "Restore Workspace", "Munkaterület visszaállítása" },
    { IDS_WORKSPACE_SAVE_AS_SLOT, "Save as workspace %d ?", "Mentés %d. munkaterületként?" },
    { IDS_SETTINGS_OTHER_USER, "Settings were saved by another user and cannot be restored or resaved by you.",
        "A beállításokat egy másik felhasználó mentette, ezért Ön nem töltheti vissza és nem mentheti újra." },
    { IDS_TOO_MANY_FIXED_COLUMNS, "Too many fixed columns", "Túl sok rögzített oszlop" },
    { IDS_SAVER_NOT_INSTALLED, "Screen saver not installed.", "A képernyővédő nincs telepítve." },
    { IDS_SETTINGS_SAVE_FAILED, "Can not save settings.", "A beállítások nem menthetők." },
    { IDS_WORKSPACE_SAVE_FAILED, "Can not save workspace.", "A munkaterület nem menthető." },
    { IDS_SETTINGS_RESTORE_FAILED, "Can not restore settings.\n\nSave settings again.",
        "A beállítások nem tölthetők vissza.\n\nMentse újra a beállításokat." },
    { IDS_WORKSPACE_RESTORE_FAILED, "Can not restore workspace.\n\nSave workspace again.",
        "A munkaterület nem tölthető vissza.\n\nMentse újra a munkaterületet." },
    { IDS_CHOOSE_FILE_FAILED, "Choose file failed", "A fájl kiválasztása nem sikerült" },
    { IDS_CALCULATOR_NOT_STARTED, "The calculator could not be started.", "A számológép nem indítható el." },
    { IDS_COMMANDS_PAGE, "Commands", "Parancsok" },
    { IDS_CUSTOMIZE, "Customize", "Testreszabás" },
    // The frame's commands: status text, then the tool tip.
    { ID_KV_WORKSPACE_AUTOSAVE, "Enable or disable current workspace autosave\nSave workspace on logoff",
        "Az aktuális munkaterület automatikus mentésének be- és kikapcsolása\nMunkaterület mentése kijelentkezéskor" },
    { ID_KV_WORKSPACE_SAVE, "Save current workspace\nSave workspace",
        "Az aktuális munkaterület mentése\nMunkaterület mentése" },
    { ID_KV_WORKSPACE_RESTORE, "Restore previously saved workspace\nRestore workspace",
        "Korábban mentett munkaterület visszaállítása\nMunkaterület visszaállítása" },
    { ID_KV_WORKSPACE_1, "Restore or create Workspace 1\nWorkspace 1",
        "Az 1. munkaterület visszaállítása vagy létrehozása\n1. munkaterület" },
    { ID_KV_WORKSPACE_1 + 1, "Restore or create Workspace 2\nWorkspace 2",
        "A 2. munkaterület visszaállítása vagy létrehozása\n2. munkaterület" },
    { ID_KV_WORKSPACE_1 + 2, "Restore or create Workspace 3\nWorkspace 3",
        "A 3. munkaterület visszaállítása vagy létrehozása\n3. munkaterület" },
    { ID_KV_WORKSPACE_1 + 3, "Restore or create Workspace 4\nWorkspace 4",
        "A 4. munkaterület visszaállítása vagy létrehozása\n4. munkaterület" },
    { ID_KV_WORKSPACE_5, "Restore or create Workspace 5\nWorkspace 5",
        "Az 5. munkaterület visszaállítása vagy létrehozása\n5. munkaterület" },
    { ID_KV_OPTIONS_PASSWORD, "Change own password\nPassword", "Saját jelszó módosítása\nJelszó" },
    { ID_KV_OPTIONS_CALCULATOR, "Start the calculator\nCalculator", "A számológép indítása\nSzámológép" },
    { ID_KV_OPTIONS_MOUSE, "Enable or disable mouse\nMouse", "Az egér engedélyezése vagy tiltása\nEgér" },
    { ID_KV_OPTIONS_UI, "Enable or disable windows manipulation\nWindows",
        "Az ablakok kezelésének engedélyezése vagy tiltása\nAblakok" },
    { ID_KV_OPTIONS_SAVER_START, "Start screen saver\nSaver Start", "A képernyővédő indítása\nKépernyővédő indítása" },
    { ID_KV_OPTIONS_SAVER_SETUP, "Screen saver setup\nSaver Setup", "A képernyővédő beállítása\nKépernyővédő beállítása" },
    { ID_KV_WINDOW_RESTORE, "Restore active window Size and Position\nRestore",
        "Az aktív ablak méretének és helyzetének visszaállítása\nVisszaállítás" },
    { ID_KV_WINDOW_MOVE, "Move active window\nMove", "Az aktív ablak áthelyezése\nÁthelyezés" },
    { ID_KV_WINDOW_SIZE, "Change active window Size\nSize", "Az aktív ablak átméretezése\nMéret" },
    { ID_KV_WINDOW_MINIMIZE, "Minimize active window\nMinimize", "Az aktív ablak kis méretre állítása\nKis méret" },
    { ID_KV_WINDOW_MAXIMIZE, "Maximize active window\nMaximize", "Az aktív ablak teljes méretre állítása\nTeljes méret" },
    { ID_KV_WINDOW_CLOSE_ALL, "Close all windows\nClose All", "Az összes ablak bezárása\nÖsszes bezárása" },
    { ID_KV_CUSTOMIZE, "Customize bench setup\nCustomize", "A munkaállomás testreszabása\nTestreszabás" },
};

const fw::ResourceSet kResources { "kvcore-session", kStrings };

[[maybe_unused]] const bool kRegistered = (fw::addResources(kResources), true);

} // namespace
