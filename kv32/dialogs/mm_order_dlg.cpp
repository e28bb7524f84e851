#include "kv32/dialogs/mm_order_dlg.h"

#include <cstring>

#include "fw/core/msgbox.h"
#include "fw/ui/text.h"
#include "kv32/dialogs/side_colours.h"
#include "kv32/res/deal_dialogs_ids.h"
#include "kv32/res/market_dialogs_ids.h"
#include "kv32/res/order_entry_ids.h"
#include "kv32/shell/price_yield.h"
#include "kv32/shell/session.h"
#include "kv32/shell/ui_port.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"
#include "kv32/windows/quote_wnd.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/prompts.h"
#include "kvcore/ui/num_edit_widget.h"
#include "kvcore/values/number_text.h"

namespace {

constexpr int kPriceDigits = 9;
constexpr int kQuantityDigits = 12;
constexpr double kQuantityMax = 4294967295.0;

int OrderExitSetting()
{
    const CSession* session = KvSession();
    return session != nullptr ? session->m_bOrderExit : 1;
}

} // namespace

struct CMMkrOrder::Side {
    bool buy;
    uint32_t account, price, yield, converted, quantity, topUp, useTopUp, lot, reference, priceLabel, convertedLabel;
    CDblEdit priceEdit;
    CIntEdit quantityEdit;
    CIntEdit topUpEdit;
    KvPriceYieldSwap swap;
};

CMMkrOrder::CMMkrOrder(QWidget* parent)
    : CTDialogVorl(Kv32MarketDialog(IDD_MM_ORDER), parent)
    , m_buy(new Side { true, IDC_MM_BUY_ACCOUNT, IDC_MM_BUY_PRICE, IDC_MM_BUY_YIELD, IDC_MM_BUY_CONVERTED,
          IDC_MM_BUY_QUANTITY, IDC_MM_BUY_TOPUP, IDC_MM_BUY_USE_TOPUP, IDC_MM_BUY_LOT, IDC_MM_BUY_REFERENCE,
          IDC_MM_BUY_PRICE_LABEL, IDC_MM_BUY_CONVERTED_LABEL, {}, {}, {}, {} })
    , m_sell(new Side { false, IDC_MM_SELL_ACCOUNT, IDC_MM_SELL_PRICE, IDC_MM_SELL_YIELD, IDC_MM_SELL_CONVERTED,
          IDC_MM_SELL_QUANTITY, IDC_MM_SELL_TOPUP, IDC_MM_SELL_USE_TOPUP, IDC_MM_SELL_LOT, IDC_MM_SELL_REFERENCE,
          IDC_MM_SELL_PRICE_LABEL, IDC_MM_SELL_CONVERTED_LABEL, {}, {}, {}, {} })
{
    fw::CommandMap& map = commands();
    map.onNotify(IDC_MM_BOARD, fw::Notify::SelChange, [this] { BoardChanged(); });
    map.onNotify(IDC_MM_SECURITY, fw::Notify::SelChange, [this] { SecurityChanged(); });
    map.onNotify(IDC_MM_SECURITY, fw::Notify::SetFocus, [this] {
        if (m_nSecurity >= 0)
            KvSetStatusText(SecurityTable().GetRec(m_nSecurity)->szName);
    });
    map.onNotify(IDC_MM_SECURITY, fw::Notify::KillFocus, [] { KvSetStatusText(std::string()); });
    map.onNotify(IDC_MM_SEND_BUY, fw::Notify::Clicked, [this] { Send(KvMMSend::Buy); });
    map.onNotify(IDC_MM_SEND_SELL, fw::Notify::Clicked, [this] { Send(KvMMSend::Sell); });
    for (Side* side : { m_buy.get(), m_sell.get() }) {
        map.onNotify(side->yield, fw::Notify::Clicked, [this, side] { YieldToggled(*side); });
        map.onNotify(side->useTopUp, fw::Notify::Clicked, [this, side] { UseTopUpClicked(*side); });
        map.onNotify(side->price, fw::Notify::KillFocus, [this, side] { Convert(*side); });
        for (uint32_t id : { side->price, side->quantity, side->topUp }) {
            map.onNotify(id, fw::Notify::SetFocus, [this, buy = side->buy] { ShowQuote(buy); });
            map.onNotify(id, fw::Notify::KillFocus, [this] { HideQuote(); });
        }
        const uint32_t account = side->account;
        map.onNotify(account, fw::Notify::SelChange, [this, account] { SelectAccount(account); });
        map.onNotify(account, fw::Notify::SetFocus,
            [this, account] { KvSetStatusText(KvAccountName(itemText(account))); });
        map.onNotify(account, fw::Notify::KillFocus, [] { KvSetStatusText(std::string()); });
    }
}

