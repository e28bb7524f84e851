// Building a reply in the current request's reply area and handing it to the
// router process.
#include <cstring>

#include "plugin_set.h"
#include "server_handle.h"
#include "vorl/codec.h"

namespace vorl {

namespace blk = vorl::block;

namespace {

uint8_t* replyState(const VORLServer* s)
{
    return s->block.view.replyState(s->client, s->window);
}

// Room for one more message's data within the largest reply.
int roomLeft(const VORLServer* s)
{
    return s->largestReply - s->replyHdr.length - s->pktOverhead - VORL_MSG_SIZE;
}

// The words +4 to +19 of a reply message come from the request message last read.
void answerWords(const VORLServer* s, VORLMsg& m)
{
    if (s->cursor.index >= 0) {
        m.address = s->cursor.hdr.address;
        m.windowSlot = s->cursor.hdr.windowSlot;
        m.clientSlot = s->cursor.hdr.clientSlot;
        m.seq = s->cursor.hdr.seq;
        m.handle = s->cursor.hdr.handle;
    } else {
        m.address = s->view.hdr.address;
        m.windowSlot = 0;
        m.clientSlot = VORL_CLIENT_SLOT_NONE;
        m.seq = s->view.hdr.seq;
        m.handle = 0;
    }
}

PlinthEvent* replyEvent(VORLServer* s)
{
    const int key = blk::getI32(s->block.view.client(s->client) + blk::kCliReplyEventKey);
    auto it = s->replyEvents.find(key);
    if (it != s->replyEvents.end())
        return it->second;
    PlinthEvent* ev = EventOpen(key);
    if (ev != nullptr)
        s->replyEvents.emplace(key, ev);
    return ev;
}

void appended(VORLServer* s, int dataLength)
{
    s->replyHdr.length = static_cast<uint16_t>(s->replyHdr.length + VORL_MSG_SIZE + dataLength);
    s->replyHdr.count = static_cast<uint16_t>(s->replyHdr.count + 1);
}

} // namespace

void MirrorReplyHeader(const VORLServer* s)
{
    const VORLPktHdr& h = s->replyHdr;
    blk::HostHeader::Put(
        replyState(s) + blk::kRsHeader, h.kind, h.reserved, h.pktClass, h.address, h.seq, h.count, h.length);
}

} // namespace vorl

namespace blk = vorl::block;

VORL_API int VORLServerStartPacket(VORLSERVERHANDLE handle, int type, const void* data, int length)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (s->request == nullptr)
        return VORL_ERR_NOSLOT;
    // A request gets one reply: one being built or one already handed over both refuse a second.
    if (s->building || blk::loadI32(vorl::replyState(s) + blk::kRsState) != blk::kStateNone) {
        return VORL_ERR_PKT_STARTED;
    }
    PluginPktRecord pkt {};
    pkt.seq = s->view.hdr.seq;
    PluginMsgRecord msg {};
    int po = 0;
    int mo = 0;
    if (PluginsGetPktOverhead(s->plugins, &pkt, &po) != VORL_PLUGIN_OK
        || PluginsGetMsgOverhead(s->plugins, &msg, &mo) != VORL_PLUGIN_OK) {
        return VORL_ERR_PLUGIN;
    }
    s->pktOverhead = po > 0 ? po : 0;
    s->msgOverhead = mo > 0 ? mo : 0;
    s->replyHdr = VORLPktHdr {};
    s->replyHdr.kind = VORL_PKT_KIND;
    s->replyHdr.pktClass = 1;
    s->replyHdr.seq = s->view.hdr.seq;
    s->replyHdr.length = VORL_PKTHDR_SIZE;
    s->building = true;
    vorl::MirrorReplyHeader(s);
    blk::storeI32(vorl::replyState(s) + blk::kRsState, blk::kStateBuilding);
    const int rc = VORLServerAddMessage(handle, type, data, length);
    if (rc != VORL_OK) {
        s->building = false;
        blk::storeI32(vorl::replyState(s) + blk::kRsState, blk::kStateNone);
    }
    return rc;
}

