#include "kv32/dialogs/supervision/ref_price_dlg.h"

#include "fw/core/msgbox.h"
#include "kv32/dialogs/supervisor_requests.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/supervision_a_ids.h"
#include "kv32/shell/text_format.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/prompts.h"
#include "kvcore/values/number_text.h"

CRefPriceLimitDlg::CRefPriceLimitDlg(int mode, QWidget* parent)
    : CKvDialog(Kv32SupervisionADialog(IDD_REF_PRICE), parent)
    , m_nMode(mode)
{
    commands().onNotify(IDC_SUP_BOARD, fw::Notify::SelChange, [this] { BoardChanged(); });
    commands().onNotify(IDC_SUP_SECURITY, fw::Notify::SelChange, [this] { SecurityChanged(); });
    commands().onNotify(IDC_RP_PRICE, fw::Notify::Change, [this] { PriceChanged(); });
    commands().onNotify(IDC_RP_PRICE, fw::Notify::KillFocus, [this] { PriceLeft(); });
}

int CRefPriceLimitDlg::Decimals() const
{
    return m_nSecurity >= 0 && m_nSecurity < SecurityTable().GetCount() ? SecurityTable().GetRec(m_nSecurity)->nPriceDec
                                                                          : 0;
}

bool CRefPriceLimitDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    enableItem(IDC_RP_PRICE, false);
    enableItem(fw::kIdOk, false);
    enableItem(IDC_SUP_SECURITY, false);
    for (const std::string& name : BoardTable().FillList())
        addString(IDC_SUP_BOARD, name);
    setCurSel(IDC_SUP_BOARD, -1);
    const KvActiveRow* active = KvActiveListRow();
    const int row = active != nullptr && active->TableId() == kListSecurities ? active->RecordIndex() : -1;
    if (row < 0 || row >= SecurityTable().GetCount()) {
        m_nMode = kRefPriceTyped;
        return true;
    }
    const SecurityRec& rec = *SecurityTable().GetRec(row);
    const std::string boardCode(rec.szCode + 1, 4);
    m_nBoard = BoardTable().FindByCode(boardCode.c_str());
    setCurSel(IDC_SUP_BOARD, m_nBoard);
    BoardChanged();
    ChooseSecurity(row);
    if (m_nMode != kRefPriceTyped) {
        enableItem(IDC_SUP_BOARD, false);
        enableItem(IDC_SUP_SECURITY, false);
        const CDouble& limit = m_nMode == kRefPriceUpper ? rec.dUpperLimit : rec.dLowerLimit;
        setItemText(IDC_RP_PRICE, Dbl2Cur(static_cast<double>(limit), rec.nPriceDec));
        PriceChanged();
    }
    return false;
}

void CRefPriceLimitDlg::ChooseSecurity(int row)
{
    for (size_t i = 0; i < m_securities.size(); ++i)
        if (m_securities[i].row == row) {
            setCurSel(IDC_SUP_SECURITY, static_cast<int>(i));
            SecurityChanged();
            return;
        }
}

void CRefPriceLimitDlg::AskToSave()
{
    if (m_bChanged && KvMessageBox(Kv32SupervisionAString(IDS_RP_SAVE_CHANGES), fw::MB_YESNO | fw::MB_ICONQUESTION)
            == fw::IDYES)
        Save();
    m_bChanged = false;
}

void CRefPriceLimitDlg::BoardChanged()
{
    const int board = curSel(IDC_SUP_BOARD);
    AskToSave();
    m_nBoard = board;
    m_nSecurity = -1;
    m_securities = BoardSecurities(board);
    resetContent(IDC_SUP_SECURITY);
    for (size_t i = 0; i < m_securities.size(); ++i) {
        addString(IDC_SUP_SECURITY, m_securities[i].name);
        setItemData(IDC_SUP_SECURITY, static_cast<int>(i), static_cast<uint64_t>(m_securities[i].row));
    }
    setCurSel(IDC_SUP_SECURITY, -1);
    enableItem(IDC_SUP_SECURITY, board >= 0);
    setItemText(IDC_RP_PRICE, std::string());
    enableItem(IDC_RP_PRICE, false);
    enableItem(fw::kIdOk, false);
}

void CRefPriceLimitDlg::SecurityChanged()
{
    const int sel = curSel(IDC_SUP_SECURITY);
    const int row = sel < 0 ? -1 : static_cast<int>(itemData(IDC_SUP_SECURITY, sel));
    if (row == m_nSecurity)
        return;
    AskToSave();
    m_nSecurity = row;
    // A value sent for another security is no measure for this one.
    m_sPrevious.clear();
    setItemText(IDC_RP_PRICE, std::string());
    enableItem(IDC_RP_PRICE, row >= 0);
    if (row >= 0)
        gotoItem(IDC_RP_PRICE);
    m_bChanged = false;
    enableItem(fw::kIdOk, false);
}

void CRefPriceLimitDlg::PriceChanged()
{
    const bool enabled
        = m_nSecurity >= 0 && RefPriceOkEnabled(m_nMode, itemText(IDC_RP_PRICE), m_sPrevious, Decimals());
    enableItem(fw::kIdOk, enabled);
    m_bChanged = enabled;
}

void CRefPriceLimitDlg::PriceLeft()
{
    if (const auto wire = RefPriceWire(itemText(IDC_RP_PRICE), Decimals())) {
        const std::string shown = RefPriceDisplay(*wire, Decimals());
        if (shown != itemText(IDC_RP_PRICE))
            setItemText(IDC_RP_PRICE, shown);
    }
}

bool CRefPriceLimitDlg::Save()
{
    if (m_nSecurity < 0)
        return false;
    const int decimals = Decimals();
    const std::string text = itemText(IDC_RP_PRICE);
    const std::optional<std::string> wire = RefPriceWire(text, decimals);
    if (!wire) {
        KvMessageBox(Kv32DealDialogString(IDS_INVALID_VALUE), fw::MB_ICONSTOP);
        gotoItem(IDC_RP_PRICE);
        return false;
    }
    const std::string shown = RefPriceDisplay(*wire, decimals);
    if (!m_sPrevious.empty()) {
        const std::string before = RefPriceWire(m_sPrevious, decimals).value_or(std::string());
        if (RefPriceRemarkable(before, *wire)
            && KvMessageBox(KvFillText(Kv32SupervisionAString(IDS_RP_REMARKABLE),
                                { RefPricePercent(before, *wire), m_sPrevious, shown }),
                   fw::MB_YESNO | fw::MB_ICONQUESTION)
                != fw::IDYES) {
            gotoItem(IDC_RP_PRICE);
            return false;
        }
    }
    if (AreYouShure(0u) != fw::IDYES)
        return false;
    const SecurityRec& rec = *SecurityTable().GetRec(m_nSecurity);
    if (SendRefPriceChange(m_nMode, KvRequestUser(), rec.szCode, *wire) == 0)
        return false;
    m_sPrevious = shown;
    m_bChanged = false;
    setItemText(IDC_RP_PRICE, shown);
    enableItem(fw::kIdOk, false);
    return true;
}

void CRefPriceLimitDlg::onOK()
{
    if (!Save())
        return;
    if (m_nMode != kRefPriceTyped)
        CKvDialog::onOK();
    else
        gotoItem(IDC_RP_PRICE);
}

int KvRunRefPrice(int mode, QWidget* parent)
{
    CRefPriceLimitDlg dlg(mode, parent);
    return dlg.doModal();
}
