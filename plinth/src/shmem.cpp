#include "plinth/shmem.h"

#include <memory>

#include "named_object.h"
#include "persist_wire.h"

struct PlinthShmem {
    int condemned;
    void* base;
    int key;
    plinth::named::Segment segment;
    std::uint32_t tag;
};

namespace {

constexpr std::uint32_t kShmemTag = 0x53484d4d; // "SHMM"

PlinthShmem* make_handle(int key, int condemned, plinth::named::Segment segment)
{
    void* base = segment.base();
    auto handle
        = std::make_unique<PlinthShmem>(PlinthShmem { condemned, base, key, std::move(segment), kShmemTag });
    return handle.release();
}

// A fresh segment is zero-filled by the system already.
bool no_initialisation(void*)
{
    return true;
}

} // namespace

PLINTH_API PlinthShmem* ShmemCreate(int key, size_t size)
{
    using namespace plinth;
    if (size == 0)
        return nullptr;
    auto segment = named::create_object(persist::kShmemType, key, size, no_initialisation);
    if (!segment)
        return nullptr;
    return make_handle(key, key == 0 ? 1 : 0, std::move(*segment));
}

PLINTH_API PlinthShmem* ShmemOpen(int key)
{
    using namespace plinth;
    if (key == 0)
        return nullptr;
    auto segment = named::open_object(persist::kShmemType, key, std::nullopt);
    return segment ? make_handle(key, 0, std::move(*segment)) : nullptr;
}

PLINTH_API void* ShmemGetPointer(PlinthShmem* handle)
{
    return plinth::named::live_handle(handle, kShmemTag) ? handle->base : nullptr;
}

PLINTH_API int ShmemReadOnly(PlinthShmem* handle)
{
    if (!plinth::named::live_handle(handle, kShmemTag))
        return 0;
    return handle->segment.protect(false) ? 1 : 0;
}

PLINTH_API int ShmemReadWrite(PlinthShmem* handle)
{
    if (!plinth::named::live_handle(handle, kShmemTag))
        return 0;
    return handle->segment.protect(true) ? 1 : 0;
}

PLINTH_API PlinthShmem* ShmemCondemn(PlinthShmem* handle)
{
    if (plinth::named::live_handle(handle, kShmemTag))
        handle->condemned = 1;
    return handle;
}

PLINTH_API int ShmemClose(PlinthShmem* handle)
{
    if (!plinth::named::live_handle(handle, kShmemTag))
        return 0;
    std::unique_ptr<PlinthShmem> owned(handle);
    owned->tag = 0;
    return plinth::named::close_object(
               owned->segment, owned->condemned != 0, plinth::persist::kShmemType, owned->key)
        ? 1
        : 0;
}
