// The window of a plain numeric field: a line edit whose typed characters go through the
// field's rules (KvPlainEdit); other keys (arrows, Delete, copy and paste) are the line
// edit's own, after which the field checks its sign. Refused keys beep.
#pragma once

#include <QLineEdit>

#include "kvcore/dialogs/plain_num_edit.h"
#include "kvcore/kvcore_api.h"

class KVCORE_API KvPlainNumEditWidget : public QLineEdit {
    Q_OBJECT
public:
    // The field is normally the dialog's member and outlives the window's use of it.
    explicit KvPlainNumEditWidget(KvPlainEdit& field, QWidget* parent = nullptr);
    ~KvPlainNumEditWidget() override;

    KvPlainEdit& Field() { return m_field; }
    // The field's text and selection shown again (after code changed the field).
    void ShowField();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void TakeText();

    KvPlainEdit& m_field;
};
