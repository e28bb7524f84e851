#include "kv32/dialogs/neg_deal_dlg.h"

#include <cstring>

#include "fw/core/msgbox.h"
#include "fw/ui/datetimefield.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/shell/price_yield.h"
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

#include <QKeyEvent>
#include <QPalette>

namespace {

constexpr int kPriceDigits = 9;
constexpr int kQuantityDigits = 12;
constexpr double kQuantityMax = 4294967295.0;

std::string SessionUser()
{
    return ps != nullptr ? ps->m_sUser : std::string();
}

} // namespace

CNegDealDlg::CNegDealDlg(int side, std::optional<int> sourceSecurity, QWidget* parent)
    : CTDialogVorl(Kv32DealDialog(IDD_NEG_DEAL), parent)
    , m_nSide(side == kDealBuy ? kDealBuy : kDealSell)
    , m_source(sourceSecurity)
{
    fw::CommandMap& map = commands();
    map.onNotify(IDC_ND_TRADE_SOURCE, fw::Notify::SelChange, [this] { TradeSourceChanged(); });
    map.onNotify(IDC_ND_BOARD, fw::Notify::SelChange, [this] { BoardChanged(); });
    map.onNotify(IDC_ND_SECURITY, fw::Notify::SelChange, [this] { SecurityChanged(); });
    map.onNotify(IDC_ND_SECURITY, fw::Notify::KillFocus, [this] {
        if (SecurityTable().FindOnBoard(itemText(IDC_ND_SECURITY).substr(0, kNegDealShortNameWidth),
                BoardName().c_str())
            != m_nSecurity)
            SecurityChanged();
        KvSetStatusText(std::string());
    });
    map.onNotify(IDC_ND_COUNTER_FIRM, fw::Notify::SelChange, [this] { CounterFirmChanged(); });
    map.onNotify(IDC_ND_COUNTERPARTY, fw::Notify::SelChange, [this] { UpdateOk(); });
    map.onNotify(IDC_ND_QUANTITY, fw::Notify::Change, [this] { UpdateOk(); });
    map.onNotify(IDC_ND_PRICE, fw::Notify::Change, [this] { UpdateOk(); });
    map.onNotify(IDC_ND_PRICE, fw::Notify::KillFocus, [this] {
        Convert();
        KvSetStatusText(std::string());
    });
    map.onNotify(IDC_ND_YIELD, fw::Notify::Clicked, [this] { YieldToggled(); });
    map.onNotify(IDC_ND_BUY, fw::Notify::Clicked, [this] { SideClicked(kDealBuy); });
    map.onNotify(IDC_ND_SELL, fw::Notify::Clicked, [this] { SideClicked(kDealSell); });
    map.onNotify(IDC_ND_ACCOUNT, fw::Notify::SelChange, [this] { ShowStatus(IDC_ND_ACCOUNT); });
    map.onNotify(IDC_ND_ACCOUNT, fw::Notify::KillFocus, [] { KvSetStatusText(std::string()); });
    for (uint32_t id : { uint32_t(IDC_ND_SECURITY), uint32_t(IDC_ND_ACCOUNT), uint32_t(IDC_ND_PRICE) })
        map.onNotify(id, fw::Notify::SetFocus, [this, id] { ShowStatus(id); });
}

CNegDealDlg::~CNegDealDlg() = default;

void CNegDealDlg::doDataExchange(fw::DataExchange& dx)
{
    DDX_Control(dx, IDC_ND_PRICE, m_price, true);
    DDX_Control(dx, IDC_ND_QUANTITY, m_quantity, true);
}

