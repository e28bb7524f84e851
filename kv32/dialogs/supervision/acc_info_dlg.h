// The position of one trading account in one security, as the host reports
// it, for the current row of the orders, trades or negotiated deals window
// ("Summary Trading Account...").
#pragma once

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/dialogs/supervision/acc_info_form.h"

class CTrAccInfoDlg : public CKvDialog {
    Q_OBJECT
public:
    // Takes the account, second code and security of the active window's current row.
    explicit CTrAccInfoDlg(QWidget* parent = nullptr);

    bool onInitDialog() override;

    const KvAccountSubject& Subject() const { return m_subject; }

private:
    void Show();
    KvAccountSubject m_subject;
    CAccountInfo m_info;
};

// Makes the dialog the runner of command 32846 in the list windows that offer it.
void KvInstallAccountInfoDialog();
