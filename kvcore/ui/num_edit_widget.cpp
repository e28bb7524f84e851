#include "kvcore/ui/num_edit_widget.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>

#include "fw/ui/dataexchange.h"
#include "fw/ui/dialog.h"
#include "fw/ui/text.h"
#include "fw/core/msgbox.h"
#include "kvcore/app/message_box.h"
#include "kvcore/controls/num_exchange.h"
#include "kvcore/values/number_text.h"
#include "kvcore/ui/calculator_popup.h"

namespace {

constexpr int kMargin = 4;

// The engine's key for a key press; vk 0 for keys the edit leaves to the dialog.
KvKeyEvent KeyOf(const QKeyEvent& event)
{
    static const struct {
        int qt;
        int vk;
        char ch;
    } named[] = {
        { Qt::Key_Backspace, kVkBack, '\b' },
        { Qt::Key_Delete, kVkDelete, 0 },
        { Qt::Key_Left, kVkLeft, 0 },
        { Qt::Key_Right, kVkRight, 0 },
        { Qt::Key_Home, kVkHome, 0 },
        { Qt::Key_End, kVkEnd, 0 },
        { Qt::Key_Insert, kVkInsert, 0 },
    };
    KvKeyEvent key;
    for (const auto& n : named)
        if (event.key() == n.qt)
            key = KvKeyEvent { n.vk, n.ch };
    if (key.vk == 0) {
        const std::string typed = fw::fromQt(event.text());
        if (typed.size() != 1 || static_cast<unsigned char>(typed[0]) < 32)
            return {};
        key = KvCharKey(typed[0]);
    }
    key.ctrl = event.modifiers().testFlag(Qt::ControlModifier);
    key.alt = event.modifiers().testFlag(Qt::AltModifier);
    key.shift = event.modifiers().testFlag(Qt::ShiftModifier);
    return key;
}

} // namespace

KvNumEditWidget::KvNumEditWidget(CBaseNumEdit& engine, QWidget* parent)
    : QWidget(parent)
    , m_engine(engine)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setCursor(Qt::IBeamCursor);
    m_dropButton = new QToolButton(this);
    m_dropButton->setArrowType(Qt::DownArrow);
    m_dropButton->setFocusPolicy(Qt::NoFocus);
    m_dropButton->setCursor(Qt::ArrowCursor);
    connect(m_dropButton, &QToolButton::clicked, this, [this] { dropButtonClicked(); });
    // The widget may go first (a replaced item) or last (the dialog's members die before
    // its child windows), so the engine's notifications check that the widget still lives.
    m_engine.SetNotify([self = QPointer<KvNumEditWidget>(this)](int code) {
        if (!self)
            return;
        if (code == kNotifyRefused) {
            const CBaseNumEdit& engine = self->m_engine;
            KvMessageBox(MisplacedGroupMarkText(engine.RefusedMark(), engine.Format().DecimalSeparator()),
                fw::MB_ICONSTOP);
            return;
        }
        fw::Dialog::notifyFromControl(self.data(), code == kNotifyChange ? fw::Notify::Change : fw::Notify::Clicked);
    });
}

KvNumEditWidget::~KvNumEditWidget() = default;

QSize KvNumEditWidget::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return QSize(
        fm.horizontalAdvance(QLatin1Char('0')) * 14 + 2 * kMargin + fm.height(), fm.height() + 2 * kMargin);
}

int KvNumEditWidget::textLeft() const
{
    // The text is right-aligned before the drop button.
    const int right = width() - height() - kMargin;
    return right - fontMetrics().horizontalAdvance(fw::toQt(m_engine.Text()));
}

int KvNumEditWidget::caretAt(int x) const
{
    const QString text = fw::toQt(m_engine.Text());
    const QFontMetrics fm = fontMetrics();
    const int left = textLeft();
    for (int i = 0; i < text.size(); ++i) {
        const int mid = left + fm.horizontalAdvance(text.left(i)) + fm.horizontalAdvance(text.at(i)) / 2;
        if (x < mid)
            return i;
    }
    return static_cast<int>(text.size());
}

void KvNumEditWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &p, this);

    const QString text = fw::toQt(m_engine.Text());
    const QFontMetrics fm = fontMetrics();
    const int left = textLeft();
    const int baseline = (height() + fm.ascent() - fm.descent()) / 2;
    if (m_engine.HasSelection()) {
        int s = m_engine.SelStart() < 0 ? 0 : m_engine.SelStart();
        int e = m_engine.SelEnd() < 0 ? static_cast<int>(text.size()) : m_engine.SelEnd();
        if (s > e)
            std::swap(s, e);
        const int x0 = left + fm.horizontalAdvance(text.left(s));
        const int x1 = left + fm.horizontalAdvance(text.left(e));
        p.fillRect(QRect(x0, kMargin, x1 - x0, height() - 2 * kMargin), palette().highlight());
    }
    p.setPen(palette().color(isEnabled() ? QPalette::Text : QPalette::PlaceholderText));
    p.drawText(left, baseline, text);
    if (hasFocus()) {
        const int caret = std::clamp(m_engine.Caret(), 0, static_cast<int>(text.size()));
        const int x = left + fm.horizontalAdvance(text.left(caret));
        p.drawLine(x, kMargin, x, height() - kMargin);
    }
}

void KvNumEditWidget::resizeEvent(QResizeEvent*)
{
    m_dropButton->setGeometry(width() - height(), 0, height(), height());
}

void KvNumEditWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        if (const QClipboard* clipboard = QGuiApplication::clipboard())
            m_engine.OnPaste(fw::fromQt(clipboard->text()));
        update();
        return;
    }
    if (event->matches(QKeySequence::Copy) && m_engine.HasSelection()) {
        int s = std::max(0, m_engine.SelStart());
        int e = m_engine.SelEnd() < 0 ? static_cast<int>(m_engine.Text().size()) : m_engine.SelEnd();
        if (s > e)
            std::swap(s, e);
        if (QClipboard* clipboard = QGuiApplication::clipboard())
            clipboard->setText(
                fw::toQt(m_engine.Text().substr(static_cast<size_t>(s), static_cast<size_t>(e - s))));
        return;
    }
    const KvKeyEvent key = KeyOf(*event);
    // Enter ends the typing: a refused figure keeps the dialog from taking it.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !m_engine.FinishEntry())
        return;
    if (key.vk == 0) {
        QWidget::keyPressEvent(event); // Tab, Enter, Escape belong to the dialog
        return;
    }
    m_engine.PressKey(key);
    update();
}

void KvNumEditWidget::focusOutEvent(QFocusEvent* event)
{
    m_engine.OnKillFocus();
    update();
    QWidget::focusOutEvent(event);
}

void KvNumEditWidget::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    m_engine.OnLButtonDown(caretAt(event->position().toPoint().x()));
    update();
}

void KvNumEditWidget::mouseReleaseEvent(QMouseEvent*)
{
    m_engine.OnLButtonUp();
}

void KvNumEditWidget::dropButtonClicked()
{
    m_engine.OnClicked();
    if (m_engine.Calculator())
        KvCalculatorPopup::open(m_engine, this);
    update();
}

namespace {

KvNumEditWidget* AttachedEdit(fw::DataExchange& dx, uint32_t id)
{
    auto* widget = dx.dialog().itemAs<KvNumEditWidget>(id);
    if (!widget)
        dx.fail(id);
    return widget;
}

template <class T> void ExchangeWith(fw::DataExchange& dx, uint32_t id, T& value)
{
    KvNumEditWidget* widget = AttachedEdit(dx, id);
    ExchangeNumValue(dx.saving(), widget->engine(), value);
    widget->update();
}

} // namespace

void DDX_Control(fw::DataExchange& dx, uint32_t id, CBaseNumEdit& edit, bool allowBlank)
{
    fw::Dialog& dialog = dx.dialog();
    if (auto* widget = dialog.itemAs<KvNumEditWidget>(id); widget && &widget->engine() == &edit)
        return;
    if (!dialog.item(id) || !ExchangeNumControl(edit, dialog.itemText(id), allowBlank))
        dx.fail(id);
    dialog.setItemWidget(id, std::make_unique<KvNumEditWidget>(edit));
}

void DDX_Value(fw::DataExchange& dx, uint32_t id, int32_t& value)
{
    ExchangeWith(dx, id, value);
}

void DDX_Value(fw::DataExchange& dx, uint32_t id, uint32_t& value)
{
    ExchangeWith(dx, id, value);
}

void DDX_Value(fw::DataExchange& dx, uint32_t id, double& value)
{
    ExchangeWith(dx, id, value);
}

void DDX_Value(fw::DataExchange& dx, uint32_t id, std::string& value)
{
    ExchangeWith(dx, id, value);
}
