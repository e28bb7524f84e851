// Three-way comparisons for sorting and searching arrays of 16- and 32-bit
// values: negative, zero or positive, never a difference that can wrap.
#pragma once

#include <cstdint>
#include <cstring>

inline int CompareWords(const void* a, const void* b)
{
    uint16_t x = 0, y = 0;
    std::memcpy(&x, a, sizeof x);
    std::memcpy(&y, b, sizeof y);
    return (x > y) - (x < y);
}

inline int CompareUInts(const void* a, const void* b)
{
    uint32_t x = 0, y = 0;
    std::memcpy(&x, a, sizeof x);
    std::memcpy(&y, b, sizeof y);
    return (x > y) - (x < y);
}
