#include "kvcore/frame/wait_cursor.h"

#include <QApplication>

void KvShowWaitCursor(bool on)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
