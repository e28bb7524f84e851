#pragma once
// The router side: takes request packets from the router's shared block,
// hands them to the exchange and sends its reply packets back.
#include <string>
#include <vector>

#include "core/exchange.h"
#include "vorl/server.h"

namespace exchange {

class HostLink {
public:
    HostLink(VORLSERVERHANDLE handle, Exchange& exchange)
        : handle_(handle)
        , exchange_(exchange)
    {
    }
    // Answers the request taken by the last successful VORLServerRecv.
    int answer();

private:
    bool readPacket(RequestPacket& packet);
    int send(const ReplyPacket& reply);

    VORLSERVERHANDLE handle_;
    Exchange& exchange_;
    std::vector<std::string> copies_; // message data where plug-ins transform it
};

} // namespace exchange
