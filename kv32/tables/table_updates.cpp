#include "kv32/tables/table_updates.h"

#include <algorithm>

namespace {
std::vector<CTableUpdateListener*>& Listeners()
{
    static std::vector<CTableUpdateListener*> listeners;
    return listeners;
}
} // namespace

void KvAddTableListener(CTableUpdateListener* listener)
{
    if (listener != nullptr)
        Listeners().push_back(listener);
}

void KvRemoveTableListener(CTableUpdateListener* listener)
{
    auto& all = Listeners();
    all.erase(std::remove(all.begin(), all.end(), listener), all.end());
}

void KvUpdateAllDocuments(uint16_t tableId, const fw::RowHint* hint)
{
    // A copy: a listener may leave while it is told.
    const std::vector<CTableUpdateListener*> listeners = Listeners();
    for (CTableUpdateListener* listener : listeners)
        listener->OnTableUpdate(tableId, hint);
}

void UpdateLinkedDocuments(const fw::RowHint* hint)
{
    for (const uint16_t id : { uint16_t { 6 }, uint16_t { 21 }, uint16_t { 23 } })
        KvUpdateAllDocuments(id, hint);
}
