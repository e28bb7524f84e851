#pragma once
// CDragDropDoc: a table document whose rows can be dragged to other windows and which may take
// rows dropped on it. What a row offers, what a drop is accepted and what a drop does are the
// row accessors of KvDragDropRows; their base versions offer and accept nothing.
#include "kvcore/controls/row_dragdrop.h"
#include "kvcore/doc/ct_doc.h"
#include "kvcore/kvcore_api.h"

#include <span>
#include <vector>

class KVCORE_API CDragDropDoc : public CTDoc, public KvDragDropRows {
public:
    ~CDragDropDoc() override;
    // The payload of the given view rows (grid rows, 1-based); rows that show no document row
    // are left out.
    std::vector<std::uint8_t> CacheGlobalData(std::span<const std::int32_t> viewRows);
};
