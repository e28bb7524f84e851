#include "named_object.h"

#include "persist_client.h"
#include "persist_wire.h"

namespace plinth::named {
namespace {

// Nullopt for a type out of range or an unusable namespace.
std::optional<std::string> object_name(int type, int key)
{
    const char* pattern = persist::name_pattern(type);
    if (pattern == nullptr)
        return std::nullopt;
    return segment_name(pattern, key);
}

} // namespace

std::optional<Segment> create_segment(int type, int key, std::size_t size, const Segment::Initialiser& init)
{
    if (key == 0)
        return Segment::create_private(size, init);
    auto name = object_name(type, key);
    if (!name)
        return std::nullopt;
    Segment segment;
    if (Segment::create(*name, size, init, segment) != Segment::CreateResult::created)
        return std::nullopt;
    return segment;
}

std::optional<Segment> create_object(int type, int key, std::size_t size, const Segment::Initialiser& init)
{
    auto segment = create_segment(type, key, size, init);
    if (!segment || key == 0)
        return segment;
    // A named object never exists without the server holding it: it would vanish
    // with its creator.
    if (persist::PersistAccept(type, key) != 1)
        return std::nullopt;
    return segment;
}

std::optional<Segment> open_object(int type, int key, std::optional<sync::CellKind> kind)
{
    auto name = object_name(type, key);
    if (!name)
        return std::nullopt;
    auto segment = Segment::open(*name, true);
    if (!segment)
        return std::nullopt;
    if (kind && !sync::cell_matches(segment->base(), segment->size(), *kind))
        return std::nullopt;
    return segment;
}

bool close_object(Segment& segment, bool condemned, int type, int key)
{
    if (condemned && key != 0)
        persist::PersistRelease(type, key);
    return segment.close();
}

} // namespace plinth::named