CMMkrOrder::~CMMkrOrder() = default;

void CMMkrOrder::doDataExchange(fw::DataExchange& dx)
{
    for (Side* side : { m_buy.get(), m_sell.get() }) {
        DDX_Control(dx, side->price, side->priceEdit, true);
        DDX_Control(dx, side->quantity, side->quantityEdit, true);
        DDX_Control(dx, side->topUp, side->topUpEdit, true);
    }
}

bool CMMkrOrder::onInitDialog()
{
    m_bStarting = true;
    CTDialogVorl::onInitDialog();
    // The quote window takes a place of its own, so that it never hides the field being typed in.
    if (QWidget* area = item(IDC_MM_QUOTE_AREA))
        area->setMinimumHeight(CQuoteWnd(this).sizeHint().height());
    for (Side* side : { m_buy.get(), m_sell.get() }) {
        side->priceEdit.SetMaxDigits(kPriceDigits);
        side->priceEdit.Clear();
        for (CIntEdit* e : { &side->quantityEdit, &side->topUpEdit }) {
            e->SetMaxDigits(kQuantityDigits);
            e->SetMin(0);
            e->SetMax(kQuantityMax);
            e->Clear();
        }
        side->swap.Clear();
        KvFillTradingAccounts(*this, side->account);
        SelectAccount(side->account);
        const int last = KvLastTradingAccount().empty() ? -1
                                                        : findStringExact(side->account, -1, KvLastTradingAccount());
        setCurSel(side->account, last >= 0 ? last : (itemCount(side->account) > 0 ? 0 : -1));
    }
    checkButton(IDC_MM_CONFIRM, ps != nullptr && ps->m_bConfirm ? 1 : 0);
    for (const std::string& name : BoardTable().FillList())
        addString(IDC_MM_BOARD, name);
    setCurSel(IDC_MM_BOARD, -1);

    const KvActiveRow* active = KvActiveListRow();
    if (active != nullptr && active->TableId() == kListSecurities && active->RecordIndex() >= 0
        && active->RecordIndex() < SecurityTable().GetCount()) {
        const SecurityRec& s = *SecurityTable().GetRec(active->RecordIndex());
        const std::string key(s.szCode, strnlen(s.szCode, sizeof s.szCode));
        const int board = key.size() >= 5 ? BoardTable().FindByCode(key.substr(1, 4).c_str()) : -1;
        if (board >= 0) {
            setCurSel(IDC_MM_BOARD, findStringExact(IDC_MM_BOARD, -1, BoardTable().GetRec(board)->szName));
            BoardChanged();
            setCurSel(IDC_MM_SECURITY, findStringExact(IDC_MM_SECURITY, -1, s.szShortName));
        }
    }
    if (OrderExitSetting() == 0)
        setItemText(fw::kIdCancel, Kv32OrderEntryString(IDS_OE_CLOSE));
    SecurityChanged();
    for (const fw::DialogTemplate& t : Kv32MarketDialogTemplates())
        if (t.id == IDD_MM_ORDER)
            for (const fw::ControlDef& c : t.controls)
                if (QWidget* w = c.id != fw::kStaticId ? item(c.id) : nullptr)
                    if (const std::string tip = Kv32MarketMakerTip(c.id); !tip.empty())
                        w->setToolTip(fw::toQt(tip));
    m_bStarting = false;
    return true;
}

std::string CMMkrOrder::BoardName() const
{
    return itemText(IDC_MM_BOARD);
}

void CMMkrOrder::SelectAccount(uint32_t id)
{
    const std::string account = itemText(id);
    if (account.empty())
        return;
    KvSetStatusText(KvAccountName(account));
    if (!m_bStarting)
        KvLastTradingAccount() = account;
}

