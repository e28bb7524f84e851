#include "kvcore/ui/combos.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QSignalBlocker>

#include "fw/ui/app.h"
#include "fw/ui/dialog.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/text.h"
#include "kvcore/controls/currency_edit.h"

namespace {

fw::Dialog* DialogOf(QWidget* w)
{
    for (QWidget* p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget())
        if (auto* dialog = qobject_cast<fw::Dialog*>(p))
            return dialog;
    return nullptr;
}

} // namespace

char TypedChar(const QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return 0;
    const std::string typed = fw::fromQt(event.text());
    if (typed.size() != 1 || static_cast<unsigned char>(typed[0]) < 32)
        return 0;
    return typed[0];
}

int KvQtComboList::GetCount() const
{
    return m_box.count();
}

std::string KvQtComboList::GetItemText(int index) const
{
    return fw::fromQt(m_box.itemText(index));
}

int KvQtComboList::GetCurSel() const
{
    return m_box.currentIndex();
}

void KvQtComboList::SetCurSel(int index)
{
    m_box.setCurrentIndex(index);
}

void KvQtComboList::NotifySelChange()
{
    fw::Dialog::notifyFromControl(&m_box, fw::Notify::SelChange);
}

std::string KvQtComboList::GetEditText() const
{
    return m_box.lineEdit() ? fw::fromQt(m_box.lineEdit()->text()) : fw::fromQt(m_box.currentText());
}

int KvQtComboList::GetEditSelStart() const
{
    QLineEdit* edit = m_box.lineEdit();
    if (!edit)
        return 0;
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

void KvQtComboList::SetEditSel(int start, int end)
{
    if (QLineEdit* edit = m_box.lineEdit()) {
        const int length = static_cast<int>(edit->text().size());
        const int last = end < 0 ? length : std::min(end, length);
        edit->setSelection(last, std::max(0, std::min(start, last)) - last); // caret at the start
    }
}

void KvQtComboList::ShowDropDown(bool show)
{
    // Closing and opening again refreshes an open list; a closed list stays closed, as an
    // open Qt popup would take the keyboard from the edit field.
    if (!show) {
        m_popupWasOpen = m_box.view() && m_box.view()->isVisible();
        m_box.hidePopup();
    } else if (m_popupWasOpen) {
        m_box.showPopup();
    }
}

void KvQtCompanion::SetFocus()
{
    if (widget)
        widget->setFocus(Qt::OtherFocusReason);
}

void KvQtCompanion::SetText(std::string_view text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(widget.data()))
        edit->setText(fw::toQt(text));
}

void KvQtCompanion::SendChar(char ch, int repeat, int)
{
    if (!widget)
        return;
    const QString text = fw::toQt(std::string_view(&ch, 1));
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text, false, static_cast<quint16>(repeat));
    QApplication::sendEvent(widget, &press);
}

CTypeComboBox::CTypeComboBox(QWidget* parent)
    : QComboBox(parent)
{
}

void CTypeComboBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && m_keys.OnKeyDown(kVkDelete))
        return;
    if (const char ch = TypedChar(*event)) {
        m_keys.OnChar(ch);
        return;
    }
    QComboBox::keyPressEvent(event);
}

void CTypeComboBox::focusInEvent(QFocusEvent* event)
{
    m_keys.OnSetFocus();
    QComboBox::focusInEvent(event);
}

void CTypeComboBox::focusOutEvent(QFocusEvent* event)
{
    m_keys.OnKillFocus([&] { QComboBox::focusOutEvent(event); });
}

void KvComboContextMenu::AddCommand(uint32_t id, const std::string& text)
{
    m_menu.add(fw::Menu::command(id, text));
}

uint32_t KvComboContextMenu::DoPopupMenu(QWidget& box, const QPoint& pos)
{
    const QPoint at = box.mapToGlobal(pos);
    uint32_t chosen = 0;
    if (fw::App* app = fw::App::instance(); app && app->mainFrame()) {
        chosen = app->mainFrame()->trackPopupMenu(m_menu, at, false);
    } else {
        QMenu menu(&box);
        for (const fw::Menu& item : m_menu.items()) {
            if (item.isSeparator())
                menu.addSeparator();
            else if (!item.isPopup())
                menu.addAction(fw::toQt(item.text()))->setData(item.id());
        }
        if (QAction* action = menu.exec(at))
            chosen = action->data().toUInt();
    }
    if (chosen != 0)
        if (fw::Dialog* dialog = DialogOf(&box))
            dialog->routeCommand(chosen);
    return chosen;
}

void CClearComboBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && m_keys.OnKeyDown(kVkDelete))
        return;
    QComboBox::keyPressEvent(event);
}

CBGComboBox::CBGComboBox(QWidget* parent)
    : QComboBox(parent)
{
    m_keys.companion = &m_companion;
}

void CBGComboBox::keyPressEvent(QKeyEvent* event)
{
    if (const char ch = TypedChar(*event)) {
        m_keys.OnChar(ch, event->isAutoRepeat() ? 2 : 1);
        return;
    }
    QComboBox::keyPressEvent(event);
}

void CBGComboBox::focusInEvent(QFocusEvent* event)
{
    m_keys.OnSetFocus();
    QComboBox::focusInEvent(event);
}

CBGEdit::CBGEdit(QWidget* parent)
    : QLineEdit(parent)
{
    m_keys.companion = &m_companion;
}

void CBGEdit::keyPressEvent(QKeyEvent* event)
{
    if (const char ch = TypedChar(*event); ch && m_keys.OnChar(ch))
        return;
    QLineEdit::keyPressEvent(event);
}

CExplorerCombo::CExplorerCombo(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    lineEdit()->installEventFilter(this);
}

bool CExplorerCombo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        const char ch = TypedChar(*static_cast<QKeyEvent*>(event));
        if (ch && m_keys.OnChar(ch))
            return true;
    }
    return QComboBox::eventFilter(watched, event);
}
