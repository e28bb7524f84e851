#include "kv32/shell/audit_queue.h"

std::array<int32_t, kAuditQueueSize>& AuditDisplayQueue()
{
    static std::array<int32_t, kAuditQueueSize> queue {};
    return queue;
}

void ClearAuditDisplayQueue()
{
    AuditDisplayQueue().fill(-1);
}
