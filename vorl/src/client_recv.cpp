// Receiving replies: reading packets off the link with the protocol's and the
// caller's time-outs, matching each reply to its request by sequence number,
// and reading the messages of the last reply.
#include <sys/socket.h>
#include <sys/time.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "client_net.h"
#include "packet.h"
#include "plinth/sockwait.h"
#include "plinth/time.h"
#include "plugin_set.h"
#include "vorl/codec.h"

namespace {

using vorl::kRecvRawSize;
using vorl::kRecvTransformSize;

constexpr int kGoOn = -1; // a packet was consumed that was not a reply

uint8_t* rawArea(VORLClient* c)
{
    return c->recvArea.data();
}
uint8_t* replyArea(VORLClient* c)
{
    return c->recvArea.data() + kRecvRawSize;
}

void consume(VORLClient* c, std::size_t length)
{
    c->readPos += length;
    c->unread -= length;
    if (c->unread == 0)
        c->readPos = 0;
}

// A packet that breaks the protocol leaves the stream unreadable: the link
// goes, and the next call rebuilds it.
int violation(VORLClient* c)
{
    vorl::CloseLink(c);
    return VORL_ERR_PROTOCOL;
}

int findSent(const VORLClient* c, uint32_t seq)
{
    for (int i = c->sentFirst; i >= 0; i = c->slots[static_cast<std::size_t>(i)].next) {
        const vorl::PacketSlot& s = c->slots[static_cast<std::size_t>(i)];
        if (s.hdr.seq == seq && s.sendTime != 0)
            return i;
    }
    return -1;
}

int notifyTimeout(VORLClient* c, int timeout, uint32_t start)
{
    int expected = -1;
    if (c->unread >= VORL_PKTHDR_SIZE)
        expected = vorl::wire::getU16(rawArea(c) + c->readPos + 14);
    uint32_t oldest = 0;
    const uint32_t now = TimeTickCount();
    const uint32_t sinceSent = vorl::OldestSendTick(c, oldest) ? TimeTickDelta(now, oldest) : 0;
    PluginTimeoutRecord rec { 0, 0, expected, static_cast<int32_t>(c->unread), timeout, sinceSent,
        TimeTickDelta(now, start), nullptr };
    return PluginsOnRecvTimeout(c->plugins, &rec) != VORL_PLUGIN_OK ? VORL_ERR_PLUGIN : VORL_OK;
}

// A whole packet lies at the read position: a plug-in packet is handed on
// (kGoOn); a reply is checked, copied (or transformed) into the reply area and
// becomes the last reply (0); else an error code.
int takePacket(VORLClient* c, const VORLPktHdr& hdr, int timeout, uint32_t start)
{
    uint8_t* raw = rawArea(c) + c->readPos;
    const std::size_t length = hdr.length;
    if (hdr.seq == VORL_PLUGIN_SEQ) {
        int more = 0;
        const int rc = vorl::DeliverPluginPacket(
            c->plugins, raw, static_cast<int>(length), 0, VORL_PLUGIN_ROUND_AMONG_REPLIES, &more);
        if (rc == VORL_ERR_PROTOCOL)
            return violation(c);
        consume(c, length);
        return rc != VORL_OK || more != VORL_PLUGIN_OK ? VORL_ERR_PLUGIN : kGoOn;
    }
    const int slot = findSent(c, hdr.seq);
    if (slot < 0)
        return violation(c);

    uint32_t oldest = 0;
    const uint32_t now = TimeTickCount();
    const uint32_t roundTrip = vorl::OldestSendTick(c, oldest) ? TimeTickDelta(now, oldest) : 0;
    PluginPktRecord rec { hdr.seq, 0, 0, raw, hdr.pktClass, hdr.count, 0, 0, static_cast<int32_t>(length),
        timeout, roundTrip, TimeTickDelta(now, start), nullptr };
    uint8_t* area = replyArea(c);
    std::size_t total = length;
    const bool transform = PluginsHaveRecvFromNet(c->plugins) != 0;
    vorl::PacketView view;
    vorl::MsgCursor cursor;
    // Checked where it lies, so that a bad packet leaves the last reply intact.
    if (!transform
        && (vorl::OpenPacket({ raw, length }, view) != VORL_OK
            || (view.hdr.count > 0 && vorl::PacketMessage(view, view.hdr.count - 1, cursor) != VORL_OK))) {
        return violation(c);
    }
    // The previous reply's bytes are overwritten from here on.
    c->haveReply = false;
    if (transform) {
        int out = 0;
        if (PluginsRecvFromNet(c->plugins, &rec, raw + VORL_PKTHDR_SIZE,
                static_cast<int>(length) - VORL_PKTHDR_SIZE, area + VORL_PKTHDR_SIZE,
                static_cast<int>(kRecvTransformSize) - VORL_PKTHDR_SIZE, &out)
            != VORL_PLUGIN_OK) {
            vorl::CloseLink(c);
            return VORL_ERR_PLUGIN;
        }
        VORLPktHdr transformed = hdr;
        transformed.length = static_cast<uint16_t>(out + VORL_PKTHDR_SIZE);
        vorl::wire::encode(transformed, area);
        total = transformed.length;
    } else {
        std::memcpy(area, raw, length);
    }
    cursor.reset();
    if (vorl::OpenPacket({ area, total }, view) != VORL_OK)
        return violation(c);
    if (view.hdr.count > 0 && vorl::PacketMessage(view, view.hdr.count - 1, cursor) != VORL_OK)
        return violation(c);

    vorl::UnlinkSent(c, slot);
    c->slots[static_cast<std::size_t>(slot)].free = true;
    consume(c, length);
    c->sendTryCount = 0;
    c->roundTrip = roundTrip;
    c->haveReply = true;
    c->lastReply = view.hdr;
    c->lastPacket = area;
    cursor.reset();
    if (view.hdr.count > 0)
        vorl::PacketMessage(view, 0, cursor);
    c->cursorIndex = cursor.index;
    c->cursorOffset = cursor.offset;
    c->cursorMsg = cursor.hdr;

    rec.packet = area;
    rec.length = static_cast<int32_t>(total);
    if (PluginsOnRecvFromNet(c->plugins, &rec) != VORL_PLUGIN_OK)
        return VORL_ERR_PLUGIN;
    vorl::CheckLoadBalance(c);
    vorl::SwitchIfDue(c);
    return VORL_OK;
}

// The link broke or the server stayed silent beyond the protocol's time-outs.
int lostLink(VORLClient* c, int timeout, uint32_t start)
{
    if (const int rc = notifyTimeout(c, timeout, start); rc != VORL_OK)
        return rc;
    return vorl::RecoverLink(c);
}

int64_t msLeft(int64_t limitMs, uint32_t since, uint32_t now)
{
    const int64_t left = limitMs - static_cast<int64_t>(TimeTickDelta(now, since));
    return left < 0 ? 0 : left;
}

// Bytes already there are taken without a wait; otherwise as PlinthRecvWait.
int readSome(int sock, uint8_t* into, std::size_t space, const timeval& tv)
{
    const ssize_t n = recv(sock, into, space, MSG_DONTWAIT);
    if (n > 0)
        return static_cast<int>(n);
    if (n == 0)
        return PLINTH_RECV_CLOSED;
    if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
        return PLINTH_RECV_ERROR;
    return PlinthRecvWait(sock, into, static_cast<int>(space), 0, &tv);
}

// The cursor over the last reply, at message `index`.
int lastReplyMessage(VORLClient* c, int index, vorl::PacketView& view, vorl::MsgCursor& cursor)
{
    if (!c->haveReply || c->lastPacket == nullptr)
        return VORL_ERR_PROTOCOL;
    // Checked whole when it was taken, and untouched while haveReply holds: its
    // header need not be read again for every message.
    view.hdr = c->lastReply;
    view.base = c->lastPacket;
    view.length = c->lastReply.length;
    cursor.index = c->cursorIndex;
    cursor.offset = c->cursorOffset;
    cursor.hdr = c->cursorMsg;
    const int rc = vorl::PacketMessage(view, index, cursor);
    c->cursorIndex = cursor.index;
    c->cursorOffset = cursor.offset;
    c->cursorMsg = cursor.hdr;
    return rc;
}

PluginMsgRecord messageRecord(
    const VORLClient* c, int index, const vorl::PacketView& view, const vorl::MsgCursor& cursor)
{
    return PluginMsgRecord { index, cursor.hdr.type, const_cast<uint8_t*>(vorl::MessageData(view, cursor)),
        cursor.hdr.length, cursor.hdr.handle, 0, 0, c->roundTrip, 0, nullptr };
}

} // namespace

