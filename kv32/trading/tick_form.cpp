#include "kv32/trading/tick_form.h"

#include <algorithm>

#include "kv32/tables/all_tables.h"
#include "kv32/trading/active_row.h"
#include "kvcore/values/field_writer.h"

namespace {

constexpr int kUserWidth = 12;
constexpr int kFirmWidth = 12;
constexpr int kSecurityWidth = 17;
constexpr int kAccountWidth = 12;
constexpr size_t kTicksWidth = 4;

bool TicksValid(const std::string& ticks)
{
    return !ticks.empty() && ticks.size() <= kTicksWidth
        && std::all_of(ticks.begin(), ticks.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

bool TickOkEnabled(int direction, const std::string& ticks, bool buy, bool sell)
{
    return direction != kTickNone && !ticks.empty() && (buy || sell);
}

std::string BuildTickRecord(const KvTickInput& in)
{
    if (!TickOkEnabled(in.direction, in.ticks, in.buy, in.sell) || !TicksValid(in.ticks))
        return {};
    if (!in.securityKey.empty() && in.securityKey.size() != static_cast<size_t>(kSecurityWidth))
        return {};
    KvFieldWriter w;
    w.TextCut(in.user, kUserWidth);
    w.Text(in.firm, kFirmWidth);
    w.Text(in.userCode, kUserWidth);
    w.Text(in.securityKey, kSecurityWidth);
    w.Text(in.account, kAccountWidth);
    w.Char(in.buy && in.sell ? ' ' : (in.buy ? 'B' : 'S'));
    w.Char(in.direction == kTickUp ? '+' : '-');
    w.Text(std::string(kTicksWidth - in.ticks.size(), '0') + in.ticks, static_cast<int>(kTicksWidth));
    if (!w.Ok() || w.Size() != kTickLength)
        return {};
    return w.Str();
}

KvTickPreset TickPreset()
{
    KvTickPreset p;
    const KvActiveRow* active = KvActiveListRow();
    if (active == nullptr)
        return p;
    CSecurityTable& securities = SecurityTable();
    std::string key;
    switch (active->TableId()) {
    case kListSecurities:
        if (active->RecordIndex() >= 0 && active->RecordIndex() < securities.GetCount())
            key = securities.GetRec(active->RecordIndex())->szCode;
        break;
    case kListOrderBook:
    case kListMarketOrders:
        key = active->BookSecurityKey();
        break;
    default:
        return p;
    }
    if (key.size() < 5)
        return p;
    // The board is the key's characters 2 to 5, even when the security is gone.
    p.boardRow = BoardTable().FindByCode(key.substr(1, 4).c_str());
    p.securityRow = securities.FindByCode(key);
    return p;
}
