#pragma once
// The create/open/close pattern that events, mutexes, reader/writer locks and
// shared memory share: key 0 is private and unregistered, a named object is held
// by the persist server from its creation until some process condemns it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "named_segment.h"
#include "sync_cells.h"

namespace plinth::named {

// The segment of a new object of a persist resource type, not yet registered:
// private for key 0, otherwise published under the type's name for key.
std::optional<Segment> create_segment(int type, int key, std::size_t size, const Segment::Initialiser& init);
// create_segment, then the persist server's hold for a named key; nothing is left
// behind when the server refuses.
std::optional<Segment> create_object(int type, int key, std::size_t size, const Segment::Initialiser& init);
// Opens the named object of type and key; a segment of another kind is refused.
std::optional<Segment> open_object(int type, int key, std::optional<sync::CellKind> kind);
// Lets the persist server go first when condemned and named, then closes.
bool close_object(Segment& segment, bool condemned, int type, int key);

// Handles are checked before use: a null or foreign pointer is refused. Each
// module's record carries its own tag.
template <typename Handle> bool live_handle(const Handle* handle, std::uint32_t tag)
{
    return handle != nullptr && handle->tag == tag;
}

// The handle of an object on one segment: a record of { condemned, key, segment, tag }.
// A private object (key 0) is nobody else's, so it is condemned from the start.
template <typename Handle>
Handle* create_handle(int type, int key, std::size_t size, const Segment::Initialiser& init, std::uint32_t tag)
{
    auto segment = create_object(type, key, size, init);
    if (!segment)
        return nullptr;
    return std::make_unique<Handle>(Handle { key == 0 ? 1 : 0, key, std::move(*segment), tag }).release();
}

template <typename Handle>
Handle* open_handle(int type, int key, std::optional<sync::CellKind> kind, std::uint32_t tag)
{
    auto segment = open_object(type, key, kind);
    if (!segment)
        return nullptr;
    return std::make_unique<Handle>(Handle { 0, key, std::move(*segment), tag }).release();
}

template <typename Handle> Handle* condemn_handle(Handle* handle, std::uint32_t tag)
{
    if (live_handle(handle, tag))
        handle->condemned = 1;
    return handle;
}

// Frees the record even when the system refuses to let go of the segment.
template <typename Handle> int close_handle(Handle* handle, std::uint32_t tag, int type)
{
    if (!live_handle(handle, tag))
        return 0;
    std::unique_ptr<Handle> owned(handle);
    owned->tag = 0;
    return close_object(owned->segment, owned->condemned != 0, type, owned->key) ? 1 : 0;
}

} // namespace plinth::named
