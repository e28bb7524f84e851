// The configuration a pigauge client takes from its server (plug-in message
// 258), then counted traffic and a report under it: any bytes must be refused
// or leave every count inside the client's block.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "blocks.h"
#include "pigauge.h"
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
    *msg = PluginMsgRecord { 0, pigauge::kMsgConfig, const_cast<uint8_t*>(p->data),
        static_cast<int32_t>(p->size), 0, 0, 0, 0, -1, nullptr };
    return 0;
}

int sendMsg(PluginContext*, int, const void*, int length)
{
    return length == pigauge::kStatsLength ? 0 : 2;
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
    if (size > 4096)
        return 0;
    std::vector<uint8_t> body(data, data + size);
    std::vector<uint8_t> block(pigauge::kClientBlockSize, 0);
    pigauge::ClientContext ctx;
    ctx.host = PluginHostCallbacks { getMsg, sendMsg, copy };
    ctx.role = VORL_ROLE_CLIENT;
    ctx.block = block.data();
    Packet packet { body.data(), body.size() };
    PluginPluginPktRecord rec { VORL_PLUGIN_ROUND_FIRST, 0, 0, &packet, 1, 0, nullptr };
    if (pigauge::PIGAUGEClientOnRecvPluginPkt(&ctx, &rec) != VORL_PLUGIN_OK)
        __builtin_trap();
    // Every type the sets may name, then enough packets for a report.
    for (int type = 0; type < 70000; type += 997) {
        PluginMsgRecord msg { 0, type, nullptr, 10, 0, 0, 0, 5, 0, nullptr };
        pigauge::PIGAUGEOnAddMsg(&ctx, &msg);
        pigauge::PIGAUGEOnGetMsg(&ctx, &msg);
    }
    for (int i = 0; i < 64; ++i) {
        PluginPktRecord pkt {};
        pkt.length = 100;
        if (pigauge::PIGAUGEOnSendtoNet(&ctx, &pkt) != VORL_PLUGIN_OK)
            __builtin_trap();
    }
    return 0;
}
