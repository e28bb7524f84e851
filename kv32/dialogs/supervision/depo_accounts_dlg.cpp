#include "kv32/dialogs/supervision/depo_accounts_dlg.h"

#include "fw/core/msgbox.h"
#include "fw/ui/commondlg.h"
#include "kv32/dialogs/supervision/tr_acc_list_dlg.h"
#include "kv32/dialogs/supervisor_requests.h"
#include "kv32/res/supervision_b_ids.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/prompts.h"
#include "kvcore/app/session_core.h"

CDepoAccountsDlg::CDepoAccountsDlg(QWidget* parent)
    : CKvDialog(Kv32AccountDialog(IDD_DEPO_ACCOUNTS), parent)
{
    commands().onNotify(IDC_STA_ACCOUNT, fw::Notify::SelChange, [this] { AccountChanged(); });
}

bool CDepoAccountsDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    Refresh();
    return true;
}

void CDepoAccountsDlg::Refresh()
{
    const std::string previous = itemText(IDC_STA_ACCOUNT);
    {
        fw::WaitCursor wait;
        m_accounts.Request();
    }
    KvShowHostAccounts(*this, m_accounts.Rows(), previous);
}

void CDepoAccountsDlg::AccountChanged()
{
    KvShowAccountStatus(*this, m_accounts.Rows());
}

void CDepoAccountsDlg::onOK()
{
    if (AreYouShure(0u) != fw::IDYES)
        return;
    const std::string account = itemText(IDC_STA_ACCOUNT);
    if (!account.empty()) {
        std::string record = BuildDepoStatusRecord(KvRequestUser(), isButtonChecked(IDC_STA_SUSPENDED) != 0, account,
            KvSessionFlagLetter(), KvDisplayLetter());
        if (!record.empty())
            VORLTransaction(kTrOperator, record.data(), static_cast<int>(record.size()), 1);
    }
    Refresh();
}

int KvRunDepoAccountsDialog()
{
    if (ps == nullptr)
        return fw::IDCANCEL;
    CDepoAccountsDlg dlg;
    return dlg.doModal();
}
