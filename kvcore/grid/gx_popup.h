#pragma once
// The table window's own popup menu: the items of the table's menu at the positions the user's
// popup definition lists, in the definition's order. Positions past the menu's end are skipped
// (a definition stored while the user had more rights or the menu had more items), commands the
// user may not use are left out, a separator position gives a separator and a popup position
// brings its whole submenu.
#include "fw/core/menu.h"
#include "kvcore/kvcore_api.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace kvcore {

KVCORE_API fw::Menu KvBuildDefinedPopup(const fw::Menu& tableMenu, const std::vector<std::uint16_t>& definition,
    const std::function<bool(std::uint32_t)>& canAccess);

} // namespace kvcore