void CMMkrOrder::BoardChanged()
{
    const std::string previous = itemText(IDC_MM_SECURITY);
    resetContent(IDC_MM_SECURITY);
    for (const KvMMSecurityChoice& c : MarketMakerSecurities(BoardName())) {
        const int at = addString(IDC_MM_SECURITY, c.name);
        setItemData(IDC_MM_SECURITY, at, static_cast<uint64_t>(c.row));
    }
    setCurSel(IDC_MM_SECURITY, previous.empty() ? -1 : findStringExact(IDC_MM_SECURITY, -1, previous));
    SecurityChanged();
}

void CMMkrOrder::SecurityChanged()
{
    const int at = curSel(IDC_MM_SECURITY);
    const int row = at < 0 ? -1 : static_cast<int>(itemData(IDC_MM_SECURITY, at));
    const KvMMSecurityRules rules = MarketMakerRules(row);
    if (!rules.found) {
        // Nothing to quote: nothing may be sent.
        m_nSecurity = -1;
        for (uint32_t id : { uint32_t(IDC_MM_SEND_BUY), uint32_t(IDC_MM_SEND_SELL), uint32_t(fw::kIdOk) })
            enableItem(id, false);
        return;
    }
    m_nSecurity = row;
    m_rules = rules;
    for (Side* side : { m_buy.get(), m_sell.get() }) {
        enableItem(side->yield, rules.yield);
        checkButton(side->yield, rules.yield ? 1 : 0);
        YieldToggled(*side);
        enableItem(side->account, rules.accounts);
        if (!rules.accounts)
            setCurSel(side->account, -1);
        else if (itemCount(side->account) > 1) {
            const int last = KvLastTradingAccount().empty()
                ? -1
                : findStringExact(side->account, -1, KvLastTradingAccount());
            setCurSel(side->account, last >= 0 ? last : 0);
        } else
            setCurSel(side->account, itemCount(side->account) > 0 ? 0 : -1);
        side->priceEdit.SetDecMax(rules.yield ? rules.yieldDecimals : rules.priceDecimals);
        side->priceEdit.SetValue(0);
        for (uint32_t id : { side->price, side->quantity, side->reference })
            enableItem(id, true);
        setItemText(side->lot, rules.lot);
        enableItem(side->topUp, rules.topUp);
        enableItem(side->useTopUp, rules.topUp);
        checkButton(side->useTopUp, 0);
        if (!rules.topUp)
            side->topUpEdit.Clear();
        for (uint32_t id : { side->price, side->topUp })
            if (QWidget* w = item(id))
                w->update();
    }
    for (uint32_t id : { uint32_t(IDC_MM_SEND_BUY), uint32_t(IDC_MM_SEND_SELL), uint32_t(fw::kIdOk) })
        enableItem(id, true);
    enableItem(IDC_MM_SESSION, rules.session);
    enableItem(IDC_MM_DAY, rules.day);
    checkButton(IDC_MM_SESSION, 0);
    checkButton(IDC_MM_DAY, 0);
    if (const unsigned validity = MarketMakerValidity(rules, IDC_MM_SESSION, IDC_MM_DAY); validity != 0)
        checkButton(validity, 1);
    KvSetStatusText(SecurityTable().GetRec(row)->szName);
    if (!m_bStarting)
        ApplyLastQuote();
}

void CMMkrOrder::ApplyLastQuote()
{
    KvMMQuoteSide buy, sell;
    KvLastQuote(m_nSecurity, buy, sell);
    for (Side* side : { m_buy.get(), m_sell.get() }) {
        const KvMMQuoteSide& q = side->buy ? buy : sell;
        SetPriceText(side->buy, q.price);
        for (auto [edit, text] : { std::pair { &side->quantityEdit, &q.quantity }, { &side->topUpEdit, &q.topUp } }) {
            if (text->empty())
                edit->Clear();
            else
                edit->SetValue(Str2Dbl(*text, 0));
        }
        if (isItemEnabled(side->useTopUp)) {
            checkButton(side->useTopUp, q.useTopUp ? 1 : 0);
            UseTopUpClicked(*side);
        }
        for (uint32_t id : { side->quantity, side->topUp })
            if (QWidget* w = item(id))
                w->update();
    }
}

