// The end of the desktop session on Linux: SIGTERM (and SIGINT from a
// terminal) ask the program to exit the way its Exit command does, so a
// logged-on user is logged off from the host before the program ends. The
// signal handler only writes a byte to a pipe; the event loop does the rest.
#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

class CKvTerminationWatch {
public:
    // `onTerminate` runs on the event loop once per signal received.
    explicit CKvTerminationWatch(std::function<void()> onTerminate);
    ~CKvTerminationWatch();
    CKvTerminationWatch(const CKvTerminationWatch&) = delete;
    CKvTerminationWatch& operator=(const CKvTerminationWatch&) = delete;
    bool IsWatching() const { return m_pNotifier != nullptr; }

private:
    void Drain();

    std::function<void()> m_onTerminate;
    std::unique_ptr<QSocketNotifier> m_pNotifier;
};
