#include "dispatch/dispatcher.h"

#include <algorithm>
#include <array>

namespace exchange {

namespace {

constexpr std::array kPollOnlyCodes { 27, 30, 31, 33, 35, 36, 40, 41, 42, 43, 44, 45, 46, 52, 54, 57, 58, 64,
    70, 72, 85, 86, 90, 118, 126 };

ReplyPacket single(const Verdict& verdict)
{
    return { VerdictMessage(verdict) };
}

} // namespace

bool Dispatcher::isTransactionCode(int code)
{
    return code >= 129 && code != 173 && code != 174;
}

bool Dispatcher::isPollOnlyCode(int code)
{
    return std::find(kPollOnlyCodes.begin(), kPollOnlyCodes.end(), code) != kPollOnlyCodes.end();
}

ReplyPacket Dispatcher::handle(const RequestPacket& packet)
{
    if (packet.messages.empty())
        return { ReplyMessage { kEndOfReply, {} } };
    const int first = packet.messages.front().type;
    if (packet.sequence == 0 && first == kLogon)
        return handleLogon(packet);
    if (isTransactionCode(first))
        return handleTransaction(packet);
    return handleInfo(packet);
}

ReplyPacket Dispatcher::handleLogon(const RequestPacket& packet)
{
    const RequestText text(packet.messages.front().data);
    if (!logon_)
        return single(Refuse("Logon is not served.", 0));
    return single(logon_(packet.clientSlot, text));
}

Verdict Dispatcher::runTransaction(Session* session, const RequestMessage& message)
{
    if (session == nullptr)
        return Refuse("Not logged on.", 0);
    const RequestText text(message.data);
    if (!text.has(0, kUserWidth))
        return Refuse("Request too short.", 0);
    if (text.user() != session->user)
        return Refuse("The request names another user.", 0);
    const auto it = transactions_.find(message.type);
    if (it == transactions_.end())
        return Refuse("Unknown transaction " + std::to_string(message.type) + ".", 0);
    Call call { *session, text, message.type };
    return it->second(call);
}

ReplyPacket Dispatcher::handleTransaction(const RequestPacket& packet)
{
    Session* session = sessions_.find(packet.clientSlot);
    if (session != nullptr && packet.sequence != 0 && packet.sequence == session->lastTransactionSequence)
        return session->lastTransactionReply;
    // The workstation sends a transaction alone in its packet: only the first counts.
    ReplyPacket reply = single(runTransaction(session, packet.messages.front()));
    // The handler may have ended or replaced the session (logoff).
    session = sessions_.find(packet.clientSlot);
    if (session != nullptr && packet.sequence != 0) {
        session->lastTransactionSequence = packet.sequence;
        session->lastTransactionReply = reply;
    }
    return reply;
}

ReplyPacket Dispatcher::handleInfo(const RequestPacket& packet)
{
    Session* session = sessions_.find(packet.clientSlot);
    ReplyBuilder reply;
    reply.reserveEnds(packet.messages.size());
    bool polled = packet.messages.size() > 1;
    for (const RequestMessage& message : packet.messages) {
        polled = polled || isPollOnlyCode(message.type);
        const RequestText text(message.data);
        const auto it = info_.find(message.type);
        if (session != nullptr && it != info_.end() && text.has(0, kUserWidth)
            && text.user() == session->user) {
            Call call { *session, text, message.type };
            it->second(call, reply);
        }
        reply.addEnd();
    }
    if (polled && session != nullptr)
        deliverOutbox(*session, reply);
    return reply.take();
}

void Dispatcher::deliverOutbox(Session& session, ReplyBuilder& reply)
{
    bool loggedOut = false;
    while (!session.outbox.empty() && reply.fits(session.outbox.front().data.size())) {
        ReplyMessage& m = session.outbox.front();
        loggedOut = loggedOut || m.type == kRefused;
        reply.add(m.type, std::move(m.data));
        session.outbox.pop_front();
    }
    // The logged-out notice ends the session: nothing more reaches it.
    if (loggedOut)
        sessions_.logoff(session.clientSlot);
}

} // namespace exchange
