#include "kvcore/ui/plain_num_edit_widget.h"

#include <QApplication>
#include <QKeyEvent>

#include "fw/ui/dialog.h"
#include "fw/ui/text.h"

KvPlainNumEditWidget::KvPlainNumEditWidget(KvPlainEdit& field, QWidget* parent)
    : QLineEdit(parent)
    , m_field(field)
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
    m_field.m_onBeep = [] { QApplication::beep(); };
    // A field put in a dialog's cell by code reports its changes like the template's edits.
    // Text set from outside (a dialog's setItemText, a paste) reaches the field as well.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (fw::fromQt(text()) != m_field.Text())
            TakeText();
        fw::Dialog::notifyFromControl(this, fw::Notify::Change);
    });
    ShowField();
}

KvPlainNumEditWidget::~KvPlainNumEditWidget()
{
    m_field.m_onBeep = nullptr;
}

void KvPlainNumEditWidget::TakeText()
{
    m_field.SetWindowText(fw::fromQt(text()));
    if (hasSelectedText()) {
        const int start = selectionStart();
        const int end = selectionEnd();
        // The caret is the moving end of the selection.
        if (cursorPosition() == start)
            m_field.SetSel(end, start);
        else
            m_field.SetSel(start, end);
    } else {
        m_field.SetSel(cursorPosition(), cursorPosition());
    }
}

void KvPlainNumEditWidget::ShowField()
{
    setMaxLength(std::min(m_field.Limit(), 32767));
    const QString shown = fw::toQt(m_field.Text());
    if (shown != text())
        setText(shown);
    const int start = m_field.SelStart();
    const int end = m_field.SelEnd();
    if (start == end)
        setCursorPosition(end);
    else
        setSelection(start, end - start);
}

void KvPlainNumEditWidget::keyPressEvent(QKeyEvent* event)
{
    const std::string typed = fw::fromQt(event->text());
    const bool control = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool character = !event->text().isEmpty() && !control
        && (event->text().at(0).unicode() >= 32 || event->key() == Qt::Key_Backspace)
        && event->text().at(0).unicode() != 127;
    if (!character) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape
            || event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
            QLineEdit::keyPressEvent(event);
            return;
        }
        QLineEdit::keyPressEvent(event);
        TakeText();
        m_field.AfterKey();
        ShowField();
        return;
    }
    TakeText();
    // The key goes down before it types: a sign deleted or set meanwhile is taken first.
    m_field.AfterKey();
    if (typed.size() == 1)
        m_field.OnChar(typed[0]);
    else if (m_field.m_onBeep)
        m_field.m_onBeep(); // a character the 8-bit text cannot hold
    m_field.AfterKey();
    ShowField();
    event->accept();
}

void KvPlainNumEditWidget::inputMethodEvent(QInputMethodEvent* event)
{
    event->ignore();
}
