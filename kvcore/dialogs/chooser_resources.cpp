// Texts and templates of the two-list chooser and of the shortcut keys page with its assign
// dialog, registered when the library loads.
#include "fw/core/resources.h"
#include "kvcore/dialogs/chooser_ids.h"

namespace {

using fw::ControlDef;
using fw::ControlKind;

constexpr fw::StringEntry kStrings[] = {
    { IDS_SELECTED_HEADING, "Selected:", "Kiválasztva:" },
    { IDS_SHORTCUT_SELECT_SHORTCUT, "You must select a shortcut before clicking Remove.",
        "Az Eltávolítás gomb előtt ki kell választania egy billentyűparancsot." },
    { IDS_SHORTCUT_SELECT_MACRO, "You must select a macro before clicking Create.",
        "A Létrehozás gomb előtt ki kell választania egy makrót." },
    { IDS_SHORTCUT_RESET_ALL,
        "Reset All will set all shortcuts back to their defaults.  Any shortcuts you have created will be "
        "forgotten.  Are you sure you want to do this?",
        "A Mind alaphelyzetbe minden billentyűparancsot visszaállít az alapértelmezésre.  Az Ön által "
        "létrehozott billentyűparancsok elvesznek.  Biztosan ezt szeretné?" },
};

constexpr ControlDef kShortcutKeys[] = {
    { fw::kStaticId, ControlKind::Label, 0, 0, "Select a &macro:", "&Makró kiválasztása:" },
    { IDC_SHORTCUT_MACROS, ControlKind::ListBox, 1, 0, nullptr, nullptr, 5, 1, fw::StyleNone, 28 },
    { fw::kStaticId, ControlKind::Label, 0, 1, "Description", "Leírás", 1, 2 },
    { IDC_SHORTCUT_DESCRIPTION, ControlKind::Label, 1, 1, "", "", 1, 2, fw::StyleNone, 30 },
    { fw::kStaticId, ControlKind::Label, 2, 1, "Assi&gned shortcuts:", "&Hozzárendelt billentyűk:", 1, 2 },
    { IDC_SHORTCUT_ASSIGNED, ControlKind::ListBox, 3, 1, nullptr, nullptr, 3, 1, fw::StyleNone, 18 },
    { IDC_SHORTCUT_CREATE, ControlKind::Button, 3, 2, "&Create Shortcut", "Billentyű &létrehozása" },
    { IDC_SHORTCUT_REMOVE, ControlKind::Button, 4, 2, "&Remove", "&Eltávolítás" },
    { IDC_SHORTCUT_RESET_ALL, ControlKind::Button, 5, 2, "Reset &All", "Mind &alaphelyzetbe" },
    { fw::kIdOk, ControlKind::Button, 6, 1, "OK", "OK", 1, 1, fw::StyleHidden },
    { fw::kIdCancel, ControlKind::Button, 6, 2, "Cancel", "Mégse", 1, 1, fw::StyleHidden },
};

constexpr ControlDef kAssignShortcut[] = {
    { fw::kStaticId, ControlKind::Label, 0, 0, "&Press new shortcut key:", "&Nyomja le az új billentyűt:", 1, 3 },
    { IDC_SHORTCUT_NEW_KEY, ControlKind::Custom, 1, 0, nullptr, nullptr, 1, 3, fw::StyleNone, 30 },
    { fw::kStaticId, ControlKind::Label, 2, 0, "Current Assignment", "Jelenlegi hozzárendelés", 1, 3 },
    { IDC_SHORTCUT_CURRENT, ControlKind::Label, 3, 0, "", "", 1, 3, fw::StyleNone, 44 },
    { fw::kIdOk, ControlKind::DefaultButton, 4, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 4, 2, "Cancel", "Mégse" },
};

constexpr ControlDef kSelect[] = {
    { fw::kStaticId, ControlKind::Label, 0, 0, "A&vailable:", "&Elérhető:" },
    { IDC_SELECT_AVAILABLE, ControlKind::ListBox, 1, 0, nullptr, nullptr, 6, 1, fw::StyleMultiSelect, 24 },
    { IDC_SELECT_ADD, ControlKind::Button, 1, 1, "&Add", "&Hozzáadás" },
    { IDC_SELECT_REMOVE, ControlKind::Button, 2, 1, "&Remove", "&Eltávolítás" },
    { IDC_SELECT_ADD_ALL, ControlKind::Button, 3, 1, "Add A&ll", "&Mind hozzáadása" },
    { IDC_SELECT_REMOVE_ALL, ControlKind::Button, 4, 1, "Re&move All", "Mind e&ltávolítása" },
    { IDC_SELECT_CHOSEN, ControlKind::ListBox, 0, 2, nullptr, nullptr, 7, 2, fw::StyleMultiSelect, 24 },
    { IDC_SELECT_FIXED_LABEL, ControlKind::Label, 7, 0, "&Fixed Columns:", "&Rögzített oszlopok:", 1, 1,
        fw::StyleHidden },
    { IDC_SELECT_FIXED, ControlKind::Edit, 7, 1, nullptr, nullptr, 1, 1, fw::StyleHidden | fw::StyleNumber, 6,
        6 },
    { IDC_SELECT_SETS_LABEL, ControlKind::Label, 8, 0, "Selection:", "Készlet:" },
    { IDC_SELECT_SETS, ControlKind::ComboList, 8, 1 },
    { fw::kIdOk, ControlKind::DefaultButton, 9, 2, "&OK", "&OK" },
    { fw::kIdCancel, ControlKind::Button, 9, 3, "&Cancel", "&Mégse" },
};

constexpr fw::DialogTemplate kDialogs[] = {
    { IDD_SHORTCUT_KEYS, "Shortcut Keys", "Billentyűparancsok", kShortcutKeys },
    { IDD_ASSIGN_SHORTCUT, "Assign Shortcut", "Billentyűparancs hozzárendelése", kAssignShortcut },
    { IDD_SELECT, "Select", "Kiválasztás", kSelect },
};

const fw::ResourceSet kResources { "kvcore-choosers", kStrings, kDialogs };

[[maybe_unused]] const bool kRegistered = (fw::addResources(kResources), true);

} // namespace
