#include "kv32/dialogs/supervision/set_limits_form.h"

#include "kv32/shell/request_fields.h"

namespace {

constexpr int kCodeWidth = 12;

// A whole number of at most 16 digits, optionally negative; empty passes (not set).
bool LimitTextValid(std::string_view text)
{
    if (text.empty())
        return true;
    if (text.front() == '-')
        text.remove_prefix(1);
    if (text.empty() || text.size() > static_cast<size_t>(kLimitDigits))
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

void AppendLimit(KvFieldWriter& w, std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    w.Char(negative ? '-' : '+');
    AppendPaddedField(w, kLimitDigits, negative ? text.substr(1) : text, true);
}

} // namespace

bool LimitsOnlyOrderLimit(int kind, int rightValue)
{
    return kind == kLimitUser && (rightValue & 2) != 0;
}

std::string LimitText(const std::optional<long long>& value)
{
    return value ? std::to_string(*value) : std::string();
}

KvLimitsField CheckLimits(const CLimitsScreen& s)
{
    if (s.cashPool.size() > static_cast<size_t>(kCashPoolWidth))
        return KvLimitsField::CashPool;
    if (!LimitTextValid(s.warn))
        return KvLimitsField::Warn;
    if (!LimitTextValid(s.hard))
        return KvLimitsField::Hard;
    // The order limit travels without a sign: a negative one would arrive positive.
    if (!LimitTextValid(s.order) || (!s.order.empty() && s.order.front() == '-'))
        return KvLimitsField::Order;
    return KvLimitsField::None;
}

std::string BuildLimitsBlock(const CLimitsScreen& s)
{
    if (CheckLimits(s) != KvLimitsField::None)
        return {};
    KvFieldWriter w;
    AppendPaddedField(w, kCashPoolWidth, s.cashPool, false);
    w.Char(s.warn.empty() ? 'N' : 'Y');
    AppendLimit(w, s.warn);
    w.Char(s.logWarn ? 'Y' : 'N');
    w.Char(s.hard.empty() ? 'N' : 'Y');
    AppendLimit(w, s.hard);
    w.Char(s.allowBreach ? 'Y' : 'N');
    w.Char('Y');
    AppendPaddedField(w, kLimitDigits, s.order, true);
    return w.Str();
}

CLimitsTransaction BuildLimitsTransaction(int kind, std::string_view user, const CCashLimitRow& row,
    const CLimitsScreen& s)
{
    const std::string block = BuildLimitsBlock(s);
    if (block.empty())
        return {};
    KvFieldWriter w;
    w.TextCut(user, kCodeWidth);
    int code = 0;
    switch (kind) {
    case kLimitFirm:
        code = 150;
        AppendPaddedField(w, kCodeWidth, row.firm, false);
        break;
    case kLimitUser:
        code = 156;
        AppendPaddedField(w, kCodeWidth, row.user, false);
        break;
    case kLimitAccount:
        code = 165;
        AppendPaddedField(w, kCodeWidth, row.account, false);
        AppendPaddedField(w, kCodeWidth, row.firm, false);
        break;
    default:
        return {};
    }
    w.Raw(block);
    if (!w.Ok())
        return {};
    return { code, w.Str() };
}
