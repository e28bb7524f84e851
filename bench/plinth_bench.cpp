// Measures plinth's named synchronisation against the obvious baselines in one
// run and prints the ratios: a cross-process event signal→wake round trip
// against a pipe ping-pong, and an uncontended mutex against std::mutex.
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "plinth/event.h"
#include "plinth/mutex.h"
#include "plinth/persist.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRoundTrips = 20000;
constexpr int kLockPairs = 5000000;
constexpr int kRuns = 5;
constexpr int kPingKey = 71;
constexpr int kPongKey = 72;

// Both sides of a round trip run on fixed CPUs (two different ones when there
// are two), so the figures compare the primitives rather than where the
// scheduler happened to put the processes in each run.
int parent_cpu = -1;
int child_cpu = -1;

void choose_cpus()
{
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0)
        return;
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (!CPU_ISSET(cpu, &allowed))
            continue;
        if (parent_cpu < 0) {
            parent_cpu = cpu;
        } else {
            child_cpu = cpu;
            break;
        }
    }
    if (child_cpu < 0)
        child_cpu = parent_cpu;
}

void pin_to(int cpu)
{
    if (cpu < 0)
        return;
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(cpu, &one);
    sched_setaffinity(0, sizeof one, &one);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double ns_per(Clock::duration elapsed, int count)
{
    return std::chrono::duration<double, std::nano>(elapsed).count() / count;
}

bool write_byte(int fd)
{
    char c = 'x';
    return write(fd, &c, 1) == 1;
}

bool read_byte(int fd)
{
    char c = 0;
    return read(fd, &c, 1) == 1;
}

// One run of round trips through two pipes; the child echoes every byte.
double pipe_round_trip()
{
    int to_child[2];
    int to_parent[2];
    if (pipe(to_child) != 0 || pipe(to_parent) != 0)
        std::exit(1);
    pid_t child = fork();
    if (child == 0) {
        pin_to(child_cpu);
        for (int i = 0; i < kRoundTrips; ++i) {
            if (!read_byte(to_child[0]) || !write_byte(to_parent[1]))
                _exit(1);
        }
        _exit(0);
    }
    auto start = Clock::now();
    for (int i = 0; i < kRoundTrips; ++i) {
        if (!write_byte(to_child[1]) || !read_byte(to_parent[0]))
            std::exit(1);
    }
    auto elapsed = Clock::now() - start;
    waitpid(child, nullptr, 0);
    for (int fd : { to_child[0], to_child[1], to_parent[0], to_parent[1] })
        close(fd);
    return ns_per(elapsed, kRoundTrips);
}

// One run of round trips through two named events: the parent unblocks "ping"
// and waits for "pong"; the child, with handles of its own, answers.
double event_round_trip()
{
    PlinthEvent* ping = EventCreate(kPingKey);
    PlinthEvent* pong = EventCreate(kPongKey);
    if (ping == nullptr || pong == nullptr) {
        std::fprintf(stderr, "plinth_bench: cannot create the events\n");
        std::exit(1);
    }
    pid_t child = fork();
    if (child == 0) {
        pin_to(child_cpu);
        PlinthEvent* in = EventOpen(kPingKey);
        PlinthEvent* out = EventOpen(kPongKey);
        if (in == nullptr || out == nullptr)
            _exit(1);
        for (int i = 0; i < kRoundTrips; ++i) {
            // Blocked again before answering, so the next ping is a new one.
            if (EventWait(in, -1) != 1)
                _exit(1);
            EventSetToBlocked(in);
            EventSetToUnblocked(out);
        }
        _exit(0);
    }
    auto start = Clock::now();
    for (int i = 0; i < kRoundTrips; ++i) {
        EventSetToUnblocked(ping);
        if (EventWait(pong, -1) != 1)
            std::exit(1);
        EventSetToBlocked(pong);
    }
    auto elapsed = Clock::now() - start;
    waitpid(child, nullptr, 0);
    EventClose(EventCondemn(ping));
    EventClose(EventCondemn(pong));
    return ns_per(elapsed, kRoundTrips);
}

double plinth_mutex_pair(PlinthMutex* mutex)
{
    auto start = Clock::now();
    for (int i = 0; i < kLockPairs; ++i) {
        MutexGet(mutex);
        MutexRelease(mutex);
    }
    return ns_per(Clock::now() - start, kLockPairs);
}

double std_mutex_pair(std::mutex& mutex)
{
    auto start = Clock::now();
    for (int i = 0; i < kLockPairs; ++i) {
        mutex.lock();
        mutex.unlock();
    }
    return ns_per(Clock::now() - start, kLockPairs);
}

} // namespace

int main()
{
    // A namespace of its own, so a run never meets the objects of anybody else.
    std::string ns = "bench" + std::to_string(getpid()) + "_";
    setenv("PLINTH_NAMESPACE", ns.c_str(), 1);

    choose_cpus();
    pin_to(parent_cpu);
    std::vector<double> pipes, events, plinth_mutex, std_mutex;
    PlinthMutex* mutex = MutexCreate(73);
    std::mutex baseline;
    if (mutex == nullptr) {
        std::fprintf(stderr, "plinth_bench: cannot create the mutex\n");
        return 1;
    }
    for (int run = 0; run < kRuns; ++run) {
        pipes.push_back(pipe_round_trip());
        events.push_back(event_round_trip());
        plinth_mutex.push_back(plinth_mutex_pair(mutex));
        std_mutex.push_back(std_mutex_pair(baseline));
    }
    MutexClose(MutexCondemn(mutex));
    SysStopPersistServer();

    double pipe_ns = median(pipes), event_ns = median(events);
    double plinth_ns = median(plinth_mutex), std_ns = median(std_mutex);
    std::printf("median of %d runs, processes on CPUs %d and %d\n", kRuns, parent_cpu, child_cpu);
    std::printf(
        "cross-process round trip (%d):  event %8.0f ns   pipe %8.0f ns   event/pipe %.2f (goal <= 1.50)\n",
        kRoundTrips, event_ns, pipe_ns, event_ns / pipe_ns);
    std::printf("uncontended lock+unlock (%d): plinth %6.1f ns   std::mutex %6.1f ns   plinth/std %.2f\n",
        kLockPairs, plinth_ns, std_ns, plinth_ns / std_ns);
    return 0;
}
