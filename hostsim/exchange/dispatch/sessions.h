#pragma once
// The logged-on workstations, one per router client slot: who is logged on,
// whether broadcasts reach the session yet, what waits for its next poll
// reply, and the stored reply of its last transaction (exactly once).
#include <cstdint>
#include <deque>
#include <map>
#include <string>

#include "dispatch/wire.h"

namespace exchange {

struct Session {
    int clientSlot = 0;
    std::string user;
    // Request 29 seen: exchange messages and news heads may ride in poll replies.
    bool broadcasts = false;
    // The last transaction packet and its reply, answered again when resent.
    uint32_t lastTransactionSequence = 0;
    ReplyPacket lastTransactionReply;
    // Messages for the next poll replies (194, 195, the logged-out 192).
    std::deque<ReplyMessage> outbox;
};

class SessionTable {
public:
    Session* find(int clientSlot);
    // A session for a logon on `clientSlot`. A repeated logon (after an
    // automatic reconnection) keeps the user's stored transaction reply, from
    // whichever slot it was held on; a first logon starts afresh, since a new
    // client restarts its packet numbers.
    Session& logon(int clientSlot, const std::string& user, bool repeated);
    void logoff(int clientSlot);
    std::map<int, Session>& all() { return sessions_; }

private:
    std::map<int, Session> sessions_;
};

} // namespace exchange
