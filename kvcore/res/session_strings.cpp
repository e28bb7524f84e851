// Messages of the user's settings and workspace files.
#include "fw/core/resources.h"
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
};

const fw::ResourceSet kResources { "kvcore-session", kStrings };

[[maybe_unused]] const bool kRegistered = (fw::addResources(kResources), true);

} // namespace
