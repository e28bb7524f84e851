#include "kv32/shell/host_time.h"

#include <optional>

#include "fw/core/clock.h"

namespace {
std::optional<int64_t> g_requestTick;
} // namespace

void KvMarkHostTimeRequest()
{
    g_requestTick = fw::clock().steadyMs();
}

void KvClearHostTimeRequest()
{
    g_requestTick.reset();
}

bool KvIsHostTimeReplyPrompt()
{
    if (!g_requestTick)
        return false;
    const int64_t elapsed = fw::clock().steadyMs() - *g_requestTick;
    return elapsed >= 0 && elapsed < kHostTimeReplyLimitMs;
}
