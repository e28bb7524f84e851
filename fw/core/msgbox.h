#pragma once
// Message-box types and results, with the values the workstation's callers pass and test, and
// the one road every message box of the process takes: the application's handler when an
// application exists, else the test hook, else standard error. Free of Qt, so libraries
// without windows (kvcore's logic) ask the user the same way the windows do.
#include "fw/core/fw_core_api.h"
#include <cstdint>
#include <functional>
#include <string>

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

// Answers every message box while set (tests script the answers); texts are Windows-1250.
using MessageBoxHook = std::function<int(const std::string& text, uint32_t type)>;
FW_CORE_API void setMessageBoxHook(MessageBoxHook hook);
FW_CORE_API const MessageBoxHook& messageBoxHook();

// The application installs its doMessageBox here for its lifetime; an empty handler removes it.
using MessageBoxHandler = std::function<int(const std::string& text, uint32_t type, uint32_t helpId)>;
FW_CORE_API void setMessageBoxHandler(MessageBoxHandler handler);

// Shows a message box: through the application's handler when one is installed, else through
// the test hook, else the text goes to standard error and the unattended answer comes back.
// Returns IDOK, IDCANCEL, IDYES or IDNO.
FW_CORE_API int messageBox(const std::string& text, uint32_t type = MB_OK, uint32_t helpId = 0);
// The answer of a box nobody can see: the one that changes nothing (OK, No or Cancel).
FW_CORE_API int unattendedAnswer(uint32_t type);

} // namespace fw
