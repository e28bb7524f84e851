// The firm's trading accounts and their status ("Trading Accounts..." of the
// firms window): choose a firm and one of its accounts, then suspend or
// unsuspend it. The dialog stays open for the next account until "Close".
#pragma once

#include <string>
#include <vector>

#include "kv32/dialogs/supervision/tr_acc_form.h"
#include "kv32/dialogs/kv_dialog.h"

class CTrAccListDlg : public CKvDialog {
    Q_OBJECT
public:
    // The firm preselected is that of the participants window's current row, if any.
    explicit CTrAccListDlg(QWidget* parent = nullptr);

    bool onInitDialog() override;
    void onOK() override;

    const CTrAccHostList& Accounts() const { return m_accounts; }

private:
    void FirmChanged();
    void AccountChanged();
    std::string FirmCode() const;

    CTrAccHostList m_accounts;
    int m_nFirmRow = -1; // participant table row to preselect
};

// The account combo (122) and status radios (161, 162) of the two status
// dialogs: the rows' codes, the previous code chosen again (else the first),
// OK only with an account; then the radios from the chosen row.
void KvShowHostAccounts(fw::Dialog& d, const std::vector<KvHostAccount>& rows, const std::string& previous);
// "Unsuspended" for the status letter 'A', else "Suspended".
void KvShowAccountStatus(fw::Dialog& d, const std::vector<KvHostAccount>& rows);

// Runs the dialog (the participants window's command 32893).
int KvOpenTrAccListDlg(QWidget* parent = nullptr);
// Makes the dialog the runner of command 32893 for the list window that offers it.
void KvInstallTrAccListDialog();
