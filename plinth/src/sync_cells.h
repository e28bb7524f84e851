#pragma once
// The synchronisation cells that live inside named segments. Events and
// semaphores wait on a futex word rather than a process-shared pthread condition:
// a process killed while waiting on such a condition leaves it unusable for every
// other process (a later broadcast can block for ever), while a futex word keeps
// no per-waiter state. Mutexes are robust pthread mutexes, so the death of an
// owner hands the mutex on instead of locking everybody out.
#include <pthread.h>

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace plinth::sync {

enum class CellKind : std::uint32_t { event = 1, mutex = 2, semaphore = 3 };

// Every cell starts with this header so an open can refuse a segment of another kind.
struct CellHeader {
    std::uint32_t magic;
    CellKind kind;
};
constexpr std::uint32_t kCellMagic = 0x504c4e54; // "PLNT"

struct EventCell {
    CellHeader header;
    // 0 blocked, 1 unblocked, 2 blocked with (possible) waiters.
    std::atomic<std::uint32_t> state;
    std::uint32_t reserved;
};

struct SemaphoreCell {
    CellHeader header;
    std::atomic<std::uint32_t> count;
    std::atomic<std::uint32_t> waiters;
    std::uint32_t maximum;
    std::uint32_t reserved;
};

struct MutexCell {
    CellHeader header;
    std::uint64_t reserved;
    pthread_mutex_t mutex;
};

// The cells are shared between processes built from this same library, so the
// layout is fixed here once and checked.
static_assert(std::atomic<std::uint32_t>::is_always_lock_free);
static_assert(sizeof(std::atomic<std::uint32_t>) == 4);
static_assert(offsetof(EventCell, state) == 8 && sizeof(EventCell) == 16);
static_assert(offsetof(SemaphoreCell, count) == 8 && offsetof(SemaphoreCell, waiters) == 12
    && offsetof(SemaphoreCell, maximum) == 16 && sizeof(SemaphoreCell) == 24);
static_assert(offsetof(MutexCell, mutex) == 16);

std::size_t cell_size(CellKind kind);
// True when the header at base (of a segment of size bytes) is a cell of kind.
bool cell_matches(const void* base, std::size_t size, CellKind kind);

bool init_event(void* base);
// 1 when the event was unblocked; seconds < 0 waits without limit, 0 only tests.
int event_wait(EventCell& cell, int seconds);
void event_unblock(EventCell& cell);
void event_block(EventCell& cell);

bool init_semaphore(void* base, std::uint32_t initial, std::uint32_t maximum);
// Waits without limit for one unit; false only on a system error.
bool semaphore_take(SemaphoreCell& cell);
// False (and nothing given) when the count would pass its maximum.
bool semaphore_give(SemaphoreCell& cell, std::uint32_t units);

// False when the system refused a robust, recursive, process-shared mutex.
bool init_mutex(void* base);

} // namespace plinth::sync
