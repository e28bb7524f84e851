// The process-wide exception hook and its logging default handler.
#include "plinth/exception.h"

#include <atomic>

namespace {

std::atomic<ExceptionHandler> currentHandler { nullptr };
std::atomic<Evlog> currentLog { nullptr };

} // namespace

PLINTH_API ExceptionHandler ExceptionSetHandler(ExceptionHandler handler)
{
    return currentHandler.exchange(handler);
}

PLINTH_API int ExceptionInvokeHandler(int code, const char* text)
{
    const ExceptionHandler handler = currentHandler.load();
    return handler != nullptr ? handler(code, text) : 0;
}

PLINTH_API int ExceptionDefaultHandler(int severity, const char* text)
{
    Evlog log = currentLog.load();
    if (log == nullptr) {
        Evlog opened = EvlogOpen("plinth_default", 1);
        if (opened == nullptr)
            return 0;
        // Two threads may both have opened one; the first to publish keeps it.
        Evlog expected = nullptr;
        if (currentLog.compare_exchange_strong(expected, opened)) {
            log = opened;
        } else {
            EvlogClose(opened);
            log = expected;
        }
    }
    return EvlogWrite(log, severity == 0 ? EVLOG_ERROR : EVLOG_WARNING, "%s", text != nullptr ? text : "");
}

PLINTH_API Evlog ExceptionSetLog(Evlog log)
{
    return currentLog.exchange(log);
}

PLINTH_API Evlog ExceptionGetLog(void)
{
    return currentLog.load();
}

PLINTH_API int SysDaemonise(void)
{
    return 1;
}
