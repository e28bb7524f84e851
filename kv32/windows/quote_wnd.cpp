#include "kv32/windows/quote_wnd.h"

#include <QPainter>

#include "fw/ui/app.h"
#include "fw/ui/text.h"
#include "kv32/windows/quote_rows.h"
#include "kvcore/app/profile_settings.h"

CQuoteWnd::CQuoteWnd(QWidget* parent)
    : QWidget(parent)
    , m_nPeriod(QuoteTimerPeriodMs(iTS))
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    if (fw::App* app = fw::App::instance()) {
        app->setTimer(this, kTimerId, m_nPeriod);
        m_bTimer = true;
    }
}

CQuoteWnd::~CQuoteWnd()
{
    if (m_bTimer)
        if (fw::App* app = fw::App::instance())
            app->killTimer(this, kTimerId);
}

void CQuoteWnd::SetSecurity(int row)
{
    m_nSecurity = row;
    update();
}

void CQuoteWnd::onTimer(uint32_t timerId)
{
    if (timerId != kTimerId)
        return;
    update();
    repaint();
}

QSize CQuoteWnd::sizeHint() const
{
    const int height = fontMetrics().height();
    return { fontMetrics().averageCharWidth() * 30, kQuoteRows * height * 3 / 2 + height / 2 };
}

void CQuoteWnd::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::ButtonText));
    const int textHeight = painter.fontMetrics().height();
    const int pitch = textHeight * 3 / 2;
    const int middle = width() / 2;
    const int gap = painter.fontMetrics().averageCharWidth();
    const KvQuoteRows rows = QuoteRowsOfRow(m_nSecurity);
    for (int i = 0; i < kQuoteRows; ++i) {
        const int top = textHeight / 4 + i * pitch;
        const KvQuoteRow& row = rows[static_cast<size_t>(i)];
        painter.drawText(QRect(0, top, middle - gap, textHeight), Qt::AlignRight | Qt::AlignVCenter, fw::toQt(row.label));
        painter.drawText(QRect(middle + gap, top, width() - middle - 2 * gap, textHeight),
            Qt::AlignLeft | Qt::AlignVCenter, fw::toQt(row.value));
    }
}
