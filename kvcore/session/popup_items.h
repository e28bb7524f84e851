// The popup-menu editor's mapping between a table's (pruned) menu and the user's popup
// definition: the definition holds menu positions, the editor's lists hold item texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fw/core/menu.h"
#include "kvcore/kvcore_api.h"

struct KvPopupItem {
    std::string text; // the menu text without '&', or a line of 53 hyphens for a separator
    std::uint16_t command = 0; // 0 for a separator
};

// The menu of a table id (the menu resource of that id; its first popup when it holds one),
// cut to what the user may use; none when there is no such menu.
KVCORE_API std::optional<fw::Menu> KvTableMenu(unsigned tableId);

// The items of the menu, in menu order.
KVCORE_API std::vector<KvPopupItem> KvPopupItems(const fw::Menu& menu);

// The items the definition shows, in its order; positions past the menu are skipped (a
// definition stored while the user had more rights).
KVCORE_API std::vector<KvPopupItem> KvPopupSelection(
    const std::vector<KvPopupItem>& items, const std::vector<std::uint16_t>& definition);

// The definition for the chosen texts: for each, the first position whose text equals it.
KVCORE_API std::vector<std::uint16_t> KvPopupDefinition(
    const std::vector<KvPopupItem>& items, const std::vector<std::string>& chosenTexts);
