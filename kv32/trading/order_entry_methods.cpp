#include "kv32/trading/order_entry_form.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "fw/core/msgbox.h"
#include "kv32/res/order_entry_ids.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/res/table_strings.h"
#include "kv32/res/trading_strings.h"
#include "kv32/shell/session.h"
#include "kv32/shell/text_format.h"
#include "kv32/shell/ui_port.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/local_order_table.h"
#include "kv32/trading/active_row.h"
#include "kv32/trading/order_entry_text.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/prompts.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/number_text.h"

using namespace kvform;

namespace {

constexpr uint32_t kValidity[] = { IDC_OE_SESSION, IDC_OE_DAY, IDC_OE_GTC, IDC_OE_GTD };
constexpr uint32_t kFills[]
    = { IDC_OE_FILL_ANY, IDC_OE_FILL_MIN, IDC_OE_ALL_OR_NONE, IDC_OE_FILL_OR_KILL, IDC_OE_FILL_AND_KILL };

} // namespace

// ---- The security and the order methods it allows ----

void COrderEntryForm::SecurityChanged()
{
    if (m_bPrimary) {
        QuantityRule();
        return;
    }
    const SecurityRec* s = Security();
    if (s == nullptr) {
        NoSecurity();
        return;
    }
    const bool account = !Perm(kFlagNoAccount);
    Enable(IDC_OE_ACCOUNT, account);
    if (account)
        SelectOnlyOrLastAccount();
    else
        C(IDC_OE_ACCOUNT).sel = -1;

    Enable(IDC_OE_PRICE, true);
    Enable(IDC_OE_YIELD, Perm(kFlagYield) && !m_bPreset);
    Check(IDC_OE_YIELD,
        m_bPrivate ? Control(IDC_OE_YIELD).enabled && m_prefill.yieldFlag : Control(IDC_OE_YIELD).enabled);
    if (!m_bPriceTaken) {
        m_sPriceText.clear();
        m_sYieldText.clear();
        SetText(IDC_OE_PRICE, "");
        SetText(IDC_OE_COUNTER, "");
    }
    YieldChanged();

    Enable(IDC_OE_QUANTITY, true);
    Enable(IDC_OE_HIDDEN, Perm(kFlagHidden));
    if (!Perm(kFlagHidden))
        SetText(IDC_OE_HIDDEN, "");
    Enable(IDC_OE_REFERENCE, true);
    Enable(IDC_OE_WAI, On(IDC_OE_SEND_POB) || m_bPrivate);
    Enable(IDC_OE_MIN_FILL, true);
    Enable(IDC_OE_TRIGGER, false);

    Enable(IDC_OE_LIMIT, Perm(kFlagLimit));
    Enable(IDC_OE_MARKET, Perm(kFlagMarket));
    Check(IDC_OE_LIMIT, false);
    Check(IDC_OE_MARKET, false);
    if (Perm(kFlagLimit)) {
        Check(IDC_OE_LIMIT, true);
        LimitClicked();
    } else if (Perm(kFlagMarket)) {
        Check(IDC_OE_MARKET, true);
        MarketClicked();
    }

    Enable(IDC_OE_SESSION, Perm(kFlagSession));
    Enable(IDC_OE_DAY, Perm(kFlagDay));
    Enable(IDC_OE_GTC, Perm(kFlagGoodTillCancelled));
    Enable(IDC_OE_GTD, Perm(kFlagGoodTillDate) || Perm(kFlagGoodTillTime));
    Enable(IDC_OE_EXPIRY_DATE, Perm(kFlagGoodTillDate));
    if (!Perm(kFlagGoodTillDate))
        SetText(IDC_OE_EXPIRY_DATE, "");
    Enable(IDC_OE_EXPIRY_TIME, Perm(kFlagGoodTillTime));
    Enable(IDC_OE_TIME_LABEL, Perm(kFlagGoodTillTime));
    if (!Perm(kFlagGoodTillTime))
        SetText(IDC_OE_EXPIRY_TIME, "");

    Enable(IDC_OE_FILL_ANY, Perm(kFlagFillAny));
    Enable(IDC_OE_FILL_MIN, Perm(kFlagFillMinimum));
    Enable(IDC_OE_ALL_OR_NONE, Perm(kFlagAllOrNone));
    Enable(IDC_OE_FILL_OR_KILL, Perm(kFlagAllOrNone) && Perm(kFlagImmediate));
    Enable(IDC_OE_FILL_AND_KILL, Perm(kFlagFillAny) && Perm(kFlagImmediate));
    if (On(IDC_OE_MARKET))
        for (uint32_t id : { IDC_OE_ALL_OR_NONE, IDC_OE_FILL_MIN, IDC_OE_FILL_AND_KILL })
            Enable(id, false);

    EnableCheck(IDC_OE_SETTLE, Perm(kFlagSettle));
    if (!Perm(kFlagSettle))
        SetText(IDC_OE_SETTLE_DATE, "");
    EnableCheck(IDC_OE_STOP, Perm(kFlagStop));
    EnableCheck(IDC_OE_BUYIN, false);

    if (m_pending.market && Control(IDC_OE_MARKET).enabled) {
        Check(IDC_OE_MARKET, true);
        Check(IDC_OE_LIMIT, false);
        for (uint32_t id : { IDC_OE_ALL_OR_NONE, IDC_OE_FILL_MIN, IDC_OE_FILL_AND_KILL })
            EnableCheck(id, false);
    }
    if (m_pending.settle && Control(IDC_OE_SETTLE).enabled) {
        Check(IDC_OE_SETTLE, true);
        Enable(IDC_OE_SETTLE_LABEL, true);
        Enable(IDC_OE_SETTLE_DATE, true);
        SetText(IDC_OE_SETTLE_DATE, m_pending.settleDate);
    }
    if (m_pending.stop && Control(IDC_OE_STOP).enabled) {
        Check(IDC_OE_STOP, true);
        Enable(IDC_OE_TRIGGER, true);
        SetText(IDC_OE_TRIGGER, m_pending.trigger);
    }

    for (uint32_t id : kValidity)
        Check(id, false);
    uint32_t validity = 0;
    if (m_pending.validity != 0 && Control(m_pending.validity).enabled)
        validity = m_pending.validity;
    else
        for (uint32_t id : { IDC_OE_DAY, IDC_OE_SESSION, IDC_OE_GTC, IDC_OE_GTD })
            if (Control(id).enabled) {
                validity = id;
                break;
            }
    if (validity != 0)
        Check(validity, true);

    for (uint32_t id : kFills)
        Check(id, false);
    uint32_t fill = 0;
    if (m_pending.fill != 0 && Control(m_pending.fill).enabled)
        fill = m_pending.fill;
    else
        for (uint32_t id : kFills)
            if (Control(id).enabled) {
                fill = id;
                break;
            }
    if (fill != 0)
        Check(fill, true);
    if (fill == IDC_OE_FILL_MIN)
        SetText(IDC_OE_MIN_FILL, m_pending.minFill);

    ValidityChanged();
    FillChanged();
    SettleChanged();
    StopChanged();
    m_pending = Pending {};
    ShowStatus(IDC_OE_SECURITY);
}

