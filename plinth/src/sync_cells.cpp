#include "sync_cells.h"

#include <linux/futex.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <new>

namespace plinth::sync {
namespace {

// Shared (not private) futex operations: the word lives in memory mapped by
// several processes.
long futex_wait(std::atomic<std::uint32_t>& word, std::uint32_t expected, const timespec* deadline)
{
    // FUTEX_WAIT_BITSET takes an absolute CLOCK_MONOTONIC deadline, so a wall-clock
    // jump neither shortens nor stretches a wait.
    return syscall(SYS_futex, reinterpret_cast<std::uint32_t*>(&word), FUTEX_WAIT_BITSET, expected, deadline,
        nullptr, FUTEX_BITSET_MATCH_ANY);
}

void futex_wake(std::atomic<std::uint32_t>& word, int count)
{
    syscall(SYS_futex, reinterpret_cast<std::uint32_t*>(&word), FUTEX_WAKE, count, nullptr, nullptr, 0);
}

void write_header(void* base, CellKind kind)
{
    auto* header = static_cast<CellHeader*>(base);
    header->magic = kCellMagic;
    header->kind = kind;
}

} // namespace

std::size_t cell_size(CellKind kind)
{
    switch (kind) {
    case CellKind::event:
        return sizeof(EventCell);
    case CellKind::mutex:
        return sizeof(MutexCell);
    case CellKind::semaphore:
        return sizeof(SemaphoreCell);
    }
    return 0;
}

bool cell_matches(const void* base, std::size_t size, CellKind kind)
{
    if (base == nullptr || size < cell_size(kind))
        return false;
    CellHeader header;
    std::memcpy(&header, base, sizeof header);
    return header.magic == kCellMagic && header.kind == kind;
}

bool init_event(void* base)
{
    write_header(base, CellKind::event);
    auto* cell = static_cast<EventCell*>(base);
    new (&cell->state) std::atomic<std::uint32_t>(0);
    return true;
}

int event_wait(EventCell& cell, int seconds)
{
    if (seconds == 0)
        return cell.state.load() == 1 ? 1 : 0;
    timespec deadline {};
    timespec* limit = nullptr;
    if (seconds > 0) {
        clock_gettime(CLOCK_MONOTONIC, &deadline);
        deadline.tv_sec += seconds;
        limit = &deadline;
    }
    for (;;) {
        std::uint32_t state = cell.state.load();
        if (state == 1)
            return 1;
        if (state == 0) {
            // Announce a waiter so that the unblocking side knows to wake.
            if (!cell.state.compare_exchange_weak(state, 2))
                continue;
        }
        if (futex_wait(cell.state, 2, limit) != 0 && errno != EAGAIN && errno != EINTR) {
            return cell.state.load() == 1 ? 1 : 0;
        }
    }
}

void event_unblock(EventCell& cell)
{
    if (cell.state.exchange(1) == 2)
        futex_wake(cell.state, INT_MAX);
}

void event_block(EventCell& cell)
{
    // Already blocked (0 or 2) stays as it is, so announced waiters are not forgotten.
    std::uint32_t unblocked = 1;
    cell.state.compare_exchange_strong(unblocked, 0);
}

bool init_semaphore(void* base, std::uint32_t initial, std::uint32_t maximum)
{
    write_header(base, CellKind::semaphore);
    auto* cell = static_cast<SemaphoreCell*>(base);
    new (&cell->count) std::atomic<std::uint32_t>(initial);
    new (&cell->waiters) std::atomic<std::uint32_t>(0);
    cell->maximum = maximum;
    return true;
}

bool semaphore_take(SemaphoreCell& cell)
{
    for (;;) {
        std::uint32_t count = cell.count.load();
        while (count > 0) {
            if (cell.count.compare_exchange_weak(count, count - 1))
                return true;
        }
        // The giver adds to the count before it reads the waiter count; the futex
        // re-checks the count, so a unit given in between is never slept through.
        cell.waiters.fetch_add(1);
        bool failed = futex_wait(cell.count, 0, nullptr) != 0 && errno != EAGAIN && errno != EINTR;
        cell.waiters.fetch_sub(1);
        if (failed)
            return false;
    }
}

bool semaphore_give(SemaphoreCell& cell, std::uint32_t units)
{
    std::uint32_t count = cell.count.load();
    do {
        if (units > cell.maximum || count > cell.maximum - units)
            return false;
    } while (!cell.count.compare_exchange_weak(count, count + units));
    if (cell.waiters.load() > 0)
        futex_wake(cell.count, static_cast<int>(units));
    return true;
}

bool init_mutex(void* base)
{
    write_header(base, CellKind::mutex);
    auto* cell = static_cast<MutexCell*>(base);
    pthread_mutexattr_t attr;
    if (pthread_mutexattr_init(&attr) != 0)
        return false;
    bool ok = pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED) == 0
        && pthread_mutexattr_setrobust(&attr, PTHREAD_MUTEX_ROBUST) == 0
        && pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE) == 0
        && pthread_mutex_init(&cell->mutex, &attr) == 0;
    pthread_mutexattr_destroy(&attr);
    return ok;
}

} // namespace plinth::sync
