// The window title dialog's template.
#include "fw/core/resources.h"
#include "kvcore/dialogs/title_dlg.h"

namespace {

using fw::ControlDef;
using K = fw::ControlKind;

constexpr ControlDef kTitle[] = {
    { fw::kStaticId, K::Label, 0, 0, "&Title:", "&Cím:" },
    { IDC_TITLE_TEXT, K::Edit, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 36, static_cast<int>(kMaxWindowTitle) },
    { IDC_TITLE_HIDE, K::CheckBox, 1, 1, "&Hide title bar", "Címsor &elrejtése", 1, 2 },
    { fw::kIdOk, K::DefaultButton, 0, 3, "OK", "OK" },
    { fw::kIdCancel, K::Button, 1, 3, "Cancel", "Mégse" },
    { IDC_TITLE_DEFAULT, K::Button, 2, 3, "&Default", "&Alapértelmezett" },
};

constexpr fw::DialogTemplate kDialogs[] = {
    { IDD_WINDOW_TITLE, "Title", "Cím", kTitle },
};

const fw::ResourceSet kResources { "kvcore-title-dialog", {}, kDialogs };

[[maybe_unused]] const bool kRegistered = (fw::addResources(kResources), true);

} // namespace
