#include "kv32/lists/order_copies.h"

#include <algorithm>
#include <cstring>

#include "kv32/shell/order_withdraw_record.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/host_table.h"
#include "kv32/tables/record_text.h"
#include "kvcore/values/field_writer.h"
#include "kvcore/values/number_text.h"

namespace {

using R = KvOrderRecord;

std::string RequestUser()
{
    KvFieldWriter w;
    AppendUserField(w);
    return w.Str();
}

template <std::size_t N> std::string Stripped(const char (&text)[N])
{
    std::string s(text, strnlen(text, N));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

// The security key in its 17 characters (a shorter code is blank-filled).
template <std::size_t N> std::string SecurityKey(const char (&code)[N])
{
    std::string key(code, strnlen(code, N));
    if (key.size() < static_cast<std::size_t>(R::kSecurityWidth))
        key.resize(R::kSecurityWidth, ' ');
    return key;
}

// The value as the user would type it; none for the no-value mark and for a
// negative value, which the host's digit fields cannot carry.
std::optional<std::string> Typed(const CDouble& value)
{
    if (value.IsNoValue() || static_cast<double>(value) < 0)
        return std::nullopt;
    return value.Format(0, 1);
}

// The value in implied decimals, zero-padded to the width; none when it does
// not fit or cannot be sent.
std::optional<std::string> Digits(const CDouble& value, int width, int decimals)
{
    const std::optional<std::string> typed = Typed(value);
    if (!typed)
        return std::nullopt;
    std::optional<std::string> digits = Cur2Str(*typed, width, decimals);
    if (!digits || static_cast<int>(digits->size()) != width || (*digits)[0] == '-')
        return std::nullopt;
    return digits;
}

template <class Rec> KvOrderRecordResult NewOrderText(const Rec& o)
{
    KvOrderDescription d;
    d.user = RequestUser();
    d.account = Stripped(o.szTrdAcc);
    d.side = IsBuySide(o.szBuySell) ? 'B' : 'S';
    d.flags = std::string(o.szType, strnlen(o.szType, sizeof o.szType));
    d.securityKey = SecurityKey(o.szSecurityCode);
    d.priceDecimals = static_cast<int>(o.dPrice.GetDecimal());
    d.yieldDecimals = static_cast<int>(o.dYield.GetDecimal());
    const bool yieldOrder = KvFlagSet(d.flags, kFlagYield);
    const auto fail = [](KvOrderField field) { return KvOrderRecordResult { std::string(), field }; };
    const auto take = [](const CDouble& value, std::string& text) {
        const std::optional<std::string> typed = Typed(value);
        if (typed)
            text = *typed;
        return typed.has_value();
    };
    if (yieldOrder) {
        d.yield.emplace();
        if (!take(o.dYield, *d.yield))
            return fail(KvOrderField::Yield);
    } else {
        d.price.emplace();
        if (!take(o.dPrice, *d.price))
            return fail(KvOrderField::Price);
    }
    if (!take(o.dQty, d.quantity))
        return fail(KvOrderField::Quantity);
    if (!take(o.dHidden, d.hidden))
        return fail(KvOrderField::Hidden);
    d.reference = Stripped(o.szReference);
    d.expiryDate = o.dtExpiry.FormatDateVORL();
    d.expiryTime = d.expiryDate.empty() ? std::string() : o.dtExpiry.FormatTimeVORL();
    if (!take(o.dTriggerPrice, d.trigger))
        return fail(KvOrderField::Trigger);
    d.settleDate = o.dtSettle.FormatDateVORL();
    // The all-or-none quantity is its own fill minimum.
    if (!take(KvFlagSet(d.flags, kFlagAllOrNone) ? o.dQty : o.dFillMinQty, d.minFill))
        return fail(KvOrderField::MinFill);
    return BuildOrderRecord(d);
}

bool IsFlagString(std::string_view flags)
{
    return flags.size() == static_cast<std::size_t>(R::kFlagCount)
        && std::all_of(flags.begin(), flags.end(), [](char c) { return c == '0' || c == '1'; });
}

// One side's block of the market maker's order; false when a field does not fit.
bool OrderBlock(KvFieldWriter& w, const CLocalOrderRec& o)
{
    const std::string flags(o.szType, strnlen(o.szType, sizeof o.szType));
    if (!IsFlagString(flags))
        return false;
    const bool yieldOrder = KvFlagSet(flags, kFlagYield);
    const int priceDec = static_cast<int>(o.dPrice.GetDecimal());
    const int yieldDec = static_cast<int>(o.dYield.GetDecimal());
    const std::optional<std::string> price = yieldOrder ? std::string(R::kPriceWidth, ' ')
                                                        : Digits(o.dPrice, R::kPriceWidth, priceDec);
    const std::optional<std::string> yield = yieldOrder ? Digits(o.dYield, R::kPriceWidth, yieldDec)
                                                        : std::string(R::kPriceWidth, ' ');
    const std::optional<std::string> qty = Digits(o.dQty, R::kQuantityWidth, 0);
    const std::optional<std::string> hidden = Digits(o.dHidden, R::kQuantityWidth, 0);
    if (!price || !yield || !qty || !hidden)
        return false;
    w.Text(Stripped(o.szTrdAcc), R::kAccountWidth).Raw(flags).Raw(*price).Raw(*yield).Raw(*qty).Raw(*hidden);
    w.Text(Stripped(o.szReference), R::kReferenceWidth);
    return w.Ok();
}

void EmptyBlock(KvFieldWriter& w)
{
    w.Text("", R::kAccountWidth).Raw(std::string(R::kFlagCount, '0'));
    w.Text("", R::kPriceWidth).Text("", R::kPriceWidth);
    w.Raw(std::string(R::kQuantityWidth, '0')).Raw(std::string(R::kQuantityWidth, '0'));
    w.Text("", R::kReferenceWidth);
}

} // namespace

bool IsBuySide(const char* sideText)
{
    return OrderTable().GetSideText('B') == sideText;
}

KvOrderRecordResult BuildNewOrderText(const COrderRec& order)
{
    return NewOrderText(order);
}

KvOrderRecordResult BuildNewOrderText(const CLocalOrderRec& order)
{
    return NewOrderText(order);
}

std::string BuildMarketMakerText(const CLocalOrderRec& o)
{
    const bool buy = IsBuySide(o.szBuySell);
    KvFieldWriter w;
    AppendUserField(w);
    w.Text(SecurityKey(o.szSecurityCode), R::kSecurityWidth).Char(buy ? 'B' : 'S').Char('0');
    if (buy) {
        if (!OrderBlock(w, o))
            return {};
        EmptyBlock(w);
    } else {
        EmptyBlock(w);
        if (!OrderBlock(w, o))
            return {};
    }
    const std::string text = w.Str();
    return text.size() == kMarketMakerOrderLength ? text : std::string();
}

std::optional<KvOrderText> ReleaseTransaction(const CLocalOrderRec& order)
{
    if (KvFlagSet(order.szType, kFlagMarketMaker)) {
        std::string text = BuildMarketMakerText(order);
        if (text.empty())
            return std::nullopt;
        return KvOrderText { kTrMarketMakerOrder, std::move(text) };
    }
    KvOrderRecordResult record = BuildNewOrderText(order);
    if (!record.Ok())
        return std::nullopt;
    return KvOrderText { kTrNewOrder, std::move(record.text) };
}

std::string BuildMoveWithdrawText(const COrderRec& order)
{
    COrderWithdrawCriteria criteria;
    criteria.orderNo = order.nOrderNo;
    return KvOrderWithdrawRecord(RequestUser(), criteria);
}

std::optional<CLocalOrderRec> LocalCopyOfOrder(const COrderRec& o, std::string_view workArea)
{
    CLocalOrderRec rec;
    if (workArea.empty() || workArea.size() >= sizeof rec.szWorkArea)
        return std::nullopt;
    CopyText(rec.szWorkArea, workArea);
    CopyText(rec.szSecurityCode, o.szSecurityCode);
    CopyText(rec.szSecurity, o.szSecurity);
    CopyText(rec.szBoardName, o.szBoardName);
    CopyText(rec.szTrdAcc, o.szTrdAcc);
    CopyText(rec.szBuySell, o.szBuySell);
    CopyText(rec.szTypeLetters, o.szTypeLetters);
    rec.dPrice = o.dPrice;
    rec.dYield = o.dYield;
    rec.dQty = o.dQty;
    rec.dHidden = o.dHidden;
    CopyText(rec.szReference, o.szReference);
    rec.dtExpiry = o.dtExpiry;
    rec.dTriggerPrice = o.dTriggerPrice;
    rec.dtSettle = o.dtSettle;
    CopyText(rec.szType, o.szType);
    CopyText(rec.szValidity, o.szValidity);
    CopyText(rec.szExpiryTimeText, o.szExpiryTime);
    CopyText(rec.szExpiryDate, o.szExpiryDate);
    CopyText(rec.szExpiryTime, o.szExpiryTime);
    CopyText(rec.szSettleDate, o.szSettleDate);
    rec.dFillMinQty = o.dFillMinQty;
    // An order of the host given as a yield is amended as one.
    rec.nEntryMark = KvFlagSet(o.szType, kFlagYield) ? 1 : 0;
    return rec;
}
