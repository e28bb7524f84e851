#include "kv32/dialogs/withdraw_dlg.h"

#include <QApplication>
#include <QKeyEvent>

#include "fw/core/msgbox.h"
#include "fw/ui/dataexchange.h"
#include "kv32/dialogs/supervisor_requests.h"
#include "kv32/res/order_dialogs_ids.h"
#include "kv32/res/trading_strings.h"
#include "kv32/shell/session.h"
#include "kv32/shell/ui_port.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/prompts.h"
#include "kvcore/app/session_core.h"
#include "kvcore/ui/num_edit_widget.h"

namespace {

struct AllBox {
    uint32_t box, list, label;
};
constexpr AllBox kAll[kWithdrawAllCount] = {
    { IDC_WD_ALL_BOARD, IDC_ORD_BOARD, IDC_WD_BOARD_LABEL },
    { IDC_WD_ALL_SECURITY, IDC_WD_SECURITY, IDC_WD_SECURITY_LABEL },
    { IDC_WD_ALL_ACCOUNT, IDC_ORD_ACCOUNT, IDC_WD_ACCOUNT_LABEL },
    { IDC_WD_ALL_FIRM, IDC_ORD_FIRM, IDC_WD_FIRM_LABEL },
    { IDC_WD_ALL_USER, IDC_ORD_USER, IDC_WD_USER_LABEL },
};

} // namespace

void KvPaintOrderSide(QWidget& dialog, char side)
{
    QPalette palette = QApplication::palette(&dialog);
    const CSession* session = KvSession();
    if (session != nullptr && session->m_settings.options.orderColor != 0 && (side == 'B' || side == 'S')) {
        const fw::Color c = side == 'B' ? session->m_colour1 : session->m_colour2;
        const QColor colour(c.red(), c.green(), c.blue());
        palette.setColor(QPalette::Window, colour);
        palette.setColor(QPalette::Button, colour);
    }
    dialog.setAutoFillBackground(true);
    dialog.setPalette(palette);
}

CWithdrawDlg::CWithdrawDlg(int orderRow, QWidget* parent)
    : CKvDialog(Kv32OrderDialog(IDD_WITHDRAW), parent)
{
    COrderTable& orders = KvTables().orders;
    if (orderRow >= 0 && orderRow < orders.GetCount()) {
        const COrderRec& o = *orders.GetRec(orderRow);
        m_sNumber = std::to_string(o.nOrderNo);
        m_sBoardName = o.szBoardName;
        m_sSecurity = o.szSecurity;
        m_sUserCode = o.szUser;
        m_bBuy = std::string(o.szBuySell) == Kv32TradingString(IDS_SIDE_BUY);
        m_bSell = std::string(o.szBuySell) == Kv32TradingString(IDS_SIDE_SELL);
    }
    commands().onNotify(IDC_ORD_BOARD, fw::Notify::SelChange, [this] { BoardChanged(); });
    for (int i = 0; i < kWithdrawAllCount; ++i)
        commands().onNotify(kAll[i].box, fw::Notify::Clicked, [this, i] { AllClicked(i); });
    commands().onNotify(IDC_ORD_ACCOUNT, fw::Notify::SelChange, [this] {
        AccountRule();
        ShowAccountName();
    });
    commands().onNotify(IDC_ORD_ACCOUNT, fw::Notify::SetFocus, [this] { ShowAccountName(); });
    commands().onNotify(IDC_ORD_ACCOUNT, fw::Notify::KillFocus, [] { KvSetStatusText(std::string()); });
    commands().onNotify(IDC_ORD_FIRM, fw::Notify::SelChange, [this] { FirmChanged(); });
    commands().onNotify(IDC_ORD_BUY, fw::Notify::Clicked, [this] { PaintSide(); });
    commands().onNotify(IDC_ORD_SELL, fw::Notify::Clicked, [this] { PaintSide(); });
}

void CWithdrawDlg::PaintSide()
{
    KvPaintOrderSide(*this, WithdrawSide(isButtonChecked(IDC_ORD_BUY) != 0, isButtonChecked(IDC_ORD_SELL) != 0));
}