bool CNegDealDlg::onInitDialog()
{
    m_bStarting = true;
    const KvDealWindowRow window = KvActiveDealWindowRow();
    CTDialogVorl::onInitDialog();

    m_settle.AttachDateCtrl(IDC_ND_SETTLE_DATE, *this);
    // The dissemination time is not asked for: it starts empty and goes out as blanks.
    m_dissemination.AttachTimeCtrl(IDC_ND_DISSEMINATION, *this);
    if (fw::DateTimeField* field = m_dissemination.Field())
        field->setValue(std::nullopt);
    showItem(IDC_ND_DISSEMINATION, false);
    showItem(IDC_ND_DISSEMINATION_LABEL, false);

    m_price.SetMaxDigits(kPriceDigits);
    m_quantity.SetMaxDigits(kQuantityDigits);
    m_quantity.SetMin(0);
    m_quantity.SetMax(kQuantityMax);
    m_price.Clear();
    m_quantity.Clear();
    m_swap.Clear();

    checkButton(m_nSide == kDealBuy ? IDC_ND_BUY : IDC_ND_SELL, 1);
    checkButton(IDC_ND_CONFIRM, ps != nullptr && ps->m_bConfirm ? 1 : 0);

    if (CTrAccLocalArray* accounts = GetCurrentSessionData()) {
        std::vector<std::string> items;
        int selected = -1;
        if (accounts->FillList(items, selected, ""))
            for (const std::string& a : items)
                addString(IDC_ND_ACCOUNT, a);
    }
    setCurSel(IDC_ND_ACCOUNT, itemCount(IDC_ND_ACCOUNT) > 0 ? 0 : -1);

    for (const std::string& name : ParticipantTable().FillBrokerNames())
        addString(IDC_ND_COUNTER_FIRM, name);
    setCurSel(IDC_ND_COUNTER_FIRM, itemCount(IDC_ND_COUNTER_FIRM) > 0 ? 0 : -1);
    CounterFirmChanged();

    const KvNegDealPreset preset = NegDealPreset(window, m_nSide, m_source);
    m_bPricePreset = preset.pricePreset;
    if (preset.price)
        SetPriceValue(*preset.price);

    std::vector<std::string> sources;
    const int last = FlagTable().FillEnabled(sources);
    for (const std::string& name : sources)
        addString(IDC_ND_TRADE_SOURCE, name);
    setCurSel(IDC_ND_TRADE_SOURCE, sources.empty() ? -1 : last);
    TradeSourceChanged();

    if (preset.boardRow >= 0) {
        setCurSel(IDC_ND_BOARD, findStringExact(IDC_ND_BOARD, -1, BoardTable().GetRec(preset.boardRow)->szName));
        BoardChanged();
    }
    if (preset.securityRow >= 0) {
        setCurSel(IDC_ND_SECURITY,
            findStringExact(IDC_ND_SECURITY, -1, SecurityTable().GetRec(preset.securityRow)->szShortName));
        SecurityChanged();
    }
    m_price.SetDecMax(FieldDecimals(isButtonChecked(IDC_ND_YIELD) != 0));
    RepaintPrice();
    Convert();
    ApplyColours();
    m_bStarting = false;
    UpdateOk();
    return true;
}

std::string CNegDealDlg::BoardName() const
{
    const int board = curSel(IDC_ND_BOARD);
    CBoardTable& boards = BoardTable();
    return board >= 0 && board < boards.GetCount() ? boards.GetRec(board)->szName : std::string();
}

std::string CNegDealDlg::SettleDate() const
{
    // A date the security does not allow is not sent.
    return isItemEnabled(IDC_ND_SETTLE_DATE) ? m_settle.FormatDateVORL() : std::string();
}

int CNegDealDlg::FieldDecimals(bool yield) const
{
    if (m_nSecurity < 0)
        return 2;
    return yield ? m_rules.yieldDecimals : m_rules.priceDecimals;
}

void CNegDealDlg::TradeSourceChanged()
{
    const std::string previous = BoardName();
    resetContent(IDC_ND_BOARD);
    for (const std::string& name : BoardTable().FillList())
        addString(IDC_ND_BOARD, name);
    int at = previous.empty() ? -1 : findStringExact(IDC_ND_BOARD, -1, previous);
    if (at < 0 && itemCount(IDC_ND_BOARD) == 1)
        at = 0;
    setCurSel(IDC_ND_BOARD, at);
    if (itemCount(IDC_ND_BOARD) == 0)
        resetContent(IDC_ND_SECURITY);
    BoardChanged();
}

