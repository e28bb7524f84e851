// What the peer does with the bytes of one connection: the connect
// information, then packets: plug-in packets of the handshake, the logon and
// requests, each answered as the caller has scripted.
#include <cstring>

#include "peer_impl.h"
#include "vorl/codec.h"

namespace hostsim {

namespace wire = vorl::wire;

ConnectInfo ProtocolPeer::Impl::ourConnectInfo() const
{
    ConnectInfo info {};
    std::strncpy(info.hostType, config.hostType.c_str(), sizeof info.hostType - 1);
    info.version = config.version;
    info.sendBufferSize = config.sendBufferSize;
    info.recvBufferSize = config.recvBufferSize;
    info.windowSize = config.windowSize;
    info.load = load;
    return info;
}

void ProtocolPeer::Impl::takeInput(Connection& link)
{
    std::size_t at = 0;
    while (link.fd >= 0 && link.phase != LinkPhase::Closing) {
        const std::size_t have = link.in.size() - at;
        const uint8_t* p = link.in.data() + at;
        if (link.phase == LinkPhase::ConnectInfo) {
            if (have < wire::kConnectInfoSize)
                break;
            ConnectInfo theirs {};
            wire::decode(p, theirs);
            at += wire::kConnectInfoSize;
            std::vector<uint8_t> ours;
            {
                std::lock_guard lock(mu);
                rec.connectInfos.push_back(theirs);
                changed.notify_all();
                ours = EncodeConnectInfo(ourConnectInfo());
            }
            link.phase = LinkPhase::Handshake;
            queue(link, std::move(ours), 0, false);
            continue;
        }
        if (have < wire::kPktHdrSize)
            break;
        VORLPktHdr hdr {};
        wire::decode(p, hdr);
        if (hdr.kind != VORL_PKT_KIND) {
            refuse(link, "packet kind " + std::to_string(hdr.kind));
            return;
        }
        if (hdr.length < wire::kPktHdrSize || hdr.length > config.recvBufferSize) {
            refuse(link, "packet length " + std::to_string(hdr.length));
            return;
        }
        if (have < hdr.length)
            break;
        if (hdr.seq != VORL_PLUGIN_SEQ)
            XorPayload({ link.in.data() + at, hdr.length }, config.payloadKey);
        std::string why;
        int stray = -1;
        if (!WalkPacket({ p, hdr.length }, nullptr, stray, why)) {
            refuse(link, why);
            return;
        }
        at += hdr.length;
        takePacket(link, { p, hdr.length }, stray);
    }
    if (link.fd >= 0 && link.phase != LinkPhase::Closing)
        link.in.erase(link.in.begin(), link.in.begin() + static_cast<std::ptrdiff_t>(at));
}

void ProtocolPeer::Impl::takePacket(Connection& link, std::span<const uint8_t> bytes, int stray)
{
    VORLPktHdr hdr {};
    wire::decode(bytes.data(), hdr);
    const bool plugin = hdr.seq == VORL_PLUGIN_SEQ;
    const bool logonPacket = hdr.seq == 0;

    std::unique_lock lock(mu);
    if (stray >= 0)
        rec.protocolErrors.push_back("message " + std::to_string(stray) + " of packet "
            + std::to_string(hdr.seq) + " carries another sequence number");
    ++rec.packetsReceived;
    bool dropNow = false;
    if (!plugin && !logonPacket) {
        ++rec.requestsReceived;
        if (dropAt > 0 && --dropAt == 0)
            dropNow = true;
    }
    const RequestHandler fn = plugin || logonPacket ? nullptr : handler;
    const bool keep = rec.packets.size() < config.recordLimit;
    // The messages are copied out only when someone looks at them; a plain
    // echo of an unrecorded request works on the bytes alone.
    PeerPacket packet;
    if (keep || fn || logonPacket) {
        std::string unused;
        WalkPacket(bytes, &packet, stray, unused);
        packet.connection = link.id;
    }
    if (logonPacket)
        rec.logonTexts.push_back(packet.messages.empty() ? std::string {} : packet.messages[0].text());
    if (keep)
        rec.packets.push_back(packet);
    changed.notify_all();

    if (plugin) {
        // Plug-in packets are answered during the handshake only; later ones
        // are just recorded.
        if (link.phase != LinkPhase::Handshake)
            return;
        std::vector<uint8_t> reply = ProtocolPeer::encodePacket(VORL_PLUGIN_SEQ, pluginReply);
        lock.unlock();
        queue(link, std::move(reply), 0, false);
        return;
    }
    link.phase = LinkPhase::Running;
    if (logonPacket) {
        const LogonAnswer answer = logon;
        lock.unlock();
        answerLogon(link, packet, answer);
        return;
    }
    lock.unlock();
    if (dropNow) {
        startClosing(link);
        return;
    }
    std::vector<uint8_t> reply;
    if (fn) {
        std::optional<std::vector<ReplyMessage>> messages = fn(packet); // without the lock
        if (!messages)
            return;
        reply = ProtocolPeer::encodePacket(hdr.seq, *messages);
        if (reply.empty()) {
            std::lock_guard relock(mu);
            rec.protocolErrors.push_back(
                "reply to packet " + std::to_string(hdr.seq) + " does not fit a packet");
            changed.notify_all();
            return;
        }
    } else {
        reply = EchoPacket(bytes);
    }
    XorPayload(reply, config.payloadKey);
    sendReply(link, std::move(reply));
}

void ProtocolPeer::Impl::answerLogon(Connection& link, const PeerPacket& packet, const LogonAnswer& answer)
{
    std::vector<ReplyMessage> reply;
    const PeerMessage none {};
    const PeerMessage& first = packet.messages.empty() ? none : packet.messages[0];
    switch (answer.kind) {
    case LogonAnswer::Kind::Accept:
        reply.push_back(ReplyMessage::answering(first, kLogonAccepted, answer.text));
        break;
    case LogonAnswer::Kind::Refuse:
        reply.push_back(ReplyMessage::answering(first, kLogonRefused, answer.text));
        break;
    case LogonAnswer::Kind::NoMessages:
        break;
    case LogonAnswer::Kind::Silent:
        return;
    }
    std::vector<uint8_t> bytes = ProtocolPeer::encodePacket(0, reply);
    XorPayload(bytes, config.payloadKey);
    queue(link, std::move(bytes), 0, false);
}

void ProtocolPeer::Impl::sendReply(Connection& link, std::vector<uint8_t> bytes)
{
    // A handler may have closed the link meanwhile.
    if (link.fd < 0 || link.phase == LinkPhase::Closing)
        return;
    std::optional<ReplyFault> fault;
    {
        std::lock_guard lock(mu);
        if (!faults.empty()) {
            fault = std::move(faults.front());
            faults.pop_front();
        }
    }
    bool closeAfter = false;
    if (fault) {
        switch (fault->kind) {
        case ReplyFault::Kind::Coalesce:
            if (!link.held) {
                link.held = std::move(bytes);
                link.heldReplies = 1;
                return;
            }
            break; // already holding one: both go out with this one
        case ReplyFault::Kind::OverrideSeq:
            Restamp(bytes, fault->seq);
            break;
        case ReplyFault::Kind::Malform:
            Malform(bytes, fault->how);
            break;
        case ReplyFault::Kind::Replace:
            bytes = std::move(fault->bytes);
            break;
        case ReplyFault::Kind::Cut:
            bytes.resize(std::max<std::size_t>(1, bytes.size() / 2));
            closeAfter = true;
            break;
        case ReplyFault::Kind::Reorder:
            if (link.reorder.empty())
                link.reorder = std::move(fault->order);
            break;
        }
    }
    int replies = closeAfter ? 0 : 1; // a cut reply never counts as sent
    if (link.held) {
        std::vector<uint8_t> both = std::move(*link.held);
        both.insert(both.end(), bytes.begin(), bytes.end());
        bytes = std::move(both);
        replies += closeAfter ? 0 : link.heldReplies;
        link.held.reset();
        link.heldReplies = 0;
    }
    emitReply(link, std::move(bytes), replies, closeAfter);
}

void ProtocolPeer::Impl::emitReply(Connection& link, std::vector<uint8_t> bytes, int replies, bool closeAfter)
{
    if (link.reorder.empty()) {
        queue(link, std::move(bytes), replies, closeAfter);
        return;
    }
    Outgoing o;
    o.bytes = std::move(bytes);
    o.repliesInside = replies;
    o.closeAfter = closeAfter;
    link.reorderHeld.push_back(std::move(o));
    if (link.reorderHeld.size() < link.reorder.size())
        return;
    const std::vector<int> order = std::move(link.reorder);
    std::vector<Outgoing> held = std::move(link.reorderHeld);
    link.reorder.clear();
    link.reorderHeld.clear();
    for (int at : order)
        queue(link, std::move(held[static_cast<std::size_t>(at)].bytes),
            held[static_cast<std::size_t>(at)].repliesInside, held[static_cast<std::size_t>(at)].closeAfter);
}

} // namespace hostsim