void COrderEntryForm::NoSecurity()
{
    for (uint32_t id : { IDC_OE_MARKET, IDC_OE_LIMIT, IDC_OE_YIELD, IDC_OE_SESSION, IDC_OE_DAY, IDC_OE_GTC,
             IDC_OE_GTD, IDC_OE_FILL_ANY, IDC_OE_FILL_MIN, IDC_OE_ALL_OR_NONE, IDC_OE_FILL_OR_KILL,
             IDC_OE_FILL_AND_KILL, IDC_OE_SETTLE, IDC_OE_STOP, IDC_OE_BUYIN })
        EnableCheck(id, false);
    for (uint32_t id : { IDC_OE_EXPIRY_DATE, IDC_OE_EXPIRY_TIME, IDC_OE_MIN_FILL, IDC_OE_SETTLE_DATE,
             IDC_OE_TRIGGER, IDC_OE_PRICE, IDC_OE_COUNTER, IDC_OE_QUANTITY, IDC_OE_HIDDEN }) {
        SetText(id, "");
        Enable(id, false);
    }
    for (uint32_t id :
        { IDC_OE_TIME_LABEL, IDC_OE_MIN_FILL_LABEL, IDC_OE_SETTLE_LABEL, IDC_OE_TRIGGER_LABEL })
        Enable(id, false);
    C(IDC_OE_ACCOUNT).sel = -1;
    m_sPriceText.clear();
    m_sYieldText.clear();
}

void COrderEntryForm::SideChanged(int side)
{
    if (side == m_nSide)
        return;
    m_nSide = side;
    Check(IDC_OE_BUY, side == 1);
    Check(IDC_OE_SELL, side != 1);
    if (m_bPrivate)
        return;
    Prefill();
    ApplyPrefillTexts();
    SecurityChanged();
    SetText(IDC_OE_PRICE, "");
    SetText(IDC_OE_COUNTER, "");
}

