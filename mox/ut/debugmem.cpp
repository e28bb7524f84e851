// The checked allocator: every block carries guard bytes on both sides and a record of where it
// was allocated, so that overruns and bad frees are caught at the point of release and blocks
// still held at shutdown can be traced.
#include "mox/ut.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr uint8_t kHeadGuard[8] = { 0xDE, 0xAD, 0xBE, 0xEF, 0x1F, 0x3D, 0x5B, 0x79 };
constexpr uint8_t kTailGuard[8] = { 0x97, 0xB5, 0xD3, 0xF1, 0xFE, 0xEB, 0xDA, 0xED };
constexpr size_t kGuard = 8;
constexpr uint8_t kFreedFill = 0xF5;

struct Record {
    const char* tag;
    int line;
    uint8_t* raw;
    size_t size;
};

// Newest record last; searches run from the back, i.e. from the newest block.
struct Registry {
    std::mutex lock;
    std::vector<Record> records;
    long failAfter = -1;
    void (*freeHook)(const uint8_t*, size_t) = nullptr;
};

Registry& registry()
{
    static Registry* r = new Registry; // never destroyed: blocks may be freed during exit
    return *r;
}

bool injectedFailure(Registry& r)
{
    if (r.failAfter < 0)
        return false;
    if (r.failAfter == 0)
        return true;
    --r.failAfter;
    return false;
}

void writeGuards(uint8_t* raw, size_t size)
{
    std::memcpy(raw, kHeadGuard, kGuard);
    std::memcpy(raw + kGuard + size, kTailGuard, kGuard);
}

bool guardsIntact(const Record& rec)
{
    return std::memcmp(rec.raw, kHeadGuard, kGuard) == 0
        && std::memcmp(rec.raw + kGuard + rec.size, kTailGuard, kGuard) == 0;
}

// Index of the record whose user area is `user`, or -1.
long findRecord(Registry& r, const void* user)
{
    for (size_t i = r.records.size(); i-- > 0;)
        if (r.records[i].raw + kGuard == user)
            return static_cast<long>(i);
    return -1;
}

// The record of `user` with its guards intact, or -1 after reporting (`unknown` when there is no
// record); the report runs without the lock.
long intactRecord(Registry& r, std::unique_lock<std::mutex>& hold, const void* user, const char* tag, int line,
    const char* unknown)
{
    const long idx = findRecord(r, user);
    const char* fault = unknown;
    if (idx >= 0) {
        if (guardsIntact(r.records[idx]))
            return idx;
        fault = "wrote beyond allocated bounds";
    }
    hold.unlock();
    ut_diag(tag, line, 0, UT_SEV_FATAL, "%s", fault);
    return -1;
}

} // namespace

void* ut_alloc(const char* tag, int line, size_t size)
{
    Registry& r = registry();
    std::lock_guard<std::mutex> hold(r.lock);
    if (size > SIZE_MAX - 2 * kGuard || injectedFailure(r))
        return nullptr;
    try {
        r.records.reserve(r.records.size() + 1);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    auto* raw = static_cast<uint8_t*>(std::malloc(size + 2 * kGuard));
    if (!raw)
        return nullptr;
    writeGuards(raw, size);
    r.records.push_back(Record { tag, line, raw, size });
    return raw + kGuard;
}

void* ut_realloc(const char* tag, int line, void* user, size_t size)
{
    if (!user)
        return ut_alloc(tag, line, size);
    Registry& r = registry();
    std::unique_lock<std::mutex> hold(r.lock);
    const long idx = intactRecord(r, hold, user, tag, line, "attempt to ensure unallocated block of memory");
    if (idx < 0)
        return nullptr;
    if (size > SIZE_MAX - 2 * kGuard || injectedFailure(r))
        return nullptr;
    auto* raw = static_cast<uint8_t*>(std::realloc(r.records[idx].raw, size + 2 * kGuard));
    if (!raw)
        return nullptr; // the old block stays valid and recorded
    writeGuards(raw, size);
    r.records.erase(r.records.begin() + idx);
    r.records.push_back(Record { tag, line, raw, size });
    return raw + kGuard;
}

void ut_free(const char* tag, int line, void* user)
{
    if (!user)
        return;
    Registry& r = registry();
    std::unique_lock<std::mutex> hold(r.lock);
    const long idx = intactRecord(r, hold, user, tag, line, "attempt to free unallocated block of memory");
    if (idx < 0)
        return;
    Record rec = r.records[idx];
    // Filling the freed bytes makes a use after free show up as a recognisable pattern.
    std::memset(rec.raw, kFreedFill, rec.size + 2 * kGuard);
    r.records.erase(r.records.begin() + idx);
    if (r.freeHook)
        r.freeHook(rec.raw, rec.size + 2 * kGuard);
    std::free(rec.raw);
}

int ut_mem_held()
{
    Registry& r = registry();
    std::lock_guard<std::mutex> hold(r.lock);
    return static_cast<int>(r.records.size());
}

size_t ut_mem_held_bytes()
{
    Registry& r = registry();
    std::lock_guard<std::mutex> hold(r.lock);
    size_t total = 0;
    for (const Record& rec : r.records)
        total += rec.size;
    return total;
}

void ut_mem_fail_after(long allowed)
{
    Registry& r = registry();
    std::lock_guard<std::mutex> hold(r.lock);
    r.failAfter = allowed;
}

void ut_mem_set_free_hook(void (*hook)(const uint8_t* raw, size_t bytes))
{
    Registry& r = registry();
    std::lock_guard<std::mutex> hold(r.lock);
    r.freeHook = hook;
}

// Lists the blocks still held into "<prog>.unf", newest first.
int ut_finish()
{
    std::vector<Record> held;
    {
        Registry& r = registry();
        std::lock_guard<std::mutex> hold(r.lock);
        held.assign(r.records.rbegin(), r.records.rend());
    }
    if (held.empty())
        return 0;
    ut_diag(UT_HERE, UT_ERR_HELD_AT_SHUTDOWN, UT_SEV_RECOVER, "memory still allocated on shutdown");
    std::string name = std::string(ut_progname()) + ".mlg";
    name.replace(name.size() - 3, 3, "unf");
    FILE* f = std::fopen(name.c_str(), "w");
    if (!f) {
        ut_diag(UT_HERE, UT_ERR_STATS_FILE, UT_SEV_RECOVER, "unable to append to memory statistics file `%s'",
            name.c_str());
        return static_cast<int>(held.size());
    }
    std::fprintf(f, "Memory still allocated:\n");
    for (const Record& rec : held)
        std::fprintf(f, "%zu bytes at %p from line %d of %s\n", rec.size, static_cast<void*>(rec.raw),
            rec.line, rec.tag ? rec.tag : "?");
    std::fclose(f);
    return static_cast<int>(held.size());
}
