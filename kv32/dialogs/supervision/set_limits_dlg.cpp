#include "kv32/dialogs/supervision/set_limits_dlg.h"

#include "fw/core/msgbox.h"
#include "kv32/dialogs/supervisor_requests.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/supervision_a_ids.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"

CSetLimitsDlg::CSetLimitsDlg(const CCashLimitRow& row, int kind, QWidget* parent)
    : CKvDialog(Kv32SupervisionADialog(IDD_SET_LIMITS), parent)
    , m_row(row)
    , m_nKind(kind)
{
}

bool CSetLimitsDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    setItemText(IDC_SL_CASH_POOL, m_row.cashPool);
    setItemText(IDC_SL_WARN, LimitText(m_row.warn));
    setItemText(IDC_SL_HARD, LimitText(m_row.hard));
    setItemText(IDC_SL_ORDER, LimitText(m_row.order));
    checkButton(IDC_SL_LOG_WARN, 1);
    checkButton(IDC_SL_ALLOW_BREACH, 0);
    if (LimitsOnlyOrderLimit(m_nKind, KvTables().rights.GetValue(kUserLimitsRightType)))
        for (uint32_t id : { IDC_SL_WARN, IDC_SL_HARD, IDC_SL_LOG_WARN, IDC_SL_ALLOW_BREACH })
            enableItem(id, false);
    return true;
}

void CSetLimitsDlg::onOK()
{
    CLimitsScreen s;
    s.cashPool = itemText(IDC_SL_CASH_POOL);
    s.warn = itemText(IDC_SL_WARN);
    s.hard = itemText(IDC_SL_HARD);
    s.order = itemText(IDC_SL_ORDER);
    s.logWarn = isButtonChecked(IDC_SL_LOG_WARN) != 0;
    s.allowBreach = isButtonChecked(IDC_SL_ALLOW_BREACH) != 0;
    const KvLimitsField bad = CheckLimits(s);
    if (bad != KvLimitsField::None) {
        KvMessageBox(Kv32DealDialogString(IDS_INVALID_VALUE), fw::MB_ICONSTOP);
        constexpr uint32_t kFieldIds[] = { 0, IDC_SL_CASH_POOL, IDC_SL_WARN, IDC_SL_HARD, IDC_SL_ORDER };
        gotoItem(kFieldIds[static_cast<int>(bad)]);
        return;
    }
    if (m_nKind != kLimitFirm && m_nKind != kLimitUser && m_nKind != kLimitAccount) {
        endDialog(fw::IDOK);
        return;
    }
    CLimitsTransaction t = BuildLimitsTransaction(m_nKind, KvRequestUser(), m_row, s);
    if (t.code == 0) {
        KvMessageBox(Kv32DealDialogString(IDS_INVALID_VALUE), fw::MB_ICONSTOP);
        return;
    }
    // A refusal keeps the dialog open with what the user entered.
    if (VORLTransaction(t.code, t.record.data(), static_cast<int>(t.record.size()), 1) == 0)
        return;
    CKvDialog::onOK();
}

int KvRunSetLimits(const CCashLimitRow& row, int kind, QWidget* parent)
{
    CSetLimitsDlg dlg(row, kind, parent);
    return dlg.doModal();
}
