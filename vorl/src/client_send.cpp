// Building request packets in the window's slots and sending them, with the
// rebuilding of a lost link inside the send.
#include <cstring>

#include "client_net.h"
#include "plinth/time.h"
#include "plugin_set.h"
#include "vorl/codec.h"

namespace {

using vorl::PacketSlot;

PacketSlot& slotAt(VORLClient* c, int i)
{
    return c->slots[static_cast<std::size_t>(i)];
}

int freeSlot(const VORLClient* c)
{
    for (std::size_t i = 0; i < c->slots.size(); ++i) {
        if (c->slots[i].free)
            return static_cast<int>(i);
    }
    return -1;
}

// Sequence 0 is the logon's and 0xFFFFFFFF marks plug-in packets: a wrapping
// counter skips both.
uint32_t nextSequence(VORLClient* c)
{
    ++c->sequence;
    if (c->sequence == 0 || c->sequence == VORL_PLUGIN_SEQ)
        c->sequence = 1;
    return c->sequence;
}

void giveBack(VORLClient* c)
{
    if (c->building >= 0)
        slotAt(c, c->building).free = true;
    c->building = -1;
}

int addMessage(VORLClient* c, int type, const void* data, int length, int value)
{
    if (c->building < 0)
        return VORL_ERR_PKT_NOT_STARTED;
    if (data == nullptr || length < 0)
        return VORL_OK;
    // Types travel in 16 bits; a wider one would arrive as another type.
    if (type < 0 || type > 0xFFFF)
        return VORL_ERR_PROTOCOL;
    PacketSlot& s = slotAt(c, c->building);
    const int room = c->options.sendBufferSize - s.hdr.length - c->packetOverhead - VORL_MSG_SIZE;
    if (room < 0 || static_cast<std::size_t>(s.hdr.length) + VORL_MSG_SIZE > s.buffer.size())
        return VORL_ERR_NO_ROOM;
    uint8_t* at = s.buffer.data() + s.hdr.length;
    const bool plugins = vorl::HavePlugins(c);
    int written = 0;
    if (plugins) {
        PluginMsgRecord rec { s.hdr.count, type, const_cast<void*>(data), length,
            static_cast<uint32_t>(value), 0, 0, 0, 0, nullptr };
        const int r = PluginsAddMsg(c->plugins, &rec, data, length, at + VORL_MSG_SIZE, room, &written);
        if (r == VORL_PLUGIN_NOROOM)
            return VORL_ERR_NO_ROOM;
        if (r != VORL_PLUGIN_OK)
            return VORL_ERR_PLUGIN;
    } else {
        if (length > room)
            return VORL_ERR_NO_ROOM;
        std::memcpy(at + VORL_MSG_SIZE, data, static_cast<std::size_t>(length));
        written = length;
    }
    const VORLMsg msg { static_cast<uint16_t>(type), static_cast<uint16_t>(written), 0, 0,
        VORL_CLIENT_SLOT_NONE, s.hdr.seq, static_cast<uint32_t>(value) };
    vorl::wire::encode(msg, at);
    PluginMsgRecord added { s.hdr.count, type, at + VORL_MSG_SIZE, written, static_cast<uint32_t>(value), 0,
        0, 0, 0, nullptr };
    if (plugins && PluginsOnAddMsg(c->plugins, &added) == VORL_PLUGIN_FAIL)
        return VORL_ERR_PLUGIN; // not counted: never sent
    s.hdr.length = static_cast<uint16_t>(s.hdr.length + VORL_MSG_SIZE + written);
    s.hdr.count = static_cast<uint16_t>(s.hdr.count + 1);
    return VORL_OK;
}

} // namespace

