// The message dialogs: sending or changing a user message, reading a received
// one, and the alert log entry that has just fired. Their rules live in
// shell/message_send_form.h. (No meta-object of their own: nothing connects
// to them by signal.)
#pragma once

#include <string>

#include <QString>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/shell/message_send_form.h"
#include "kvcore/ui/date_picker_widget.h"

// Stops typing in a multi-line edit at a number of characters, as a one-line
// edit's limit does: a change that would pass it is undone whole, never cut.
// A text that the dialog puts there itself (after Trust) is kept as it is.
class KvTypingLimit {
public:
    void Attach(fw::Dialog& dialog, uint32_t id, int limit);
    void Trust() { m_bTrusted = true; }

private:
    QString m_last;
    int m_nLimit = 0;
    bool m_bTrusted = false;
};

class CMsgSendDlg : public CKvDialog {
public:
    explicit CMsgSendDlg(QWidget* parent = nullptr);
    // Before the dialog is shown: change the waiting message at this row of
    // the exchange message table.
    void SetEditMode(int index)
    {
        m_nEditMode = 1;
        m_nIndex = index;
    }
    bool onInitDialog() override;
    void onOK() override;
    const CMsgSendForm& Form() const { return m_form; }
    std::string TimeText() const { return m_time.FormatTimeVORL(); }

private:
    void ShowLists();
    void ApplyRules();
    void TextChanged();
    int m_nEditMode = 0;
    int m_nIndex = -1;
    CMsgSendForm m_form;
    KvDateTimePicker m_time;
    KvTypingLimit m_limit;
};

class CMsgRecvDlg : public CKvDialog {
public:
    explicit CMsgRecvDlg(QWidget* parent = nullptr);
    // Shows the message at this row instead of the latest urgent one.
    void SetMessage(int index) { m_nIndex = index; }
    bool onInitDialog() override;

private:
    int m_nIndex = -1;
};

class CLogRecvDlg : public CKvDialog {
public:
    explicit CLogRecvDlg(QWidget* parent = nullptr);
    ~CLogRecvDlg() override;
    bool onInitDialog() override;
    void onOK() override;
    void onCancel() override;
};

// The message and news dialogs join the main frame's commands and
// notifications, and the desktop opens news attachments.
void KvInstallMessageDialogs();
// The text of a multi-line edit when every character has a Windows-1250
// form; false (and the text unchanged) otherwise.
bool KvSendableText(const fw::Dialog& dialog, uint32_t id, std::string& text);
