// The program's start-up around the core's, in its order: the program's
// profile settings, the print log, the audit display queue, the two
// registered window messages, the core's start-up, then the regional and the
// component checks. The application supplies each step; tests record them.
#pragma once

#include <functional>

struct KvStartupSteps {
    std::function<void()> loadProfile;
    std::function<void()> openPrintLog;
    std::function<void()> clearAuditQueue;
    std::function<void()> registerMessages;
    std::function<bool()> baseStart;
    std::function<bool()> regionalCheck;
    std::function<bool()> componentCheck;
};

// What InitInstance returns: the core's result when both checks pass, else
// false. The checks run whatever the core returned; the regional check's
// failure ends start-up before the component check.
bool KvRunStartup(const KvStartupSteps& steps);

// The registered window messages: a new alert-log entry, and an audit event
// queued for display (posted to the main window).
struct KvNotifyMessages {
    unsigned logNotify = 0; // "WM_LOGNOTIFY"
    unsigned auditNotify = 0; // "WM_AUDITNOTIFY"
};
KvNotifyMessages& KvNotifications();
