#pragma once
// Column titles made at run time (a window whose columns depend on the host's data) are kept as
// atoms: a 16-bit number standing for a text, so they fit the grid document's word list of
// available columns beside string-table ids. Adding a text again gives the same atom (letter
// case ignored) and counts a reference; an atom goes with its last reference.
#include "kvcore/kvcore_api.h"

#include <cstdint>
#include <string>

namespace kvcore {

constexpr std::size_t kMaxAtomLength = 255;

// 0 when the text is empty or longer than kMaxAtomLength, or the table is full.
KVCORE_API std::uint16_t KvAddAtom(const std::string& text);
// The atom's text, at most maxLength characters; empty for an unknown atom.
KVCORE_API std::string KvGetAtomName(std::uint16_t atom, std::size_t maxLength = kMaxAtomLength);
// Drops one reference; false for an unknown atom.
KVCORE_API bool KvDeleteAtom(std::uint16_t atom);

} // namespace kvcore
