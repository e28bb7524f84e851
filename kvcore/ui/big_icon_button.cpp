#include "kvcore/ui/big_icon_button.h"

#include <QPainter>
#include <QStyle>

#include "fw/ui/icons.h"
#include "fw/ui/text.h"
#include "kvcore/controls/big_icon.h"

namespace {

QRect ToQt(const KvRect& r)
{
    return QRect(r.x, r.y, r.w, r.h);
}

} // namespace

CBigIcon::CBigIcon(QWidget* parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

QSize CBigIcon::systemIconSize() const
{
    const int extent = style()->pixelMetric(QStyle::PM_LargeIconSize, nullptr, this);
    return QSize(extent, extent);
}

void CBigIcon::SizeToContent(uint32_t id)
{
    m_iconId = id;
    m_iconName.clear();
    Resize();
}

void CBigIcon::SizeToContent(const std::string& name)
{
    m_iconId = 0;
    m_iconName = name;
    Resize();
}

QSize CBigIcon::sizeHint() const
{
    const QSize icon = systemIconSize();
    const KvRect size = BigIconSize(icon.width(), icon.height());
    return QSize(size.w, size.h);
}

void CBigIcon::Resize()
{
    setFixedSize(sizeHint());
    update();
}

void CBigIcon::paintEvent(QPaintEvent*)
{
    const QIcon icon = m_iconId != 0 ? fw::iconOf(m_iconId) : QIcon(fw::toQt(m_iconName));
    if (icon.isNull())
        return; // nothing to show is no failure
    const KvBigIconLayout layout = BigIconLayoutOf(width(), height());
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(palette().button());
    // Qt's outline covers one pixel more to the right and below than the rectangle.
    p.drawRect(ToQt(layout.frame).adjusted(0, 0, -1, -1));
    p.fillRect(ToQt(layout.shadowRight), Qt::gray);
    p.fillRect(ToQt(layout.shadowBottom), Qt::gray);
    // The icon drawn small and stretched, as a doubled picture rather than a sharper one.
    const QSize small = systemIconSize();
    const QPixmap picture = icon.pixmap(small);
    p.drawPixmap(ToQt(layout.icon), picture);
}
