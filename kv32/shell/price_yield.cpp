#include "kv32/shell/price_yield.h"

#include <charconv>
#include <optional>

#include "kv32/shell/msgtypes.h"
#include "kv32/tables/host_table.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/router/record_reader.h"
#include "kvcore/router/vorl_target.h"

namespace {

constexpr int kValueWidth = 9;

struct LastConversion {
    bool yieldEntered;
    std::string securityKey;
    std::string board;
    std::string date;
    std::string value;
};
std::optional<LastConversion> g_last;

// Takes the converted number: the first nine bytes with the decimals of the
// field the host filled.
class CConversionTarget : public CVorlTarget {
public:
    CConversionTarget(unsigned priceDecimals, unsigned yieldDecimals)
        : m_nPriceDecimals(priceDecimals)
        , m_nYieldDecimals(yieldDecimals)
    {
    }
    int StoreDataItem(tagTMSG* message) override
    {
        m_nType = message == nullptr ? 0 : message->nType;
        return CVorlTarget::StoreDataItem(message);
    }
    int Decode(CRecordReader& reader) override
    {
        unsigned decimals = 0;
        if (m_nType == MSGTYPE_PRICE_FROM_YIELD_REQ)
            decimals = m_nPriceDecimals;
        else if (m_nType == MSGTYPE_YIELD_FROM_PRICE_REQ)
            decimals = m_nYieldDecimals;
        else
            return 0;
        const CDouble value = reader.Decimal(kValueWidth, static_cast<int>(decimals));
        if (!reader.Ok())
            return 0;
        m_result = value;
        return 1;
    }
    const std::optional<CDouble>& Result() const { return m_result; }

private:
    unsigned m_nPriceDecimals;
    unsigned m_nYieldDecimals;
    int m_nType = 0;
    std::optional<CDouble> m_result;
};

bool SameAsLast(const PriceYieldInput& input, const std::string& value)
{
    if (!g_last || g_last->yieldEntered != input.yieldEntered || g_last->securityKey != input.securityKey
        || g_last->board != input.board || g_last->value != value)
        return false;
    return !input.yieldEntered || g_last->date == input.date;
}

} // namespace

PriceYieldResult PriceYieldConversion(const PriceYieldInput& input, CDouble& converted)
{
    const std::string value = input.value.FormatVORL();
    if (value == std::to_string(CDouble::kNoValue))
        return PriceYieldResult::NoOperation;
    if (SameAsLast(input, value))
        return PriceYieldResult::Unchanged;

    int64_t units = 0;
    const auto parsed = std::from_chars(value.data(), value.data() + value.size(), units);
    if (value.empty() || parsed.ec != std::errc() || parsed.ptr != value.data() + value.size())
        return PriceYieldResult::NotSent;
    KvFieldWriter w;
    AppendUserField(w);
    w.Text(input.securityKey, 17).Text(input.date, 8).Number(units, kValueWidth);
    std::string key = w.Str();
    if (key.empty())
        return PriceYieldResult::NotSent;

    const int code = input.yieldEntered ? MSGTYPE_PRICE_FROM_YIELD_REQ : MSGTYPE_YIELD_FROM_PRICE_REQ;
    CConversionTarget target(input.priceDecimals, input.yieldDecimals);
    if (!VORLInfoReq(code, key.data(), static_cast<int>(key.size()), &target) || !target.Result())
        return PriceYieldResult::Failed;
    converted = *target.Result();
    g_last = LastConversion { input.yieldEntered, input.securityKey, input.board, input.date, value };
    return PriceYieldResult::Converted;
}

void ResetPriceYieldConversion()
{
    g_last.reset();
}
