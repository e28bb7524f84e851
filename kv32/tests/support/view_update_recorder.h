// What a document's grid is told on an update: the view rows to repaint, or
// everything.
#pragma once

#include <set>

#include "fw/core/document.h"

namespace kv32test {

class ViewUpdateRecorder : public fw::DocumentView {
public:
    void onDocumentUpdate(fw::DocumentView*, intptr_t, fw::Hint* object) override
    {
        const auto* rows = dynamic_cast<const fw::RowHint*>(object);
        full = rows == nullptr;
        flagged.clear();
        if (rows != nullptr)
            for (int i = 0; i < rows->GetSize(); ++i)
                if (rows->GetRow(i))
                    flagged.insert(i);
        ++updates;
    }
    bool full = false;
    std::set<int> flagged;
    int updates = 0;
};

} // namespace kv32test
