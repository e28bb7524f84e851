#include "plinth/mutex.h"

#include <cerrno>
#include <memory>

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

PlinthMutex* make_handle(int key, int condemned, plinth::named::Segment segment)
{
    auto handle
        = std::make_unique<PlinthMutex>(PlinthMutex { condemned, key, std::move(segment), kMutexTag });
    return handle.release();
}

} // namespace

PLINTH_API PlinthMutex* MutexCreate(int key)
{
    using namespace plinth;
    auto segment = named::create_object(persist::kMutexType, key, sizeof(sync::MutexCell), sync::init_mutex);
    if (!segment)
        return nullptr;
    return make_handle(key, key == 0 ? 1 : 0, std::move(*segment));
}

PLINTH_API PlinthMutex* MutexOpen(int key)
{
    using namespace plinth;
    auto segment = named::open_object(persist::kMutexType, key, sync::CellKind::mutex);
    return segment ? make_handle(key, 0, std::move(*segment)) : nullptr;
}

PLINTH_API int MutexGet(PlinthMutex* handle)
{
    if (!plinth::named::live_handle(handle, kMutexTag))
        return 0;
    pthread_mutex_t* mutex = platform_mutex(handle);
    int result = pthread_mutex_lock(mutex);
    if (result == EOWNERDEAD) {
        // The owner died holding it: the mutex is ours now, as on the original
        // platform's abandoned mutex; mark it usable for everybody after us.
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
    if (plinth::named::live_handle(handle, kMutexTag))
        handle->condemned = 1;
    return handle;
}

PLINTH_API int MutexClose(PlinthMutex* handle)
{
    if (!plinth::named::live_handle(handle, kMutexTag))
        return 0;
    std::unique_ptr<PlinthMutex> owned(handle);
    owned->tag = 0;
    return plinth::named::close_object(
               owned->segment, owned->condemned != 0, plinth::persist::kMutexType, owned->key)
        ? 1
        : 0;
}
