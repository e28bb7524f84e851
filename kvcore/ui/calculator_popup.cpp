#include "kvcore/ui/calculator_popup.h"

#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "fw/ui/text.h"
#include "kvcore/controls/num_format.h"

KvCalculatorPopup* KvCalculatorPopup::open(KvCurrencyEdit& engine, QWidget* anchor)
{
    auto* popup = new KvCalculatorPopup(engine, anchor);
    popup->move(anchor->mapToGlobal(QPoint(0, anchor->height())));
    popup->show();
    popup->setFocus(Qt::PopupFocusReason);
    return popup;
}

KvCalculatorPopup::KvCalculatorPopup(KvCurrencyEdit& engine, QWidget* anchor)
    : QFrame(anchor, Qt::Popup)
    , m_engine(engine)
    , m_anchor(anchor)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    m_display = new QLabel(this);
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setMinimumWidth(anchor->width());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_display);
    refresh();
}

void KvCalculatorPopup::refresh()
{
    KvCalculator* calc = m_engine.Calculator();
    if (!calc)
        return;
    m_display->setText(calc->HasError() ? QStringLiteral("E") : fw::toQt(FixedText(calc->Display(), 6)));
}

void KvCalculatorPopup::finish(bool accept)
{
    if (m_done)
        return;
    m_done = true;
    m_engine.CloseCalculator(accept);
    if (m_anchor)
        m_anchor->update();
    close();
}

void KvCalculatorPopup::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        finish(false);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (KvCalculator* calc = m_engine.Calculator())
            calc->Key('=');
        finish(true);
        return;
    }
    const std::string typed = fw::fromQt(event->text());
    if (KvCalculator* calc = m_engine.Calculator(); calc && typed.size() == 1)
        calc->Key(typed[0] == ',' ? '.' : typed[0]);
    refresh();
}

void KvCalculatorPopup::hideEvent(QHideEvent* event)
{
    finish(false);
    QFrame::hideEvent(event);
}
