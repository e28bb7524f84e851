#pragma once
// The row record bytes of a test document's in-memory rows, or null outside them.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kvtest {

template <typename Row> const std::uint8_t* RowRecord(const std::vector<Row>& rows, int row)
{
    return row >= 0 && static_cast<std::size_t>(row) < rows.size()
        ? reinterpret_cast<const std::uint8_t*>(&rows[static_cast<std::size_t>(row)])
        : nullptr;
}

} // namespace kvtest
