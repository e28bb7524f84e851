// Packet bytes of the peer: building replies, checking what a client sent,
// and spoiling replies on purpose.
#include <string>

#include "peer_impl.h"
#include "vorl/codec.h"

namespace hostsim {

namespace wire = vorl::wire;

ReplyMessage ReplyMessage::answering(const PeerMessage& request, uint16_t type, std::string_view text)
{
    ReplyMessage m;
    m.type = type;
    m.data.assign(text.begin(), text.end());
    m.handle = request.header.handle;
    m.windowSlot = request.header.windowSlot;
    m.clientSlot = request.header.clientSlot;
    return m;
}

ReplyMessage ReplyMessage::echo(const PeerMessage& request)
{
    ReplyMessage m;
    m.type = request.header.type;
    m.data = request.data;
    m.handle = request.header.handle;
    m.windowSlot = request.header.windowSlot;
    m.clientSlot = request.header.clientSlot;
    return m;
}

std::vector<uint8_t> ProtocolPeer::encodePacket(uint32_t seq, const std::vector<ReplyMessage>& messages)
{
    std::size_t length = wire::kPktHdrSize;
    for (const ReplyMessage& m : messages) {
        if (m.data.size() > 0xFFFF)
            return {};
        length += wire::kMsgSize + m.data.size();
    }
    if (length > 0xFFFF || messages.size() > 0xFFFF)
        return {};

    std::vector<uint8_t> out(length);
    VORLPktHdr hdr {};
    hdr.kind = VORL_PKT_KIND;
    hdr.pktClass = 1;
    hdr.seq = seq;
    hdr.count = static_cast<uint16_t>(messages.size());
    hdr.length = static_cast<uint16_t>(length);
    wire::encode(hdr, out.data());
    std::size_t at = wire::kPktHdrSize;
    for (const ReplyMessage& m : messages) {
        VORLMsg mh {};
        mh.type = m.type;
        mh.length = static_cast<uint16_t>(m.data.size());
        mh.windowSlot = m.windowSlot;
        mh.clientSlot = m.clientSlot;
        mh.seq = seq;
        mh.handle = m.handle;
        wire::encode(mh, out.data() + at);
        at += wire::kMsgSize;
        std::copy(m.data.begin(), m.data.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
        at += m.data.size();
    }
    return out;
}

bool WalkPacket(std::span<const uint8_t> packet, PeerPacket* out, int& stray, std::string& error)
{
    VORLPktHdr hdr {};
    if (!wire::decode(packet, hdr)) {
        error = "packet shorter than its header";
        return false;
    }
    if (hdr.length != packet.size()) {
        error = "packet length " + std::to_string(hdr.length) + " but " + std::to_string(packet.size())
            + " bytes";
        return false;
    }
    if (out) {
        out->header = hdr;
        out->messages.clear();
        out->messages.reserve(hdr.count);
    }
    stray = -1;
    std::size_t at = wire::kPktHdrSize;
    for (unsigned i = 0; i < hdr.count; ++i) {
        VORLMsg m {};
        if (!wire::decode(packet.subspan(at), m)) {
            error = "message " + std::to_string(i) + " header runs past the packet";
            return false;
        }
        at += wire::kMsgSize;
        if (m.length > packet.size() - at) {
            error = "message " + std::to_string(i) + " data runs past the packet";
            return false;
        }
        if (m.seq != hdr.seq && stray < 0)
            stray = static_cast<int>(i);
        if (out) {
            PeerMessage& pm = out->messages.emplace_back();
            pm.header = m;
            pm.data.assign(packet.begin() + static_cast<std::ptrdiff_t>(at),
                packet.begin() + static_cast<std::ptrdiff_t>(at + m.length));
        }
        at += m.length;
    }
    if (at != packet.size()) {
        error = std::to_string(packet.size() - at) + " bytes behind the last message";
        return false;
    }
    if (out)
        out->bytes.assign(packet.begin(), packet.end());
    return true;
}

// Walks the messages of a packet this peer built or checked; stops at
// anything that does not fit, so spoiled bytes are never read past their end.
template <typename Fn> void EachMessage(std::vector<uint8_t>& packet, Fn fn)
{
    if (packet.size() < wire::kPktHdrSize)
        return;
    const unsigned count = wire::getU16(packet.data() + 12);
    std::size_t at = wire::kPktHdrSize;
    for (unsigned i = 0; i < count && packet.size() - at >= wire::kMsgSize; ++i) {
        fn(packet.data() + at);
        at += wire::kMsgSize + wire::getU16(packet.data() + at + 2);
        if (at > packet.size())
            return;
    }
}

void XorPayload(std::span<uint8_t> packet, uint8_t key)
{
    if (key == 0)
        return;
    for (std::size_t i = wire::kPktHdrSize; i < packet.size(); ++i)
        packet[i] ^= key;
}

std::vector<uint8_t> EchoPacket(std::span<const uint8_t> request)
{
    std::vector<uint8_t> reply(request.begin(), request.end());
    if (reply.size() < wire::kPktHdrSize)
        return reply;
    // What a reply carries that the request may not: class 1, no address words.
    wire::putU16(reply.data() + 2, 1);
    wire::putRaw32(reply.data() + 4, 0);
    EachMessage(reply, [](uint8_t* m) { wire::putRaw32(m + 4, 0); });
    return reply;
}

void Restamp(std::vector<uint8_t>& packet, uint32_t seq)
{
    if (packet.size() < wire::kPktHdrSize)
        return;
    wire::putU32(packet.data() + 8, seq);
    EachMessage(packet, [seq](uint8_t* m) { wire::putU32(m + 12, seq); });
}

void Malform(std::vector<uint8_t>& packet, Malformation how)
{
    if (packet.size() < wire::kPktHdrSize)
        return;
    uint8_t* p = packet.data();
    const uint16_t count = wire::getU16(p + 12);
    switch (how) {
    case Malformation::BadKind:
        p[0] = 3;
        break;
    case Malformation::LengthBelowHeader:
        wire::putU16(p + 14, 8);
        packet.resize(wire::kPktHdrSize);
        break;
    case Malformation::LengthAboveLimit:
        wire::putU16(p + 14, 0xFFFF);
        break;
    case Malformation::CountBeyondPacket:
        wire::putU16(p + 12, static_cast<uint16_t>(count + 5));
        break;
    case Malformation::MessageBeyondPacket:
        if (count == 0 || packet.size() < wire::kPktHdrSize + wire::kMsgSize) {
            wire::putU16(p + 12, 1); // a header that is not there runs past the end as well
        } else {
            uint8_t* len = p + wire::kPktHdrSize + 2;
            wire::putU16(len, static_cast<uint16_t>(wire::getU16(len) + 1000));
        }
        break;
    }
}

std::vector<uint8_t> EncodeConnectInfo(const ConnectInfo& info)
{
    std::vector<uint8_t> out(wire::kConnectInfoSize);
    wire::encode(info, out.data());
    return out;
}

std::vector<uint32_t> PeerRecord::requestSequences() const
{
    std::vector<uint32_t> seqs;
    for (const PeerPacket& p : packets)
        if (p.isRequest())
            seqs.push_back(p.header.seq);
    return seqs;
}

std::vector<const PeerPacket*> PeerRecord::requests() const
{
    std::vector<const PeerPacket*> out;
    for (const PeerPacket& p : packets)
        if (p.isRequest())
            out.push_back(&p);
    return out;
}

} // namespace hostsim
