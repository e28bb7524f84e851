#include "kvcore/doc/drag_drop_doc.h"

CDragDropDoc::~CDragDropDoc() = default;

std::vector<std::uint8_t> CDragDropDoc::CacheGlobalData(std::span<const std::int32_t> viewRows)
{
    return KvDragDropRows::CacheGlobalData(viewRows, [this](std::int32_t row) { return MapRowView2Doc(row); });
}
