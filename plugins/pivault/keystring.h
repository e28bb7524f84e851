#pragma once
// The scrambling key: a long text of decimal digits that every process builds
// alike from fixed generator constants, and the transform that combines a
// payload with it.
#include <cstdint>
#include <string>

namespace pivault {

inline constexpr int kKeyStringSize = 30000;
// The key string gives way to the payload's length text every 83 characters.
inline constexpr std::size_t kSwitchPeriod = 83;

// A combined multiple-recursive generator of two order-three components; [0]
// holds the newest value of each.
struct MrgState {
    int32_t x[3];
    int32_t y[3];
};
MrgState MrgStart();
// The next output; it may be negative.
int32_t MrgNext(MrgState& state);
// One output as the key string carries it: at least 8 digits, a negative
// output as its 32-bit unsigned value.
std::string FormatBlock(int32_t value);
// Whole blocks while the text stays below `size` characters. Throws
// std::bad_alloc when memory runs out.
std::string BuildKeyString(int size);

// Combines `length` bytes of `in` with the key and the length text into `out`
// (which may be `in`). Applying it twice gives the input back.
void Scramble(const std::string& key, const uint8_t* in, int length, uint8_t* out);

} // namespace pivault
