#include "kvcore/dialogs/logon_dlg.h"

#include "kvcore/app/logon.h"
#include "kvcore/res/app_ids.h"

CLogonDlg::CLogonDlg(QWidget* parent)
    : fw::Dialog(IDD_LOGON, parent)
    , m_sUser(KvLastUser())
{
    commands().onNotify(IDC_LOGON_USER, fw::Notify::Change, [this] { UpdateOk(); });
}

bool CLogonDlg::onInitDialog()
{
    fw::Dialog::onInitDialog();
    enableItem(fw::kIdOk, false);
    setItemText(IDC_LOGON_USER, m_sUser);
    setItemText(IDC_LOGON_PASSWORD, m_sPassword);
    checkButton(IDC_RESET_LOG_PRINTING, m_bResetLogPrinting);
    UpdateOk();
    return true;
}

void CLogonDlg::UpdateOk()
{
    enableItem(fw::kIdOk, !itemText(IDC_LOGON_USER).empty());
}

void CLogonDlg::onOK()
{
    m_sUser = itemText(IDC_LOGON_USER);
    m_sPassword = itemText(IDC_LOGON_PASSWORD);
    m_bResetLogPrinting = isButtonChecked(IDC_RESET_LOG_PRINTING);
    if (m_sUser.empty())
        return;
    if (!LogonAndConnect(m_sUser, m_sPassword)) {
        gotoItem(IDC_LOGON_USER);
        return;
    }
    KvLastUser() = m_sUser;
    endDialog(fw::IDOK);
}
