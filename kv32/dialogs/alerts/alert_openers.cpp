#include "kv32/dialogs/alerts/alert_openers.h"

#include "fw/core/msgbox.h"
#include "kv32/dialogs/alerts/alert_def_dlgs.h"
#include "kv32/dialogs/alerts/alert_select_dlg.h"
#include "kv32/dialogs/alerts/ordcount_alert_dlg.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/alert_dialog_ids.h"
#include "kv32/res/shell_strings.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/logon.h"
#include "kvcore/app/message_box.h"

int KvRunTraderAlertDialog(int userRow, QWidget* parent)
{
    CTraderAlertDlg dlg(userRow, parent);
    const int result = dlg.doModal();
    if (result == fw::IDOK)
        KvRetestChangedAlerts(UserAlertTable());
    return result;
}

int KvRunFirmAlertDialog(int firmRow, QWidget* parent)
{
    CFirmAlertDlg dlg(firmRow, parent);
    const int result = dlg.doModal();
    if (result == fw::IDOK)
        KvRetestChangedAlerts(FirmAlertTable());
    return result;
}

int KvRunSecAlertDialog(int securityRow, QWidget* parent)
{
    if (securityRow < 0 || securityRow >= SecurityTable().GetCount()) {
        KvMessageBox(Kv32AlertDialogString(IDS_SECURITY_FIRST), fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return fw::IDCANCEL;
    }
    CSecAlertDlg dlg(securityRow, parent);
    const int result = dlg.doModal();
    if (result == fw::IDOK)
        KvRetestChangedAlerts(SecAlertTable());
    return result;
}

int KvRunOrdCountAlertDialog(int countingRow, QWidget* parent)
{
    COrdCountAlertDlg dlg(parent);
    dlg.SetCountingRow(countingRow);
    return dlg.doModal();
}

int KvRunAlertSelectDialog(std::vector<uint32_t>& indices, QWidget* parent, bool singleChoice)
{
    CAlertSelectDlg dlg(IDS_SECURITIES_SELECTION, indices, IDD_ALERT_SELECT, parent, singleChoice);
    return dlg.doModal();
}

int KvRunSecuritiesSelectionCommand(const std::function<CTDoc*()>& openSecurities, QWidget* parent)
{
    std::vector<uint32_t> indices;
    const int result = KvRunAlertSelectDialog(indices, parent);
    if (result != fw::IDOK)
        return result;
    KvWaitCursor wait;
    KvHandOverSecuritySelection(openSecurities ? openSecurities() : nullptr, indices);
    return result;
}

void KvInstallAlertDialogs()
{
    KvSetCommandDialog(ID_USER_ALERTS, [](int row) { return KvRunTraderAlertDialog(row); });
    KvSetCommandDialog(ID_FIRM_ALERTS, [](int row) { return KvRunFirmAlertDialog(row); });
    KvSetCommandDialog(ID_SECURITY_ALERTS, [](int row) { return KvRunSecAlertDialog(row); });
    KvSetCommandDialog(ID_ORDCOUNT_ALERTS, [](int row) { return KvRunOrdCountAlertDialog(row); });
}
