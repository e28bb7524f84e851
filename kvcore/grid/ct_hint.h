#pragma once
// CTHint: the update hint of the table windows, one byte per row (1 = the row changed). A hint
// handed to a document's UpdateDocument marks document rows; the hint a grid document hands to
// its views marks view rows (index = grid row - 1). Rows beyond its end read as unchanged.
#include "fw/core/document.h"
#include "kvcore/kvcore_api.h"

namespace kvcore {

class KVCORE_API CTHint : public fw::RowHint {
public:
    CTHint() = default;
    explicit CTHint(int rows) : fw::RowHint(rows) {}
    ~CTHint() override;
};

// The hint number a grid document sends with its view hint when rows were appended: the low
// bits say "appended", the bits above 16 carry the row count before the append. The number is
// as wide as a pointer, so counts beyond 65535 survive.
constexpr intptr_t MakeAppendHint(long oldRowCount)
{
    return (static_cast<intptr_t>(oldRowCount) << 16) | 1;
}
constexpr long AppendedFrom(intptr_t hint) { return static_cast<long>(hint >> 16); }

} // namespace kvcore
