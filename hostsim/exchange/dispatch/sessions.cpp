#include "dispatch/sessions.h"

namespace exchange {

Session* SessionTable::find(int clientSlot)
{
    const auto it = sessions_.find(clientSlot);
    return it == sessions_.end() ? nullptr : &it->second;
}

Session& SessionTable::logon(int clientSlot, const std::string& user, bool repeated)
{
    Session fresh;
    fresh.clientSlot = clientSlot;
    fresh.user = user;
    if (repeated) {
        // The slot's own session first, then any other slot the user held.
        Session* previous = find(clientSlot);
        if (previous == nullptr || previous->user != user) {
            previous = nullptr;
            for (auto& [slot, s] : sessions_) {
                if (s.user == user && s.lastTransactionSequence != 0) {
                    previous = &s;
                    break;
                }
            }
        }
        if (previous != nullptr) {
            fresh.lastTransactionSequence = previous->lastTransactionSequence;
            fresh.lastTransactionReply = previous->lastTransactionReply;
            fresh.broadcasts = previous->broadcasts;
            fresh.outbox = previous->outbox;
            if (previous->clientSlot != clientSlot)
                sessions_.erase(previous->clientSlot);
        }
    }
    Session& s = sessions_[clientSlot];
    s = std::move(fresh);
    return s;
}

void SessionTable::logoff(int clientSlot)
{
    sessions_.erase(clientSlot);
}

} // namespace exchange
