#include "core/exchange.h"

#include <ctime>

#include "kvcore/values/field_writer.h"

namespace exchange {

std::string LocalTimeOfDay()
{
    const std::time_t t = std::time(nullptr);
    std::tm local {};
    localtime_r(&t, &local);
    KvFieldWriter w;
    w.Unsigned(static_cast<uint64_t>(local.tm_hour), 2)
        .Unsigned(static_cast<uint64_t>(local.tm_min), 2)
        .Unsigned(static_cast<uint64_t>(local.tm_sec), 2);
    return w.Str();
}

Exchange::Exchange(DataSet data, TimeSource now)
    : data_(std::move(data))
    , now_(std::move(now))
    , dispatcher_(sessions_)
{
    for (std::size_t i = 0; i < data_.traders.size(); ++i)
        traderIndex_[data_.traders[i].user] = i;
    for (std::size_t i = 0; i < data_.firms.size(); ++i)
        firmIndex_[data_.firms[i].code] = i;
    RegisterSessionHandlers(*this);
    RegisterReferenceSnapshots(*this);
}

Trader* Exchange::trader(const std::string& user)
{
    const auto it = traderIndex_.find(user);
    return it == traderIndex_.end() ? nullptr : &data_.traders[it->second];
}

const Firm* Exchange::firm(const std::string& code) const
{
    const auto it = firmIndex_.find(code);
    return it == firmIndex_.end() ? nullptr : &data_.firms[it->second];
}

const RightsSet* Exchange::rights(const std::string& name) const
{
    for (const RightsSet& set : data_.rights) {
        if (set.name == name)
            return &set;
    }
    return nullptr;
}

} // namespace exchange
