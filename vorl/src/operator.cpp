// The operator: one request put into the server queue as if a client had sent
// it, and the wait for its reply.
#include <cstring>
#include <span>

#include "plinth/time.h"
#include "server_handle.h"
#include "vorl/codec.h"

namespace {

namespace blk = vorl::block;

// Everything the operator opens, closed in one place whatever way it leaves.
struct OperatorRun {
    vorl::RoleConfig config;
    vorl::OpenBlock block;
    PluginSet* plugins = nullptr;
    PlinthMutex* queueMutex = nullptr;
    PlinthMutex* clientMutex = nullptr;
    PlinthEvent* wake = nullptr;
    PlinthEvent* slotEvent = nullptr;
    int slot = -1;

    ~OperatorRun()
    {
        if (slot >= 0)
            giveBack();
        if (slotEvent != nullptr)
            EventClose(slotEvent);
        if (wake != nullptr)
            EventClose(wake);
        if (clientMutex != nullptr)
            MutexClose(clientMutex);
        if (queueMutex != nullptr)
            MutexClose(queueMutex);
        PluginsCleanup(plugins);
        vorl::CloseServerBlock(block);
    }

    void giveBack()
    {
        const blk::View& v = block.view;
        blk::storeI32(v.replyState(slot, 0) + blk::kRsState, blk::kStateNone);
        MutexGet(clientMutex);
        blk::putI32(v.client(slot) + blk::kCliOperator, -1);
        uint8_t* count = v.base() + blk::kHdrOperatorCount;
        blk::putI32(count, blk::getI32(count) - 1);
        MutexRelease(clientMutex);
        slot = -1;
    }

    int open(const char* config, const char* service, const char* hostType)
    {
        if (const int rc = vorl::ReadRoleConfig(config, "VORLServer", service, hostType, this->config);
            rc != VORL_OK) {
            return rc;
        }
        const PluginHostInfo info { VORL_PLUGIN_INTERFACE_VERSION, this->config.file.c_str(),
            this->config.pluginSection.c_str(), 1, 1, VORL_ROLE_CLIENT };
        plugins = PluginsInit(&info, nullptr, 0);
        if (plugins == nullptr)
            return VORL_ERR_PLUGIN_LOAD;
        if (const int rc = vorl::OpenServerBlock(this->config.key, block); rc != VORL_OK)
            return rc;
        if (const int rc = vorl::CheckHostType(block.view, this->config.hostType); rc != VORL_OK)
            return rc;
        const uint8_t* hdr = block.view.base();
        queueMutex = MutexOpen(blk::getI32(hdr + blk::kHdrQueueMutexKey));
        clientMutex = MutexOpen(blk::getI32(hdr + blk::kHdrClientMutexKey));
        if (queueMutex == nullptr || clientMutex == nullptr)
            return VORL_ERR_MUTEX;
        wake = EventOpen(blk::getI32(hdr + blk::kHdrWakeEventKey));
        if (wake == nullptr)
            return VORL_ERR_EVENT;
        return VORL_OK;
    }

    int takeSlot()
    {
        const blk::View& v = block.view;
        if (MutexGet(clientMutex) == 0)
            return VORL_ERR_MUTEX_NOT_TAKEN;
        for (int c = 0; c < v.geometry().n; ++c) {
            uint8_t* e = v.client(c);
            if (blk::loadI32(e + blk::kCliConnected) == 0 && blk::getI32(e + blk::kCliOperator) == -1) {
                blk::putI32(e + blk::kCliOperator, 0);
                blk::putI32(e + blk::kCliMaxReply, VORL_OPERATOR_BUFSIZE);
                blk::putI32(e + blk::kCliMaxRequest, VORL_OPERATOR_BUFSIZE);
                uint8_t* count = v.base() + blk::kHdrOperatorCount;
                blk::putI32(count, blk::getI32(count) + 1);
                slot = c;
                break;
            }
        }
        MutexRelease(clientMutex);
        if (slot < 0)
            return VORL_ERR_NO_CLIENT_SLOT;
        slotEvent = EventOpen(blk::getI32(v.base() + blk::kHdrOperatorEventKey) + slot);
        if (slotEvent == nullptr)
            return VORL_ERR_SLOT_EVENT;
        EventSetToBlocked(slotEvent);
        return VORL_OK;
    }