VORL_API int VORLRecv(VORLHANDLE handle, int timeout)
{
    VORLClient* c = vorl::CheckClient(handle);
    if (c == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (c->sentFirst < 0)
        return VORL_ERR_NOTHING_PENDING;
    vorl::SwitchIfDue(c);
    const vorl::ClientOptions& o = c->options;
    const uint32_t start = TimeTickCount();
    // Every round reads bytes, takes a packet or ends a wait; the waits are
    // bounded by the time-outs and lost links by SendTries.
    for (;;) {
        std::size_t need = VORL_PKTHDR_SIZE;
        if (c->unread >= VORL_PKTHDR_SIZE) {
            VORLPktHdr hdr;
            vorl::wire::decode(rawArea(c) + c->readPos, hdr);
            if (hdr.length < VORL_PKTHDR_SIZE || hdr.length > o.recvBufferSize || hdr.kind != VORL_PKT_KIND) {
                return violation(c);
            }
            if (c->unread >= hdr.length) {
                const int rc = takePacket(c, hdr, timeout, start);
                if (rc == kGoOn)
                    continue;
                return rc;
            }
            need = hdr.length;
        }
        if (c->sentFirst < 0)
            return VORL_ERR_NOTHING_PENDING;
        if (c->tcpSocket < 0) {
            if (const int rc = lostLink(c, timeout, start); rc != VORL_OK)
                return rc;
            continue;
        }
        if (c->readPos + need > kRecvRawSize) {
            std::memmove(rawArea(c), rawArea(c) + c->readPos, c->unread);
            c->readPos = 0;
        }

        const uint32_t now = TimeTickCount();
        int64_t protocolMs = int64_t { c->unread > 0 ? o.characterTimeout : o.receiveTimeout } * 1000;
        uint32_t oldest = 0;
        if (vorl::OldestSendTick(c, oldest)) {
            const int64_t packetLeft = msLeft(int64_t { o.packetTimeout } * 1000, oldest, now);
            if (packetLeft < protocolMs)
                protocolMs = packetLeft;
        }
        const int64_t callerMs = timeout >= 0 ? msLeft(int64_t { timeout } * 1000, start, now) : INT64_MAX;
        const bool callerBinds = callerMs < protocolMs;
        const int64_t waitMs = callerBinds ? callerMs : protocolMs;
        const timeval tv { static_cast<time_t>(waitMs / 1000),
            static_cast<suseconds_t>((waitMs % 1000) * 1000) };
        const std::size_t space = kRecvRawSize - c->readPos - c->unread;
        const int n = readSome(c->tcpSocket, rawArea(c) + c->readPos + c->unread, space, tv);
        if (n > 0) {
            c->unread += static_cast<std::size_t>(n);
            continue;
        }
        if (n == PLINTH_RECV_TIMEOUT && callerBinds) {
            if (timeout == 0 || msLeft(int64_t { timeout } * 1000, start, TimeTickCount()) == 0) {
                if (const int rc = notifyTimeout(c, timeout, start); rc != VORL_OK)
                    return rc;
                return VORL_ERR_TIMEOUT;
            }
            continue;
        }
        // A read error, a close by the server, or silence beyond the protocol's time-outs.
        if (const int rc = lostLink(c, timeout, start); rc != VORL_OK)
            return rc;
    }
}

VORL_API int VORLNumMessages(VORLHANDLE handle, int* count)
{
    VORLClient* c = vorl::CheckClient(handle);
    if (c == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (!c->haveReply)
        return VORL_ERR_PROTOCOL;
    if (count != nullptr)
        *count = c->lastReply.count;
    return VORL_OK;
}

VORL_API int VORLMessage(VORLHANDLE handle, int index, int* type, void** data, int* length, int* value)
{
    VORLClient* c = vorl::CheckClient(handle);
    if (c == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    const bool plugins = vorl::HavePlugins(c);
    if (plugins && PluginsHaveGetMsg(c->plugins))
        return VORL_ERR_MUST_COPY;
    vorl::PacketView view;
    vorl::MsgCursor cursor;
    if (const int rc = lastReplyMessage(c, index, view, cursor); rc != VORL_OK)
        return rc;
    PluginMsgRecord rec = messageRecord(c, index, view, cursor);
    if (plugins && PluginsOnGetMsg(c->plugins, &rec) == VORL_PLUGIN_FAIL)
        return VORL_ERR_PLUGIN;
    if (data != nullptr)
        *data = const_cast<uint8_t*>(vorl::MessageData(view, cursor));
    vorl::MessageOutputs(cursor.hdr, cursor.hdr.length, type, length, value);
    return VORL_OK;
}

VORL_API int VORLGetMessage(
    VORLHANDLE handle, int index, int* type, void* buffer, int size, int* length, int* value)
{
    VORLClient* c = vorl::CheckClient(handle);
    if (c == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (buffer == nullptr)
        return VORL_ERR_NO_BUFFER;
    vorl::PacketView view;
    vorl::MsgCursor cursor;
    if (const int rc = lastReplyMessage(c, index, view, cursor); rc != VORL_OK)
        return rc;
    PluginMsgRecord rec = messageRecord(c, index, view, cursor);
    int copied = 0;
    const int r = PluginsGetMsg(c->plugins, &rec, vorl::MessageData(view, cursor), cursor.hdr.length, buffer,
        size < 0 ? 0 : size, &copied);
    if (r == VORL_PLUGIN_NOROOM)
        return VORL_ERR_BUFFER_SMALL;
    if (r != VORL_PLUGIN_OK)
        return VORL_ERR_PLUGIN;
    if (PluginsOnGetMsg(c->plugins, &rec) == VORL_PLUGIN_FAIL)
        return VORL_ERR_PLUGIN;
    vorl::MessageOutputs(cursor.hdr, copied, type, length, value);
    return VORL_OK;
}
