#include "plinth/reslock.h"

#include <memory>

#include "named_object.h"
#include "persist_client.h"
#include "persist_wire.h"

struct PlinthReslock {
    int condemned;
    int key;
    plinth::named::Segment control;
    plinth::named::Segment resource;
    std::uint32_t tag;
};

namespace {

constexpr std::uint32_t kReslockTag = 0x52534c4b; // "RSLK"
// A reader holds one unit of the resource semaphore, a writer all of them.
constexpr std::uint32_t kReaderSlots = 20;

plinth::sync::SemaphoreCell& control(PlinthReslock* handle)
{
    return *static_cast<plinth::sync::SemaphoreCell*>(handle->control.base());
}

plinth::sync::SemaphoreCell& resource(PlinthReslock* handle)
{
    return *static_cast<plinth::sync::SemaphoreCell*>(handle->resource.base());
}

bool init_control(void* base)
{
    return plinth::sync::init_semaphore(base, 1, 1);
}
bool init_resource(void* base)
{
    return plinth::sync::init_semaphore(base, kReaderSlots, kReaderSlots);
}

PlinthReslock* make_handle(
    int key, int condemned, plinth::named::Segment control, plinth::named::Segment resource)
{
    auto handle = std::make_unique<PlinthReslock>(
        PlinthReslock { condemned, key, std::move(control), std::move(resource), kReslockTag });
    return handle.release();
}

} // namespace

PLINTH_API PlinthReslock* ReslockCreate(int key)
{
    using namespace plinth;
    constexpr auto size = sizeof(sync::SemaphoreCell);
    auto control = named::create_segment(persist::kReslockControlType, key, size, init_control);
    if (!control)
        return nullptr;
    auto resource = named::create_segment(persist::kReslockResourceType, key, size, init_resource);
    if (!resource)
        return nullptr;
    if (key != 0) {
        int held_resource = persist::PersistAccept(persist::kReslockResourceType, key);
        int held_control = held_resource == 1 ? persist::PersistAccept(persist::kReslockControlType, key) : 0;
        if (held_resource != 1 || held_control != 1) {
            if (held_resource == 1)
                persist::PersistRelease(persist::kReslockResourceType, key);
            return nullptr;
        }
    }
    return make_handle(key, key == 0 ? 1 : 0, std::move(*control), std::move(*resource));
}

PLINTH_API PlinthReslock* ReslockOpen(int key)
{
    using namespace plinth;
    auto control = named::open_object(persist::kReslockControlType, key, sync::CellKind::semaphore);
    if (!control)
        return nullptr;
    auto resource = named::open_object(persist::kReslockResourceType, key, sync::CellKind::semaphore);
    if (!resource)
        return nullptr;
    return make_handle(key, 0, std::move(*control), std::move(*resource));
}

PLINTH_API int ReslockGetRead(PlinthReslock* handle)
{
    using namespace plinth::sync;
    if (!plinth::named::live_handle(handle, kReslockTag))
        return 0;
    // Passing through the control semaphore queues a reader behind a writer that
    // is already collecting units.
    if (!semaphore_take(control(handle)))
        return 0;
    bool taken = semaphore_take(resource(handle));
    semaphore_give(control(handle), 1);
    return taken ? 1 : 0;
}

PLINTH_API int ReslockReleaseRead(PlinthReslock* handle)
{
    if (!plinth::named::live_handle(handle, kReslockTag))
        return 0;
    return plinth::sync::semaphore_give(resource(handle), 1) ? 1 : 0;
}

PLINTH_API int ReslockGetWrite(PlinthReslock* handle)
{
    using namespace plinth::sync;
    if (!plinth::named::live_handle(handle, kReslockTag))
        return 0;
    if (!semaphore_take(control(handle)))
        return 0;
    std::uint32_t taken = 0;
    while (taken < kReaderSlots && semaphore_take(resource(handle)))
        ++taken;
    if (taken < kReaderSlots && taken > 0)
        semaphore_give(resource(handle), taken);
    semaphore_give(control(handle), 1);
    return taken == kReaderSlots ? 1 : 0;
}

PLINTH_API int ReslockReleaseWrite(PlinthReslock* handle)
{
    if (!plinth::named::live_handle(handle, kReslockTag))
        return 0;
    return plinth::sync::semaphore_give(resource(handle), kReaderSlots) ? 1 : 0;
}

PLINTH_API PlinthReslock* ReslockCondemn(PlinthReslock* handle)
{
    return plinth::named::condemn_handle(handle, kReslockTag);
}

PLINTH_API int ReslockClose(PlinthReslock* handle)
{
    using namespace plinth;
    if (!named::live_handle(handle, kReslockTag))
        return 0;
    std::unique_ptr<PlinthReslock> owned(handle);
    owned->tag = 0;
    bool condemned = owned->condemned != 0;
    bool resource_closed
        = named::close_object(owned->resource, condemned, persist::kReslockResourceType, owned->key);
    bool control_closed
        = named::close_object(owned->control, condemned, persist::kReslockControlType, owned->key);
    return resource_closed && control_closed ? 1 : 0;
}
