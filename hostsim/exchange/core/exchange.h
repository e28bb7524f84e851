#pragma once
// The simulated exchange: the day's data, the logged-on sessions and the
// dispatcher with every request and transaction handler registered. One
// instance serves all clients; it is not thread-safe (the host loop takes one
// request packet at a time).
#include <functional>
#include <string>
#include <unordered_map>

#include "dispatch/dispatcher.h"
#include "model/dataset.h"

namespace exchange {

// The host's time of day, HHMMSS; injectable so tests see fixed times.
using TimeSource = std::function<std::string()>;
std::string LocalTimeOfDay();

class Exchange {
public:
    explicit Exchange(DataSet data, TimeSource now = LocalTimeOfDay);
    Exchange(const Exchange&) = delete;
    Exchange& operator=(const Exchange&) = delete;

    ReplyPacket handle(const RequestPacket& packet) { return dispatcher_.handle(packet); }

    DataSet& data() { return data_; }
    SessionTable& sessions() { return sessions_; }
    Dispatcher& dispatcher() { return dispatcher_; }
    std::string now() const { return now_(); }

    Trader* trader(const std::string& user);
    const Firm* firm(const std::string& code) const;
    const RightsSet* rights(const std::string& name) const;

private:
    DataSet data_;
    TimeSource now_;
    SessionTable sessions_;
    Dispatcher dispatcher_;
    std::unordered_map<std::string, std::size_t> traderIndex_;
    std::unordered_map<std::string, std::size_t> firmIndex_;
};

// Handler groups, one file each.
void RegisterSessionHandlers(Exchange& exchange);
void RegisterReferenceSnapshots(Exchange& exchange);

} // namespace exchange
