#include "fw/ui/placement.h"

#include <QWidget>

namespace fw {

WindowPlacement placementOf(const QWidget& w)
{
    WindowPlacement p;
    QRect r = w.isWindow() && w.normalGeometry().isValid() ? w.normalGeometry() : w.geometry();
    p.normalPosition = Rect { r.left(), r.top(), r.left() + r.width(), r.top() + r.height() };
    if (w.isHidden())
        p.showCmd = ShowHide;
    else if (w.isMinimized())
        p.showCmd = ShowMinimized;
    else if (w.isMaximized())
        p.showCmd = ShowMaximized;
    else
        p.showCmd = ShowNormal;
    return p;
}

void applyPlacement(QWidget& w, const WindowPlacement& p)
{
    if (p.hasPosition()) {
        int64_t width = int64_t(p.normalPosition.right) - p.normalPosition.left;
        int64_t height = int64_t(p.normalPosition.bottom) - p.normalPosition.top;
        if (width > 0 && height > 0 && width < (1 << 16) && height < (1 << 16)) {
            if (w.isMaximized() || w.isMinimized())
                w.showNormal();
            w.setGeometry(p.normalPosition.left, p.normalPosition.top, int(width), int(height));
        }
    }
    switch (p.showCmd) {
    case ShowHide: w.hide(); break;
    case ShowMinimized: w.showMinimized(); break;
    case ShowMaximized: w.showMaximized(); break;
    default:
        if (!w.isHidden())
            w.showNormal();
        break;
    }
}

} // namespace fw
