// Texts and templates of the "Toolbars" and "Commands" pages, registered when the library loads.
#include "fw/core/resources.h"
#include "kvcore/dialogs/toolbar_pages.h"

namespace {

using fw::ControlDef;
using fw::ControlKind;

constexpr fw::StringEntry kStrings[] = {
    { IDS_TOOLBAR_SEPARATOR, "(separator)", "(elválasztó)" },
};

constexpr ControlDef kToolBars[] = {
    { fw::kStaticId, ControlKind::Label, 0, 0, "&Toolbars:", "&Eszköztárak:" },
    { IDC_TOOLBARS_LIST, ControlKind::ListBox, 1, 0, nullptr, nullptr, 4, 1, fw::StyleNone, 28 },
    { IDC_TOOLBARS_VISIBLE, ControlKind::CheckBox, 1, 1, "&Visible", "&Látható" },
    { IDC_TOOLBARS_RESET, ControlKind::Button, 2, 1, "&Reset", "&Visszaállítás" },
    { IDC_TOOLBARS_TOOLTIPS, ControlKind::CheckBox, 5, 0, "Show tool&tips", "&Gombleírások megjelenítése", 1, 2 },
    { IDC_TOOLBARS_FLYBY, ControlKind::CheckBox, 6, 0, "Show help in the &status bar",
        "Súgó az állapot&sorban", 1, 2 },
    { IDC_TOOLBARS_LARGE, ControlKind::CheckBox, 7, 0, "&Large buttons", "&Nagy gombok", 1, 2 },
    { fw::kIdOk, ControlKind::Button, 8, 0, "OK", "OK", 1, 1, fw::StyleHidden },
    { fw::kIdCancel, ControlKind::Button, 8, 1, "Cancel", "Mégse", 1, 1, fw::StyleHidden },
};

constexpr ControlDef kCommands[] = {
    { fw::kStaticId, ControlKind::Label, 0, 0, "Cate&gories:", "&Kategóriák:" },
    { IDC_TOOLBAR_GROUPS, ControlKind::ListBox, 1, 0, nullptr, nullptr, 3, 1, fw::StyleNone, 18 },
    { fw::kStaticId, ControlKind::Label, 0, 1, "Co&mmands:", "&Parancsok:" },
    { IDC_TOOLBAR_COMMANDS, ControlKind::ListBox, 1, 1, nullptr, nullptr, 3, 1, fw::StyleNone, 26 },
    { fw::kStaticId, ControlKind::Label, 4, 0, "Description", "Leírás" },
    { IDC_TOOLBAR_DESCRIPTION, ControlKind::Label, 4, 1, "", "", 1, 2, fw::StyleNone, 40 },
    { fw::kStaticId, ControlKind::Label, 5, 0, "Tool&bar:", "Eszköz&tár:" },
    { IDC_TOOLBAR_BAR, ControlKind::ComboList, 5, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 26 },
    { fw::kStaticId, ControlKind::Label, 6, 0, "B&uttons:", "&Gombok:" },
    { IDC_TOOLBAR_BUTTONS, ControlKind::ListBox, 6, 1, nullptr, nullptr, 3, 1, fw::StyleNone, 26 },
    { IDC_TOOLBAR_ADD, ControlKind::Button, 6, 2, "&Add", "&Hozzáadás" },
    { IDC_TOOLBAR_REMOVE, ControlKind::Button, 7, 2, "&Remove", "&Eltávolítás" },
    { fw::kIdOk, ControlKind::Button, 9, 1, "OK", "OK", 1, 1, fw::StyleHidden },
    { fw::kIdCancel, ControlKind::Button, 9, 2, "Cancel", "Mégse", 1, 1, fw::StyleHidden },
};

constexpr fw::DialogTemplate kDialogs[] = {
    { IDD_TOOLBARS, "Toolbars", "Eszköztárak", kToolBars },
    { IDD_TOOLBAR_COMMANDS, "Toolbars", "Eszköztárak", kCommands },
};

const fw::ResourceSet kResources { "kvcore-toolbar-pages", kStrings, kDialogs };
[[maybe_unused]] const bool kRegistered = (fw::addResources(kResources), true);

} // namespace
