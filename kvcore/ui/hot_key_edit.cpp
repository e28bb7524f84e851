#include "kvcore/ui/hot_key_edit.h"

#include <QKeyEvent>

#include "fw/ui/text.h"

namespace {

std::uint16_t VirtualKeyOf(int key, bool keypad)
{
    if (keypad && key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<std::uint16_t>(fw::vk::Numpad0 + (key - Qt::Key_0));
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return static_cast<std::uint16_t>(key); // the same codes in both worlds
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<std::uint16_t>(fw::vk::F1 + (key - Qt::Key_F1));
    static const struct {
        int qt;
        std::uint16_t vk;
    } named[] = {
        { Qt::Key_Backspace, fw::vk::Back },
        { Qt::Key_Tab, fw::vk::Tab },
        { Qt::Key_Return, fw::vk::Return },
        { Qt::Key_Enter, fw::vk::Return },
        { Qt::Key_Escape, fw::vk::Escape },
        { Qt::Key_Space, fw::vk::Space },
        { Qt::Key_PageUp, fw::vk::Prior },
        { Qt::Key_PageDown, fw::vk::Next },
        { Qt::Key_End, fw::vk::End },
        { Qt::Key_Home, fw::vk::Home },
        { Qt::Key_Left, fw::vk::Left },
        { Qt::Key_Up, fw::vk::Up },
        { Qt::Key_Right, fw::vk::Right },
        { Qt::Key_Down, fw::vk::Down },
        { Qt::Key_Insert, fw::vk::Insert },
        { Qt::Key_Delete, fw::vk::Delete },
        { Qt::Key_Asterisk, fw::vk::Multiply },
        { Qt::Key_Plus, fw::vk::Add },
        { Qt::Key_Minus, fw::vk::Subtract },
        { Qt::Key_Period, fw::vk::Decimal },
        { Qt::Key_Slash, fw::vk::Divide },
    };
    for (const auto& n : named)
        if (n.qt == key)
            return n.vk;
    return 0;
}

bool IsDialogKey(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return mods == Qt::NoModifier || mods == Qt::ShiftModifier;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: return mods == Qt::NoModifier;
    default: return false;
    }
}

} // namespace

fw::AccelRecord KvAccelOfKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    fw::AccelRecord accel;
    accel.key = VirtualKeyOf(qtKey, modifiers.testFlag(Qt::KeypadModifier));
    if (accel.key == 0)
        return {};
    accel.flags = fw::AccelVirtKey;
    if (modifiers.testFlag(Qt::ShiftModifier))
        accel.flags |= fw::AccelShift;
    if (modifiers.testFlag(Qt::ControlModifier))
        accel.flags |= fw::AccelControl;
    if (modifiers.testFlag(Qt::AltModifier))
        accel.flags |= fw::AccelAlt;
    return accel;
}

KvHotKeyEdit::KvHotKeyEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void KvHotKeyEdit::SetKey(const fw::AccelRecord& key)
{
    m_key = key;
    m_key.cmd = 0;
    setText(m_key.key == 0 ? QString() : fw::toQt(fw::accelKeyName(m_key)));
    emit keyChanged();
}

bool KvHotKeyEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!IsDialogKey(*key)) {
            event->accept(); // the key comes here, not to a shortcut of the window
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Tab would otherwise never reach keyPressEvent when it carries modifiers.
        if (!IsDialogKey(*key)) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void KvHotKeyEdit::keyPressEvent(QKeyEvent* event)
{
    if (IsDialogKey(*event)) {
        event->ignore();
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) && mods == Qt::NoModifier) {
        SetKey({});
        return;
    }
    const fw::AccelRecord key = KvAccelOfKey(event->key(), event->modifiers());
    if (key.key != 0)
        SetKey(key);
    event->accept();
}

void KvHotKeyEdit::inputMethodEvent(QInputMethodEvent* event)
{
    event->ignore();
}
