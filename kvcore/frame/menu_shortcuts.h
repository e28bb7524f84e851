// The keys of the shortcut table written into the menu: every command item shows, after a tab,
// the name of the first key of the table that reaches its command, as menus show keys.
#pragma once

#include <span>

#include "fw/core/records.h"
#include "kvcore/kvcore_api.h"

namespace fw {
class Menu;
}

// A key written before (anything after the item's tab) goes first, so an item whose command
// lost its key shows its text alone. Popups are walked to any depth.
KVCORE_API void KvWriteShortcutTexts(fw::Menu& menu, std::span<const fw::AccelRecord> table);
