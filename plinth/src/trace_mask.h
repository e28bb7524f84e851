#pragma once
#include <string_view>

namespace plinth {

// Bits of a mask text: items separated by commas and blanks, each a bit number n
// (1..32, bit n-1) or a range "a-b" (a 0..32, b >= a and b != 0; a is raised to 1 and
// b lowered to 32). Items of another shape are ignored.
unsigned int ParseTraceMask(std::string_view text);

} // namespace plinth
