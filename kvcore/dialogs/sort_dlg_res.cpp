// The sort dialog's template and message.
#include "fw/core/resources.h"
#include "kvcore/dialogs/sort_dlg.h"

namespace {

using fw::ControlDef;
using K = fw::ControlKind;

constexpr ControlDef kSort[] = {
    { fw::kStaticId, K::Label, 0, 0, "&Sort By", "&Rendezés" },
    { IDC_SORT_COMBO1, K::ComboEdit, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 24, 128 },
    { IDC_SORT_ASCENDING1, K::RadioButton, 0, 3, "&Ascending", "&Növekvő", 1, 1, fw::StyleGroup },
    { IDC_SORT_DESCENDING1, K::RadioButton, 0, 4, "D&escending", "&Csökkenő" },
    { fw::kStaticId, K::Label, 1, 0, "&Then By", "&Majd" },
    { IDC_SORT_COMBO2, K::ComboEdit, 1, 1, nullptr, nullptr, 1, 2, fw::StyleDisabled, 24, 128 },
    { IDC_SORT_ASCENDING2, K::RadioButton, 1, 3, "As&cending", "Növ&ekvő", 1, 1, fw::StyleGroup | fw::StyleDisabled },
    { IDC_SORT_DESCENDING2, K::RadioButton, 1, 4, "Desce&nding", "Csö&kkenő", 1, 1, fw::StyleDisabled },
    { fw::kStaticId, K::Label, 2, 0, "T&hen By", "M&ajd" },
    { IDC_SORT_COMBO3, K::ComboEdit, 2, 1, nullptr, nullptr, 1, 2, fw::StyleDisabled, 24, 128 },
    { IDC_SORT_ASCENDING3, K::RadioButton, 2, 3, "Ascen&ding", "N&övekvő", 1, 1, fw::StyleGroup | fw::StyleDisabled },
    { IDC_SORT_DESCENDING3, K::RadioButton, 2, 4, "Descend&ing", "C&sökkenő", 1, 1, fw::StyleDisabled },
    { fw::kIdOk, K::DefaultButton, 0, 5, "OK", "OK" },
    { fw::kIdCancel, K::Button, 1, 5, "Cancel", "Mégse" },
};

constexpr fw::DialogTemplate kDialogs[] = {
    { IDD_SORT, "Sort", "Rendezés", kSort },
};

constexpr fw::StringEntry kStrings[] = {
    { IDS_SORT_ENTRY_NOT_VALID,
        "This entry is not valid for sorting. Please type or select another entry from the list",
        "Ez a bejegyzés nem használható rendezésre. Írjon be vagy válasszon másik bejegyzést a listából" },
};

const fw::ResourceSet kResources { "kvcore-sort-dialog", kStrings, kDialogs };

[[maybe_unused]] const bool kRegistered = (fw::addResources(kResources), true);

} // namespace
