#pragma once
// From request packet to reply packet. The rules every reply keeps:
// - a logon packet (sequence 0, type 129) is answered by one 193 or 192;
// - a transaction packet (its first message a transaction code) by exactly one
//   193 or 192, and a resent one (same client, same packet sequence number) by
//   the reply stored for it, never applied twice;
// - an information packet by, for each request in order, its data messages and
//   one end-of-reply message (type 0); 194, 195 and the logged-out 192 ride
//   only in replies to polled packets, after the last end-of-reply message;
// - no reply packet exceeds 30,000 bytes.
// A request that is too short or malformed gets a 192 (transaction) or an
// empty reply (information request); nothing it holds is trusted.
#include <functional>
#include <map>

#include "dispatch/reply_builder.h"
#include "dispatch/request_text.h"
#include "dispatch/sessions.h"
#include "dispatch/verdict.h"
#include "dispatch/wire.h"

namespace exchange {

struct Call {
    Session& session;
    const RequestText& text;
    int code;
};

// Appends the request's data messages while they fit.
using InfoHandler = std::function<void(Call&, ReplyBuilder&)>;
using TransactionHandler = std::function<Verdict(Call&)>;
// Checks a logon text and opens the session on acceptance.
using LogonHandler = std::function<Verdict(int clientSlot, const RequestText&)>;

class Dispatcher {
public:
    explicit Dispatcher(SessionTable& sessions)
        : sessions_(sessions)
    {
    }

    void onLogon(LogonHandler handler) { logon_ = std::move(handler); }
    void onInfo(int code, InfoHandler handler) { info_[code] = std::move(handler); }
    void onTransaction(int code, TransactionHandler handler) { transactions_[code] = std::move(handler); }

    ReplyPacket handle(const RequestPacket& packet);

    // Codes answered by 193/192: 129 to 182 except the auction requests 173, 174.
    static bool isTransactionCode(int code);
    // Codes the workstation sends only as standing (polled) requests.
    static bool isPollOnlyCode(int code);

private:
    ReplyPacket handleLogon(const RequestPacket& packet);
    ReplyPacket handleTransaction(const RequestPacket& packet);
    ReplyPacket handleInfo(const RequestPacket& packet);
    Verdict runTransaction(Session* session, const RequestMessage& message);
    void deliverOutbox(Session& session, ReplyBuilder& reply);

    SessionTable& sessions_;
    LogonHandler logon_;
    std::map<int, InfoHandler> info_;
    std::map<int, TransactionHandler> transactions_;
};

} // namespace exchange
