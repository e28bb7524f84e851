// The alert definition dialogs of a firm, a user and a security: views of
// one KvAlertForm each. Every edit changes the alert record at once; closing
// (the Close button, Escape or the window's close button) tells the windows
// of the alert table and ends with OK.
#pragma once

#include <cstdint>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/shell/alert_def_form.h"
#include "kvcore/dialogs/plain_num_edit.h"

class CAlertDefDlg : public CKvDialog {
    Q_OBJECT
public:
    // subjectRow: the subject's host row from the opener's current row, -1 none.
    CAlertDefDlg(KvAlertKind kind, uint32_t templateId, int subjectRow, QWidget* parent);
    bool onInitDialog() override;
    void onOK() override;
    void onCancel() override;

    KvAlertForm& Form() { return m_form; }

private:
    void ShowAll();
    void ShowCriterion();
    void RewriteLines();
    void ValueTyped(uint32_t id);

    KvAlertForm m_form;
    int m_nSubjectRow;
    CDecEdit m_value;
    CDecEdit m_percent;
    // Set while the dialog writes its controls: their notifications are its own.
    bool m_bShowing = false;
};

class CTraderAlertDlg : public CAlertDefDlg {
    Q_OBJECT
public:
    explicit CTraderAlertDlg(int userRow = -1, QWidget* parent = nullptr);
};

class CFirmAlertDlg : public CAlertDefDlg {
    Q_OBJECT
public:
    explicit CFirmAlertDlg(int firmRow = -1, QWidget* parent = nullptr);
};

class CSecAlertDlg : public CAlertDefDlg {
    Q_OBJECT
public:
    // The opener makes sure that a security is given (see KvRunSecAlertDialog).
    explicit CSecAlertDlg(int securityRow, QWidget* parent = nullptr);
};
