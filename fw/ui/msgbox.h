#pragma once
// Message-box types and results, with the values the workstation's callers pass and test.
#include <cstdint>

namespace fw {

inline constexpr uint32_t MB_OK = 0x0;
inline constexpr uint32_t MB_OKCANCEL = 0x1;
inline constexpr uint32_t MB_YESNOCANCEL = 0x3;
inline constexpr uint32_t MB_YESNO = 0x4;
inline constexpr uint32_t MB_TYPEMASK = 0xF;
inline constexpr uint32_t MB_ICONHAND = 0x10;
inline constexpr uint32_t MB_ICONSTOP = MB_ICONHAND;
inline constexpr uint32_t MB_ICONQUESTION = 0x20;
inline constexpr uint32_t MB_ICONEXCLAMATION = 0x30;
inline constexpr uint32_t MB_ICONASTERISK = 0x40;
inline constexpr uint32_t MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr uint32_t MB_ICONMASK = 0xF0;
inline constexpr uint32_t MB_DEFBUTTON2 = 0x100;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

} // namespace fw
