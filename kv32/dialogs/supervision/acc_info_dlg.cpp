#include "kv32/dialogs/supervision/acc_info_dlg.h"

#include "fw/ui/commondlg.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/res/supervision_b_ids.h"
#include "kv32/trading/active_row.h"

CTrAccInfoDlg::CTrAccInfoDlg(QWidget* parent)
    : CKvDialog(Kv32AccountDialog(IDD_ACC_INFO), parent)
    , m_subject(AccountSubjectOf(KvActiveListRow()))
{
}

bool CTrAccInfoDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    Show(); // the texts empty and the values zero until the host answers
    {
        fw::WaitCursor wait;
        m_info.Request(m_subject);
    }
    Show();
    return true;
}

void CTrAccInfoDlg::Show()
{
    const KvAccountPosition& p = m_info.Position();
    setItemText(IDC_INF_ACCOUNT, p.account);
    setItemText(IDC_INF_DEPOSITORY, p.depository);
    setItemText(IDC_INF_OPEN, p.open.Format(1, 1));
    setItemText(IDC_INF_CURRENT, p.current.Format(1, 1));
    setItemText(IDC_INF_PLANNED_BUY, p.plannedBuy.Format(1, 1));
    setItemText(IDC_INF_PLANNED_SELL, p.plannedSell.Format(1, 1));
}

void KvInstallAccountInfoDialog()
{
    KvSetCommandDialog(ID_SUMMARY_TRADING_ACCOUNT, [](int) {
        CTrAccInfoDlg dlg;
        return dlg.doModal();
    });
}
