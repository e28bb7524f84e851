#include "kvcore/ui/drag_list_box.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>

#include "fw/ui/dialog.h"
#include "fw/ui/text.h"

CDnDListBox::CDnDListBox(QWidget* parent)
    : QListWidget(parent)
    , m_port(*this)
    , m_logic(m_port)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_title = new QLabel(this);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    for (QToolButton* button : { m_down, m_up }) {
        // The selection must survive a click on the arrows.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(true);
    }
    connect(m_down, &QToolButton::clicked, this, [this] { m_logic.Button(kDragButtonDown); });
    connect(m_up, &QToolButton::clicked, this, [this] { m_logic.Button(kDragButtonUp); });
    m_logic.m_onMarkChanged = [this] { viewport()->update(); };
    // A list put in a dialog's cell by code reports like the template's own lists.
    connect(this, &QListWidget::itemSelectionChanged, this,
        [this] { fw::Dialog::notifyFromControl(this, fw::Notify::SelChange); });
    connect(this, &QListWidget::itemDoubleClicked, this,
        [this] { fw::Dialog::notifyFromControl(this, fw::Notify::DblClk); });
    LayOutHeading();
}

CDnDListBox::~CDnDListBox()
{
    m_logic.m_onMarkChanged = nullptr;
    m_logic.m_onReordered = nullptr;
}

void CDnDListBox::SetWindowText(const std::string& text)
{
    setWindowTitle(fw::toQt(text));
    m_title->setText(fw::toQt(text));
}

std::string CDnDListBox::Title() const
{
    return fw::fromQt(m_title->text());
}

QToolButton* CDnDListBox::ArrowButton(int id) const
{
    return id == kDragButtonDown ? m_down : id == kDragButtonUp ? m_up : nullptr;
}

int CDnDListBox::ItemFromPt(const QPoint& viewportPoint) const
{
    const QModelIndex index = indexAt(viewportPoint);
    return index.isValid() ? index.row() : -1;
}

int CDnDListBox::HeadingHeight() const
{
    return std::max(fontMetrics().height() + 6, 20);
}

void CDnDListBox::LayOutHeading()
{
    const int h = HeadingHeight();
    setViewportMargins(0, h, 0, 0);
    const int frame = frameWidth();
    const int right = width() - frame;
    m_up->setGeometry(right - h, frame, h, h);
    m_down->setGeometry(right - 2 * h, frame, h, h);
    m_title->setGeometry(frame + 3, frame, std::max(0, right - 2 * h - frame - 3), h);
}

void CDnDListBox::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    LayOutHeading();
}

void CDnDListBox::changeEvent(QEvent* event)
{
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        LayOutHeading();
}

void CDnDListBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QListWidget::mousePressEvent(event);
        return;
    }
    const int entry = ItemFromPt(event->position().toPoint());
    if (event->modifiers().testFlag(Qt::ShiftModifier)) {
        m_logic.ShiftClick(entry);
        return;
    }
    if (!event->modifiers().testFlag(Qt::ControlModifier) && m_logic.BeginDrag(entry)) {
        m_dragging = true;
        m_source = entry;
        setFocus(Qt::MouseFocusReason);
        m_port.SetCaret(entry);
        return;
    }
    // A plain click on an entry outside the selection selects it alone; Ctrl toggles.
    QListWidget::mousePressEvent(event);
    m_logic.SetAnchor(entry);
}

void CDnDListBox::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging) {
        QListWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    const KvDragCursor cursor = m_logic.Dragging(ItemFromPt(at));
    viewport()->setCursor(cursor == KvDragCursor::Move ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    // Outside the entries the list scrolls towards the pointer, a row at a time.
    if (at.y() < 0)
        verticalScrollBar()->setValue(verticalScrollBar()->value() - 1);
    else if (at.y() >= viewport()->height())
        verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
}

void CDnDListBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging) {
        QListWidget::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    viewport()->unsetCursor();
    m_logic.Dropped(m_source, ItemFromPt(event->position().toPoint()));
    m_source = -1;
}

void CDnDListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The press before it may have started a drag, which the base would not see as a press.
    if (QListWidgetItem* hit = itemAt(event->position().toPoint()); hit != nullptr && event->button() == Qt::LeftButton)
        emit itemDoubleClicked(hit);
}

void CDnDListBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Control && !event->isAutoRepeat())
        m_logic.SetCtrl(true);
    if (event->modifiers().testFlag(Qt::ControlModifier) && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        m_logic.SetCtrl(true);
        m_logic.CtrlArrow(event->key() == Qt::Key_Up);
        return;
    }
    QListWidget::keyPressEvent(event);
}

void CDnDListBox::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Control)
        m_logic.SetCtrl(false);
    QListWidget::keyReleaseEvent(event);
}

void CDnDListBox::paintEvent(QPaintEvent* event)
{
    QListWidget::paintEvent(event);
    const int mark = m_logic.InsertMark();
    if (mark < 0 || mark >= count())
        return;
    // A bar 4 pixels high across the list, centred on the top edge of the entry.
    const QRect entry = visualItemRect(item(mark));
    QPainter painter(viewport());
    painter.fillRect(QRect(0, entry.top() - 2, viewport()->width(), 4),
        QBrush(palette().color(QPalette::Text), Qt::Dense4Pattern));
}
