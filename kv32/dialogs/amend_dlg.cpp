#include "kv32/dialogs/amend_dlg.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cstdlib>

#include "fw/core/msgbox.h"
#include "fw/ui/dataexchange.h"
#include "fw/ui/datetimefield.h"
#include "kv32/dialogs/supervisor_requests.h"
#include "kv32/dialogs/withdraw_dlg.h"
#include "kv32/res/order_dialogs_ids.h"
#include "kv32/shell/session.h"
#include "kv32/shell/text_format.h"
#include "kv32/shell/ui_port.h"
#include "kv32/tables/all_tables.h"
#include "kv32/windows/quote_wnd.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/prompts.h"
#include "kvcore/app/session_core.h"
#include "kvcore/ui/num_edit_widget.h"
#include "kvcore/values/digit_text.h"
#include "kvcore/values/number_text.h"

namespace {

constexpr uint32_t kValidityIds[] = { IDC_AMD_SESSION, IDC_AMD_DAY, IDC_AMD_GTC, IDC_AMD_UNTIL_DATE };

// The moment of a YYYYMMDD date and an HHMMSS time as the pickers take it;
// none unless one of them is given whole.
std::optional<QDateTime> QtMoment(std::string date, std::string time)
{
    if (date.size() != 8 || !AllDigitsOrEmpty(date))
        date.clear();
    if (time.size() != 6 || !AllDigitsOrEmpty(time))
        time.clear();
    if (date.empty() && time.empty())
        return std::nullopt;
    const QDate d = date.size() == 8
        ? QDate(std::stoi(date.substr(0, 4)), std::stoi(date.substr(4, 2)), std::stoi(date.substr(6, 2)))
        : QDate::currentDate();
    const QTime t = time.size() == 6
        ? QTime(std::stoi(time.substr(0, 2)), std::stoi(time.substr(2, 2)), std::stoi(time.substr(4, 2)))
        : QTime(23, 59, 59);
    if (!d.isValid() || !t.isValid())
        return std::nullopt;
    return QDateTime(d, t);
}

} // namespace

CAmendDlg::CAmendDlg(int orderRow, QWidget* parent)
    : CKvDialog(Kv32OrderDialog(IDD_AMEND), parent)
{
    COrderTable& orders = KvTables().orders;
    if (orderRow >= 0 && orderRow < orders.GetCount()) {
        const COrderRec& order = *orders.GetRec(orderRow);
        m_nSecurity = SecurityTable().FindByCode(order.szSecurityCode);
        m_form = std::make_unique<COrderAmendForm>(
            order, m_nSecurity < 0 ? nullptr : SecurityTable().GetRec(m_nSecurity));
        const COrderAmendValues& v = m_form->Opening();
        m_sPrice = v.price;
        m_sTrigger = v.trigger;
        m_sQuantity = v.quantity;
        m_sHidden = v.hidden;
        m_sMinFill = v.minFill;
    }
    for (uint32_t id : kValidityIds)
        commands().onNotify(id, fw::Notify::Clicked, [this] { ValidityClicked(true); });
    commands().onNotify(IDC_AMD_QUANTITY, fw::Notify::Change, [this] { QuantityChanged(); });
    commands().onNotify(IDC_AMD_EXPIRY_DATE, fw::Notify::Change, [this] { QuantityChanged(); });
    commands().onNotify(IDC_AMD_EXPIRY_TIME, fw::Notify::Change, [this] { QuantityChanged(); });
    for (uint32_t id : { IDC_AMD_PRICE, IDC_AMD_TRIGGER, IDC_AMD_QUANTITY, IDC_AMD_HIDDEN }) {
        commands().onNotify(id, fw::Notify::SetFocus, [this] { ShowQuote(true); });
        commands().onNotify(id, fw::Notify::KillFocus, [this] { ShowQuote(false); });
    }
    commands().onNotify(IDC_ORD_ACCOUNT, fw::Notify::SetFocus, [this] { ShowAccountName(); });
    commands().onNotify(IDC_ORD_ACCOUNT, fw::Notify::SelChange, [this] { ShowAccountName(); });
    commands().onNotify(IDC_ORD_ACCOUNT, fw::Notify::KillFocus, [this] { KvSetStatusText(m_sStatusBefore); });
}

