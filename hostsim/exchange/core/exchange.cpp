#include "core/exchange.h"

#include <chrono>
#include <ctime>

#include "engine/engine.h"
#include "handlers/broadcasts.h"
#include "kvcore/values/field_writer.h"

namespace exchange {

namespace {

std::string timeOfDay(int64_t seconds)
{
    seconds %= 86400;
    KvFieldWriter w;
    w.Unsigned(static_cast<uint64_t>(seconds / 3600), 2)
        .Unsigned(static_cast<uint64_t>(seconds / 60 % 60), 2)
        .Unsigned(static_cast<uint64_t>(seconds % 60), 2);
    return w.Str();
}

} // namespace

std::string LocalTimeOfDay()
{
    const std::time_t t = std::time(nullptr);
    std::tm local {};
    localtime_r(&t, &local);
    return timeOfDay(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
}

std::optional<TimeSource> ClockStartingAt(const std::string& start)
{
    if (start.size() != 6 || start.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int h = std::stoi(start.substr(0, 2)), m = std::stoi(start.substr(2, 2)),
              s = std::stoi(start.substr(4, 2));
    if (h > 23 || m > 59 || s > 59)
        return std::nullopt;
    const auto origin = std::chrono::steady_clock::now();
    const int64_t first = h * 3600 + m * 60 + s;
    return TimeSource([origin, first] {
        const auto passed
            = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - origin);
        return timeOfDay(first + passed.count());
    });
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
    // Loaded orders came into the books in the order of their numbers.
    for (Order& o : data_.orders)
        o.arrival = o.arrival != 0 ? o.arrival : o.number;
    BuildMarketState(data_, state_);
    RefreshAllFigures(*this);
    RegisterSessionHandlers(*this);
    RegisterReferenceSnapshots(*this);
    RegisterSecurityRequests(*this);
    RegisterStreams(*this);
    RegisterBookRequests(*this);
    RegisterBroadcasts(*this);
    RegisterOrderTransactions(*this);
    RegisterPositionRequests(*this);
    RegisterDialogRequests(*this);
    RegisterDealTransactions(*this);
    RegisterSupervisorTransactions(*this);
    RegisterBulletinTransactions(*this);
    RegisterAccountTransactions(*this);
    RegisterMarketMakerTransactions(*this);
}

ReplyPacket Exchange::handle(const RequestPacket& packet)
{
    DeliverDueItems(*this);
    return dispatcher_.handle(packet);
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

namespace exchange {

const std::string* Exchange::scopeOf(const std::string& user)
{
    const Trader* t = trader(user);
    if (t == nullptr)
        return &user; // matches no firm: sees nothing
    const Firm* f = firm(t->firm);
    return f != nullptr && f->type == "EXCH" ? nullptr : &t->firm;
}

const Security* Exchange::security(const std::string& key) const
{
    const auto it = state_.securityByKey.find(key);
    return it == state_.securityByKey.end() ? nullptr : &data_.securities[it->second];
}

std::string Exchange::accountName(const std::string& account) const
{
    for (const TradingAccount& a : data_.accounts) {
        if (a.code == account)
            return a.name;
    }
    return {};
}

} // namespace exchange
