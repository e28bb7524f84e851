#pragma once
// What the sort dialog edits: up to three keys, each a column title and a direction.
// Qt-free so the rules (which keys show, when keys are committed) are tested alone.
#include "kvcore/kvcore_api.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kvcore {

struct KVCORE_API SortKeyEntry {
    std::string text; // column title as shown or typed
    bool ascending = true;
    bool enabled = true;
};

using SortKeyEntries = std::array<SortKeyEntry, 3>;

// The entries a dialog opens with: the first three stored keys (a key whose column is
// unknown shows empty); later keys are enabled only when the one before names a column.
KVCORE_API SortKeyEntries ShowSortKeys(const std::vector<std::string>& titles, const std::vector<std::uint32_t>& keys);
// Enables the second key only while the first names a column, the third only while the first
// two do; a key that goes disabled loses its text.
KVCORE_API void EnableSortKeys(const std::vector<std::string>& titles, SortKeyEntries& entries);
// Index of the column with that title (case ignored), or nullopt.
KVCORE_API std::optional<std::uint16_t> FindColumnTitle(const std::vector<std::string>& titles, const std::string& text);
// The keys the entries stand for, or nullopt with the 0-based entry that names no column;
// disabled or empty entries add nothing.
struct KVCORE_API SortKeysResult {
    std::optional<std::vector<std::uint32_t>> keys;
    int rejected = -1;
};
KVCORE_API SortKeysResult ReadSortKeys(const std::vector<std::string>& titles, const SortKeyEntries& entries);

} // namespace kvcore