void CMMkrOrder::YieldToggled(Side& side)
{
    const bool yield = isButtonChecked(side.yield) != 0;
    const std::string price = Kv32DealDialogString(IDS_DEAL_PRICE) + ':';
    const std::string yieldText = Kv32DealDialogString(IDS_DEAL_YIELD) + ':';
    setItemText(side.priceLabel, yield ? yieldText : price);
    setItemText(side.convertedLabel, yield ? price : yieldText);
    side.priceEdit.SetDecMax(m_nSecurity < 0 ? 2 : (yield ? m_rules.yieldDecimals : m_rules.priceDecimals));
    if (!m_bStarting) {
        const std::string text = side.swap.Toggle(yield,
            side.priceEdit.IsBlank() ? std::string() : side.priceEdit.Text(), itemText(side.converted));
        if (text.empty())
            side.priceEdit.Clear();
        else
            side.priceEdit.SetValue(Str2Dbl(text, 0));
    }
    if (QWidget* w = item(side.price))
        w->update();
    Convert(side);
}

void CMMkrOrder::UseTopUpClicked(Side& side)
{
    if (!isItemEnabled(side.useTopUp))
        return;
    const bool use = isButtonChecked(side.useTopUp) != 0;
    enableItem(side.topUp, !use);
    if (use)
        side.topUpEdit.Clear();
    if (QWidget* w = item(side.topUp))
        w->update();
}

void CMMkrOrder::Convert(Side& side)
{
    // Only after start, and only for a security quoted by yield.
    if (m_bStarting || m_nSecurity < 0 || !m_rules.yield)
        return;
    const SecurityRec& s = *SecurityTable().GetRec(m_nSecurity);
    PriceYieldInput in;
    in.yieldEntered = isButtonChecked(side.yield) != 0;
    in.securityKey = std::string(s.szCode, strnlen(s.szCode, sizeof s.szCode));
    in.board = BoardName();
    in.value = CDouble(side.priceEdit.Value(), static_cast<unsigned>(side.priceEdit.GetDecMax()));
    in.priceDecimals = static_cast<unsigned>(m_rules.priceDecimals);
    in.yieldDecimals = static_cast<unsigned>(m_rules.yieldDecimals);
    CDouble converted;
    switch (PriceYieldConversion(in, converted)) {
    case PriceYieldResult::Converted:
        setItemText(side.converted, converted.Format(1, 1));
        break;
    case PriceYieldResult::Unchanged:
        break;
    default:
        setItemText(side.converted, std::string());
        break;
    }
}

void CMMkrOrder::ShowQuote(bool buy)
{
    if (m_nSecurity < 0)
        return;
    HideQuote();
    m_quote = std::make_unique<CQuoteWnd>(this);
    const QWidget* area = item(IDC_MM_QUOTE_AREA);
    QRect r = area != nullptr ? area->geometry() : QRect(215, 150, 360, 90);
    const int half = r.width() / 2;
    r = buy ? QRect(r.left(), r.top(), half, r.height()) : QRect(r.left() + half, r.top(), half, r.height());
    m_quote->setGeometry(r);
    m_quote->SetSecurity(m_nSecurity);
    m_quote->setAttribute(Qt::WA_ShowWithoutActivating);
    m_quote->show();
}

void CMMkrOrder::HideQuote()
{
    m_quote.reset();
}

void CMMkrOrder::SetPriceText(bool buy, const std::string& text)
{
    Side& side = SideOf(buy);
    if (text.empty())
        side.priceEdit.Clear();
    else
        side.priceEdit.SetValue(Str2Dbl(text, 0));
    if (QWidget* w = item(side.price))
        w->update();
}

std::string CMMkrOrder::PriceText(bool buy) const
{
    const Side& side = SideOf(buy);
    return side.priceEdit.IsBlank() ? std::string() : side.priceEdit.Text();
}

void CMMkrOrder::SetQuantity(bool buy, uint32_t quantity)
{
    SideOf(buy).quantityEdit.SetValue(quantity);
}

void CMMkrOrder::SetTopUp(bool buy, uint32_t quantity)
{
    SideOf(buy).topUpEdit.SetValue(quantity);
}

std::string CMMkrOrder::QuantityText(bool buy) const
{
    const Side& side = SideOf(buy);
    return side.quantityEdit.IsBlank() ? std::string() : side.quantityEdit.Text();
}

