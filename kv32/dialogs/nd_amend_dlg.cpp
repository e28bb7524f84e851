#include "kv32/dialogs/nd_amend_dlg.h"

#include <QDate>
#include <QDateTime>
#include <QKeyEvent>

#include "fw/core/msgbox.h"
#include "fw/ui/datetimefield.h"
#include "fw/ui/text.h"
#include "kv32/dialogs/nd_conf_dlg.h"
#include "kv32/dialogs/side_colours.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/res/market_dialogs_ids.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/shell/session.h"
#include "kv32/shell/ui_port.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/prompts.h"
#include "kvcore/ui/num_edit_widget.h"
#include "kvcore/values/number_text.h"

namespace {

constexpr int kPriceDigits = 9;
constexpr int kQuantityDigits = 12;
constexpr double kQuantityMax = 4294967295.0;

std::string SessionUser()
{
    return ps != nullptr ? ps->m_sUser : std::string();
}

bool IsAmendKey(int key)
{
    return key == Qt::Key_F3 || (key >= Qt::Key_F6 && key <= Qt::Key_F8);
}

// The deal at the deals window's current row; -1 when none.
int CurrentDealRow()
{
    const KvActiveRow* active = KvActiveListRow();
    if (active == nullptr || active->TableId() != kListNegDeals)
        return -1;
    const int row = active->RecordIndex();
    return row >= 0 && row < NegDealTable().GetCount() ? row : -1;
}

void ShowCheck(const KvDealCheck& check)
{
    KvMessageBox(check.messageId == IDS_INVALID_NUMBER ? Kv32ShellDialogString(check.messageId)
                                                       : Kv32DealDialogString(check.messageId),
        fw::MB_ICONSTOP);
}

} // namespace

void KvInstallDealAnswerDialogs()
{
    KvSetCommandDialog(ID_LIST_AMEND, [](int matched) {
        const int row = CurrentDealRow();
        if (row < 0)
            return static_cast<int>(fw::IDCANCEL);
        CNDAmendDlg dlg(matched != 0, row);
        return dlg.doModal();
    });
    KvSetCommandDialog(ID_DEAL_CONFIRM, [](int) {
        const int row = CurrentDealRow();
        if (row < 0)
            return static_cast<int>(fw::IDCANCEL);
        CNDConfDlg dlg(row);
        return dlg.doModal();
    });
}

CNDAmendDlg::CNDAmendDlg(bool readOnly, int dealRow, QWidget* parent)
    : CKvDialog(Kv32MarketDialog(IDD_ND_AMEND), parent)
    , m_bReadOnly(readOnly)
{
    CNegDealTable& deals = NegDealTable();
    if (dealRow >= 0 && dealRow < deals.GetCount()) {
        m_view = DealAmendView(*deals.GetRec(dealRow));
        m_bValid = true;
    }
    fw::CommandMap& map = commands();
    map.onNotify(IDC_NA_COUNTER_FIRM, fw::Notify::SelChange, [this] { CounterFirmChanged(); });
    map.onNotify(IDC_NA_QUANTITY, fw::Notify::Change, [this] { UpdateOk(); });
    const auto showAccount = [this] { KvSetStatusText(KvAccountName(itemText(IDC_NA_ACCOUNT))); };
    map.onNotify(IDC_NA_ACCOUNT, fw::Notify::SelChange, showAccount);
    map.onNotify(IDC_NA_ACCOUNT, fw::Notify::SetFocus, showAccount);
    map.onNotify(IDC_NA_ACCOUNT, fw::Notify::KillFocus, [] { KvSetStatusText(std::string()); });
}

CNDAmendDlg::~CNDAmendDlg() = default;

void CNDAmendDlg::doDataExchange(fw::DataExchange& dx)
{
    DDX_Control(dx, IDC_NA_PRICE, m_price, true);
    DDX_Control(dx, IDC_NA_QUANTITY, m_quantity, true);
}

