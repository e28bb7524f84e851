#include "fw/ui/mainframe.h"

#include <QKeySequence>
#include <QShortcut>

namespace fw {

namespace {
int qtKeyOfVirtualKey(uint16_t key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return key; // Qt's codes for these are their ASCII values too
    if (key >= vk::F1 && key < vk::F1 + 24)
        return Qt::Key_F1 + (key - vk::F1);
    if (key >= vk::Numpad0 && key <= vk::Numpad0 + 9)
        return Qt::Key_0 + (key - vk::Numpad0);
    switch (key) {
    case vk::Back: return Qt::Key_Backspace;
    case vk::Tab: return Qt::Key_Tab;
    case vk::Return: return Qt::Key_Return;
    case vk::Escape: return Qt::Key_Escape;
    case vk::Space: return Qt::Key_Space;
    case vk::Prior: return Qt::Key_PageUp;
    case vk::Next: return Qt::Key_PageDown;
    case vk::End: return Qt::Key_End;
    case vk::Home: return Qt::Key_Home;
    case vk::Left: return Qt::Key_Left;
    case vk::Up: return Qt::Key_Up;
    case vk::Right: return Qt::Key_Right;
    case vk::Down: return Qt::Key_Down;
    case vk::Insert: return Qt::Key_Insert;
    case vk::Delete: return Qt::Key_Delete;
    case vk::Multiply: return Qt::Key_Asterisk;
    case vk::Add: return Qt::Key_Plus;
    case vk::Subtract: return Qt::Key_Minus;
    case vk::Decimal: return Qt::Key_Period;
    case vk::Divide: return Qt::Key_Slash;
    default: return 0;
    }
}
} // namespace

QKeySequence MainFrame::keySequenceOf(const AccelRecord& a)
{
    int key = 0;
    if (a.flags & AccelVirtKey) {
        key = qtKeyOfVirtualKey(a.key);
    } else if (a.key >= 0x20 && a.key < 0x7F) {
        // A character accelerator: the character itself, whatever the modifiers.
        return QKeySequence(QString(QChar(a.key)));
    } else if (a.key >= 1 && a.key <= 26) {
        key = 'A' + a.key - 1; // control characters are Ctrl+letter
        return QKeySequence(Qt::ControlModifier | Qt::Key(key));
    }
    if (key == 0)
        return {};
    Qt::KeyboardModifiers mods;
    if (a.flags & AccelShift)
        mods |= Qt::ShiftModifier;
    if (a.flags & AccelControl)
        mods |= Qt::ControlModifier;
    if (a.flags & AccelAlt)
        mods |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(mods, Qt::Key(key)));
}

void MainFrame::setAccelerators(std::span<const AccelRecord> table)
{
    for (QShortcut* s : shortcuts_)
        delete s;
    shortcuts_.clear();
    for (const AccelRecord& a : table) {
        QKeySequence seq = keySequenceOf(a);
        if (seq.isEmpty() || a.cmd == 0)
            continue;
        auto* s = new QShortcut(seq, this); // owned by the frame; deleted above when replaced
        s->setContext(Qt::WindowShortcut);
        uint32_t id = a.cmd;
        connect(s, &QShortcut::activated, this, [this, id] { onMenuCommand(id); });
        shortcuts_.push_back(s);
    }
}

} // namespace fw
