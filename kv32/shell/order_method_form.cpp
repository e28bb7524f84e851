#include "kv32/shell/order_method_form.h"

#include <cstring>

#include "kv32/tables/order_record.h"

namespace {

enum Position : int {
    kMarket = 0,
    kLimit = 1,
    kBuyin = 9,
    kStop = 12,
    kSettle = 13,
    kAllOrNone = 15,
    kFillMinimum = 16,
    kFillAny = 17,
    kSession = 24,
    kDay = 25,
    kGoodTillDate = 26,
    kGoodTillCancel = 27,
    kKill = 28,
};

bool Set(std::string_view flags, int position)
{
    return position < static_cast<int>(flags.size()) && flags[static_cast<size_t>(position)] == '1';
}

} // namespace

std::vector<KvOrderMethodBox> OrderMethodBoxes(std::string_view flags)
{
    const auto at = [flags](int position) { return Set(flags, position); };
    const bool kill = at(kKill);
    return {
        { 126, at(kMarket) },
        { 1002, at(kLimit) },
        { 212, at(kSession) },
        { 213, at(kDay) },
        { 214, at(kGoodTillCancel) },
        { 230, at(kGoodTillDate) },
        { 116, at(kFillAny) && !kill },
        { 117, at(kFillMinimum) },
        { 118, at(kAllOrNone) && !kill },
        { 119, at(kAllOrNone) && kill },
        { 120, at(kFillAny) && kill },
        { 187, at(kSettle) },
        { 208, at(kStop) },
        { 401, at(kBuyin) },
    };
}

KvOrderMethodValues OrderMethodValues(const COrderRec& order)
{
    KvOrderMethodValues v;
    const std::string_view flags(order.szType, strnlen(order.szType, sizeof order.szType));
    if (Set(flags, kGoodTillDate)) {
        v.expiryDate = order.dtExpiry.FormatDate();
        const std::string_view time(order.szExpiryTime, strnlen(order.szExpiryTime, sizeof order.szExpiryTime));
        if (!time.empty() && time != "000000")
            v.expiryTime = order.dtExpiry.FormatTime();
    }
    if (Set(flags, kSettle))
        v.settleDate = order.dtSettle.FormatDate();
    if (Set(flags, kStop))
        v.trigger = order.dTriggerPrice.Format(1, 1);
    return v;
}