void CNegDealDlg::BoardChanged()
{
    const int board = curSel(IDC_ND_BOARD);
    if (board < 0 || board >= BoardTable().GetCount()) {
        UpdateOk();
        return;
    }
    const std::string previous = itemText(IDC_ND_SECURITY);
    setRedraw(IDC_ND_SECURITY, false);
    resetContent(IDC_ND_SECURITY);
    for (const KvSecurityChoice& c : NegDealSecurities(BoardTable().GetRec(board)->szCode))
        addString(IDC_ND_SECURITY, c.name);
    setRedraw(IDC_ND_SECURITY, true);
    setCurSel(IDC_ND_SECURITY, previous.empty() ? -1 : findStringExact(IDC_ND_SECURITY, -1, previous));
    SecurityChanged();
}

void CNegDealDlg::SecurityChanged()
{
    const std::string name = itemText(IDC_ND_SECURITY).substr(0, kNegDealShortNameWidth);
    m_nSecurity = itemCount(IDC_ND_SECURITY) > 0 && !name.empty()
        ? SecurityTable().FindOnBoard(name, BoardName().c_str())
        : -1;
    m_rules = NegDealRules(m_nSecurity);
    if (!m_rules.found) {
        m_bDealsAllowed = false;
        if (isButtonChecked(IDC_ND_YIELD)) {
            checkButton(IDC_ND_YIELD, 0);
            YieldToggled();
        }
        for (uint32_t id : { uint32_t(IDC_ND_YIELD), uint32_t(IDC_ND_BUY), uint32_t(IDC_ND_SELL), fw::kIdOk })
            enableItem(id, false);
        return;
    }

    // The market price of the security now chosen (after opening from the securities window).
    if (m_bPricePreset) {
        const KvDealPricePreset preset = NegDealPricePreset(m_nSecurity, m_nSide);
        m_nHint = preset.hintId;
        if (isButtonChecked(IDC_ND_YIELD)) {
            checkButton(IDC_ND_YIELD, 0);
            ShowPriceLabels(false);
        }
        m_price.SetDecMax(m_rules.priceDecimals);
        SetPriceValue(preset.price);
        Convert();
    }

    enableItem(IDC_ND_ACCOUNT, m_rules.accountEnabled);
    if (!m_rules.accountEnabled)
        setCurSel(IDC_ND_ACCOUNT, -1);
    else if (itemCount(IDC_ND_ACCOUNT) > 1) {
        const int last = KvLastTradingAccount().empty()
            ? -1
            : findStringExact(IDC_ND_ACCOUNT, -1, KvLastTradingAccount());
        setCurSel(IDC_ND_ACCOUNT, last >= 0 ? last : 0);
    } else
        setCurSel(IDC_ND_ACCOUNT, itemCount(IDC_ND_ACCOUNT) > 0 ? 0 : -1);

    enableItem(fw::kIdOk, true);
    m_bDealsAllowed = m_rules.dealsAllowed;

    enableItem(IDC_ND_YIELD, m_rules.yieldEnabled);
    if (m_rules.yieldEnabled) {
        if (!isButtonChecked(IDC_ND_YIELD)) {
            checkButton(IDC_ND_YIELD, 1);
            YieldToggled();
        } else
            Convert();
    } else {
        // A yield in the field would go out as a price: it turns back into one.
        if (isButtonChecked(IDC_ND_YIELD)) {
            checkButton(IDC_ND_YIELD, 0);
            YieldToggled();
        }
        setItemText(IDC_ND_CONVERTED, std::string());
    }
    m_price.SetDecMax(FieldDecimals(isButtonChecked(IDC_ND_YIELD) != 0));
    RepaintPrice();

    enableItem(IDC_ND_SETTLE_DATE, m_rules.settleEnabled);

    enableItem(IDC_ND_SELL, m_rules.sellEnabled);
    enableItem(IDC_ND_BUY, m_rules.buyEnabled);
    const int checked = isButtonChecked(IDC_ND_BUY) ? kDealBuy : kDealSell;
    const int side = NegDealAdjustSide(checked, m_rules.buyEnabled, m_rules.sellEnabled);
    checkButton(side == kDealBuy ? IDC_ND_BUY : IDC_ND_SELL, 1);
    SideClicked(side);

    if (!m_rules.ownCounterparty) {
        enableItem(IDC_ND_COUNTER_FIRM, true);
        enableItem(IDC_ND_COUNTERPARTY, true);
        setCurSel(IDC_ND_COUNTERPARTY, itemCount(IDC_ND_COUNTERPARTY) > 0 ? 0 : -1);
    } else
        SelectOwnCounterparty();

    if (focusId() == IDC_ND_SECURITY)
        ShowStatus(IDC_ND_SECURITY);
    UpdateOk();
}

