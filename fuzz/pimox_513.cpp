// A client's public key (plug-in message 513) as a server's pimox receives
// it: any bytes must be refused or used within their own length.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pimox.h"
#include "quiet_stderr.h"

namespace {

struct Packet {
    const uint8_t* data;
    std::size_t size;
};

int getMsg(PluginContext*, const void* packet, int index, PluginMsgRecord* msg)
{
    const auto* p = static_cast<const Packet*>(packet);
    if (index != 0)
        return VORL_PLUGIN_NOROOM;
    *msg = PluginMsgRecord { 0, pimox::kMsgPublicKey, const_cast<uint8_t*>(p->data),
        static_cast<int32_t>(p->size), 0, 0, 0, 0, -1, nullptr };
    return 0;
}

int sendMsg(PluginContext*, int, const void*, int length)
{
    return length >= 0 && length <= 1024 ? 0 : 2;
}

int copy(PluginContext*, const void*, int, void*, int, int* length)
{
    *length = 0;
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    fuzz::SilenceLibraryDiagnostics();
    static const bool toolkit = pimox::AcquireToolkit() == 0;
    if (!toolkit || size > 4096)
        return 0;
    // A copy of exactly the input's length, so that any read past it is caught.
    std::vector<uint8_t> body(data, data + size);
    std::vector<uint8_t> slots(2 * pimox::kSlotSize, 0);
    pimox::Context ctx;
    ctx.host = PluginHostCallbacks { getMsg, sendMsg, copy };
    ctx.role = VORL_ROLE_SERVER;
    ctx.slots = slots.data();
    ctx.slotCount = 2;
    Packet packet { body.data(), body.size() };
    PluginPluginPktRecord rec { VORL_PLUGIN_ROUND_FIRST, 0, 1, &packet, 1, 0, nullptr };
    const int rc = pimox::PIMOXOnRecvPluginPkt(&ctx, &rec);
    // Encrypted only when the key was taken.
    if (rc == VORL_PLUGIN_OK && !pimox::LineEncrypted(slots.data() + pimox::kSlotSize))
        __builtin_trap();
    return 0;
}