CAmendDlg::~CAmendDlg() = default;

void CAmendDlg::doDataExchange(fw::DataExchange& dx)
{
    CKvDialog::doDataExchange(dx);
    if (!m_form)
        return;
    DDX_Control(dx, IDC_AMD_PRICE, m_price, true);
    DDX_Control(dx, IDC_AMD_TRIGGER, m_trigger, true);
    DDX_Control(dx, IDC_AMD_QUANTITY, m_quantity, true);
    DDX_Control(dx, IDC_AMD_HIDDEN, m_hidden, true);
    DDX_Control(dx, IDC_AMD_MIN_FILL, m_minFill, true);
    DDX_Value(dx, IDC_AMD_PRICE, m_sPrice);
    DDX_Value(dx, IDC_AMD_TRIGGER, m_sTrigger);
    DDX_Value(dx, IDC_AMD_QUANTITY, m_sQuantity);
    DDX_Value(dx, IDC_AMD_HIDDEN, m_sHidden);
    DDX_Value(dx, IDC_AMD_MIN_FILL, m_sMinFill);
}

bool CAmendDlg::onInitDialog()
{
    if (!m_form) {
        // No such order (any more): nothing to amend.
        CKvDialog::onInitDialog();
        enableItem(fw::kIdOk, false);
        return true;
    }
    const COrderAmendForm& f = *m_form;
    m_price.SetDecMax(f.PriceDecimals());
    m_price.SetMaxDigits(f.PriceDigits(f.Opening().quantity));
    m_trigger.SetDecMax(f.TriggerDecimals());
    m_trigger.SetMaxDigits(9);
    for (CDblEdit* q : { &m_quantity, &m_hidden, &m_minFill }) {
        q->SetDecMax(0);
        q->SetMaxDigits(COrderAmendForm::kQuantityDigits);
    }
    m_expiryDate.AttachDateCtrl(IDC_AMD_EXPIRY_DATE, *this);
    m_expiryTime.AttachTimeCtrl(IDC_AMD_EXPIRY_TIME, *this);
    CKvDialog::onInitDialog();
    // The quote window takes a place of its own, so that it never hides a field or runs off the dialog.
    if (QWidget* area = item(IDC_AMD_QUOTE_AREA)) {
        area->setMinimumHeight(CQuoteWnd(this).sizeHint().height());
        (new QVBoxLayout(area))->setContentsMargins(0, 0, 0, 0);
    }

    const COrderAmendValues& v = f.Opening();
    setItemText(IDC_ORD_BOARD, f.BoardName());
    setItemText(IDC_AMD_SECURITY, f.SecurityName());
    std::vector<std::string> accounts;
    int selected = -1;
    if (CTrAccLocalArray* local = GetCurrentSessionData(); local == nullptr || !local->FillList(accounts, selected, v.account)) {
        accounts = { v.account };
        selected = 0;
    }
    for (const std::string& a : accounts)
        addString(IDC_ORD_ACCOUNT, a);
    setCurSel(IDC_ORD_ACCOUNT, selected);
    if (auto* ref = itemAs<QLineEdit>(IDC_AMD_REFERENCE))
        ref->setMaxLength(40);
    setItemText(IDC_AMD_REFERENCE, v.reference);

    // The amount of an amount order is shown only: an edited amount would never be sent.
    if (f.IsAmountMode())
        enableItem(IDC_AMD_PRICE, false);
    checkButton(IDC_AMD_YIELD, f.IsYield() ? 1 : 0);
    enableItem(IDC_AMD_YIELD, false);
    ShowPriceLabel();
    enableItem(IDC_AMD_HIDDEN, f.HiddenEnabled());
    enableItem(IDC_AMD_TRIGGER, f.TriggerEnabled());
    enableItem(IDC_AMD_TRIGGER_LABEL, f.TriggerEnabled());
    enableItem(IDC_AMD_MIN_FILL, f.MinFillEnabled());
    enableItem(IDC_AMD_MIN_FILL_LABEL, f.MinFillEnabled());
    checkButton(IDC_AMD_SETTLE, f.SettleChecked() ? 1 : 0);
    enableItem(IDC_AMD_SETTLE, false);
    enableItem(IDC_AMD_SETTLE_DATE, false);
    if (auto* settle = itemAs<fw::DateTimeField>(IDC_AMD_SETTLE_DATE)) {
        settle->setBlankAllowed(true);
        settle->setValue(QtMoment(v.settleDate, "000000"));
        if (v.settleDate.empty())
            settle->setValue(std::nullopt);
    }

    for (int i = 0; i < 4; ++i) {
        const auto k = static_cast<KvValidity>(i);
        enableItem(kValidityIds[i], f.ValidityEnabled(k));
        checkButton(kValidityIds[i], v.validity == k ? 1 : 0);
    }
    SetPicker(m_expiryDate, v.expiryDate, "");
    SetPicker(m_expiryTime, "", v.expiryTime);
    ValidityClicked(false);

    checkButton(IDC_ORD_CONFIRM, ps != nullptr && ps->m_bConfirm != 0 ? 1 : 0);
    KvPaintOrderSide(*this, f.IsBuy() ? 'B' : 'S');
    gotoItem(IDC_AMD_QUANTITY);
    return false;
}