void CNegDealDlg::SelectOwnCounterparty()
{
    const int me = TraderTable().FindByCode(SessionUser().c_str());
    if (me >= 0) {
        const TraderRec& user = *TraderTable().GetRec(me);
        const int firm = ParticipantTable().FindByCode(user.szFirm);
        if (firm >= 0)
            setCurSel(IDC_ND_COUNTER_FIRM,
                findStringExact(IDC_ND_COUNTER_FIRM, -1, ParticipantTable().GetRec(firm)->szName));
        CounterFirmChanged();
        setCurSel(IDC_ND_COUNTERPARTY, findStringExact(IDC_ND_COUNTERPARTY, -1, user.szName));
    }
    enableItem(IDC_ND_COUNTER_FIRM, false);
    enableItem(IDC_ND_COUNTERPARTY, false);
}

void CNegDealDlg::CounterFirmChanged()
{
    resetContent(IDC_ND_COUNTERPARTY);
    const std::string firm = itemText(IDC_ND_COUNTER_FIRM);
    if (!firm.empty())
        for (const std::string& name : TraderTable().FillNamesOfFirm(firm.c_str()))
            addString(IDC_ND_COUNTERPARTY, name);
    UpdateOk();
}

void CNegDealDlg::UpdateOk()
{
    if (m_bStarting)
        return;
    enableItem(fw::kIdOk,
        NegDealOkEnabled({ itemCount(IDC_ND_BOARD) > 0, itemCount(IDC_ND_SECURITY) > 0, m_bDealsAllowed,
            curSel(IDC_ND_COUNTERPARTY) >= 0, m_quantity.Text() }));
}

void CNegDealDlg::ShowPriceLabels(bool yield)
{
    const std::string price = Kv32DealDialogString(IDS_DEAL_PRICE) + ':';
    const std::string yieldText = Kv32DealDialogString(IDS_DEAL_YIELD) + ':';
    setItemText(IDC_ND_PRICE_LABEL, yield ? yieldText : price);
    setItemText(IDC_ND_CONVERTED_LABEL, yield ? price : yieldText);
}

void CNegDealDlg::YieldToggled()
{
    const bool yield = isButtonChecked(IDC_ND_YIELD) != 0;
    ShowPriceLabels(yield);
    const std::string text = m_swap.Toggle(yield, m_price.IsBlank() ? std::string() : m_price.Text(),
        itemText(IDC_ND_CONVERTED));
    m_price.SetDecMax(FieldDecimals(yield));
    if (text.empty())
        m_price.Clear();
    else
        m_price.SetValue(Str2Dbl(text, 0));
    RepaintPrice();
    Convert();
    UpdateOk();
}

void CNegDealDlg::SideClicked(int side)
{
    const bool changed = side != m_nSide;
    m_nSide = side;
    if (changed)
        ApplyColours();
}