bool CNDAmendDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    const KvDealAmendInput& v = m_view.values;
    checkButton(m_view.side == 1 ? IDC_NA_BUY : IDC_NA_SELL, 1);
    enableItem(IDC_NA_BUY, false);
    enableItem(IDC_NA_SELL, false);
    checkButton(IDC_NA_YIELD, v.yield ? 1 : 0);
    enableItem(IDC_NA_YIELD, false);
    setItemText(IDC_NA_PRICE_LABEL,
        Kv32DealDialogString(v.yield ? IDS_DEAL_YIELD : IDS_DEAL_PRICE) + ':');

    m_settle.AttachDateCtrl(IDC_NA_SETTLE_DATE, *this);
    checkButton(IDC_NA_SETTLE, m_view.settleGiven ? 1 : 0);
    enableItem(IDC_NA_SETTLE, false);
    if (fw::DateTimeField* field = m_settle.Field()) {
        std::optional<QDateTime> date;
        if (!v.settleDate.empty()) {
            const QDate d = QDate::fromString(QString::fromLatin1(v.settleDate.c_str()), QStringLiteral("yyyyMMdd"));
            if (d.isValid())
                date = QDateTime(d, QTime(0, 0));
        }
        field->setValue(date);
    }
    enableItem(IDC_NA_SETTLE_DATE, m_view.settleGiven);
    // The dissemination time is not asked for: the deal's own goes back unchanged.
    m_dissemination.AttachTimeCtrl(IDC_NA_DISSEMINATION, *this);
    showItem(IDC_NA_DISSEMINATION, false);
    showItem(IDC_NA_DISSEMINATION_LABEL, false);

    m_price.SetMaxDigits(kPriceDigits);
    m_price.SetDecMax(v.priceDecimals);
    m_price.SetValue(m_view.priceValue);
    m_quantity.SetMaxDigits(kQuantityDigits);
    m_quantity.SetMin(0);
    m_quantity.SetMax(kQuantityMax);
    m_quantity.SetValue(Str2Dbl(v.quantityText, 0));
    setItemText(IDC_NA_BOARD, m_view.boardName);
    setItemText(IDC_NA_SECURITY, m_view.securityName);
    setItemText(IDC_NA_REFERENCE, v.reference);
    setItemText(IDC_NA_CONFIRM_PERIOD, v.confirmPeriod);
    setItemText(IDC_NA_REMINDER, v.reminder);
    checkButton(IDC_NA_CONFIRM, ps != nullptr && ps->m_bConfirm ? 1 : 0);

    KvFillTradingAccounts(*this, IDC_NA_ACCOUNT);
    if (!v.account.empty() && findStringExact(IDC_NA_ACCOUNT, -1, v.account) < 0)
        addString(IDC_NA_ACCOUNT, v.account);
    setCurSel(IDC_NA_ACCOUNT, v.account.empty() ? -1 : findStringExact(IDC_NA_ACCOUNT, -1, v.account));

    for (const std::string& name : ParticipantTable().FillBrokerNames())
        addString(IDC_NA_COUNTER_FIRM, name);
    setCurSel(IDC_NA_COUNTER_FIRM, findStringExact(IDC_NA_COUNTER_FIRM, -1, m_view.counterpartyFirmName));
    CounterFirmChanged();
    setCurSel(IDC_NA_COUNTERPARTY, findStringExact(IDC_NA_COUNTERPARTY, -1, m_view.counterpartyName));

    setWindowTitle(fw::toQt(DealAnswerTitle(IDS_ND_AMEND_TITLE, v.dealNo)));

    if (m_bReadOnly)
        for (uint32_t id : { IDC_NA_ACCOUNT, IDC_NA_COUNTER_FIRM, IDC_NA_COUNTERPARTY, IDC_NA_PRICE, IDC_NA_QUANTITY,
                 IDC_NA_REFERENCE, IDC_NA_CONFIRM_PERIOD, IDC_NA_REMINDER, IDC_NA_SETTLE_DATE, IDC_NA_CONFIRM,
                 IDC_NA_YIELD })
            enableItem(id, false);
    KvPaintSide(*this, m_view.side);
    UpdateOk();
    return true;
}

void CNDAmendDlg::CounterFirmChanged()
{
    resetContent(IDC_NA_COUNTERPARTY);
    const std::string firm = itemText(IDC_NA_COUNTER_FIRM);
    if (!firm.empty())
        for (const std::string& name : TraderTable().FillNamesOfFirm(firm.c_str()))
            addString(IDC_NA_COUNTERPARTY, name);
}

