#include "kv32/dialogs/alerts/ordcount_alert_dlg.h"

#include "fw/core/msgbox.h"
#include "kv32/res/alert_dialog_ids.h"
#include "kvcore/app/message_box.h"

namespace {

constexpr uint32_t kLimitIds[] = { IDC_OCA_NORMAL, IDC_OCA_MM, IDC_OCA_NORMAL_AVG, IDC_OCA_MM_AVG };

} // namespace

COrdCountAlertDlg::COrdCountAlertDlg(QWidget* parent)
    : CKvDialog(Kv32AlertDialog(IDD_ORDCOUNT_ALERT), parent)
{
    fw::CommandMap& map = commands();
    map.onNotify(IDC_OCA_BOARD, fw::Notify::SelChange, [this] {
        m_form.ChooseBoard(curSel(IDC_OCA_BOARD));
        Show();
    });
    map.onNotify(IDC_OCA_FIRM, fw::Notify::SelChange, [this] {
        m_form.ChooseFirm(curSel(IDC_OCA_FIRM));
        Show();
    });
    map.onNotify(IDC_OCA_ALL, fw::Notify::Clicked, [this] {
        m_form.SetAllFirms(isButtonChecked(IDC_OCA_ALL) != 0);
        Show();
    });
    map.onNotify(IDC_OCA_DELETE, fw::Notify::Clicked, [this] {
        m_form.Delete();
        endDialog(fw::IDOK);
    });
}

bool COrdCountAlertDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    setItemText(IDC_OCA_PERIOD, KvOrdCountForm::PeriodText());
    m_form.Open(m_nCountingRow);
    for (const std::string& board : m_form.Boards())
        addString(IDC_OCA_BOARD, board);
    for (const std::string& firm : m_form.Firms())
        addString(IDC_OCA_FIRM, firm);
    Show();
    return true;
}

void COrdCountAlertDlg::Show()
{
    setCurSel(IDC_OCA_BOARD, m_form.Board());
    setCurSel(IDC_OCA_FIRM, m_form.Firm());
    checkButton(IDC_OCA_ALL, m_form.AllFirms() ? 1 : 0);
    enableItem(IDC_OCA_FIRM, m_form.FirmListEnabled());
    for (int k = 0; k < 4; ++k)
        setItemText(kLimitIds[k], m_form.LimitText(k));
    enableItem(IDC_OCA_DELETE, m_form.DeleteEnabled());
}

void COrdCountAlertDlg::onOK()
{
    for (int k = 0; k < 4; ++k) {
        if (!m_form.SetLimit(k, itemText(kLimitIds[k]))) {
            KvMessageBox(Kv32AlertDialogString(IDS_ORDCOUNT_NEED_LIMIT), fw::MB_ICONSTOP);
            gotoItem(kLimitIds[k]);
            return;
        }
    }
    if (const unsigned refusal = m_form.Accept(); refusal != 0) {
        KvMessageBox(Kv32AlertDialogString(refusal), fw::MB_ICONSTOP);
        return;
    }
    endDialog(fw::IDOK);
}
