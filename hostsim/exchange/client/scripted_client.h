#pragma once
// A client of the router library that drives the exchange the way the
// workstation does: a logon with the password digest, one request or
// transaction a packet (or several standing requests in one), snapshot loops
// by resume keys. For tests, benchmarks and demos.
#include <string>
#include <utility>
#include <vector>

#include "vorl/client.h"

namespace exchange::client {

struct Message {
    int type = 0;
    std::string data;
};

class ScriptedClient {
public:
    // Connects and logs on; `repeated` sends the logon of an automatic reconnection.
    ScriptedClient(const std::string& config, const std::string& user, const std::string& password,
        bool repeated = false);
    ~ScriptedClient();
    ScriptedClient(const ScriptedClient&) = delete;
    ScriptedClient& operator=(const ScriptedClient&) = delete;

    bool ok() const { return handle_ != nullptr; }
    const std::string& user() const { return user_; }
    // The user id blank-padded to 12, as every request starts.
    static std::string UserField(const std::string& user);

    // One packet of messages; the reply's messages (empty when the link failed).
    std::vector<Message> send(const std::vector<std::pair<int, std::string>>& messages);
    // A transaction (the user id goes first); its verdict message (type -1 on failure).
    Message transaction(int code, const std::string& fields);
    // A blocking request (the user id goes first); the data messages before its end-of-reply message.
    std::vector<std::string> request(int code, const std::string& fields);
    // A whole snapshot loop: resume keys until the last-record flag or an empty reply.
    std::vector<std::string> snapshot(int code, const std::string& trailing = std::string());

private:
    VORLHANDLE handle_ = nullptr;
    std::string user_;
};

} // namespace exchange::client
