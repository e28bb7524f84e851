#include "kv32/shell/shell_dialogs.h"

#include <algorithm>

#include "kv32/shell/audit_queue.h"
#include "kvcore/app/session_core.h"

CKvShellDialogsPort& KvShellDialogsPort()
{
    static CKvShellDialogsPort port;
    return port;
}

int KvRunShellDialog(unsigned dialogId)
{
    const auto& run = KvShellDialogsPort().run;
    return run ? run(dialogId) : 0;
}

int KvOnLogNotify()
{
    return ps != nullptr ? KvRunShellDialog(IDD_ALERT_LOG_MESSAGE) : 0;
}

void KvOnAuditNotify()
{
    if (ps == nullptr)
        return;
    const CKvShellDialogsPort& port = KvShellDialogsPort();
    const auto queued = [] {
        const auto& queue = AuditDisplayQueue();
        return std::count_if(queue.begin(), queue.end(), [](int32_t slot) { return slot >= 0; });
    };
    for (auto left = queued(); left > 0 && port.auditDisplay;) {
        port.auditDisplay();
        const auto now = queued();
        if (now >= left)
            break;
        left = now;
    }
    AuditPopupPending() = false;
    if (port.clearAuditDialogOpen)
        port.clearAuditDialogOpen();
}