void CWithdrawDlg::doDataExchange(fw::DataExchange& dx)
{
    CKvDialog::doDataExchange(dx);
    DDX_Control(dx, IDC_ORD_NUMBER, m_number, true);
    DDX_Value(dx, IDC_ORD_NUMBER, m_sNumber);
}

bool CWithdrawDlg::onInitDialog()
{
    m_number.SetMaxDigits(12);
    CKvDialog::onInitDialog();
    m_number.SetThousandSeparator(0); // an order number is read as it is written in the windows
    if (m_sNumber.empty())
        m_number.Clear();
    else
        m_number.SetValue(static_cast<double>(std::stoull(m_sNumber)));
    for (const std::string& name : BoardTable().FillList())
        addString(IDC_ORD_BOARD, name);
    setCurSel(IDC_ORD_BOARD, findStringExact(IDC_ORD_BOARD, -1, m_sBoardName));
    BoardChanged();
    setCurSel(IDC_WD_SECURITY, findStringExact(IDC_WD_SECURITY, -1, m_sSecurity));
    for (const std::string& name : ParticipantTable().FillBrokerNames())
        addString(IDC_ORD_FIRM, name);
    setCurSel(IDC_ORD_FIRM, -1);
    std::vector<std::string> accounts;
    int selected = -1;
    if (CTrAccLocalArray* local = GetCurrentSessionData(); local != nullptr && local->FillList(accounts, selected, ""))
        for (const std::string& a : accounts)
            addString(IDC_ORD_ACCOUNT, a);
    setCurSel(IDC_ORD_ACCOUNT, -1);
    checkButton(IDC_ORD_BUY, m_bBuy ? 1 : 0);
    checkButton(IDC_ORD_SELL, m_bSell ? 1 : 0);
    checkButton(IDC_ORD_CONFIRM, ps != nullptr && ps->m_bConfirm != 0 ? 1 : 0);
    AccountRule();
    OrderNumberRule();
    PaintSide();
    return true;
}

void CWithdrawDlg::BoardChanged()
{
    const std::string previous = itemText(IDC_WD_SECURITY);
    resetContent(IDC_WD_SECURITY);
    for (const std::string& name : WithdrawSecurityNames(curSel(IDC_ORD_BOARD)))
        addString(IDC_WD_SECURITY, name);
    setCurSel(IDC_WD_SECURITY, previous.empty() ? -1 : findStringExact(IDC_WD_SECURITY, -1, previous));
    enableItem(fw::kIdOk, itemCount(IDC_WD_SECURITY) > 0);
}

void CWithdrawDlg::AllClicked(int which)
{
    const bool all = isButtonChecked(kAll[which].box) != 0;
    enableItem(kAll[which].list, !all);
    enableItem(kAll[which].label, !all);
    if (which == kAllAccount)
        AccountRule();
    OrderNumberRule();
}

void CWithdrawDlg::OrderNumberRule()
{
    bool all[kWithdrawAllCount];
    for (int i = 0; i < kWithdrawAllCount; ++i)
        all[i] = isButtonChecked(kAll[i].box) != 0;
    const bool enabled = WithdrawOrderNumberEnabled(all);
    enableItem(IDC_ORD_NUMBER, enabled);
    enableItem(IDC_WD_NUMBER_LABEL, enabled);
}

void CWithdrawDlg::AccountRule()
{
    const bool enabled = WithdrawAllFirmsEnabled(isButtonChecked(IDC_WD_ALL_ACCOUNT) != 0, itemText(IDC_ORD_ACCOUNT));
    if (!enabled && isButtonChecked(IDC_WD_ALL_FIRM) != 0) {
        checkButton(IDC_WD_ALL_FIRM, 0);
        AllClicked(kAllFirm);
    }
    enableItem(IDC_WD_ALL_FIRM, enabled);
}

