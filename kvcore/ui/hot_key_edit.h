// The field that takes a new shortcut: the user presses the key combination and the field
// shows its name. Tab, Enter and Escape alone still belong to the dialog; Backspace or
// Delete alone clear the field.
#pragma once

#include <QLineEdit>

#include "fw/core/records.h"
#include "kvcore/kvcore_api.h"

class KVCORE_API KvHotKeyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit KvHotKeyEdit(QWidget* parent = nullptr);

    // The key as an accelerator record (command 0); key 0 while empty.
    const fw::AccelRecord& Key() const { return m_key; }
    void SetKey(const fw::AccelRecord& key);

signals:
    void keyChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    // The whole keyboard is the field's while it has the focus, bar the dialog's keys.
    bool event(QEvent* event) override;

private:
    fw::AccelRecord m_key;
};

// The accelerator record of a key press; key 0 for a key no accelerator can carry (a
// modifier alone, or a key without a virtual-key code).
KVCORE_API fw::AccelRecord KvAccelOfKey(int qtKey, Qt::KeyboardModifiers modifiers);
