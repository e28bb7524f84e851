// Child processes: posix_spawnp with an argument vector, waits through a pidfd.
#include "plinth/process.h"

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdint>
#include <ctime>
#include <memory>
#include <mutex>
#include <new>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

struct PlinthProcess {
    pid_t pid = -1;
    int pidfd = -1;
    bool reaped = false;
    bool killed = false; // ended by ProcessKill: reads as exit code 0
    int status = 0;
};

namespace {

int64_t monotonicMs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

int openPidfd(pid_t pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    return -1;
#endif
}

// Collects the exit status when the child has ended; true when it has.
bool tryReap(PlinthProcess& p)
{
    if (p.reaped)
        return true;
    int status = 0;
    pid_t r;
    do {
        r = waitpid(p.pid, &status, WNOHANG);
    } while (r < 0 && errno == EINTR);
    if (r == p.pid) {
        p.reaped = true;
        p.status = status;
    } else if (r < 0 && errno == ECHILD) {
        p.reaped = true; // reaped elsewhere; its status is lost
        p.status = 0;
    }
    return p.reaped;
}

bool waitEnded(PlinthProcess& p, unsigned int milliseconds)
{
    if (tryReap(p))
        return true;
    const bool forever = milliseconds == PLINTH_WAIT_INFINITE;
    const int64_t deadline = monotonicMs() + milliseconds;
    for (;;) {
        const int64_t left = forever ? -1 : deadline - monotonicMs();
        if (!forever && left <= 0)
            return tryReap(p);
        if (p.pidfd >= 0) {
            pollfd pfd {p.pidfd, POLLIN, 0};
            const int slice = forever ? -1 : static_cast<int>(std::min<int64_t>(left, INT32_MAX));
            if (poll(&pfd, 1, slice) < 0 && errno != EINTR)
                return tryReap(p);
        } else {
            // Without pidfds: short naps, bounded by the time asked for.
            timespec nap {0, 5 * 1000000L};
            nanosleep(&nap, nullptr);
        }
        if (tryReap(p))
            return true;
    }
}

} // namespace

PLINTH_API ProcessHandle ProcessStart(const char* program, ...)
{
    if (!program || !*program)
        return nullptr;
    std::vector<char*> argv;
    size_t lineLength = 0;
    try {
        argv.push_back(const_cast<char*>(program));
        lineLength = std::char_traits<char>::length(program);
        va_list args;
        va_start(args, program);
        while (const char* arg = va_arg(args, const char*)) {
            argv.push_back(const_cast<char*>(arg));
            lineLength += 1 + std::char_traits<char>::length(arg);
        }
        va_end(args);
        argv.push_back(nullptr);
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
        return nullptr;
    }
    if (lineLength > PLINTH_COMMAND_LINE_MAX) {
        errno = E2BIG;
        return nullptr;
    }
    std::unique_ptr<PlinthProcess> process(new (std::nothrow) PlinthProcess);
    if (!process) {
        errno = ENOMEM;
        return nullptr;
    }
    const int rc = posix_spawnp(&process->pid, program, nullptr, nullptr, argv.data(), environ);
    if (rc != 0) {
        errno = rc;
        return nullptr;
    }
    process->pidfd = openPidfd(process->pid);
    return process.release();
}

PLINTH_API int ProcessWait(ProcessHandle process, unsigned int milliseconds)
{
    if (!process)
        return 0;
    return waitEnded(*process, milliseconds) ? 1 : 0;
}

PLINTH_API int ProcessExitCode(ProcessHandle process, int* exitCode)
{
    if (!process || !exitCode)
        return 0;
    if (!tryReap(*process)) {
        *exitCode = PLINTH_STILL_ACTIVE;
        return 1;
    }
    const int status = process->status;
    if (WIFEXITED(status))
        *exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        *exitCode = (process->killed && WTERMSIG(status) == SIGKILL) ? 0 : 128 + WTERMSIG(status);
    else
        *exitCode = 0;
    return 1;
}

PLINTH_API int ProcessKill(ProcessHandle process)
{
    if (!process || tryReap(*process))
        return 0;
    if (kill(process->pid, SIGKILL) != 0)
        return 0;
    process->killed = true;
    return 1;
}

PLINTH_API int ProcessClose(ProcessHandle process)
{
    std::unique_ptr<PlinthProcess> owned(process);
    if (!owned)
        return 0;
    if (owned->pidfd >= 0)
        close(owned->pidfd);
    if (!tryReap(*owned)) {
        // The child runs on; someone must collect it when it ends, or it stays a zombie.
        const pid_t pid = owned->pid;
        try {
            std::thread([pid] {
                int status;
                while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
                }
            }).detach();
        } catch (const std::system_error&) {
            // Without a thread the zombie stays until this process ends; nothing else is lost.
        }
    }
    return 1;
}
