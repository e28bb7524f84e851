#include "kv32/tables/alert_log_port.h"

namespace {
CKvAlertLog* g_log = nullptr;
} // namespace

bool SameLoggedItem(const KvLogNote& a, const KvLogNote& b)
{
    if (a.nKind != b.nKind)
        return false;
    switch (a.nKind) {
    case LOG_KIND_NEWS:
        return a.nId == b.nId && a.time == b.time && a.text == b.text;
    case LOG_KIND_MESSAGE:
    case LOG_KIND_TRADING_EVENT:
        return a.user == b.user && a.text == b.text;
    default:
        return a.nId == b.nId && a.time == b.time && a.user == b.user && a.text == b.text;
    }
}

void KvSetAlertLog(CKvAlertLog* log)
{
    g_log = log;
}

CKvAlertLog* KvAlertLog()
{
    return g_log;
}

bool KvLogOnce(const KvLogNote& note)
{
    if (g_log == nullptr || g_log->Holds(note))
        return false;
    g_log->Append(note);
    return true;
}
