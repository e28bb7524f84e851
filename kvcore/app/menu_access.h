// Menus cut down to what the user may use: every item is asked of the
// application's access check (a separator as command 0, a pop-up as command
// 0xFFFFFFFF), pop-ups left empty go, and no separator leads, trails or
// doubles up afterwards.
#pragma once

#include <cstdint>

#include "kvcore/kvcore_api.h"

namespace fw {
class Menu;
}

// The id a pop-up item is checked with.
inline constexpr uint32_t kPopupItemId = 0xFFFFFFFFu;

KVCORE_API void PruneMenu(fw::Menu* menu);
// Only removes pop-ups that are (or become) empty, at any depth; no access check.
KVCORE_API void RemoveEmptyPopups(fw::Menu* menu);
