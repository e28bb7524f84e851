#include "fw/ui/icons.h"

#include "fw/core/resources.h"

#include <QApplication>
#include <QPixmap>
#include <vector>

namespace fw {

namespace {

// The framework's own application icon: three rising bars under a trend line.
constexpr const char* kAppIcon[] = {
    "32 32 6 1",
    ". c None",
    "b c #1F3A68",
    "d c #12233F",
    "w c #E8EEF6",
    "g c #5CC26E",
    "y c #F2B632",
    "................................",
    ".....dddddddddddddddddddddd.....",
    "...ddbbbbbbbbbbbbbbbbbbbbbbdd...",
    "..dbbbbbbbbbbbbbbbbbbbbbbbbbbd..",
    "..dbbbbbbbbbbbbbbbbbbbbbbbbbbd..",
    ".dbbbbbbbbbbbbbbbbbbbbbbbbbbbbd.",
    ".dbbbbbbbbbbbbbbbbbbbbbbbbbbbbd.",
    ".dbbbbbbbbbbbbbbbbbbbbbbbbbbbbd.",
    ".dbbbbbbbbbbbbbbbbbbgggggbbbbbd.",
    ".dbbbbbbbbbbbbbbbbbbgggggbybbbd.",
    ".dbbbbbbbbbbbbbbbbbbggggyyybbbd.",
    ".dbbbbbbbbbbbbbbbbbbggyyyybbbbd.",
    ".dbbbbbbbbbbbbbbbbbbgyyygbbbbbd.",
    ".dbbbbbbbbbbbbbbbbbyyygggbbbbbd.",
    ".dbbbbbbbbbbbwwwwwyyyggggbbbbbd.",
    ".dbbbbbbbbbbbwwwyyybgggggbbbbbd.",
    ".dbbbbbbbbbbbwyyyybbgggggbbbbbd.",
    ".dbbbbbbbbbbbyyywwbbgggggbbbbbd.",
    ".dbbbbbbbbbyyywwwwbbgggggbbbbbd.",
    ".dbbbbwwwwyyywwwwwbbgggggbbbbbd.",
    ".dbbbbwwyyybbwwwwwbbgggggbbbbbd.",
    ".dbbbbyyyywbbwwwwwbbgggggbbbbbd.",
    ".dbbbyyywwwbbwwwwwbbgggggbbbbbd.",
    ".dbbbywwwwwbbwwwwwbbgggggbbbbbd.",
    ".dbbbbwwwwwbbwwwwwbbgggggbbbbbd.",
    ".dbbbbwwwwwbbwwwwwbbgggggbbbbbd.",
    ".dbbbbwwwwwbbwwwwwbbgggggbbbbbd.",
    "..dbbbbbbbbbbbbbbbbbbbbbbbbbbd..",
    "..dbbbbbbbbbbbbbbbbbbbbbbbbbbd..",
    "...ddbbbbbbbbbbbbbbbbbbbbbbdd...",
    ".....dddddddddddddddddddddd.....",
    "................................"
};

QPixmap fromXpm(std::span<const char* const> xpm)
{
    // QPixmap reads XPM from an array of lines; the span's lines are static data.
    std::vector<const char*> lines(xpm.begin(), xpm.end());
    return QPixmap(lines.data());
}

} // namespace

QIcon iconOf(uint32_t id)
{
    const IconResource* icon = findIcon(id);
    if (!icon || icon->xpm.empty())
        return {};
    QPixmap picture = fromXpm(icon->xpm);
    return picture.isNull() ? QIcon() : QIcon(picture);
}

QIcon applicationIcon()
{
    QIcon own = iconOf(kApplicationIconId);
    return own.isNull() ? QIcon(fromXpm(kAppIcon)) : own;
}

void installApplicationIcon()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::setWindowIcon(applicationIcon());
}

} // namespace fw
