#include "kv32/shell/audit_queue.h"

std::array<int32_t, kAuditQueueSize>& AuditDisplayQueue()
{
    static std::array<int32_t, kAuditQueueSize> queue {};
    return queue;
}

bool& AuditPopupPending()
{
    static bool pending = false;
    return pending;
}

void ClearAuditDisplayQueue()
{
    AuditDisplayQueue().fill(-1);
    AuditPopupPending() = false;
}

bool AuditQueuePush(int32_t index)
{
    auto& queue = AuditDisplayQueue();
    int first = 0;
    while (first < kAuditQueueSize && queue[first] < 0)
        ++first;
    if (first == kAuditQueueSize) {
        queue[0] = index;
        return true;
    }
    for (int step = 1; step < kAuditQueueSize; ++step) {
        const int slot = (first + step) % kAuditQueueSize;
        if (queue[slot] < 0) {
            queue[slot] = index;
            return true;
        }
    }
    return false;
}
