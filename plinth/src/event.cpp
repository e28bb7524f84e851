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

} // namespace

PLINTH_API PlinthEvent* EventCreate(int key)
{
    using namespace plinth;
    return named::create_handle<PlinthEvent>(
        persist::kEventType, key, sizeof(sync::EventCell), sync::init_event, kEventTag);
}

PLINTH_API PlinthEvent* EventOpen(int key)
{
    using namespace plinth;
    return named::open_handle<PlinthEvent>(persist::kEventType, key, sync::CellKind::event, kEventTag);
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
    return plinth::named::condemn_handle(handle, kEventTag);
}

PLINTH_API int EventClose(PlinthEvent* handle)
{
    return plinth::named::close_handle(handle, kEventTag, plinth::persist::kEventType);
}