void CWithdrawDlg::FirmChanged()
{
    resetContent(IDC_ORD_USER);
    const std::string firm = itemText(IDC_ORD_FIRM);
    if (firm.empty())
        return;
    for (const std::string& name : TraderTable().FillNamesOfFirm(firm.c_str()))
        addString(IDC_ORD_USER, name);
    const int user = TraderTable().FindByCode(m_sUserCode.c_str());
    setCurSel(IDC_ORD_USER, user < 0 ? -1 : findStringExact(IDC_ORD_USER, -1, TraderTable().GetRec(user)->szName));
}

void CWithdrawDlg::ShowAccountName()
{
    std::string name;
    if (CTrAccLocalArray* local = GetCurrentSessionData())
        local->FindName(itemText(IDC_ORD_ACCOUNT), name);
    KvSetStatusText(name);
}

CWithdrawScreen CWithdrawDlg::Screen()
{
    CWithdrawScreen s;
    for (int i = 0; i < kWithdrawAllCount; ++i)
        s.all[i] = isButtonChecked(kAll[i].box) != 0;
    s.boardName = itemText(IDC_ORD_BOARD);
    s.security = itemText(IDC_WD_SECURITY);
    s.account = itemText(IDC_ORD_ACCOUNT);
    s.firmName = itemText(IDC_ORD_FIRM);
    s.userName = itemText(IDC_ORD_USER);
    s.orderNo = isItemEnabled(IDC_ORD_NUMBER) ? m_number.GetUnFormatedString() : std::string();
    s.buy = isButtonChecked(IDC_ORD_BUY) != 0;
    s.sell = isButtonChecked(IDC_ORD_SELL) != 0;
    return s;
}

void CWithdrawDlg::FocusField(KvWithdrawField field)
{
    static constexpr struct {
        KvWithdrawField field;
        uint32_t id;
    } kIds[] = { { KvWithdrawField::Board, IDC_ORD_BOARD }, { KvWithdrawField::Security, IDC_WD_SECURITY },
        { KvWithdrawField::Account, IDC_ORD_ACCOUNT }, { KvWithdrawField::Firm, IDC_ORD_FIRM },
        { KvWithdrawField::User, IDC_ORD_USER }, { KvWithdrawField::OrderNo, IDC_ORD_NUMBER },
        { KvWithdrawField::Buy, IDC_ORD_BUY } };
    for (const auto& k : kIds)
        if (k.field == field)
            gotoItem(k.id);
}

void CWithdrawDlg::onOK()
{
    const CWithdrawResolution r = ResolveWithdraw(Screen());
    if (r.error != KvWithdrawError::None) {
        uint32_t message = IDS_ORD_INVALID_VALUE;
        switch (r.error) {
        case KvWithdrawError::InvalidSecurity:
            message = IDS_ORD_INVALID_SECURITY;
            break;
        case KvWithdrawError::UnknownFirm:
            message = IDS_ORD_UNKNOWN_FIRM;
            break;
        case KvWithdrawError::UnknownUser:
            message = IDS_ORD_UNKNOWN_USER;
            break;
        case KvWithdrawError::NoSide:
            message = IDS_ORD_NO_SIDE;
            break;
        default:
            break;
        }
        KvMessageBox(Kv32OrderDialogString(message), fw::MB_ICONSTOP);
        FocusField(r.focus);
        return;
    }
    std::string record = KvOrderWithdrawRecord(KvRequestUser(), r.criteria);
    if (record.empty()) {
        KvMessageBox(Kv32OrderDialogString(IDS_ORD_INVALID_VALUE), fw::MB_ICONSTOP);
        return;
    }
    if (isButtonChecked(IDC_ORD_CONFIRM) != 0
        && AreYouShureEx(true, Kv32OrderDialogString(IDS_ORD_WITHDRAW_QUESTION)) != fw::IDYES)
        return;
    if (VORLTransaction(138, record.data(), static_cast<int>(record.size()), 1) != 0)
        endDialog(fw::IDOK);
}

void CWithdrawDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F5) {
        gotoItem(IDC_WD_SECURITY);
        return;
    }
    if (event->key() == Qt::Key_F6) {
        gotoItem(IDC_ORD_ACCOUNT);
        return;
    }
    CKvDialog::keyPressEvent(event);
}
