#include "kvcore/dialogs/password_dlg.h"

#include "fw/core/strings.h"
#include "fw/ui/text.h"
#include "kvcore/res/app_ids.h"

CPasswordDlg::CPasswordDlg(int expired, QWidget* parent)
    : fw::Dialog(IDD_PASSWORD, parent)
    , m_change(expired)
{
}

bool CPasswordDlg::onInitDialog()
{
    fw::Dialog::onInitDialog();
    if (const unsigned title = m_change.TitleId(); title != 0)
        setWindowTitle(fw::toQt(fw::loadString(title)));
    Mirror();
    gotoItem(IDC_PASSWORD_EDIT);
    return false;
}

void CPasswordDlg::Mirror()
{
    setItemText(IDC_PASSWORD_LABEL, fw::loadString(m_change.LabelId()));
    enableItem(fw::kIdCancel, m_change.CancelEnabled());
    enableItem(fw::kIdOk, m_change.OkEnabled());
    if (m_change.CancelDefault())
        setDefaultItem(fw::kIdCancel);
}

void CPasswordDlg::onOK()
{
    m_change.SetCancelEnabled(isItemEnabled(fw::kIdCancel));
    const bool done = m_change.OnOK(itemText(IDC_PASSWORD_EDIT));
    if (done) {
        endDialog(fw::IDOK);
        return;
    }
    if (m_change.ClearField())
        setItemText(IDC_PASSWORD_EDIT, std::string());
    Mirror();
    gotoItem(IDC_PASSWORD_EDIT);
}
