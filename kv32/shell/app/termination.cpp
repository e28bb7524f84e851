#include "kv32/shell/app/termination.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace {

int g_pipe[2] = { -1, -1 };

void OnSignal(int)
{
    const char byte = 1;
    // Nothing else is safe here; a full pipe already holds a pending request.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
}

} // namespace

CKvTerminationWatch::CKvTerminationWatch(std::function<void()> onTerminate)
    : m_onTerminate(std::move(onTerminate))
{
    if (g_pipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0)
        return;
    m_pNotifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_pNotifier.get(), &QSocketNotifier::activated, m_pNotifier.get(), [this] { Drain(); });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

CKvTerminationWatch::~CKvTerminationWatch()
{
    if (!m_pNotifier)
        return;
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGINT, SIG_DFL);
    m_pNotifier.reset();
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void CKvTerminationWatch::Drain()
{
    char bytes[16];
    bool received = false;
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0)
        received = true;
    if (received && m_onTerminate)
        m_onTerminate();
}
