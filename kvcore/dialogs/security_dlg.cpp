#include "kvcore/dialogs/security_dlg.h"

#include "kvcore/res/app_ids.h"

CSecurityDlg::CSecurityDlg(QWidget* parent)
    : fw::Dialog(IDD_SECURITY, parent)
{
}

void CSecurityDlg::onOK()
{
    m_sCode = itemText(IDC_SECURITY_CODE);
    endDialog(fw::IDOK);
}
