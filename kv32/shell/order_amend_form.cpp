#include "kv32/shell/order_amend_form.h"

#include <cctype>
#include <cstring>
#include <optional>

#include "kv32/res/table_strings.h"
#include "kv32/res/trading_strings.h"
#include "kv32/tables/order_record.h"
#include "kv32/tables/security_record.h"
#include "kvcore/values/field_writer.h"
#include "kvcore/values/number_text.h"

namespace {

constexpr int kUserWidth = 12;
constexpr int kPriceWidth = 9;
constexpr int kQuantityWidth = 16;
constexpr int kFlagCount = 32;

std::string Field(const char* text, size_t size)
{
    return std::string(text, strnlen(text, size));
}

std::string Shown(const CDouble& value, int decimals)
{
    return CDouble(static_cast<double>(value), static_cast<unsigned>(decimals)).Format(0, 1);
}

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

COrderAmendResult Refuse(KvAmendError error, KvAmendField focus)
{
    COrderAmendResult r;
    r.error = error;
    r.focus = focus;
    return r;
}

// A number field that changed: its wire digits; nullopt when it is unchanged.
struct NumberChange {
    bool ok = true; // the screen's value fits its field
    std::optional<std::string> digits;
};

NumberChange Compare(const std::string& before, const std::string& now, int width, int decimals)
{
    NumberChange c;
    const std::optional<std::string> wire = Cur2Str(now, width, decimals);
    if (!wire) {
        c.ok = false;
        return c;
    }
    if (Cur2Str(before, width, decimals) != wire)
        c.digits = *wire;
    return c;
}

} // namespace

COrderAmendForm::COrderAmendForm(const COrderRec& order, const SecurityRec* security)
    : m_nOrderNo(order.nOrderNo)
    , m_sFlags(Field(order.szType, sizeof order.szType))
    , m_sBoardName(Field(order.szBoardName, sizeof order.szBoardName))
    , m_sSecurityName(Field(order.szSecurity, sizeof order.szSecurity))
{
    m_bBuy = Field(order.szBuySell, sizeof order.szBuySell) == Kv32TradingString(IDS_SIDE_BUY);
    m_nPriceDec = static_cast<int>(order.dPrice.GetDecimal());
    m_nYieldDec = static_cast<int>(order.dYield.GetDecimal());
    m_nValueDec = static_cast<int>(order.dValue.GetDecimal());
    if (security != nullptr) {
        m_sPermissions = Field(security->szMethods, sizeof security->szMethods);
        m_nPriceDec = security->nPriceDec;
        m_nYieldDec = security->nYieldDec;
        const std::string yes = Kv32TableString(IDS_YES);
        m_bPrimary = !yes.empty() && Field(security->szDistribution, sizeof security->szDistribution) == yes;
    }
    m_bAmount = m_bPrimary && static_cast<double>(order.dQty) == 0.0;

    COrderAmendValues& v = m_opening;
    if (OrderFlag(kGtcFlag))
        v.validity = KvValidity::UntilCancelled;
    else if (OrderFlag(kDayFlag))
        v.validity = KvValidity::Day;
    else if (OrderFlag(kSessionFlag))
        v.validity = KvValidity::Session;
    else
        v.validity = KvValidity::UntilDate;
    v.account = Field(order.szTrdAcc, sizeof order.szTrdAcc);
    if (IsYield())
        v.price = Shown(order.dYield, m_nYieldDec);
    else if (m_bAmount)
        v.price = Shown(order.dValue, m_nValueDec);
    else
        v.price = Shown(order.dPrice, m_nPriceDec);
    v.trigger = Shown(order.dTriggerPrice, m_nPriceDec);
    v.quantity = Shown(order.dQty, 0);
    v.hidden = Shown(order.dHidden, 0);
    v.minFill = Shown(order.dFillMinQty, 0);
    v.reference = Field(order.szReference, sizeof order.szReference);
    if (v.validity == KvValidity::UntilDate) {
        // The date is read on its own: a damaged time must not take the date with it.
        CDateTime expiry;
        if (UntilDateAllowed() && expiry.SetDateVORL(Field(order.szExpiryDate, sizeof order.szExpiryDate).c_str()))
            v.expiryDate = expiry.FormatDateVORL();
        const std::string time = Field(order.szExpiryTime, sizeof order.szExpiryTime);
        if (UntilTimeAllowed() && time.size() == 6 && time.find_first_not_of("0123456789") == std::string::npos)
            v.expiryTime = time;
    }
    if (SettleChecked())
        v.settleDate = order.dtSettle.FormatDateVORL();
}

bool COrderAmendForm::OrderFlag(int i) const
{
    return i >= 0 && static_cast<size_t>(i) < m_sFlags.size() && m_sFlags[static_cast<size_t>(i)] == '1';
}

bool COrderAmendForm::Permitted(int i) const
{
    return i >= 0 && static_cast<size_t>(i) < m_sPermissions.size() && m_sPermissions[static_cast<size_t>(i)] == '1';
}

bool COrderAmendForm::ValidityEnabled(KvValidity v) const
{
    switch (v) {
    case KvValidity::Session:
        return Permitted(kSessionFlag);
    case KvValidity::Day:
        return Permitted(kDayFlag);
    case KvValidity::UntilCancelled:
        return Permitted(kGtcFlag);
    case KvValidity::UntilDate:
        return UntilDateAllowed() || UntilTimeAllowed();
    }
    return false;
}

int COrderAmendForm::PriceDecimals() const
{
    if (IsYield())
        return m_nYieldDec;
    return m_bAmount ? m_nValueDec : m_nPriceDec;
}

