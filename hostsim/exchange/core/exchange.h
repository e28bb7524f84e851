#pragma once
// The simulated exchange: the day's data, the logged-on sessions and the
// dispatcher with every request and transaction handler registered. One
// instance serves all clients; it is not thread-safe (the host loop takes one
// request packet at a time).
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

#include "core/market_state.h"
#include "dispatch/dispatcher.h"
#include "model/dataset.h"

namespace exchange {

// The host's time of day, HHMMSS; injectable so tests see fixed times.
using TimeSource = std::function<std::string()>;
std::string LocalTimeOfDay();
// A host clock that reads `start` (HHMMSS) now and runs on with the real
// time from there, so a demo or benchmark sees the trading day whatever the
// hour; nullopt when `start` is not a valid time of day.
std::optional<TimeSource> ClockStartingAt(const std::string& start);

class Exchange {
public:
    explicit Exchange(DataSet data, TimeSource now = LocalTimeOfDay);
    Exchange(const Exchange&) = delete;
    Exchange& operator=(const Exchange&) = delete;

    // Delivers what fell due (waiting messages and news) and answers the packet.
    ReplyPacket handle(const RequestPacket& packet);

    DataSet& data() { return data_; }
    const DataSet& data() const { return data_; }
    MarketState& state() { return state_; }
    const MarketState& state() const { return state_; }
    SessionTable& sessions() { return sessions_; }
    Dispatcher& dispatcher() { return dispatcher_; }
    std::string now() const { return now_(); }

    Trader* trader(const std::string& user);
    const Firm* firm(const std::string& code) const;
    const RightsSet* rights(const std::string& name) const;
    // The firm whose records the user sees, or nullptr for an exchange
    // supervisor, who sees every firm's.
    const std::string* scopeOf(const std::string& user);
    const Security* security(const std::string& key) const;
    std::string accountName(const std::string& account) const;

private:
    DataSet data_;
    TimeSource now_;
    MarketState state_;
    SessionTable sessions_;
    Dispatcher dispatcher_;
    std::unordered_map<std::string, std::size_t> traderIndex_;
    std::unordered_map<std::string, std::size_t> firmIndex_;
};

// Handler groups, one file each.
void RegisterSessionHandlers(Exchange& exchange);
void RegisterReferenceSnapshots(Exchange& exchange);
void RegisterSecurityRequests(Exchange& exchange);
void RegisterStreams(Exchange& exchange);
void RegisterBookRequests(Exchange& exchange);
void RegisterBroadcasts(Exchange& exchange);
void RegisterOrderTransactions(Exchange& exchange);
void RegisterPositionRequests(Exchange& exchange);
void RegisterDialogRequests(Exchange& exchange);
void RegisterDealTransactions(Exchange& exchange);
void RegisterSupervisorTransactions(Exchange& exchange);
void RegisterBulletinTransactions(Exchange& exchange);
void RegisterAccountTransactions(Exchange& exchange);
void RegisterMarketMakerTransactions(Exchange& exchange);

} // namespace exchange
