#pragma once
// Exchange messages and trading events that transactions create.
#include <string>

#include "core/exchange.h"

namespace exchange {

struct MessageFields {
    std::string sender, toUser, toFirm;
    char infoFeed = 'N';
    char display = 'S';
    std::string time; // HHMMSS; later than now: waiting (status 'P')
    std::string text;
};

// Stores the message under the next key and queues it for its receivers.
int64_t PostMessage(Exchange& ex, const MessageFields& m);
// Records a trading event (a change of the events stream).
void AddEvent(Exchange& ex, char type, const std::string& user, int64_t messageKey, const std::string& object,
    char kind, int64_t price = 0, int64_t upper = 0, int64_t lower = 0);
// Records an audit event of `user` (group and type codes of the audit tables)
// in the other-than-'Y' stream, or in the 'Y' stream for session events.
void RecordAudit(Exchange& ex, const std::string& user, const std::string& group, const std::string& type,
    const std::string& text);

// Sets a security's status letter and reports it (change tag 'B').
void SetSecurityStatus(Exchange& ex, std::size_t security, char status);
// Sets an issuer's own status letter and reports it with the firms, so that
// the workstation offers the opposite command next (an empty code does nothing).
void SetIssuerStatus(Exchange& ex, const std::string& issuer, char status);

// "070000" (no time chosen) and times not after now mean "at once".
bool AtOnce(Exchange& ex, const std::string& time);

} // namespace exchange
