#include "plinth/shmem.h"

#include <memory>

#include "named_object.h"
#include "persist_wire.h"

struct PlinthShmem {
    int condemned;
    int key;
    plinth::named::Segment segment;
    std::uint32_t tag;
};

namespace {

constexpr std::uint32_t kShmemTag = 0x53484d4d; // "SHMM"

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
    return named::create_handle<PlinthShmem>(persist::kShmemType, key, size, no_initialisation, kShmemTag);
}

PLINTH_API PlinthShmem* ShmemOpen(int key)
{
    using namespace plinth;
    if (key == 0)
        return nullptr;
    return named::open_handle<PlinthShmem>(persist::kShmemType, key, std::nullopt, kShmemTag);
}

PLINTH_API void* ShmemGetPointer(PlinthShmem* handle)
{
    return plinth::named::live_handle(handle, kShmemTag) ? handle->segment.base() : nullptr;
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
    return plinth::named::condemn_handle(handle, kShmemTag);
}

PLINTH_API int ShmemClose(PlinthShmem* handle)
{
    return plinth::named::close_handle(handle, kShmemTag, plinth::persist::kShmemType);
}
