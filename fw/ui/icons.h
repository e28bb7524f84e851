#pragma once
// Icons by numeric id from the resource sets' icon tables, and the application's icon, which
// every window without one of its own shows (the toolkit's picture never appears).
#include "fw/ui/fw_ui_api.h"

#include <QIcon>
#include <cstdint>

namespace fw {

// The id a program gives its own icon in its resource set.
inline constexpr uint32_t kApplicationIconId = 128;

// The icon of an id; a null icon when no set has it or its picture does not load.
FW_UI_API QIcon iconOf(uint32_t id);
// The program's icon (id kApplicationIconId), else the framework's own.
FW_UI_API QIcon applicationIcon();
// Makes applicationIcon() the default icon of every window; windows call it as they are built.
FW_UI_API void installApplicationIcon();

} // namespace fw
