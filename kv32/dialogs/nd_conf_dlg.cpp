#include "kv32/dialogs/nd_conf_dlg.h"

#include "fw/core/msgbox.h"
#include "fw/ui/text.h"
#include "kv32/dialogs/side_colours.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/market_dialogs_ids.h"
#include "kv32/shell/session.h"
#include "kv32/shell/ui_port.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/prompts.h"

CNDConfDlg::CNDConfDlg(int dealRow, QWidget* parent)
    : CKvDialog(Kv32MarketDialog(IDD_ND_CONFIRM), parent)
{
    CNegDealTable& deals = NegDealTable();
    if (dealRow >= 0 && dealRow < deals.GetCount()) {
        m_view = DealConfirmView(*deals.GetRec(dealRow));
        m_bValid = true;
    }
    fw::CommandMap& map = commands();
    const auto showAccount = [this] { KvSetStatusText(KvAccountName(itemText(IDC_NA_ACCOUNT))); };
    map.onNotify(IDC_NA_ACCOUNT, fw::Notify::SelChange, showAccount);
    map.onNotify(IDC_NA_ACCOUNT, fw::Notify::SetFocus, showAccount);
    map.onNotify(IDC_NA_ACCOUNT, fw::Notify::KillFocus, [] { KvSetStatusText(std::string()); });
}

CNDConfDlg::~CNDConfDlg() = default;

bool CNDConfDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    setItemText(IDC_NA_BOARD, m_view.boardName);
    setItemText(IDC_NA_SECURITY, m_view.securityName);
    setItemText(IDC_NA_COUNTERPARTY, m_view.counterpartyName);
    setItemText(IDC_NA_PRICE, m_view.priceText);
    setItemText(IDC_NA_QUANTITY, m_view.quantityText);
    setItemText(IDC_NA_REFERENCE, m_view.reference);
    checkButton(IDC_NA_CONFIRM, ps != nullptr && ps->m_bConfirm ? 1 : 0);
    KvFillTradingAccounts(*this, IDC_NA_ACCOUNT);
    setCurSel(IDC_NA_ACCOUNT, itemCount(IDC_NA_ACCOUNT) > 0 ? 0 : -1);
    setWindowTitle(fw::toQt(DealAnswerTitle(IDS_ND_CONFIRM_TITLE, m_view.dealNo)));
    enableItem(fw::kIdOk, m_bValid);
    // The dialog and its buttons always show the deal's side.
    KvPaintSide(*this, m_view.side, true);
    return true;
}

void CNDConfDlg::onOK()
{
    if (!m_bValid)
        return;
    const std::string account = itemText(IDC_NA_ACCOUNT);
    const std::string reference = itemText(IDC_NA_REFERENCE);
    std::string record = BuildDealConfirmRecord(ps != nullptr ? ps->m_sUser : std::string(), m_view.dealNo,
        account, reference);
    if (record.empty()) {
        KvMessageBox(Kv32DealDialogString(IDS_INVALID_VALUE), fw::MB_ICONSTOP);
        gotoItem(account.size() > 12 ? IDC_NA_ACCOUNT : IDC_NA_REFERENCE);
        return;
    }
    if (isButtonChecked(IDC_NA_CONFIRM)
        && AreYouShureEx(true,
               DealAnswerQuestion(IDS_ND_CONFIRM_QUESTION, m_view.side, m_view.boardName, m_view.securityName,
                   m_view.priceText, m_view.quantityText, account))
            != fw::IDYES)
        return;
    if (VORLTransaction(kDealConfirmTransaction, record.data(), static_cast<int>(record.size()), 1)) {
        endDialog(fw::IDOK);
        return;
    }
    if (fErrorCheckEx)
        if (const unsigned focus = DealConfirmErrorFocus(nErrorEx); focus != 0)
            gotoItem(focus);
}
