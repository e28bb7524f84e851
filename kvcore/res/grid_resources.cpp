// The grid windows' popups and texts. A command's string is its prompt: the status-bar text,
// then after "\n" the tool tip.
#include "kvcore/res/grid_resources.h"

#include "kvcore/res/grid_ids.h"

namespace {

constexpr fw::StringEntry kGridStrings[] = {
    { IDS_LINK_EXCEL, "Link E&xcel", "E&xcel csatolása" },
    { IDS_UNLINK_EXCEL, "Unlink E&xcel", "E&xcel leválasztása" },
    { IDS_CANNOT_START_EXCEL, "Cannot Start EXCEL", "Az EXCEL nem indítható" },
    { IDS_FIT_CONTROL, "Fit Control", "Illesztett cella" },
    { IDS_UNFIX, "&Unfix", "Rögzítés &feloldása" },
    { IDS_FIX, "&Fix", "&Rögzítés" },
    { ID_OPTIONS_COLOR, "Set color set for the active window\nColor", "Az aktív ablak színeinek beállítása\nSzínek" },
    { ID_GRID_ZOOMIN, "Zoom-in\nZoom In", "Nagyítás\nNagyítás" },
    { ID_GRID_ZOOMOUT, "Zoom-out\nZoom Out", "Kicsinyítés\nKicsinyítés" },
    { ID_GRID_ZOOM100, "No Zoom\nNo Zoom", "Eredeti méret\nEredeti méret" },
    { ID_GRID_NOSORT, "Turn off sorting\nNo Sorting", "Rendezés kikapcsolása\nRendezés nélkül" },
    { ID_GRID_SIZETOCONTENT, "Size all columns to content\nSize To Content",
        "Minden oszlop méretezése a tartalomhoz\nMéretezés a tartalomhoz" },
    { ID_GRID_SHRINKVIEW, "Shrink window to size of grid\nShrink Window",
        "Az ablak zsugorítása a táblázat méretére\nAblak zsugorítása" },
    { ID_SORT_ASCENDING, "Sort column, smallest at top\nSort Ascending", "Oszlop rendezése, a legkisebb felül\nNövekvő" },
    { ID_SORT_DESCENDING, "Sort column, largest at top\nSort Descending",
        "Oszlop rendezése, a legnagyobb felül\nCsökkenő" },
    { ID_COL_NOSORT, "No sorting\nNo Sorting", "Nincs rendezés\nRendezés nélkül" },
    { ID_COL_SIZETOCONTENT, "Size this column to content\nSize To Content",
        "Az oszlop méretezése a tartalomhoz\nMéretezés a tartalomhoz" },
    { ID_COL_FIX, "(Un)Fix column on screen\nFix", "Oszlop rögzítése vagy feloldása a képernyőn\nRögzítés" },
    { ID_SORT_DLG, "Sort the active table\nSort By", "Az aktív táblázat rendezése\nRendezés" },
    { ID_GRID_EXCEL, "(Un)Link to Excel\nExcel", "Csatolás az Excelhez vagy leválasztás\nExcel" },
};

using fw::MenuEntryKind;

constexpr fw::MenuEntry kGridPopup[] = {
    { 0, MenuEntryKind::Popup, 0, "Grid", "Táblázat" },
    { 1, MenuEntryKind::Command, ID_OPTIONS_COLOR, "&Color...", "&Színek..." },
    { 1, MenuEntryKind::Separator },
    { 1, MenuEntryKind::Command, ID_GRID_ZOOMIN, "&Zoom In", "&Nagyítás" },
    { 1, MenuEntryKind::Command, ID_GRID_ZOOMOUT, "Zoo&m Out", "&Kicsinyítés" },
    { 1, MenuEntryKind::Command, ID_GRID_ZOOM100, "&No Zoom", "&Eredeti méret" },
    { 1, MenuEntryKind::Separator },
    { 1, MenuEntryKind::Command, ID_SORT_DLG, "&Sort By...", "&Rendezés..." },
    { 1, MenuEntryKind::Command, ID_GRID_NOSORT, "No &Sorting", "Rendezés &nélkül" },
    { 1, MenuEntryKind::Separator },
    { 1, MenuEntryKind::Command, ID_GRID_SIZETOCONTENT, "Size To &Content", "Méretezés a &tartalomhoz" },
    { 1, MenuEntryKind::Command, ID_GRID_SHRINKVIEW, "Shrink &Window", "Ablak &zsugorítása" },
    { 1, MenuEntryKind::Separator },
    { 1, MenuEntryKind::Command, ID_GRID_EXCEL, "Link E&xcel", "E&xcel csatolása" },
};

constexpr fw::MenuEntry kColumnPopup[] = {
    { 0, MenuEntryKind::Popup, 0, "&Column", "&Oszlop" },
    { 1, MenuEntryKind::Command, ID_SORT_ASCENDING, "Sort &Ascend.", "&Növekvő rendezés" },
    { 1, MenuEntryKind::Command, ID_SORT_DESCENDING, "Sort &Descend.", "&Csökkenő rendezés" },
    { 1, MenuEntryKind::Command, ID_COL_NOSORT, "No &Sorting", "Rendezés &nélkül" },
    { 1, MenuEntryKind::Separator },
    { 1, MenuEntryKind::Command, ID_COL_SIZETOCONTENT, "Size To &Content", "Méretezés a &tartalomhoz" },
    { 1, MenuEntryKind::Command, ID_COL_FIX, "&Fix", "&Rögzítés" },
};

constexpr fw::MenuTemplate kGridMenus[] = {
    { IDM_GRID_POPUP, kGridPopup },
    { IDM_COLUMN_POPUP, kColumnPopup },
};

const fw::ResourceSet kGridResources { "kvcore-grid", kGridStrings, {}, kGridMenus };

// Registered when the library loads, after kvcore's own strings.
[[maybe_unused]] const bool kRegistered = (fw::addResources(kGridResources), true);

} // namespace

const fw::ResourceSet& KvGridResources() { return kGridResources; }
