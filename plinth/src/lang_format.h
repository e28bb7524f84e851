#pragma once
// The compiled language string file, byte for byte. Every integer is 32 bits little-endian:
//   N, N name offsets, S1, name area (S1 bytes),
//   M, M*N cells (text offset or -1, row-major), S2, text area (S2 bytes).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plinth::lang {

inline constexpr size_t kIntSize = 4;
inline constexpr int32_t kNoText = -1;

struct CompiledTable {
    std::vector<uint32_t> nameOffsets; // one per language, into `names`
    std::string names;                 // zero-terminated names
    uint32_t rows = 0;
    std::vector<int32_t> cells;        // rows * languages
    std::string texts;                 // zero-terminated texts

    uint32_t languages() const { return static_cast<uint32_t>(nameOffsets.size()); }
};

// The file's bytes; nullopt when a size does not fit 32 bits.
std::optional<std::string> encode(const CompiledTable& table);

// Checks every count, offset and size against the bytes given: nullopt unless each name
// and text offset points at a zero-terminated text inside its area. Bytes after the text
// area are ignored.
std::optional<CompiledTable> decode(const uint8_t* data, size_t size);

} // namespace plinth::lang
