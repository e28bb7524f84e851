#pragma once
// Window placement records to and from windows (main frame and MDI children alike).
#include "fw/core/records.h"

class QWidget;

namespace fw {

// The window's show state and restored rectangle (right and bottom exclusive).
WindowPlacement placementOf(const QWidget& window);
// Restores the rectangle when one is stored (a degenerate one is ignored) and the show state.
void applyPlacement(QWidget& window, const WindowPlacement& placement);

} // namespace fw
