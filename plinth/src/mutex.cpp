#include "plinth/mutex.h"

#include <cerrno>

#include "named_object.h"
#include "persist_wire.h"

struct PlinthMutex {
    int condemned;
    int key;
    plinth::named::Segment segment;
    std::uint32_t tag;
};

namespace {

constexpr std::uint32_t kMutexTag = 0x4d555458; // "MUTX"

pthread_mutex_t* platform_mutex(PlinthMutex* handle)
{
    return &static_cast<plinth::sync::MutexCell*>(handle->segment.base())->mutex;
}

} // namespace

PLINTH_API PlinthMutex* MutexCreate(int key)
{
    using namespace plinth;
    return named::create_handle<PlinthMutex>(
        persist::kMutexType, key, sizeof(sync::MutexCell), sync::init_mutex, kMutexTag);
}

PLINTH_API PlinthMutex* MutexOpen(int key)
{
    using namespace plinth;
    return named::open_handle<PlinthMutex>(persist::kMutexType, key, sync::CellKind::mutex, kMutexTag);
}

PLINTH_API int MutexGet(PlinthMutex* handle)
{
    if (!plinth::named::live_handle(handle, kMutexTag))
        return 0;
    pthread_mutex_t* mutex = platform_mutex(handle);
    int result = pthread_mutex_lock(mutex);
    if (result == EOWNERDEAD) {
        // The owner died holding it: the mutex passes to us, so that one process that
        // crashed cannot block all the others for good; mark it usable for everybody after us.
        result = pthread_mutex_consistent(mutex);
    }
    return result == 0 ? 1 : 0;
}

PLINTH_API int MutexRelease(PlinthMutex* handle)
{
    if (!plinth::named::live_handle(handle, kMutexTag))
        return 0;
    return pthread_mutex_unlock(platform_mutex(handle)) == 0 ? 1 : 0;
}

PLINTH_API PlinthMutex* MutexCondemn(PlinthMutex* handle)
{
    return plinth::named::condemn_handle(handle, kMutexTag);
}

PLINTH_API int MutexClose(PlinthMutex* handle)
{
    return plinth::named::close_handle(handle, kMutexTag, plinth::persist::kMutexType);
}
