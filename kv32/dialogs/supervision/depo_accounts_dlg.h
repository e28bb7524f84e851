// The user's depository accounts ("Edit > Depository Accounts..."): choose
// one and suspend or unsuspend it; the dialog stays open until "Close".
#pragma once

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/dialogs/supervision/depo_accounts_form.h"

class CDepoAccountsDlg : public CKvDialog {
    Q_OBJECT
public:
    explicit CDepoAccountsDlg(QWidget* parent = nullptr);

    bool onInitDialog() override;
    void onOK() override;

    const CDepoAccountList& Accounts() const { return m_accounts; }

private:
    void Refresh();
    void AccountChanged();

    CDepoAccountList m_accounts;
};

// Runs the dialog (main menu command 32894); nothing without a session.
int KvRunDepoAccountsDialog();
