#include "plinth/event.h"

#include <memory>

#include "named_object.h"
#include "persist_wire.h"

struct PlinthEvent {
    int condemned;
    int key;
    plinth::named::Segment segment;
    std::uint32_t tag;
};

namespace {

constexpr std::uint32_t kEventTag = 0x45564e54; // "EVNT"

plinth::sync::EventCell* cell(PlinthEvent* handle)
{
    return static_cast<plinth::sync::EventCell*>(handle->segment.base());
}

PlinthEvent* make_handle(int key, int condemned, plinth::named::Segment segment)
{
    auto handle
        = std::make_unique<PlinthEvent>(PlinthEvent { condemned, key, std::move(segment), kEventTag });
    return handle.release();
}

} // namespace

PLINTH_API PlinthEvent* EventCreate(int key)
{
    using namespace plinth;
    auto segment = named::create_object(persist::kEventType, key, sizeof(sync::EventCell), sync::init_event);
    if (!segment)
        return nullptr;
    // A private event is nobody else's, so it is condemned from the start.
    return make_handle(key, key == 0 ? 1 : 0, std::move(*segment));
}

PLINTH_API PlinthEvent* EventOpen(int key)
{
    using namespace plinth;
    auto segment = named::open_object(persist::kEventType, key, sync::CellKind::event);
    return segment ? make_handle(key, 0, std::move(*segment)) : nullptr;
}

PLINTH_API int EventSetToUnblocked(PlinthEvent* handle)
{
    if (!plinth::named::live_handle(handle, kEventTag))
        return 0;
    plinth::sync::event_unblock(*cell(handle));
    return 1;
}

PLINTH_API int EventSetToBlocked(PlinthEvent* handle)
{
    if (!plinth::named::live_handle(handle, kEventTag))
        return 0;
    plinth::sync::event_block(*cell(handle));
    return 1;
}

PLINTH_API int EventWait(PlinthEvent* handle, int seconds)
{
    if (!plinth::named::live_handle(handle, kEventTag))
        return 0;
    return plinth::sync::event_wait(*cell(handle), seconds);
}

PLINTH_API PlinthEvent* EventCondemn(PlinthEvent* handle)
{
    if (plinth::named::live_handle(handle, kEventTag))
        handle->condemned = 1;
    return handle;
}

PLINTH_API int EventClose(PlinthEvent* handle)
{
    if (!plinth::named::live_handle(handle, kEventTag))
        return 0;
    std::unique_ptr<PlinthEvent> owned(handle);
    owned->tag = 0;
    return plinth::named::close_object(
               owned->segment, owned->condemned != 0, plinth::persist::kEventType, owned->key)
        ? 1
        : 0;
}
