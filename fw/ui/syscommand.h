#pragma once
// The window commands a user gives a frame through its buttons, its window menu or the keys;
// frames may refuse each of them.
#include <cstdint>

namespace fw {

enum class SysCommand : uint8_t { Close, Move, Size, Minimize, Maximize, Restore };

} // namespace fw
