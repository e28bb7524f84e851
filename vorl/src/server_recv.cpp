// Taking requests from the queue and reading their messages.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <span>

#include "plinth/time.h"
#include "server_handle.h"
#include "vorl/codec.h"

namespace vorl {

namespace blk = vorl::block;

int MakeCurrent(VORLServer* s, int client, int window)
{
    const blk::View& v = s->block.view;
    if (!v.validSlot(client, window))
        return VORL_ERR_PROTOCOL;
    const blk::Geometry& g = v.geometry();
    uint8_t* req = v.requestArea(client, window);
    // The request is read only within its area, whatever its header claims.
    PacketView pv;
    if (OpenPacket(std::span<const uint8_t>(req, static_cast<std::size_t>(g.a)), pv) != VORL_OK) {
        std::fprintf(stderr, "VORLServerRecv: malformed request in slot %d/%d\n", client, window);
        return VORL_ERR_PROTOCOL;
    }
    s->client = client;
    s->window = window;
    s->request = req;
    s->reply = v.replyArea(client, window);
    s->view = pv;
    s->cursor.reset();
    int largest = blk::getI32(v.client(client) + blk::kCliMaxReply);
    if (largest <= 0 || largest > g.b)
        largest = g.b;
    if (s->maxSendBufsize > 0 && s->maxSendBufsize < largest)
        largest = s->maxSendBufsize;
    s->largestReply = largest;
    // A reply left half-built for this request (by SetClient) is taken up again.
    const uint8_t* rs = v.replyState(client, window);
    s->building = blk::loadI32(rs + blk::kRsState) == blk::kStateBuilding;
    if (s->building) {
        s->replyHdr = VORLPktHdr {};
        s->replyHdr.kind = rs[0];
        s->replyHdr.reserved = rs[1];
        std::memcpy(&s->replyHdr.pktClass, rs + 2, 2);
        std::memcpy(&s->replyHdr.address, rs + 4, 4);
        std::memcpy(&s->replyHdr.seq, rs + 8, 4);
        std::memcpy(&s->replyHdr.count, rs + 12, 2);
        std::memcpy(&s->replyHdr.length, rs + 14, 2);
        if (s->replyHdr.length < VORL_PKTHDR_SIZE || s->replyHdr.length > largest)
            s->building = false;
    }
    return VORL_OK;
}

bool SpinFor(PlinthEvent* event)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(kSpinMicroseconds);
    do {
        for (int i = 0; i < 64; ++i) {
            if (EventWait(event, 0) == 1)
                return true;
            __builtin_ia32_pause();
        }
    } while (std::chrono::steady_clock::now() < until);
    return false;
}

int SeekMessage(VORLServer* s, int index)
{
    if (s->request == nullptr)
        return VORL_ERR_PROTOCOL;
    const int rc = PacketMessage(s->view, index, s->cursor);
    if (rc != VORL_OK)
        return rc;
    if (s->cursor.hdr.address == 0 && s->view.hdr.address != 0) {
        s->cursor.hdr.address = s->view.hdr.address;
        wire::putRaw32(s->request + s->cursor.offset + 4, s->view.hdr.address);
    }
    return VORL_OK;
}

namespace {

void dropCurrent(VORLServer* s)
{
    if (s->building && s->request != nullptr)
        MirrorReplyHeader(s); // kept for a later SetClient
    s->client = s->window = -1;
    s->request = s->reply = nullptr;
    s->view = PacketView {};
    s->cursor.reset();
    s->building = false;
}

// Looks a message up for the accessors: the handle, a current request, the index.
int lookup(VORLSERVERHANDLE handle, int index, VORLServer*& s)
{
    s = CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (s->request == nullptr)
        return VORL_ERR_PROTOCOL;
    return SeekMessage(s, index);
}

PluginMsgRecord record(const VORLServer* s, int index, const uint8_t* data)
{
    PluginMsgRecord r {};
    r.index = index;
    r.type = s->cursor.hdr.type;
    r.data = const_cast<uint8_t*>(data);
    r.length = s->cursor.hdr.length;
    r.handle = s->cursor.hdr.handle;
    return r;
}

} // namespace

} // namespace vorl

using vorl::blk::getI32;

