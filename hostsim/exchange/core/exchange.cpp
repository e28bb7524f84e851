#include "core/exchange.h"

#include <ctime>

#include "engine/engine.h"
#include "handlers/broadcasts.h"
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
