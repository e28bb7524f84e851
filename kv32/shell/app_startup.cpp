#include "kv32/shell/app_startup.h"

bool KvRunStartup(const KvStartupSteps& steps)
{
    steps.loadProfile();
    steps.openPrintLog();
    steps.clearAuditQueue();
    steps.registerMessages();
    const bool started = steps.baseStart();
    if (!steps.regionalCheck())
        return false;
    if (!steps.componentCheck())
        return false;
    return started;
}

KvNotifyMessages& KvNotifications()
{
    static KvNotifyMessages messages;
    return messages;
}
