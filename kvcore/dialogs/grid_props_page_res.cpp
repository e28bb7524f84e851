// The grid properties page's template and texts.
#include "fw/core/resources.h"
#include "kvcore/dialogs/grid_props_page.h"

namespace {

using fw::ControlDef;
using K = fw::ControlKind;

constexpr ControlDef kGridPage[] = {
    { fw::kStaticId, K::Label, 0, 0, "Titles and &GridLines", "Címek és &rácsvonalak" },
    { IDC_GRID_3D, K::CheckBox, 1, 0, "&3D-Buttons", "&3D gombok" },
    { IDC_GRID_VERTICAL, K::CheckBox, 2, 0, "&Vertical Lines", "&Függőleges vonalak" },
    { IDC_GRID_HORIZONTAL, K::CheckBox, 3, 0, "&Horizontal Lines", "&Vízszintes vonalak" },
    { IDC_GRID_MARK_ROW, K::CheckBox, 4, 0, "Mark Current &Row", "Aktuális &sor jelölése" },
    { IDC_GRID_MARK_COLUMN, K::CheckBox, 5, 0, "Mark Current C&olumn", "Aktuális &oszlop jelölése" },
    { fw::kStaticId, K::Label, 0, 1, "Preview", "Előnézet", 1, 2 },
    { IDC_GRID_PREVIEW, K::Grid, 1, 1, nullptr, nullptr, 5, 2 },
    { fw::kStaticId, K::Label, 6, 0, "Color", "Szín", 1, 3 },
    { IDC_GRID_COLOR_LIST, K::ListBox, 7, 0, nullptr, nullptr, 1, 1, fw::StyleNone, 24 },
    { IDC_GRID_COLOR_CHOOSER, K::Custom, 7, 1, nullptr, nullptr, 1, 2 },
    { IDC_GRID_FONT, K::Button, 8, 0, "&Font...", "&Betűtípus..." },
    { IDC_GRID_PAGE_SETUP, K::Button, 8, 1, "&Page Setup...", "Olda&lbeállítás..." },
    { IDC_GRID_HEAD_FOOT, K::Button, 8, 2, "&Head/Foot...", "Élőfej/élől&áb..." },
};

constexpr fw::DialogTemplate kDialogs[] = {
    { IDD_GRID_PROPERTIES, "Grid", "Táblázat igazítás", kGridPage },
};

constexpr fw::StringEntry kStrings[] = {
    { IDS_GRID_LINE_COLOR, "Grid Lines", "Rácsvonalak" },
    { IDS_GRID_MARK_COLOR, "Current Row and Column", "Aktuális sor és oszlop" },
    { IDS_GRID_PREVIEW_TEXT, "Preview Text", "Minta szöveg" },
};

const fw::ResourceSet kResources { "kvcore-grid-properties", kStrings, kDialogs };

[[maybe_unused]] const bool kRegistered = (fw::addResources(kResources), true);

} // namespace