void CAmendDlg::SetPicker(KvDateTimePicker& picker, const std::string& date, const std::string& time)
{
    if (fw::DateTimeField* field = picker.Field())
        field->setValue(QtMoment(date, time));
}

KvValidity CAmendDlg::CheckedValidity() const
{
    for (int i = 0; i < 4; ++i)
        if (isButtonChecked(kValidityIds[i]) != 0)
            return static_cast<KvValidity>(i);
    return KvValidity::Day;
}

void CAmendDlg::ValidityClicked(bool moveFocus)
{
    if (!m_form)
        return;
    const bool date = m_form->UntilDateAllowed(), time = m_form->UntilTimeAllowed();
    const bool untilDate = isButtonChecked(IDC_AMD_UNTIL_DATE) != 0;
    auto empty = [this](uint32_t id) {
        if (auto* field = itemAs<fw::DateTimeField>(id))
            field->setValue(std::nullopt);
        enableItem(id, false);
    };
    if (!date && !time) {
        empty(IDC_AMD_EXPIRY_DATE);
        empty(IDC_AMD_EXPIRY_TIME);
        enableItem(IDC_AMD_UNTIL_DATE, false);
        enableItem(IDC_AMD_TIME_LABEL, false);
        return;
    }
    enableItem(IDC_AMD_TIME_LABEL, true);
    if (!untilDate) {
        empty(IDC_AMD_EXPIRY_DATE);
        empty(IDC_AMD_EXPIRY_TIME);
        return;
    }
    enableItem(IDC_AMD_EXPIRY_DATE, date);
    enableItem(IDC_AMD_EXPIRY_TIME, time);
    if (moveFocus)
        gotoItem(IDC_AMD_EXPIRY_DATE);
}

void CAmendDlg::ShowPriceLabel()
{
    const bool yield = m_form->IsYield();
    setItemText(IDC_AMD_PRICE_LABEL, Kv32OrderDialogString(yield ? IDS_ORD_YIELD : IDS_ORD_PRICE) + ":");
}

void CAmendDlg::QuantityChanged()
{
    if (m_form && m_form->IsAmountMode() && m_quantity.IsAttached())
        m_price.SetMaxDigits(m_form->PriceDigits(m_quantity.GetUnFormatedString()));
}

void CAmendDlg::ShowQuote(bool show)
{
    if (!show) {
        delete m_quote;
        m_quote = nullptr;
        return;
    }
    if (m_quote != nullptr)
        return;
    QWidget* area = item(IDC_AMD_QUOTE_AREA);
    m_quote = new CQuoteWnd(area != nullptr ? area : this);
    if (area != nullptr && area->layout() != nullptr)
        area->layout()->addWidget(m_quote);
    m_quote->SetSecurity(m_nSecurity);
    m_quote->setAttribute(Qt::WA_ShowWithoutActivating);
    m_quote->show();
}

void CAmendDlg::ShowAccountName()
{
    std::string name;
    if (CTrAccLocalArray* local = GetCurrentSessionData())
        local->FindName(itemText(IDC_ORD_ACCOUNT), name);
    KvSetStatusText(name);
}

