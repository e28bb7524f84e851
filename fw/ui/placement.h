#pragma once
// Window placement records to and from windows (main frame and MDI children alike).
#include "fw/ui/fw_ui_api.h"
#include "fw/core/records.h"

class QWidget;

namespace fw {

// The window's show state and restored rectangle (right and bottom exclusive).
FW_UI_API WindowPlacement placementOf(const QWidget& window);
// Restores the rectangle when one is stored (a degenerate one is ignored) and the show state.
FW_UI_API void applyPlacement(QWidget& window, const WindowPlacement& placement);

} // namespace fw
