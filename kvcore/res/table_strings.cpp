// The table windows' texts. A command's string is its prompt: the status-bar text, then after
// "\n" the tool tip.
#include "fw/core/resources.h"
#include "kvcore/res/table_ids.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { IDS_COLUMNS_CAPTION, "Columns", "Oszlopok" },
    { ID_OPTIONS_DISPLAYORDER, "Set column set for the active window\nColumns",
        "Az aktív ablak oszlopainak beállítása\nOszlopok" },
    { ID_OPTIONS_POPUP, "Define popup for active window\nPopUp", "Az aktív ablak helyi menüjének megadása\nHelyi menü" },
    { ID_OPTIONS_TITLE, "Set title for the active window\nTitle", "Az aktív ablak címének beállítása\nCím" },
    { ID_WINDOW_ALWAYSONTOP, "Always on top application window\nAlways on Top",
        "Mindig a többi fölött maradó ablak\nMindig felül" },
};

const fw::ResourceSet kResources { "kvcore-table", kStrings };

[[maybe_unused]] const bool kRegistered = (fw::addResources(kResources), true);

} // namespace
