// The colour selection dialog's template and row names.
#include "fw/core/resources.h"
#include "kvcore/dialogs/color_select_dlg.h"

namespace {

using fw::ControlDef;
using K = fw::ControlKind;

constexpr ControlDef kColorSelect[] = {
    { IDC_COLOR_LIST, K::ListBox, 0, 0, nullptr, nullptr, 3, 1, fw::StyleNone, 28 },
    { fw::kIdOk, K::DefaultButton, 0, 1, "OK", "OK" },
    { fw::kIdCancel, K::Button, 1, 1, "Cancel", "Mégse" },
};

constexpr fw::DialogTemplate kDialogs[] = {
    { IDD_COLOR_SELECT, "Color Select", "Színek kiválasztása", kColorSelect },
};

constexpr fw::StringEntry kStrings[] = {
    { IDS_COLOR_BACKGROUND, "Background", "Háttér" },
    { IDS_COLOR_TEXT, "Text", "Szöveg" },
};

const fw::ResourceSet kResources { "kvcore-color-select", kStrings, kDialogs };

[[maybe_unused]] const bool kRegistered = (fw::addResources(kResources), true);

} // namespace
