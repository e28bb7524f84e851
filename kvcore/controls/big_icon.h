// Where the big icon button draws: the icon at twice its size inside a frame with a
// drop shadow on the right and at the bottom. Rectangles run from (x, y) over w by h pixels.
#pragma once

#include "kvcore/kvcore_api.h"

struct KvRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool operator==(const KvRect&) const = default;
};

struct KvBigIconLayout {
    KvRect frame; // outline, drawn with the pen
    KvRect shadowRight;
    KvRect shadowBottom;
    KvRect icon; // the icon stretched to double size
};

// The button's size for a system icon of cx by cy: twice the icon plus 8 pixels each way.
KVCORE_API KvRect BigIconSize(int iconCx, int iconCy);
// The parts of a button whose client area is w by h.
KVCORE_API KvBigIconLayout BigIconLayoutOf(int w, int h);