void CNegDealDlg::ApplyColours()
{
    const CSession* session = KvSession();
    if (session == nullptr || !session->m_settings.options.orderColor)
        return;
    const fw::Color c = m_nSide == kDealBuy ? session->m_colour1 : session->m_colour2;
    QPalette pal = palette();
    const QColor colour(c.red(), c.green(), c.blue());
    pal.setColor(QPalette::Window, colour);
    pal.setColor(QPalette::Button, colour);
    setPalette(pal);
    setAutoFillBackground(true);
    update();
}

void CNegDealDlg::Convert()
{
    if (m_nSecurity < 0 || !m_rules.yieldEnabled)
        return; // only a security quoted by yield has a yield to show
    const SecurityRec& s = *SecurityTable().GetRec(m_nSecurity);
    PriceYieldInput in;
    in.yieldEntered = isButtonChecked(IDC_ND_YIELD) != 0;
    in.securityKey = std::string(s.szCode, strnlen(s.szCode, sizeof s.szCode));
    in.board = BoardName();
    in.date = SettleDate();
    in.value = CDouble(m_price.Value(), static_cast<unsigned>(m_price.GetDecMax()));
    in.priceDecimals = static_cast<unsigned>(m_rules.priceDecimals);
    in.yieldDecimals = static_cast<unsigned>(m_rules.yieldDecimals);
    CDouble converted;
    switch (PriceYieldConversion(in, converted)) {
    case PriceYieldResult::Converted:
        setItemText(IDC_ND_CONVERTED, converted.Format(1, 1));
        break;
    case PriceYieldResult::Unchanged:
        break;
    default:
        setItemText(IDC_ND_CONVERTED, std::string());
        break;
    }
}

void CNegDealDlg::SetPriceValue(const CDouble& value)
{
    m_price.SetValue(static_cast<double>(value));
    RepaintPrice();
    UpdateOk();
}

void CNegDealDlg::SetPriceText(const std::string& text)
{
    if (text.empty())
        m_price.Clear();
    else
        m_price.SetValue(Str2Dbl(text, 0));
    RepaintPrice();
    UpdateOk();
}

void CNegDealDlg::SetQuantity(uint32_t quantity)
{
    m_quantity.SetValue(quantity);
    if (QWidget* w = item(IDC_ND_QUANTITY))
        w->update();
    UpdateOk();
}

void CNegDealDlg::RepaintPrice()
{
    if (QWidget* w = item(IDC_ND_PRICE))
        w->update();
}

void CNegDealDlg::ShowStatus(uint32_t id)
{
    switch (id) {
    case IDC_ND_SECURITY:
        if (m_nSecurity >= 0)
            KvSetStatusText(SecurityTable().GetRec(m_nSecurity)->szName);
        break;
    case IDC_ND_ACCOUNT:
        if (CTrAccLocalArray* accounts = GetCurrentSessionData()) {
            std::string name;
            if (accounts->FindName(itemText(IDC_ND_ACCOUNT), name))
                KvSetStatusText(name);
        }
        break;
    case IDC_ND_PRICE:
        if (m_nHint != 0)
            KvSetStatusText(Kv32DealDialogString(m_nHint));
        break;
    default:
        break;
    }
}

void CNegDealDlg::OnFunctionKey(int key, bool shift)
{
    switch (key) {
    case Qt::Key_F3:
        if (m_nSecurity >= 0) {
            std::string text = m_price.Text();
            if (SecurityTable().StepPrice(text, m_nSecurity, !shift)) {
                SetPriceText(text);
                Convert();
            }
        }
        break;
    case Qt::Key_F5:
        gotoItem(IDC_ND_SECURITY);
        break;
    case Qt::Key_F6:
        gotoItem(IDC_ND_ACCOUNT);
        break;
    case Qt::Key_F7:
        gotoItem(IDC_ND_PRICE);
        break;
    case Qt::Key_F8:
        gotoItem(IDC_ND_QUANTITY);
        break;
    default:
        break;
    }
}

namespace {

bool IsDealKey(int key)
{
    return key == Qt::Key_F3 || (key >= Qt::Key_F5 && key <= Qt::Key_F8);
}

} // namespace