VORL_API int VORLServerRecv(VORLSERVERHANDLE handle, int timeout, int pktClass)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    const vorl::blk::View& v = s->block.view;
    if (!v.running())
        return VORL_ERR_SEND_TRIES;
    vorl::dropCurrent(s);
    const unsigned start = TimeTickCount();
    for (;;) {
        vorl::QueueEntry e;
        const vorl::Take t = vorl::TakeFromQueue(v, s->queueMutex, s->wake, pktClass, e);
        if (t == vorl::Take::Failed)
            return VORL_ERR_MUTEX_NOT_TAKEN;
        if (t == vorl::Take::Taken) {
            if (vorl::MakeCurrent(s, e.client, e.window) != VORL_OK)
                continue; // reported; never answerable
            s->building = false;
            std::memset(s->reply, 0, VORL_PKTHDR_SIZE);
            // The state word stays: the router resets it once it has sent a reply.
            std::memset(v.replyState(e.client, e.window) + vorl::blk::kRsHeader, 0, VORL_PKTHDR_SIZE);
            if (s->view.hdr.count > 0)
                vorl::SeekMessage(s, 0);
            return VORL_OK;
        }
        if (timeout == 0)
            return VORL_ERR_TIMEOUT;
        const unsigned elapsed = TimeTickDelta(TimeTickCount(), start);
        if (timeout > 0 && elapsed >= static_cast<unsigned>(timeout) * 1000u)
            return VORL_ERR_TIMEOUT;
        if (t == vorl::Take::Empty) {
            // A request usually follows closely under load: a short look before
            // sleeping saves the wake-up. Then waits in slices of a second, so
            // that a router that stops is noticed.
            if (!vorl::SpinFor(s->wake))
                EventWait(s->wake, 1);
        } else {
            // Entries of other classes keep the event signalled; look again shortly.
            SysSleep(10);
        }
        if (!v.running())
            return VORL_ERR_SEND_TRIES;
    }
}

VORL_API int VORLServerNumMessages(VORLSERVERHANDLE handle, int* count)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (s->request == nullptr)
        return VORL_ERR_PROTOCOL;
    if (count != nullptr)
        *count = s->view.hdr.count;
    return VORL_OK;
}

VORL_API int VORLServerMessage(
    VORLSERVERHANDLE handle, int index, int* type, void** data, int* length, int* value)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (PluginsHaveGetMsg(s->plugins))
        return VORL_ERR_MUST_COPY;
    if (const int rc = vorl::lookup(handle, index, s); rc != VORL_OK)
        return rc;
    uint8_t* bytes = const_cast<uint8_t*>(vorl::MessageData(s->view, s->cursor));
    if (vorl::HavePlugins(s->plugins)) {
        PluginMsgRecord rec = vorl::record(s, index, bytes);
        if (PluginsOnGetMsg(s->plugins, &rec) == VORL_PLUGIN_FAIL)
            return VORL_ERR_PLUGIN;
    }
    if (data != nullptr)
        *data = bytes;
    vorl::MessageOutputs(s->cursor.hdr, s->cursor.hdr.length, type, length, value);
    return VORL_OK;
}

VORL_API int VORLServerGetMessage(
    VORLSERVERHANDLE handle, int index, int* type, void* buffer, int size, int* length, int* value)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (buffer == nullptr)
        return VORL_ERR_NO_BUFFER;
    if (const int rc = vorl::lookup(handle, index, s); rc != VORL_OK)
        return rc;
    const uint8_t* bytes = vorl::MessageData(s->view, s->cursor);
    PluginMsgRecord rec = vorl::record(s, index, bytes);
    int out = 0;
    const int rc
        = PluginsGetMsg(s->plugins, &rec, bytes, s->cursor.hdr.length, buffer, size < 0 ? 0 : size, &out);
    if (rc == VORL_PLUGIN_NOROOM)
        return VORL_ERR_BUFFER_SMALL;
    if (rc != VORL_PLUGIN_OK)
        return VORL_ERR_PLUGIN;
    rec.data = buffer;
    rec.length = out;
    if (PluginsOnGetMsg(s->plugins, &rec) == VORL_PLUGIN_FAIL)
        return VORL_ERR_PLUGIN;
    vorl::MessageOutputs(s->cursor.hdr, out, type, length, value);
    return VORL_OK;
}

