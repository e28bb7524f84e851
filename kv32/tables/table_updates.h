// How a table tells the windows that show it what changed: every listener
// (the windowed application forwards to its documents) hears the table id and
// either a row hint flagging the changed rows or nothing, meaning "redraw
// every row".
#pragma once

#include <cstdint>

#include "fw/core/document.h"

class CTableUpdateListener {
public:
    virtual ~CTableUpdateListener() = default;
    // hint null: the whole table changed. The hint lives only for the call.
    virtual void OnTableUpdate(uint16_t tableId, const fw::RowHint* hint) = 0;
};

// The caller keeps a listener alive until it is removed.
void KvAddTableListener(CTableUpdateListener* listener);
void KvRemoveTableListener(CTableUpdateListener* listener);
void KvUpdateAllDocuments(uint16_t tableId, const fw::RowHint* hint = nullptr);

// The windows that show securities (6), security boards (21) and indices (23),
// in this order: the security table's changes reach all three.
void UpdateLinkedDocuments(const fw::RowHint* hint = nullptr);
