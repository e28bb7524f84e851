// Test plug-in: keeps every packet the router is about to write to its
// socket, after the other plug-ins' transformations, so that a test sees the
// bytes that cross the connection.
#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

#include "vorl/plugin.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::mutex lock;
std::vector<uint8_t> seen;

int onSend(void*, PluginPktRecord* pkt)
{
    if (pkt == nullptr || pkt->packet == nullptr || pkt->length <= 0)
        return 0;
    std::lock_guard<std::mutex> guard(lock);
    const auto* bytes = static_cast<const uint8_t*>(pkt->packet);
    seen.insert(seen.end(), bytes, bytes + pkt->length);
    return 0;
}

PluginFunctions table()
{
    PluginFunctions t {};
    t.OnSendToNet = onSend;
    return t;
}
const PluginFunctions kTable = table();

} // namespace

EXPORT int TapInit(
    const PluginHostInfo* info, const PluginHostCallbacks*, const PluginFunctions** out, void** ctx)
{
    if (info->interfaceVersion != VORL_PLUGIN_INTERFACE_VERSION)
        return VORL_PLUGIN_FAIL;
    *out = &kTable;
    *ctx = nullptr;
    return 0;
}

// The bytes written so far; the size of all of them.
EXPORT int TapCopy(uint8_t* out, int size)
{
    std::lock_guard<std::mutex> guard(lock);
    const int n = static_cast<int>(seen.size());
    if (out != nullptr && size > 0)
        std::memcpy(out, seen.data(), static_cast<std::size_t>(size < n ? size : n));
    return n;
}

EXPORT void TapReset()
{
    std::lock_guard<std::mutex> guard(lock);
    seen.clear();
}

