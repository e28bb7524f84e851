#include "kvcore/controls/big_icon.h"

#include <algorithm>

KvRect BigIconSize(int iconCx, int iconCy)
{
    return KvRect { 0, 0, 2 * iconCx + 8, 2 * iconCy + 8 };
}

KvBigIconLayout BigIconLayoutOf(int w, int h)
{
    w = std::max(w, 8);
    h = std::max(h, 8);
    KvBigIconLayout layout;
    layout.frame = KvRect { 0, 0, w - 4, h - 4 };
    layout.shadowRight = KvRect { w - 4, 4, 4, h - 4 };
    layout.shadowBottom = KvRect { 4, h - 4, w - 4, 4 };
    layout.icon = KvRect { 2, 2, w - 8, h - 8 };
    return layout;
}
