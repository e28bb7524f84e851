// Payloads through the session cipher of their connection, and the
// connection events of a server.
#include <cstdio>

#include "pimox.h"

namespace pimox {
namespace {

uint8_t* packetSlot(Context* ctx, const PluginPktRecord* pkt, const char* fn)
{
    const int index = ctx->role == VORL_ROLE_SERVER ? (pkt != nullptr ? pkt->word1 : -1) : 0;
    uint8_t* slot = Slot(ctx, index);
    if (slot == nullptr)
        std::fprintf(stderr, "%s : connection index %d outside the key table\n", fn, index);
    return slot;
}

int transform(void* context, PluginPktRecord* pkt, const void* source, int sourceLength, void* target,
    int targetSize, int* length, bool sending)
{
    const char* fn = sending ? "PIMOXSendToNet" : "PIMOXRecvFromNet";
    auto* ctx = static_cast<Context*>(context);
    if (ctx == nullptr || length == nullptr || sourceLength < 0 || targetSize < 0)
        return VORL_PLUGIN_FAIL;
    const uint8_t* slot = packetSlot(ctx, pkt, fn);
    if (slot == nullptr)
        return VORL_PLUGIN_FAIL;
    if (!LineEncrypted(slot)) {
        const int rc = ctx->host.DefaultCopy(
            pkt != nullptr ? pkt->context : nullptr, source, sourceLength, target, targetSize, length);
        if (rc == VORL_PLUGIN_FAIL) {
            std::fprintf(stderr,
                sending ? "PIMOXSendToNet : defaultcopy failed \n"
                        : "PIMOXRecvFromNet : DefaultCopy failed \n");
        }
        return rc;
    }
    MOXKEY key {};
    int rc = SlotKey(slot, &key);
    uint32_t out = 0;
    if (rc == 0) {
        const auto* in = static_cast<const uint8_t*>(source);
        auto* to = static_cast<uint8_t*>(target);
        const auto n = static_cast<uint32_t>(sourceLength);
        const auto size = static_cast<uint32_t>(targetSize);
        rc = sending ? MOXEncrypt(&key, in, n, to, size, &out) : MOXDecrypt(&key, in, n, to, size, &out);
    }
    if (rc == MOX_ERR_OUTPUT_SIZE)
        return VORL_PLUGIN_NOROOM;
    if (rc != 0) {
        std::fprintf(stderr,
            sending ? "PIMOXSendToNet : MOXEncrypt failed %d\n" : "PIMOXRecvFromNet : MOXDecrypt failed %d\n",
            rc);
        return VORL_PLUGIN_FAIL;
    }
    *length = static_cast<int>(out);
    return VORL_PLUGIN_OK;
}

uint8_t* clientSlot(void* context, PluginClientRecord* rec, const char* fn)
{
    auto* ctx = static_cast<Context*>(context);
    if (ctx == nullptr || rec == nullptr)
        return nullptr;
    uint8_t* slot = Slot(ctx, rec->connection);
    if (slot == nullptr)
        std::fprintf(stderr, "%s: connection index %d outside the key table\n", fn, rec->connection);
    return slot;
}

} // namespace

int PIMOXSendToNet(void* context, PluginPktRecord* pkt, const void* source, int sourceLength, void* target,
    int targetSize, int* length)
{
    return transform(context, pkt, source, sourceLength, target, targetSize, length, true);
}

int PIMOXRecvFromNet(void* context, PluginPktRecord* pkt, const void* source, int sourceLength, void* target,
    int targetSize, int* length)
{
    return transform(context, pkt, source, sourceLength, target, targetSize, length, false);
}

int PIMOXOnClientConnect(void* context, PluginClientRecord* rec)
{
    uint8_t* slot = clientSlot(context, rec, "PIMOXOnClientConnect");
    if (slot == nullptr)
        return VORL_PLUGIN_FAIL;
    SetLine(slot, false);
    return VORL_PLUGIN_OK;
}

int PIMOXOnClientDisconnect(void* context, PluginClientRecord* rec)
{
    uint8_t* slot = clientSlot(context, rec, "PIMOXOnClientDisconnect");
    if (slot == nullptr)
        return VORL_PLUGIN_FAIL;
    ClearSlot(slot);
    return VORL_PLUGIN_OK;
}

} // namespace pimox
