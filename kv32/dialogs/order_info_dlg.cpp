#include "kv32/dialogs/order_info_dlg.h"

#include "kv32/dialogs/order_method_dlg.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/res/order_dialogs_ids.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"

namespace {

void OpenMethods(const COrderRec& order, QWidget* parent)
{
    COrderMethodDlg dlg(order, parent);
    dlg.doModal();
}

COrderInfoDlg::MethodsOpener& Opener()
{
    static COrderInfoDlg::MethodsOpener opener = OpenMethods;
    return opener;
}

} // namespace

void KvInstallOrderInfoDialog()
{
    KvSetCommandDialog(ID_SUMMARY_ORDER, [](int) {
        const KvActiveRow* active = KvActiveListRow();
        if (active == nullptr || active->TableId() != kListTrades || active->RecordIndex() < 0)
            return static_cast<int>(fw::IDCANCEL);
        COrderInfoDlg dlg(active->RecordIndex());
        return dlg.doModal();
    });
}

void COrderInfoDlg::SetMethodsOpener(MethodsOpener opener)
{
    Opener() = opener ? std::move(opener) : MethodsOpener(OpenMethods);
}

COrderInfoDlg::COrderInfoDlg(int tradeRow, QWidget* parent)
    : CKvDialog(Kv32OrderDialog(IDD_ORDER_INFO), parent)
{
    CTradeTable& trades = KvTables().trades;
    if (tradeRow >= 0 && tradeRow < trades.GetCount())
        m_form = std::make_unique<COrderInfoForm>(*trades.GetRec(tradeRow));
    commands().onNotify(IDC_INFO_OTHER_SIDE, fw::Notify::Clicked, [this] {
        if (m_form) {
            m_form->OtherSide();
            ShowOrder();
        }
    });
    commands().onNotify(IDC_INFO_METHODS, fw::Notify::Clicked, [this] {
        const COrderRec* order = m_form ? m_form->ShownOrder() : nullptr;
        if (order != nullptr && Opener())
            Opener()(*order, this);
    });
}

COrderInfoDlg::~COrderInfoDlg() = default;

bool COrderInfoDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    const bool deal = m_form && m_form->IsDeal();
    showItem(IDC_INFO_METHODS, !deal);
    enableItem(IDC_INFO_METHODS, m_form && m_form->HasOrder());
    enableItem(IDC_INFO_OTHER_SIDE, m_form && m_form->OtherSideEnabled());
    ShowOrder();
    return true;
}

void COrderInfoDlg::ShowOrder()
{
    const COrderInfoView v = m_form ? m_form->Shown() : COrderInfoView();
    setItemText(IDC_ORD_NUMBER, v.number);
    setItemText(IDC_INFO_TIME, v.time);
    setItemText(IDC_ORD_USER, v.user);
    setItemText(IDC_ORD_FIRM, v.firm);
    setItemText(IDC_ORD_BOARD, v.board);
    setItemText(IDC_INFO_SECURITY, v.security);
    setItemText(IDC_ORD_ACCOUNT, v.account);
    setItemText(IDC_INFO_PRICE, v.price);
    setItemText(IDC_INFO_QUANTITY, v.quantity);
    setItemText(IDC_INFO_BALANCE, v.balance);
    setItemText(IDC_INFO_REFERENCE, v.reference);
    checkButton(IDC_ORD_BUY, v.buy ? 1 : 0);
    checkButton(IDC_ORD_SELL, v.sell ? 1 : 0);
}
