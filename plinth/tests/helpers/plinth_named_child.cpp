// Child process for the named-object tests: each command does one thing to a
// named object from another process and reports through its exit code
// (0 done, 1 a wait that was unblocked, 2 could not open or create, 3 wrong data,
// 4 bad arguments).
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "plinth/event.h"
#include "plinth/mutex.h"
#include "plinth/reslock.h"
#include "plinth/shmem.h"

namespace {

std::uint8_t pattern_byte(std::size_t index, int seed)
{
    return static_cast<std::uint8_t>(index * 31 + static_cast<std::size_t>(seed));
}

// The reader/writer tests log the order of events in a shared block: a count,
// then one code per entry.
void log_entry(PlinthShmem* log, std::uint32_t code)
{
    auto* words = static_cast<std::uint32_t*>(ShmemGetPointer(log));
    std::uint32_t slot = std::atomic_ref<std::uint32_t>(words[0]).fetch_add(1);
    std::atomic_ref<std::uint32_t>(words[1 + slot % 64]).store(code);
}

int shm_write(int key, std::size_t size, int seed)
{
    PlinthShmem* shm = ShmemCreate(key, size);
    if (shm == nullptr)
        return 2;
    auto* bytes = static_cast<std::uint8_t*>(ShmemGetPointer(shm));
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = pattern_byte(i, seed);
    return ShmemClose(shm) == 1 ? 0 : 2;
}

int shm_read(int key, std::size_t size, int seed)
{
    PlinthShmem* shm = ShmemOpen(key);
    if (shm == nullptr)
        return 2;
    auto* bytes = static_cast<const std::uint8_t*>(ShmemGetPointer(shm));
    int result = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] != pattern_byte(i, seed))
            result = 3;
    }
    ShmemClose(shm);
    return result;
}

int shm_create_and_hang(int key, std::size_t size)
{
    if (ShmemCreate(key, size) == nullptr)
        return 2;
    for (int i = 0; i < 600; ++i)
        sleep(1); // killed by the test long before
    return 0;
}

int event_wait(int key, int seconds)
{
    PlinthEvent* event = EventOpen(key);
    if (event == nullptr)
        return 2;
    int result = EventWait(event, seconds);
    EventClose(event);
    return result;
}

int mutex_count(int mutex_key, int shm_key, int iterations)
{
    PlinthMutex* mutex = MutexOpen(mutex_key);
    PlinthShmem* shm = ShmemOpen(shm_key);
    if (mutex == nullptr || shm == nullptr)
        return 2;
    volatile auto* counter = static_cast<std::uint32_t*>(ShmemGetPointer(shm));
    for (int i = 0; i < iterations; ++i) {
        // Taken twice: the second get must not block the owner.
        if (MutexGet(mutex) != 1 || MutexGet(mutex) != 1)
            return 3;
        std::uint32_t value = *counter;
        if (i % 16 == 0)
            std::this_thread::yield();
        *counter = value + 1;
        if (MutexRelease(mutex) != 1 || MutexRelease(mutex) != 1)
            return 3;
    }
    ShmemClose(shm);
    MutexClose(mutex);
    return 0;
}

int mutex_die(int key)
{
    PlinthMutex* mutex = MutexOpen(key);
    if (mutex == nullptr || MutexGet(mutex) != 1)
        return 2;
    _exit(0); // with the mutex still owned
}

int reslock_use(int lock_key, int log_key, bool write, std::uint32_t code)
{
    PlinthReslock* lock = ReslockOpen(lock_key);
    PlinthShmem* log = ShmemOpen(log_key);
    if (lock == nullptr || log == nullptr)
        return 2;
    if ((write ? ReslockGetWrite(lock) : ReslockGetRead(lock)) != 1)
        return 3;
    log_entry(log, code);
    if (write)
        log_entry(log, code + 1);
    if ((write ? ReslockReleaseWrite(lock) : ReslockReleaseRead(lock)) != 1)
        return 3;
    ShmemClose(log);
    ReslockClose(lock);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 4;
    std::string command = argv[1];
    int a = std::atoi(argv[2]);
    int b = argc > 3 ? std::atoi(argv[3]) : 0;
    int c = argc > 4 ? std::atoi(argv[4]) : 0;
    if (command == "shm-write")
        return shm_write(a, static_cast<std::size_t>(b), c);
    if (command == "shm-read")
        return shm_read(a, static_cast<std::size_t>(b), c);
    if (command == "shm-hang")
        return shm_create_and_hang(a, static_cast<std::size_t>(b));
    if (command == "event-wait")
        return event_wait(a, b);
    if (command == "mutex-count")
        return mutex_count(a, b, c);
    if (command == "mutex-die")
        return mutex_die(a);
    if (command == "reslock-read")
        return reslock_use(a, b, false, static_cast<std::uint32_t>(c));
    if (command == "reslock-write")
        return reslock_use(a, b, true, static_cast<std::uint32_t>(c));
    return 4;
}