std::string CMMkrOrder::TopUpText(bool buy) const
{
    const Side& side = SideOf(buy);
    return side.topUpEdit.IsBlank() ? std::string() : side.topUpEdit.Text();
}

int CMMkrOrder::PriceDecimals(bool buy) const
{
    return SideOf(buy).priceEdit.GetDecMax();
}

KvMMSide CMMkrOrder::TakeSide(const Side& side) const
{
    KvMMSide s;
    s.account = isItemEnabled(side.account) ? itemText(side.account) : std::string();
    s.yield = isButtonChecked(side.yield) != 0;
    s.priceText = PriceText(side.buy);
    s.quantityText = QuantityText(side.buy);
    s.topUpText = TopUpText(side.buy);
    s.useTopUp = isButtonChecked(side.useTopUp) != 0;
    s.reference = itemText(side.reference);
    s.session = isButtonChecked(IDC_MM_SESSION) != 0;
    s.day = isButtonChecked(IDC_MM_DAY) != 0;
    return s;
}

void CMMkrOrder::onOK()
{
    Send(KvMMSend::Both);
}

void CMMkrOrder::Send(KvMMSend send)
{
    if (m_nSecurity < 0) {
        KvMessageBox(Kv32DealDialogString(IDS_INVALID_SECURITY), fw::MB_ICONSTOP);
        gotoItem(IDC_MM_SECURITY);
        return;
    }
    const SecurityRec& security = *SecurityTable().GetRec(m_nSecurity);
    KvMMOrder order;
    order.user = ps != nullptr ? ps->m_sUser : std::string();
    order.securityKey = std::string(security.szCode, strnlen(security.szCode, sizeof security.szCode));
    order.send = send;
    order.priceDecimals = m_rules.priceDecimals;
    order.yieldDecimals = m_rules.yieldDecimals;
    for (Side* side : { m_buy.get(), m_sell.get() })
        side->priceEdit.SetDecMax(isButtonChecked(side->yield) ? m_rules.yieldDecimals : m_rules.priceDecimals);
    order.buy = TakeSide(*m_buy);
    order.sell = TakeSide(*m_sell);

    // Each price checked on its own, buy first, before anything is kept.
    for (const auto& [side, field] : { std::pair { &order.buy, m_buy->price }, { &order.sell, m_sell->price } }) {
        const int decimals = side->yield ? order.yieldDecimals : order.priceDecimals;
        if (!side->priceText.empty() && !Cur2Str(side->priceText, 9, decimals)) {
            KvMessageBox(Kv32DealDialogString(IDS_INVALID_VALUE), fw::MB_ICONSTOP);
            gotoItem(field);
            return;
        }
    }
    // The quote is remembered as sent, before the question.
    // Kept without digit groups, so that longer figures fit their places.
    const auto quote = [](const Side& side, const KvMMSide& s) {
        const auto plain = [](const CBaseNumEdit& e) { return e.IsBlank() ? std::string() : e.GetUnFormatedString(); };
        return KvMMQuoteSide { plain(side.priceEdit), plain(side.quantityEdit), plain(side.topUpEdit), s.useTopUp };
    };
    KvKeepQuote(m_nSecurity, quote(*m_buy, order.buy), quote(*m_sell, order.sell));

    const KvMMRecordResult record = BuildMarketMakerRecord(order);
    if (!record.text.empty() && isButtonChecked(IDC_MM_CONFIRM)) {
        const std::string board = BoardName();
        for (const KvMMSide* side : { &order.buy, &order.sell }) {
            const bool buy = side == &order.buy;
            if ((buy && send == KvMMSend::Sell) || (!buy && send == KvMMSend::Buy))
                continue;
            const std::string question = MarketMakerQuestion(
                buy, board, security.szShortName, side->priceText, side->quantityText, side->account);
            if (AreYouShureEx(true, question) != fw::IDYES)
                return;
        }
    }
    if (record.text.empty()) {
        KvMessageBox(Kv32DealDialogString(IDS_INVALID_VALUE), fw::MB_ICONSTOP);
        return;
    }
    std::string text = record.text;
    if (VORLTransaction(kMMOrderTransaction, text.data(), static_cast<int>(text.size()), 1) && OrderExitSetting() != 0)
        endDialog(fw::IDOK);
}