VORL_API int VORLServerMessageType(VORLSERVERHANDLE handle, int index, int* type)
{
    VORLServer* s = nullptr;
    if (const int rc = vorl::lookup(handle, index, s); rc != VORL_OK)
        return rc;
    if (type != nullptr)
        *type = s->cursor.hdr.type;
    return VORL_OK;
}

VORL_API int VORLServerMessageAddress(VORLSERVERHANDLE handle, int index, uint32_t* address)
{
    VORLServer* s = nullptr;
    if (const int rc = vorl::lookup(handle, index, s); rc != VORL_OK)
        return rc;
    if (address != nullptr)
        *address = s->cursor.hdr.address;
    return VORL_OK;
}

VORL_API int VORLServerMessageSeqnum(VORLSERVERHANDLE handle, int index, uint32_t* seq)
{
    VORLServer* s = nullptr;
    if (const int rc = vorl::lookup(handle, index, s); rc != VORL_OK)
        return rc;
    if (seq != nullptr)
        *seq = s->cursor.hdr.seq;
    return VORL_OK;
}

VORL_API int VORLServerPacketAddress(VORLSERVERHANDLE handle, uint32_t* address)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (s->request == nullptr)
        return VORL_ERR_NOSLOT;
    if (address != nullptr)
        *address = s->view.hdr.address;
    return VORL_OK;
}

VORL_API int VORLServerPacket(VORLSERVERHANDLE handle, const void** packet)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (s->request == nullptr)
        return VORL_ERR_NOSLOT;
    if (packet != nullptr)
        *packet = s->request;
    return VORL_OK;
}

VORL_API int VORLServerSendBufsize(VORLSERVERHANDLE handle, int* size)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (s->request == nullptr)
        return VORL_ERR_PROTOCOL;
    PluginPktRecord rec {};
    int overhead = 0;
    if (PluginsGetPktOverhead(s->plugins, &rec, &overhead) != VORL_PLUGIN_OK)
        return VORL_ERR_PLUGIN;
    const int room = s->largestReply - VORL_PKTHDR_SIZE - (overhead > 0 ? overhead : 0);
    if (size != nullptr)
        *size = room > 0 ? room : 0;
    return VORL_OK;
}

VORL_API int VORLServerGetClient(VORLSERVERHANDLE handle, int index, VORLServerClient* client)
{
    VORLServer* s = nullptr;
    if (const int rc = vorl::lookup(handle, index, s); rc != VORL_OK)
        return rc;
    if (client == nullptr)
        return VORL_OK;
    client->clientSlot = static_cast<uint16_t>(s->client);
    client->windowSlot = static_cast<uint16_t>(s->window);
    client->message = s->request + s->cursor.offset;
    return VORL_OK;
}

VORL_API int VORLServerSetClient(VORLSERVERHANDLE handle, const VORLServerClient* client)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (client == nullptr)
        return VORL_ERR_MSG_ADDRESS;
    const vorl::blk::View& v = s->block.view;
    if (!v.validSlot(client->clientSlot, client->windowSlot))
        return VORL_ERR_MSG_ADDRESS;
    const uint8_t* req = v.requestArea(client->clientSlot, client->windowSlot);
    const auto* msg = static_cast<const uint8_t*>(client->message);
    // Compared as addresses within the one area before any offset is formed.
    if (msg < req || msg >= req + v.geometry().a)
        return VORL_ERR_MSG_ADDRESS;
    if (s->building)
        vorl::MirrorReplyHeader(s);
    if (const int rc = vorl::MakeCurrent(s, client->clientSlot, client->windowSlot); rc != VORL_OK) {
        vorl::dropCurrent(s);
        return rc;
    }
    const std::size_t offset = static_cast<std::size_t>(msg - req);
    for (int i = 0; i < s->view.hdr.count; ++i) {
        if (vorl::SeekMessage(s, i) != VORL_OK)
            break;
        if (s->cursor.offset == offset)
            return VORL_OK;
        if (s->cursor.offset > offset)
            break;
    }
    vorl::dropCurrent(s);
    return VORL_ERR_MSG_ADDRESS;
}