VORL_API int VORLServerAddMessage(VORLSERVERHANDLE handle, int type, const void* data, int length)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (!s->building)
        return VORL_ERR_PKT_NOT_STARTED;
    if (length < 0 || (data == nullptr && length > 0))
        return VORL_OK; // nothing to add, as the client does
    if (!vorl::WireType(type))
        return VORL_ERR_PROTOCOL;
    const int room = vorl::roomLeft(s);
    if (room < 0)
        return VORL_ERR_NO_ROOM;
    uint8_t* header = s->reply + s->replyHdr.length;
    PluginMsgRecord rec {};
    rec.index = s->replyHdr.count;
    rec.type = type;
    rec.data = const_cast<void*>(data);
    rec.length = length;
    int out = length;
    const bool plugins = vorl::HavePlugins(s->plugins);
    if (!plugins) {
        if (length > room)
            return VORL_ERR_NO_ROOM;
        if (length > 0)
            std::memcpy(header + VORL_MSG_SIZE, data, static_cast<std::size_t>(length));
    } else if (const int rc
               = vorl::AddThroughPlugins(s->plugins, &rec, data, length, header + VORL_MSG_SIZE, room, &out);
               rc != VORL_OK) {
        return rc;
    }
    VORLMsg m {};
    m.type = static_cast<uint16_t>(type);
    m.length = static_cast<uint16_t>(out);
    vorl::answerWords(s, m);
    vorl::wire::encode(m, header);
    rec.handle = m.handle;
    rec.data = header + VORL_MSG_SIZE;
    rec.length = out;
    vorl::appended(s, out);
    if (plugins && PluginsOnAddMsg(s->plugins, &rec) == VORL_PLUGIN_FAIL)
        return VORL_ERR_PLUGIN;
    return VORL_OK;
}

VORL_API int VORLServerSpaceLeft(VORLSERVERHANDLE handle, int* room)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (!s->building)
        return VORL_ERR_PKT_NOT_STARTED;
    const int left = vorl::roomLeft(s) - s->msgOverhead;
    if (room != nullptr)
        *room = left > 0 ? left : 0;
    return VORL_OK;
}

VORL_API int VORLServerForwardMessage(VORLSERVERHANDLE handle, const void* message)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (!s->building)
        return VORL_ERR_PKT_NOT_STARTED;
    if (message == nullptr)
        return VORL_ERR_OTHER_REQUEST;
    VORLMsg m {};
    vorl::wire::decode(static_cast<const uint8_t*>(message), m);
    VORLMsg current {};
    vorl::answerWords(s, current);
    if (m.address != current.address || m.seq != s->view.hdr.seq || m.clientSlot != s->client
        || m.windowSlot != s->window) {
        return VORL_ERR_OTHER_REQUEST;
    }
    if (m.length > vorl::roomLeft(s))
        return VORL_ERR_NO_ROOM;
    uint8_t* header = s->reply + s->replyHdr.length;
    std::memmove(header + VORL_MSG_SIZE, static_cast<const uint8_t*>(message) + VORL_MSG_SIZE, m.length);
    m.windowSlot = current.windowSlot;
    m.clientSlot = current.clientSlot;
    m.handle = current.handle;
    vorl::wire::encode(m, header);
    vorl::appended(s, m.length);
    return VORL_OK;
}

VORL_API int VORLServerEndPacket(VORLSERVERHANDLE handle)
{
    VORLServer* s = vorl::CheckServer(handle);
    if (s == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (!s->building)
        return VORL_ERR_PKT_NOT_STARTED;
    vorl::wire::encode(s->replyHdr, s->reply);
    vorl::MirrorReplyHeader(s);
    s->building = false;
    blk::storeI32(vorl::replyState(s) + blk::kRsState, blk::kStateReady);
    PlinthEvent* ev = vorl::replyEvent(s);
    if (ev == nullptr || EventSetToUnblocked(ev) == 0)
        return VORL_ERR_SLOT_EVENT;
    return VORL_OK;
}

VORL_API int VORLServerSend(VORLSERVERHANDLE handle, int type, const void* data, int length)
{
    const int rc = VORLServerStartPacket(handle, type, data, length);
    return rc != VORL_OK ? rc : VORLServerEndPacket(handle);
}
