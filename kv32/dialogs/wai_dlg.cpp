#include "kv32/dialogs/wai_dlg.h"

#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/shell/wai_form.h"

CWAIDlg::CWAIDlg(QWidget* parent)
    : CKvDialog(Kv32DealDialog(IDD_WAI), parent)
{
    commands().onNotify(IDC_WAI_NAME, fw::Notify::Change, [this] { UpdateOk(); });
    commands().onNotify(IDC_WAI_NAME, fw::Notify::SelChange, [this] { UpdateOk(); });
}

bool CWAIDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    for (const std::string& name : WaiKnownNames())
        addString(IDC_WAI_NAME, name);
    setCurSel(IDC_WAI_NAME, -1);
    UpdateOk();
    gotoItem(IDC_WAI_NAME);
    return false;
}

std::string CWAIDlg::Text() const
{
    const std::string typed = itemText(IDC_WAI_NAME);
    const int chosen = curSel(IDC_WAI_NAME);
    return typed.empty() && chosen >= 0 ? itemString(IDC_WAI_NAME, chosen) : typed;
}

void CWAIDlg::UpdateOk()
{
    enableItem(fw::kIdOk, WaiOkEnabled(Text()));
}

void CWAIDlg::onOK()
{
    const std::string text = Text();
    if (!WaiOkEnabled(text))
        return;
    m_sIdentifier = text;
    const int chosen = curSel(IDC_WAI_NAME);
    WaiAccept(m_sIdentifier, chosen >= 0 && itemString(IDC_WAI_NAME, chosen) == m_sIdentifier);
    endDialog(fw::IDOK);
}
