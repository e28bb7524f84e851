#include "kv32/shell/host_time.h"

#include <ctime>
#include <optional>

namespace {

int64_t MonotonicMs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

KvTickSource g_source = nullptr;
std::optional<int64_t> g_requestTick;

} // namespace

void KvSetTickSource(KvTickSource source)
{
    g_source = source;
}

int64_t KvTickMs()
{
    return g_source != nullptr ? g_source() : MonotonicMs();
}

void KvMarkHostTimeRequest()
{
    g_requestTick = KvTickMs();
}

void KvClearHostTimeRequest()
{
    g_requestTick.reset();
}

bool KvIsHostTimeReplyPrompt()
{
    if (!g_requestTick)
        return false;
    const int64_t elapsed = KvTickMs() - *g_requestTick;
    return elapsed >= 0 && elapsed < kHostTimeReplyLimitMs;
}
