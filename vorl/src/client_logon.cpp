// The logon on a new link: one packet with sequence number 0 carrying the
// logon message, and the first message of the server's reply handed to the
// caller's callback.
#include <cstring>
#include <new>
#include <vector>

#include "client_net.h"
#include "packet.h"
#include "plinth/time.h"
#include "plugin_set.h"
#include "sockread.h"
#include "vorl/codec.h"

namespace vorl {

namespace {

// Plug-in packets that arrive before the logon reply are handed on; a server
// that sends nothing else must not hold the logon for ever.
constexpr int kMaxPluginPacketsBeforeReply = 64;

int sendLogon(VORLClient* c)
{
    const LogonMessage& l = c->logon;
    std::vector<uint8_t> packet;
    try {
        packet.resize(static_cast<std::size_t>(c->options.sendBufferSize));
    } catch (const std::bad_alloc&) {
        return VORL_ERR_NOMEM;
    }
    const int room = c->options.sendBufferSize - VORL_PKTHDR_SIZE - VORL_MSG_SIZE;
    PluginMsgRecord rec { 0, l.type, const_cast<uint8_t*>(l.data.data()), static_cast<int32_t>(l.data.size()),
        static_cast<uint32_t>(l.value), 0, 0, 0, 0, nullptr };
    int length = 0;
    const int r = PluginsAddMsg(c->plugins, &rec, l.data.data(), static_cast<int>(l.data.size()),
        packet.data() + VORL_PKTHDR_SIZE + VORL_MSG_SIZE, room, &length);
    if (r == VORL_PLUGIN_NOROOM)
        return VORL_ERR_NO_ROOM;
    if (r != VORL_PLUGIN_OK)
        return VORL_ERR_PLUGIN;
    const VORLMsg msg { static_cast<uint16_t>(l.type), static_cast<uint16_t>(length), 0, 0,
        VORL_CLIENT_SLOT_NONE, 0, static_cast<uint32_t>(l.value) };
    wire::encode(msg, packet.data() + VORL_PKTHDR_SIZE);
    const VORLPktHdr hdr { VORL_PKT_KIND, 0, 1, 0, 0, 1,
        static_cast<uint16_t>(VORL_PKTHDR_SIZE + VORL_MSG_SIZE + length) };
    wire::encode(hdr, packet.data());
    return PluginsSendPacket(c->plugins, c->tcpSocket, 0, 0, packet.data(), c->options.sendBufferSize, 0);
}

// Reads packets until one that is not a plug-in packet: its length in *length.
int readReply(VORLClient* c, uint8_t* raw, std::size_t& length)
{
    const ClientOptions& o = c->options;
    const ReadLimits limits { o.receiveTimeout, o.characterTimeout, o.packetTimeout, TimeTickCount() };
    for (int i = 0; i < kMaxPluginPacketsBeforeReply; ++i) {
        const int rc = ReadPacket(c->tcpSocket, raw, kRecvRawSize, limits, length);
        if (rc == VORL_ERR_CONNECT_TIMEOUT) {
            PluginTimeoutRecord rec { 0, 0, -1, 0, -1, TimeTickDelta(TimeTickCount(), limits.startTick),
                TimeTickDelta(TimeTickCount(), limits.startTick), nullptr };
            return PluginsOnRecvTimeout(c->plugins, &rec) == VORL_PLUGIN_FAIL ? VORL_ERR_PLUGIN : rc;
        }
        if (rc != VORL_OK)
            return rc;
        PacketView view;
        if (OpenPacket({ raw, length }, view) != VORL_OK)
            return VORL_ERR_PROTOCOL;
        if (view.hdr.seq != VORL_PLUGIN_SEQ)
            return VORL_OK;
        int more = 0;
        const int delivered = DeliverPluginPacket(
            c->plugins, raw, static_cast<int>(length), 0, VORL_PLUGIN_ROUND_AMONG_REPLIES, &more);
        if (delivered != VORL_OK)
            return delivered;
        if (more != VORL_PLUGIN_OK)
            return VORL_ERR_PLUGIN;
    }
    return VORL_ERR_PROTOCOL;
}

} // namespace

int Logon(VORLClient* c)
{
    if (const int rc = sendLogon(c); rc != VORL_OK)
        return rc;
    uint8_t* raw = c->recvArea.data();
    std::size_t length = 0;
    if (const int rc = readReply(c, raw, length); rc != VORL_OK)
        return rc;

    // A transforming plug-in gets the payload first, as with every reply. Its
    // output goes to a buffer of its own: the reply area still holds the last
    // reply, which the caller may go on reading after a reconnect.
    const uint8_t* packet = raw;
    std::vector<uint8_t> transformed;
    if (PluginsHaveRecvFromNet(c->plugins)) {
        try {
            transformed.resize(kRecvTransformSize);
        } catch (const std::bad_alloc&) {
            return VORL_ERR_NOMEM;
        }
        uint8_t* area = transformed.data();
        VORLPktHdr hdr;
        wire::decode(raw, hdr);
        PluginPktRecord rec { hdr.seq, 0, 0, raw, hdr.pktClass, hdr.count, 0, 0, static_cast<int32_t>(length),
            -1, 0, 0, nullptr };
        int out = 0;
        if (PluginsRecvFromNet(c->plugins, &rec, raw + VORL_PKTHDR_SIZE,
                static_cast<int>(length) - VORL_PKTHDR_SIZE, area + VORL_PKTHDR_SIZE,
                static_cast<int>(kRecvTransformSize) - VORL_PKTHDR_SIZE, &out)
            != VORL_PLUGIN_OK) {
            return VORL_ERR_PLUGIN;
        }
        hdr.length = static_cast<uint16_t>(out + VORL_PKTHDR_SIZE);
        wire::encode(hdr, area);
        packet = area;
        length = hdr.length;
    }
    PacketView view;
    if (OpenPacket({ packet, length }, view) != VORL_OK)
        return VORL_ERR_PROTOCOL;
    if (view.hdr.count == 0)
        return VORL_ERR_TIMEOUT;
    MsgCursor cursor;
    if (PacketMessage(view, view.hdr.count - 1, cursor) != VORL_OK)
        return VORL_ERR_PROTOCOL;
    cursor.reset();
    if (PacketMessage(view, 0, cursor) != VORL_OK)
        return VORL_ERR_PROTOCOL;

    std::vector<uint8_t> copy;
    try {
        copy.resize(kRecvTransformSize);
    } catch (const std::bad_alloc&) {
        return VORL_ERR_NOMEM;
    }
    PluginMsgRecord rec { 0, cursor.hdr.type, const_cast<uint8_t*>(MessageData(view, cursor)),
        cursor.hdr.length, cursor.hdr.handle, 0, 0, 0, 0, nullptr };
    int copied = 0;
    const int r = PluginsGetMsg(c->plugins, &rec, MessageData(view, cursor), cursor.hdr.length, copy.data(),
        static_cast<int>(copy.size()), &copied);
    if (r == VORL_PLUGIN_NOROOM)
        return VORL_ERR_BUFFER_SMALL;
    if (r != VORL_PLUGIN_OK)
        return VORL_ERR_PLUGIN;
    const LogonMessage& l = c->logon;
    return l.callback(cursor.hdr.type, copy.data(), copied, l.value) == -1 ? VORL_ERR_LOGON_REFUSED : VORL_OK;
}

} // namespace vorl