void COrderEntryForm::MarketClicked()
{
    SetText(IDC_OE_PRICE, "");
    SetText(IDC_OE_COUNTER, "");
    bool wasChecked = false;
    for (uint32_t id : { IDC_OE_ALL_OR_NONE, IDC_OE_FILL_MIN, IDC_OE_FILL_AND_KILL }) {
        wasChecked = wasChecked || On(id);
        EnableCheck(id, false);
    }
    if (wasChecked) {
        if (Control(IDC_OE_FILL_ANY).enabled)
            Check(IDC_OE_FILL_ANY, true);
        else if (Control(IDC_OE_FILL_OR_KILL).enabled)
            Check(IDC_OE_FILL_OR_KILL, true);
        FillChanged();
    }
}

void COrderEntryForm::LimitClicked()
{
    Enable(IDC_OE_ALL_OR_NONE, Perm(kFlagAllOrNone));
    Enable(IDC_OE_FILL_MIN, Perm(kFlagFillMinimum));
    Enable(IDC_OE_FILL_AND_KILL, Perm(kFlagFillAny) && Perm(kFlagImmediate));
}

void COrderEntryForm::ValidityChanged()
{
    if (On(IDC_OE_GTD)) {
        const std::string date = m_pending.expiryDate.empty() ? Today() : m_pending.expiryDate;
        if (Perm(kFlagGoodTillDate)) {
            Enable(IDC_OE_EXPIRY_DATE, true);
            if (Control(IDC_OE_EXPIRY_DATE).text.empty() || !m_pending.expiryDate.empty())
                SetText(IDC_OE_EXPIRY_DATE, date);
        }
        if (Perm(kFlagGoodTillTime)) {
            Enable(IDC_OE_TIME_LABEL, true);
            Enable(IDC_OE_EXPIRY_TIME, true);
            if (Control(IDC_OE_EXPIRY_TIME).text.empty() || !m_pending.expiryTime.empty())
                SetText(IDC_OE_EXPIRY_TIME, m_pending.expiryTime.empty() ? NowTime() : m_pending.expiryTime);
        }
        return;
    }
    for (uint32_t id : { IDC_OE_EXPIRY_DATE, IDC_OE_EXPIRY_TIME }) {
        SetText(id, "");
        Enable(id, false);
    }
    Enable(IDC_OE_TIME_LABEL, false);
}

void COrderEntryForm::SettleChanged()
{
    const bool on = On(IDC_OE_SETTLE);
    Enable(IDC_OE_SETTLE_LABEL, on);
    Enable(IDC_OE_SETTLE_DATE, on);
    if (!on)
        SetText(IDC_OE_SETTLE_DATE, "");
    else if (Control(IDC_OE_SETTLE_DATE).text.empty())
        SetText(IDC_OE_SETTLE_DATE, Today());
}

void COrderEntryForm::StopChanged()
{
    const bool on = On(IDC_OE_STOP);
    Enable(IDC_OE_TRIGGER_LABEL, on);
    Enable(IDC_OE_TRIGGER, on);
    if (!on)
        SetText(IDC_OE_TRIGGER, "");
}

void COrderEntryForm::FillChanged()
{
    const bool minimum = On(IDC_OE_FILL_MIN);
    if (!minimum)
        SetText(IDC_OE_MIN_FILL, "");
    Enable(IDC_OE_MIN_FILL_LABEL, minimum);
    Enable(IDC_OE_MIN_FILL, minimum);
    if (On(IDC_OE_FILL_AND_KILL)) {
        SetText(IDC_OE_HIDDEN, "");
        Enable(IDC_OE_HIDDEN, false);
    } else {
        Enable(IDC_OE_HIDDEN, Perm(kFlagHidden));
    }
}

void COrderEntryForm::YieldChanged()
{
    const SecurityRec* s = Security();
    const std::string priceWord = Kv32OrderEntryString(IDS_OE_PRICE) + ":";
    const std::string yieldWord = Kv32OrderEntryString(IDS_OE_YIELD) + ":";
    KvFormControl& price = C(IDC_OE_PRICE);
    KvFormControl& counter = C(IDC_OE_COUNTER);
    if (On(IDC_OE_YIELD)) {
        SetText(IDC_OE_PRICE_LABEL, yieldWord);
        m_sPriceText = price.text;
        if (counter.text.empty() && m_sYieldText.empty() && !price.text.empty() && s != nullptr) {
            // The yield of the price entered, asked once.
            CDouble yield;
            PriceYieldInput in { false, Stripped(s->szCode), Sel(IDC_OE_BOARD),
                Control(IDC_OE_SETTLE_DATE).text,
                CDouble(Str2Dbl(price.text, 0), static_cast<unsigned>(s->nPriceDec)),
                static_cast<unsigned>(s->nPriceDec), static_cast<unsigned>(s->nYieldDec) };
            if (convert && convert(in, yield) == PriceYieldResult::Converted)
                m_sYieldText = Shown(static_cast<double>(yield), s->nYieldDec);
            counter.text = m_sPriceText;
            price.text = m_sYieldText;
        } else {
            const std::string shown = counter.text.empty() ? m_sYieldText : counter.text;
            counter.text = m_sPriceText;
            price.text = shown;
        }
        SetText(IDC_OE_COUNTER_LABEL, priceWord);
    } else {
        SetText(IDC_OE_PRICE_LABEL, priceWord);
        if (!m_bPriceTaken) {
            m_sYieldText = price.text;
            const std::string shown = counter.text.empty() ? m_sPriceText : counter.text;
            counter.text = m_sYieldText;
            price.text = shown;
        }
        SetText(IDC_OE_COUNTER_LABEL, yieldWord);
    }
    Convert();
}

