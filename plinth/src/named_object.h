#pragma once
// The create/open/close pattern that events, mutexes, reader/writer locks and
// shared memory share: key 0 is private and unregistered, a named object is held
// by the persist server from its creation until some process condemns it.
#include <cstddef>
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

} // namespace plinth::named
