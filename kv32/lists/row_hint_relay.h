// A host table's row hint passed on to a window whose rows stand in an order
// of their own, so that the grid repaints only the rows of the records that
// changed; any other update redoes the whole document.
#pragma once

#include <cstdint>

#include "kvcore/doc/ct_doc.h"
#include "kvcore/grid/ct_hint.h"

// markRows(hostHint) adds to `rows` the window rows of the records the host
// flags; `rows` is cleared and sized for the document's rows first.
template <class MarkRows>
void KvRelayRowHint(CTDoc& doc, intptr_t hint, fw::Hint* object, kvcore::CTHint& rows, MarkRows markRows)
{
    const auto* hostHint = dynamic_cast<const fw::RowHint*>(object);
    if (hostHint == nullptr) {
        doc.CTDoc::UpdateDocument(hint, nullptr);
        return;
    }
    rows.Clear();
    rows.SetSize(doc.GetRowCount());
    markRows(*hostHint);
    doc.kvcore::CTGXDoc::UpdateDocument(hint, &rows);
}