bool CNegDealDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsDealKey(key->key())) {
            OnFunctionKey(key->key(), key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    }
    return CTDialogVorl::eventFilter(watched, event);
}

void CNegDealDlg::keyPressEvent(QKeyEvent* event)
{
    if (IsDealKey(event->key())) {
        OnFunctionKey(event->key(), event->modifiers() & Qt::ShiftModifier);
        return;
    }
    CTDialogVorl::keyPressEvent(event);
}

void CNegDealDlg::onOK()
{
    const int board = curSel(IDC_ND_BOARD);
    const int row = board < 0 ? -1
                              : SecurityTable().FindOnBoard(
                                    itemText(IDC_ND_SECURITY).substr(0, kNegDealShortNameWidth), BoardName().c_str());
    const bool yield = isButtonChecked(IDC_ND_YIELD) != 0;
    const std::string priceText = m_price.IsBlank() ? std::string() : m_price.Text();
    KvNegDealCheck check = CheckNegDeal(row, itemText(IDC_ND_CONFIRM_PERIOD), itemText(IDC_ND_REMINDER), priceText,
        m_price.GetDecMax());

    KvNegDealInput in;
    if (check.messageId == 0) {
        const SecurityRec& s = *SecurityTable().GetRec(row);
        in.user = SessionUser();
        in.account = isItemEnabled(IDC_ND_ACCOUNT) ? itemText(IDC_ND_ACCOUNT) : std::string();
        in.side = isButtonChecked(IDC_ND_BUY) ? kDealBuy : kDealSell;
        in.securityKey = std::string(s.szCode, strnlen(s.szCode, sizeof s.szCode));
        const int counterparty = TraderTable().FindByNameAndFirm(
            itemText(IDC_ND_COUNTERPARTY).c_str(), itemText(IDC_ND_COUNTER_FIRM).c_str());
        if (counterparty >= 0)
            in.counterparty = TraderTable().GetRec(counterparty)->szCode;
        in.yield = yield;
        in.priceText = priceText;
        in.priceDecimals = yield ? s.nYieldDec : s.nPriceDec;
        in.quantityText = m_quantity.IsBlank() ? std::string() : m_quantity.Text();
        in.reference = itemText(IDC_ND_REFERENCE);
        in.confirmPeriod = itemText(IDC_ND_CONFIRM_PERIOD);
        in.reminder = itemText(IDC_ND_REMINDER);
        in.settleDate = SettleDate();
        in.disseminationTime = m_dissemination.FormatTimeVORL();
        const int source = curSel(IDC_ND_TRADE_SOURCE);
        const int record = source < 0 ? -1 : FlagTable().GetNthEnabled(source);
        in.tradeSource = record < 0 ? ' ' : FlagTable().GetRec(record)->cLetter;
        check = CheckNegDealWidths(in);
    }
    if (check.messageId != 0) {
        KvMessageBox(check.messageId == IDS_INVALID_NUMBER ? Kv32ShellDialogString(check.messageId)
                                                           : Kv32DealDialogString(check.messageId),
            fw::MB_ICONSTOP);
        gotoItem(check.focusId);
        return;
    }

    if (isButtonChecked(IDC_ND_CONFIRM)
        && AreYouShureEx(true,
               NegDealQuestion(in.side, BoardName(), itemText(IDC_ND_SECURITY), m_price.Text(), m_quantity.Text(),
                   in.account))
            != fw::IDYES)
        return;

    std::string record = BuildNegDealRecord(in);
    if (record.empty()) {
        KvMessageBox(Kv32DealDialogString(IDS_INVALID_VALUE), fw::MB_ICONSTOP);
        return;
    }
    if (VORLTransaction(kNegDealTransaction, record.data(), static_cast<int>(kNegDealRecordLength), 1)) {
        endDialog(fw::IDOK);
        return;
    }
    if (fErrorCheckEx)
        if (const unsigned focus = NegDealErrorFocus(nErrorEx); focus != 0)
            gotoItem(focus);
}
