// How a table tells the windows that show it what changed: every listener
// (the windowed application forwards to its documents) hears the table id and
// either the changed rows (each once, in the order they changed) or nothing,
// meaning "redraw every row".
#pragma once

#include <cstdint>
#include <vector>

class CTableUpdateListener {
public:
    virtual ~CTableUpdateListener() = default;
    // changedRows null: the whole table changed.
    virtual void OnTableUpdate(uint16_t tableId, const std::vector<int>* changedRows) = 0;
};

// The caller keeps a listener alive until it is removed.
void KvAddTableListener(CTableUpdateListener* listener);
void KvRemoveTableListener(CTableUpdateListener* listener);
void KvUpdateAllDocuments(uint16_t tableId, const std::vector<int>* changedRows = nullptr);

// The windows that show securities (6), security boards (21) and indices (23),
// in this order: the security table's changes reach all three.
void UpdateLinkedDocuments(const std::vector<int>* changedRows = nullptr);