void COrderEntryForm::Convert()
{
    if (m_bPrimary) {
        QuantityRule();
        return;
    }
    const SecurityRec* s = Security();
    const std::string& text = Control(IDC_OE_PRICE).text;
    if (s == nullptr || text.empty() || !convert)
        return;
    const bool yield = On(IDC_OE_YIELD);
    const int from = yield ? s->nYieldDec : s->nPriceDec;
    const int to = yield ? s->nPriceDec : s->nYieldDec;
    PriceYieldInput in { yield, Stripped(s->szCode), Sel(IDC_OE_BOARD), Control(IDC_OE_SETTLE_DATE).text,
        CDouble(Str2Dbl(text, 0), static_cast<unsigned>(from)), static_cast<unsigned>(s->nPriceDec),
        static_cast<unsigned>(s->nYieldDec) };
    CDouble out;
    switch (convert(in, out)) {
    case PriceYieldResult::Converted:
        SetText(IDC_OE_COUNTER, Shown(static_cast<double>(out), to));
        break;
    case PriceYieldResult::Failed:
    case PriceYieldResult::NotSent:
        SetText(IDC_OE_COUNTER, "");
        break;
    default:
        break;
    }
}

void COrderEntryForm::QuantityRule()
{
    // Nothing to hold: the price takes 12 digits as an amount when the
    // quantity is 0, which OK reads from the quantity itself.
}

void COrderEntryForm::ShowStatus(uint32_t id)
{
    if (id == IDC_OE_SECURITY) {
        if (const SecurityRec* s = Security())
            KvSetStatusText(Stripped(s->szName));
    } else if (id == IDC_OE_ACCOUNT) {
        std::string name;
        if (const CTrAccLocalArray* accounts = GetCurrentSessionData())
            accounts->FindName(Sel(IDC_OE_ACCOUNT), name);
        KvSetStatusText(name);
    }
}

void COrderEntryForm::CopyMethods()
{
    KvActiveRow* active = KvActiveListRow();
    COrderTable& orders = OrderTable();
    if (active == nullptr || active->TableId() != kListOrders || active->RecordIndex() < 0
        || active->RecordIndex() >= orders.GetCount())
        return;
    const COrderRec& o = *orders.GetRec(active->RecordIndex());
    const std::string flags = Stripped(o.szType);
    PendingFromFlags(flags, Stripped(o.szExpiryDate), Stripped(o.szExpiryTime), o.dFillMinQty,
        o.dtSettle.FormatDateVORL(), o.dTriggerPrice);
    if (KvFlagSet(flags, kFlagMarket) && Control(IDC_OE_MARKET).enabled) {
        Check(IDC_OE_MARKET, true);
        Check(IDC_OE_LIMIT, false);
        MarketClicked();
    } else if (KvFlagSet(flags, kFlagLimit) && Control(IDC_OE_LIMIT).enabled) {
        Check(IDC_OE_LIMIT, true);
        Check(IDC_OE_MARKET, false);
        LimitClicked();
    }
    if (m_pending.validity != 0 && Control(m_pending.validity).enabled) {
        for (uint32_t id : kValidity)
            Check(id, id == m_pending.validity);
        ValidityChanged();
    }
    if (m_pending.fill != 0 && Control(m_pending.fill).enabled) {
        for (uint32_t id : kFills)
            Check(id, id == m_pending.fill);
        FillChanged();
        if (m_pending.fill == IDC_OE_FILL_MIN)
            SetText(IDC_OE_MIN_FILL, m_pending.minFill);
    }
    if (m_pending.stop && Control(IDC_OE_STOP).enabled) {
        Check(IDC_OE_STOP, true);
        StopChanged();
        SetText(IDC_OE_TRIGGER, m_pending.trigger);
    }
    if (m_pending.settle && Control(IDC_OE_SETTLE).enabled) {
        Check(IDC_OE_SETTLE, true);
        SetText(IDC_OE_SETTLE_DATE, m_pending.settleDate);
        SettleChanged();
    }
    m_pending = Pending {};
}