void CNDAmendDlg::UpdateOk()
{
    enableItem(fw::kIdOk, m_bValid && DealAmendOkEnabled(m_quantity.IsBlank() ? std::string() : m_quantity.Text()));
}

void CNDAmendDlg::SetPriceText(const std::string& text)
{
    if (text.empty())
        m_price.Clear();
    else
        m_price.SetValue(Str2Dbl(text, 0));
    if (QWidget* w = item(IDC_NA_PRICE))
        w->update();
}

void CNDAmendDlg::SetQuantity(uint32_t quantity)
{
    m_quantity.SetValue(quantity);
    if (QWidget* w = item(IDC_NA_QUANTITY))
        w->update();
    UpdateOk();
}

KvDealAmendInput CNDAmendDlg::TakeValues() const
{
    KvDealAmendInput in = m_view.values;
    in.user = SessionUser();
    if (m_bReadOnly)
        return in; // the deal's own values, as they stand
    in.account = itemText(IDC_NA_ACCOUNT);
    const int counterparty = TraderTable().FindByNameAndFirm(
        itemText(IDC_NA_COUNTERPARTY).c_str(), itemText(IDC_NA_COUNTER_FIRM).c_str());
    in.counterparty = counterparty >= 0 ? TraderTable().GetRec(counterparty)->szCode : std::string();
    in.priceText = m_price.IsBlank() ? std::string() : m_price.Text();
    in.quantityText = m_quantity.IsBlank() ? std::string() : m_quantity.Text();
    in.reference = itemText(IDC_NA_REFERENCE);
    in.confirmPeriod = itemText(IDC_NA_CONFIRM_PERIOD);
    in.reminder = itemText(IDC_NA_REMINDER);
    in.settleDate = m_view.settleGiven ? m_settle.FormatDateVORL() : std::string();
    return in;
}

void CNDAmendDlg::onOK()
{
    if (!m_bValid)
        return;
    const KvDealAmendInput in = TakeValues();
    const KvDealCheck check = CheckDealAmend(in);
    if (check.messageId != 0) {
        ShowCheck(check);
        gotoItem(check.focusId);
        return;
    }
    if (isButtonChecked(IDC_NA_CONFIRM)
        && AreYouShureEx(true,
               DealAnswerQuestion(IDS_ND_AMEND_QUESTION, m_view.side, m_view.boardName, m_view.securityName,
                   in.priceText, in.quantityText, in.account))
            != fw::IDYES)
        return;
    std::string record = BuildDealAmendRecord(in);
    if (record.empty()) {
        KvMessageBox(Kv32DealDialogString(IDS_INVALID_VALUE), fw::MB_ICONSTOP);
        return;
    }
    if (VORLTransaction(kDealAmendTransaction, record.data(), static_cast<int>(record.size()), 1)) {
        endDialog(fw::IDOK);
        return;
    }
    if (fErrorCheckEx)
        if (const unsigned focus = DealAmendErrorFocus(nErrorEx); focus != 0)
            gotoItem(focus);
}

void CNDAmendDlg::OnFunctionKey(int key, bool shift)
{
    switch (key) {
    case Qt::Key_F3: {
        const int row = SecurityTable().FindOnBoard(m_view.securityName, m_view.boardName.c_str());
        std::string text = m_price.Text();
        if (row >= 0 && SecurityTable().StepPrice(text, row, !shift))
            SetPriceText(text);
        break;
    }
    case Qt::Key_F6:
        gotoItem(IDC_NA_ACCOUNT);
        break;
    case Qt::Key_F7:
        gotoItem(IDC_NA_PRICE);
        break;
    case Qt::Key_F8:
        gotoItem(IDC_NA_QUANTITY);
        break;
    default:
        break;
    }
}

bool CNDAmendDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsAmendKey(key->key())) {
            OnFunctionKey(key->key(), key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    }
    return CKvDialog::eventFilter(watched, event);
}

void CNDAmendDlg::keyPressEvent(QKeyEvent* event)
{
    if (IsAmendKey(event->key())) {
        OnFunctionKey(event->key(), event->modifiers() & Qt::ShiftModifier);
        return;
    }
    CKvDialog::keyPressEvent(event);
}