COrderAmendValues CAmendDlg::Screen()
{
    COrderAmendValues v = m_form->Opening();
    v.validity = CheckedValidity();
    v.account = itemText(IDC_ORD_ACCOUNT);
    v.price = m_price.GetUnFormatedString();
    v.trigger = m_trigger.GetUnFormatedString();
    v.quantity = m_quantity.GetUnFormatedString();
    v.hidden = m_hidden.GetUnFormatedString();
    v.minFill = m_minFill.GetUnFormatedString();
    v.reference = itemText(IDC_AMD_REFERENCE);
    v.expiryDate = isItemEnabled(IDC_AMD_EXPIRY_DATE) ? m_expiryDate.FormatDateVORL() : std::string();
    v.expiryTime = isItemEnabled(IDC_AMD_EXPIRY_TIME) ? m_expiryTime.FormatTimeVORL() : std::string();
    if (!AllDigitsOrEmpty(v.expiryDate))
        v.expiryDate.clear();
    // The settlement date cannot be edited here: the order's own is kept.
    return v;
}

void CAmendDlg::FocusField(KvAmendField field)
{
    static constexpr struct {
        KvAmendField field;
        uint32_t id;
    } kIds[] = { { KvAmendField::Account, IDC_ORD_ACCOUNT }, { KvAmendField::Price, IDC_AMD_PRICE },
        { KvAmendField::Trigger, IDC_AMD_TRIGGER }, { KvAmendField::Quantity, IDC_AMD_QUANTITY },
        { KvAmendField::Hidden, IDC_AMD_HIDDEN }, { KvAmendField::MinFill, IDC_AMD_MIN_FILL },
        { KvAmendField::Reference, IDC_AMD_REFERENCE }, { KvAmendField::ExpiryDate, IDC_AMD_EXPIRY_DATE },
        { KvAmendField::ExpiryTime, IDC_AMD_EXPIRY_TIME } };
    for (const auto& k : kIds)
        if (k.field == field)
            gotoItem(k.id);
}

void CAmendDlg::onOK()
{
    if (!m_form)
        return;
    const COrderAmendValues screen = Screen();
    // Every check, the change detection included, comes before the question.
    const COrderAmendResult result = m_form->Build(screen, KvRequestUser());
    if (result.error == KvAmendError::NothingChanged) {
        KvMessageBox(Kv32OrderDialogString(IDS_ORD_NOTHING_CHANGED), fw::MB_OK);
        return;
    }
    if (result.error != KvAmendError::None) {
        KvMessageBox(Kv32OrderDialogString(IDS_ORD_INVALID_VALUE), fw::MB_ICONSTOP);
        FocusField(result.focus);
        return;
    }
    if (isButtonChecked(IDC_ORD_CONFIRM) != 0) {
        const std::string question = KvFillText(Kv32OrderDialogString(IDS_ORD_AMEND_QUESTION),
            { Kv32OrderDialogString(m_form->IsBuy() ? IDS_ORD_BUY : IDS_ORD_SELL), m_form->BoardName(),
                m_form->SecurityName(), screen.price, screen.quantity, screen.account });
        if (AreYouShureEx(true, question) != fw::IDYES)
            return;
    }
    std::string record = result.record;
    if (VORLTransaction(137, record.data(), static_cast<int>(record.size()), 1) != 0) {
        m_form->Accept(screen);
        endDialog(fw::IDOK);
        return;
    }
    if (fErrorCheckEx != 0)
        FocusField(COrderAmendForm::FieldOfHostError(nErrorEx));
}

void CAmendDlg::keyPressEvent(QKeyEvent* event)
{
    if (!m_form) {
        CKvDialog::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_F3: {
        if (m_form->IsAmountMode() || m_nSecurity < 0)
            break;
        // The stepped text has a point whatever the user's decimal separator.
        std::string text = m_price.GetUnFormatedString();
        if (SecurityTable().StepPrice(text, m_nSecurity, (event->modifiers() & Qt::ShiftModifier) == 0) != 0)
            m_price.SetValue(std::strtod(text.c_str(), nullptr));
        return;
    }
    case Qt::Key_F6:
        gotoItem(IDC_ORD_ACCOUNT);
        return;
    case Qt::Key_F7:
        gotoItem(IDC_AMD_PRICE);
        return;
    case Qt::Key_F8:
        gotoItem(IDC_AMD_QUANTITY);
        return;
    default:
        break;
    }
    CKvDialog::keyPressEvent(event);
}
