#include "kv32/trading/order_record.h"

#include <algorithm>

#include "kvcore/values/digit_text.h"
#include "kvcore/values/field_writer.h"
#include "kvcore/values/number_text.h"

namespace {

using R = KvOrderRecord;

bool IsFlagString(std::string_view flags)
{
    return flags.size() == static_cast<size_t>(R::kFlagCount)
        && std::all_of(flags.begin(), flags.end(), [](char c) { return c == '0' || c == '1'; });
}

bool Negative(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    return first != std::string_view::npos && text[first] == '-';
}

// Builds the fields in order and remembers the first one that failed.
class OrderWriter {
public:
    void Text(std::string_view text, int width, KvOrderField field)
    {
        if (static_cast<int>(text.size()) > width)
            return Fail(field);
        m_w.Text(text, width);
    }
    void Digits(const std::string& text, int width, int decimals, KvOrderField field)
    {
        const std::optional<std::string> digits = Cur2Str(text, width, decimals);
        if (!digits || static_cast<int>(digits->size()) != width)
            return Fail(field);
        m_w.Raw(*digits);
    }
    void Quantity(const std::string& text, KvOrderField field)
    {
        if (Negative(text))
            return Fail(field);
        Digits(text, R::kQuantityWidth, 0, field);
    }
    void Optional(const std::optional<std::string>& text, int width, int decimals, KvOrderField field)
    {
        if (text)
            Digits(*text, width, decimals, field);
        else
            m_w.Text("", width);
    }
    void DigitText(std::string_view text, size_t width, KvOrderField field)
    {
        if (!text.empty() && (text.size() != width || !AllDigitsOrEmpty(text)))
            return Fail(field);
        m_w.Text(text, static_cast<int>(width));
    }
    void Raw(std::string_view bytes) { m_w.Raw(bytes); }
    void Cut(std::string_view text, int width) { m_w.TextCut(text, width); }
    void Fail(KvOrderField field)
    {
        if (m_failed == KvOrderField::None)
            m_failed = field;
    }
    KvOrderRecordResult Result() const
    {
        if (m_failed != KvOrderField::None || !m_w.Ok())
            return { std::string(), m_failed == KvOrderField::None ? KvOrderField::Flags : m_failed };
        return { m_w.Str(), KvOrderField::None };
    }

private:
    KvFieldWriter m_w;
    KvOrderField m_failed = KvOrderField::None;
};

} // namespace

KvOrderRecordResult BuildOrderRecord(const KvOrderDescription& o)
{
    OrderWriter w;
    // The host reads the user in its 12 characters, as every request carries it.
    w.Cut(o.user, R::kUserWidth);
    w.Text(o.account, R::kAccountWidth, KvOrderField::Account);
    if (o.side != 'B' && o.side != 'S')
        w.Fail(KvOrderField::Side);
    w.Raw(std::string_view(&o.side, 1));
    if (!IsFlagString(o.flags))
        w.Fail(KvOrderField::Flags);
    w.Raw(IsFlagString(o.flags) ? std::string_view(o.flags) : std::string_view(KvOrderFlags({})));
    if (o.securityKey.size() != static_cast<size_t>(R::kSecurityWidth))
        w.Fail(KvOrderField::Security);
    w.Text(o.securityKey, R::kSecurityWidth, KvOrderField::Security);
    const int priceWidth = o.amount ? R::kAmountWidth : R::kPriceWidth;
    const int priceDecimals = o.amount ? 0 : o.priceDecimals;
    w.Optional(o.price, priceWidth, priceDecimals, KvOrderField::Price);
    w.Optional(o.yield, R::kPriceWidth, o.yieldDecimals, KvOrderField::Yield);
    w.Quantity(o.quantity, KvOrderField::Quantity);
    w.Quantity(o.hidden, KvOrderField::Hidden);
    w.Text(o.reference, R::kReferenceWidth, KvOrderField::Reference);
    w.DigitText(o.expiryDate, 8, KvOrderField::ExpiryDate);
    w.DigitText(o.expiryTime, 6, KvOrderField::ExpiryTime);
    w.Digits(o.trigger, priceWidth, priceDecimals, KvOrderField::Trigger);
    w.DigitText(o.settleDate, 8, KvOrderField::SettleDate);
    w.Quantity(o.minFill, KvOrderField::MinFill);
    return w.Result();
}

KvOrderRecordResult BuildPrivateOrderEntry(
    std::string_view workArea, bool enteredAsYield, const KvOrderDescription& order)
{
    if (workArea.empty() || workArea.size() > static_cast<size_t>(R::kWorkAreaWidth))
        return { std::string(), KvOrderField::WorkArea };
    KvOrderRecordResult record = BuildOrderRecord(order);
    if (!record.Ok())
        return record;
    KvFieldWriter w;
    w.Text(workArea, R::kWorkAreaWidth);
    w.Char(enteredAsYield ? 'Y' : 'P');
    w.Text(std::string_view(record.text).substr(R::kUserWidth), R::kEntryRecordWidth);
    return { w.Str(), KvOrderField::None };
}

std::string KvOrderFlags(std::initializer_list<int> positions)
{
    std::string flags(R::kFlagCount, '0');
    for (int pos : positions)
        if (pos >= 0 && pos < R::kFlagCount)
            flags[static_cast<size_t>(pos)] = '1';
    return flags;
}

bool KvFlagSet(std::string_view flags, int pos)
{
    return pos >= 0 && static_cast<size_t>(pos) < flags.size() && flags[static_cast<size_t>(pos)] == '1';
}