    // The request in window slot 0 of the operator's client slot; the operator's
    // request must fit the request area as well as its own limit.
    int buildRequest(int type, const void* data, int length, int pktClass)
    {
        const blk::View& v = block.view;
        uint8_t* req = v.requestArea(slot, 0);
        int limit = v.geometry().a;
        if (limit > VORL_OPERATOR_BUFSIZE)
            limit = VORL_OPERATOR_BUFSIZE;
        const int room = limit - VORL_PKTHDR_SIZE - VORL_MSG_SIZE;
        if (length < 0 || (data == nullptr && length > 0) || room < 0)
            return VORL_ERR_NO_ROOM;
        // Types and classes travel in 16 bits; wider ones would reach another type or queue.
        if (!vorl::WireType(type) || pktClass > 0xFFFF)
            return VORL_ERR_PROTOCOL;
        PluginMsgRecord rec {};
        rec.type = type;
        rec.data = const_cast<void*>(data);
        rec.length = length;
        int out = 0;
        if (const int rc = vorl::AddThroughPlugins(
                plugins, &rec, data, length, req + VORL_PKTHDR_SIZE + VORL_MSG_SIZE, room, &out);
            rc != VORL_OK) {
            return rc;
        }
        VORLMsg m {};
        m.type = static_cast<uint16_t>(type);
        m.length = static_cast<uint16_t>(out);
        m.address = 0xFFFFFFFFu;
        m.clientSlot = VORL_CLIENT_SLOT_NONE;
        vorl::wire::encode(m, req + VORL_PKTHDR_SIZE);
        VORLPktHdr h {};
        h.kind = VORL_PKT_KIND;
        h.pktClass = static_cast<uint16_t>(pktClass >= 1 ? pktClass : 1);
        h.address = 0xFFFFFFFFu;
        h.count = 1;
        h.length = static_cast<uint16_t>(VORL_PKTHDR_SIZE + VORL_MSG_SIZE + out);
        vorl::wire::encode(h, req);
        std::memset(v.replyArea(slot, 0), 0, VORL_PKTHDR_SIZE);
        std::memset(v.replyState(slot, 0), 0, blk::kReplyStateSize);
        return VORL_OK;
    }

    // Waits without a time limit, but gives up when the router stops: a reply
    // can then never come.
    int waitReply()
    {
        const blk::View& v = block.view;
        const uint8_t* state = v.replyState(slot, 0) + blk::kRsState;
        while (blk::loadI32(state) != blk::kStateReady) {
            if (!v.running())
                return VORL_ERR_SEND_TRIES;
            EventWait(slotEvent, 1);
            EventSetToBlocked(slotEvent);
        }
        return VORL_OK;
    }

    int readReply(int* replyType, void* replyBuffer, int* replyLength)
    {
        const blk::View& v = block.view;
        vorl::PacketView pv;
        const uint8_t* area = v.replyArea(slot, 0);
        if (vorl::OpenPacket(std::span<const uint8_t>(area, static_cast<std::size_t>(v.geometry().b)), pv)
            != VORL_OK) {
            return VORL_ERR_PROTOCOL;
        }
        vorl::MsgCursor cursor;
        if (pv.hdr.count == 0)
            return VORL_ERR_TIMEOUT;
        if (const int rc = vorl::PacketMessage(pv, 0, cursor); rc != VORL_OK)
            return rc;
        PluginMsgRecord rec {};
        rec.type = cursor.hdr.type;
        rec.data = const_cast<uint8_t*>(vorl::MessageData(pv, cursor));
        rec.length = cursor.hdr.length;
        rec.handle = cursor.hdr.handle;
        int out = 0;
        const int rc
            = PluginsGetMsg(plugins, &rec, rec.data, rec.length, replyBuffer, VORL_OPERATOR_BUFSIZE, &out);
        if (rc == VORL_PLUGIN_NOROOM)
            return VORL_ERR_NO_ROOM;
        if (rc != VORL_PLUGIN_OK)
            return VORL_ERR_PLUGIN;
        vorl::MessageOutputs(cursor.hdr, out, replyType, replyLength, nullptr);
        return VORL_OK;
    }
};

} // namespace

VORL_API int VORLOperator(const char* config, const char* service, const char* hostType, int type,
    const void* data, int length, int pktClass, int* replyType, void* replyBuffer, int* replyLength)
{
    if (replyBuffer == nullptr)
        return VORL_ERR_NO_BUFFER;
    OperatorRun run;
    if (const int rc = run.open(config, service, hostType); rc != VORL_OK)
        return rc;
    if (const int rc = run.takeSlot(); rc != VORL_OK)
        return rc;
    if (const int rc = run.buildRequest(type, data, length, pktClass); rc != VORL_OK)
        return rc;
    const blk::View& v = run.block.view;
    if (AddToMessageQueue(
            v.base(), v.queueEntry(0), run.queueMutex, run.slot, 0, pktClass >= 1 ? pktClass : 1)
        == 0) {
        return VORL_ERR_QUEUE_FULL;
    }
    EventSetToUnblocked(run.wake);
    if (const int rc = run.waitReply(); rc != VORL_OK)
        return rc;
    return run.readReply(replyType, replyBuffer, replyLength);
}