int COrderAmendForm::PriceDigits(const std::string& quantity) const
{
    return m_bAmount && Str2Dbl(quantity, 0) == 0.0 ? 12 : 9;
}

KvAmendField COrderAmendForm::FieldOfHostError(int errorNo)
{
    switch (errorNo) {
    case 1:
        return KvAmendField::Account;
    case 5:
        return KvAmendField::Price;
    case 7:
        return KvAmendField::Quantity;
    case 8:
        return KvAmendField::Hidden;
    case 9:
        return KvAmendField::ExpiryDate;
    case 10:
        return KvAmendField::ExpiryTime;
    default:
        return KvAmendField::None;
    }
}

COrderAmendResult COrderAmendForm::Build(const COrderAmendValues& screen, std::string_view user) const
{
    const COrderAmendValues& was = m_opening;
    if (Str2Dbl(screen.quantity, 0) < Str2Dbl(screen.minFill, 0))
        return Refuse(KvAmendError::InvalidValue, KvAmendField::MinFill);

    // The amount of an amount-mode order is shown, never sent.
    NumberChange price;
    if (!m_bAmount) {
        price = Compare(was.price, screen.price, kPriceWidth, PriceDecimals());
        if (!price.ok)
            return Refuse(KvAmendError::InvalidValue, KvAmendField::Price);
    }
    const NumberChange trigger = Compare(was.trigger, screen.trigger, kPriceWidth, m_nPriceDec);
    if (!trigger.ok)
        return Refuse(KvAmendError::InvalidValue, KvAmendField::Trigger);
    const NumberChange quantity = Compare(was.quantity, screen.quantity, kQuantityWidth, 0);
    if (!quantity.ok)
        return Refuse(KvAmendError::InvalidValue, KvAmendField::Quantity);
    const NumberChange hidden = Compare(was.hidden, screen.hidden, kQuantityWidth, 0);
    if (!hidden.ok)
        return Refuse(KvAmendError::InvalidValue, KvAmendField::Hidden);
    const NumberChange minFill = Compare(was.minFill, screen.minFill, kQuantityWidth, 0);
    if (!minFill.ok)
        return Refuse(KvAmendError::InvalidValue, KvAmendField::MinFill);

    const bool untilDate = screen.validity == KvValidity::UntilDate;
    const std::string expiryDate = untilDate && UntilDateAllowed() ? screen.expiryDate : std::string();
    const std::string expiryTime = untilDate && UntilTimeAllowed() ? screen.expiryTime : std::string();
    const bool validityChanged = screen.validity != was.validity;
    const bool accountChanged = !SameIgnoringCase(screen.account, was.account);
    const bool dateChanged = UntilDateAllowed() && expiryDate != was.expiryDate;
    const bool timeChanged = UntilTimeAllowed() && expiryTime != was.expiryTime;
    const bool referenceChanged = screen.reference != was.reference;
    const bool settleChanged = SettleChecked() && screen.settleDate != was.settleDate;
    const bool anyChange = validityChanged || accountChanged || dateChanged || timeChanged || price.digits
        || trigger.digits || quantity.digits || hidden.digits || minFill.digits || referenceChanged
        || settleChanged;
    if (!anyChange)
        return Refuse(KvAmendError::NothingChanged, KvAmendField::None);

    std::string flags(kFlagCount, '0');
    switch (screen.validity) {
    case KvValidity::Session:
        flags[kSessionFlag] = '1';
        break;
    case KvValidity::Day:
        flags[kDayFlag] = '1';
        break;
    case KvValidity::UntilCancelled:
        flags[kGtcFlag] = '1';
        break;
    case KvValidity::UntilDate:
        if (!expiryDate.empty())
            flags[kUntilDateFlag] = '1';
        if (!expiryTime.empty())
            flags[kUntilTimeFlag] = '1';
        break;
    }

    const auto changed = [](const std::optional<std::string>& digits) { return digits ? *digits : std::string(); };
    KvFieldWriter w;
    w.TextCut(user, kUserWidth).Unsigned(m_nOrderNo, 12).Raw(flags);
    w.Text(accountChanged ? screen.account : std::string(), 12);
    if (!w.Ok())
        return Refuse(KvAmendError::InvalidValue, KvAmendField::Account);
    w.Text(IsYield() ? std::string() : changed(price.digits), kPriceWidth);
    w.Text(IsYield() ? changed(price.digits) : std::string(), kPriceWidth);
    w.Text(changed(quantity.digits), kQuantityWidth).Text(changed(hidden.digits), kQuantityWidth);
    // An emptied reference is told apart from an unchanged one.
    w.Text(referenceChanged ? (screen.reference.empty() ? std::string("*") : screen.reference) : std::string(), 40);
    if (!w.Ok())
        return Refuse(KvAmendError::InvalidValue, KvAmendField::Reference);
    w.Text(dateChanged ? expiryDate : std::string(), 8);
    if (!w.Ok())
        return Refuse(KvAmendError::InvalidValue, KvAmendField::ExpiryDate);
    w.Text(timeChanged ? expiryTime : std::string(), 6);
    if (!w.Ok())
        return Refuse(KvAmendError::InvalidValue, KvAmendField::ExpiryTime);
    w.Text(changed(trigger.digits), kPriceWidth);
    w.Text(settleChanged ? screen.settleDate : std::string(), 8);
    w.Text(changed(minFill.digits), kQuantityWidth);
    if (!w.Ok() || w.Size() != kOrderAmendLength)
        return Refuse(KvAmendError::InvalidValue, KvAmendField::None);
    COrderAmendResult r;
    r.record = w.Str();
    return r;
}