VORL_API int VORLStartPacket(
    VORLHANDLE handle, int type, const void* data, int length, int pktClass, int value)
{
    VORLClient* c = vorl::CheckClient(handle);
    if (c == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (c->building >= 0)
        return VORL_ERR_PKT_STARTED;
    const int slot = freeSlot(c);
    if (slot < 0)
        return VORL_ERR_NOSLOT;
    // Classes travel in 16 bits; a wider one would reach another queue.
    if (pktClass > 0xFFFF)
        return VORL_ERR_PROTOCOL;
    PluginPktRecord pkt {};
    PluginMsgRecord msg {};
    int pktOverhead = 0;
    int msgOverhead = 0;
    if (PluginsGetPktOverhead(c->plugins, &pkt, &pktOverhead) != VORL_PLUGIN_OK
        || PluginsGetMsgOverhead(c->plugins, &msg, &msgOverhead) != VORL_PLUGIN_OK) {
        return VORL_ERR_PLUGIN;
    }
    c->packetOverhead = pktOverhead;
    c->messageOverhead = msgOverhead;
    PacketSlot& s = slotAt(c, slot);
    s.free = false;
    s.sendTime = 0;
    s.prev = s.next = -1;
    s.hdr = VORLPktHdr { VORL_PKT_KIND, 0, static_cast<uint16_t>(pktClass > 0 ? pktClass : 1), 0,
        nextSequence(c), 0, VORL_PKTHDR_SIZE };
    c->building = slot;
    const int rc = addMessage(c, type, data, length, value);
    // A packet whose first message failed is dropped, and its slot with it.
    if (rc != VORL_OK)
        giveBack(c);
    return rc;
}

VORL_API int VORLAddMessage(VORLHANDLE handle, int type, const void* data, int length, int value)
{
    VORLClient* c = vorl::CheckClient(handle);
    if (c == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    return addMessage(c, type, data, length, value);
}

VORL_API int VORLResetPacket(VORLHANDLE handle)
{
    VORLClient* c = vorl::CheckClient(handle);
    if (c == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (c->building < 0)
        return VORL_ERR_PKT_NOT_STARTED;
    giveBack(c);
    return VORL_OK;
}

VORL_API int VORLEndPacket(VORLHANDLE handle)
{
    VORLClient* c = vorl::CheckClient(handle);
    if (c == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (c->building < 0)
        return VORL_ERR_PKT_NOT_STARTED;
    const int slot = c->building;
    vorl::wire::encode(slotAt(c, slot).hdr, slotAt(c, slot).buffer.data());
    // Each failed round counts a try in RecoverLink, which ends the loop.
    for (;;) {
        PacketSlot& s = slotAt(c, slot); // a rebuilt link may have resized the window
        bool sent = c->switchPending; // held back until the move to the new server
        if (!sent && c->tcpSocket >= 0) {
            int rc = VORL_OK;
            if (PluginsHasPluginPktStarted(c->plugins))
                rc = PluginsSendPluginPkt(c->plugins, c->tcpSocket);
            if (rc == VORL_OK) {
                rc = PluginsSendPacket(
                    c->plugins, c->tcpSocket, 0, 0, s.buffer.data(), static_cast<int>(s.buffer.size()), 0);
            }
            if (rc == VORL_ERR_PLUGIN)
                return rc;
            sent = rc == VORL_OK;
        }
        if (sent) {
            s.sendTime = c->switchPending ? 0 : vorl::NowSeconds();
            s.sendTick = TimeTickCount();
            c->building = -1;
            vorl::AppendSent(c, slot);
            vorl::SwitchIfDue(c);
            return VORL_OK;
        }
        if (const int rc = vorl::RecoverLink(c); rc != VORL_OK)
            return rc;
    }
}

VORL_API int VORLSend(VORLHANDLE handle, int type, const void* data, int length, int pktClass, int value)
{
    VORLClient* c = vorl::CheckClient(handle);
    if (c == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (const int rc = VORLStartPacket(handle, type, data, length, pktClass, value); rc != VORL_OK)
        return rc;
    const int rc = VORLEndPacket(handle);
    // One call, one packet: a packet that could not be sent does not stay open.
    if (rc != VORL_OK)
        giveBack(c);
    return rc;
}

// Room for the data of one more message.
VORL_API int VORLSpaceLeft(VORLHANDLE handle, int* room)
{
    VORLClient* c = vorl::CheckClient(handle);
    if (c == nullptr)
        return VORL_ERR_INVALID_HANDLE;
    if (c->building < 0)
        return VORL_ERR_PKT_NOT_STARTED;
    const int left = c->options.sendBufferSize - slotAt(c, c->building).hdr.length - c->packetOverhead
        - c->messageOverhead - VORL_MSG_SIZE;
    if (room != nullptr)
        *room = left < 0 ? 0 : left;
    return VORL_OK;
}
