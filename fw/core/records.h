#pragma once
// Small fixed-layout records that travel in settings and workspace files: keyboard
// accelerators (6 bytes), window placement (44 bytes) and colours (32 bits). Their byte
// layouts are those of the stored files, written field by field, little-endian.
#include "fw/core/fw_core_api.h"
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fw {

class Archive;

// Modifier and kind bits of an accelerator's flags byte.
enum AccelFlags : std::uint8_t {
    AccelVirtKey = 0x01, // key is a virtual-key code, not a character
    AccelNoInvert = 0x02,
    AccelShift = 0x04,
    AccelControl = 0x08,
    AccelAlt = 0x10,
};

// Virtual-key codes that the workstation's accelerators use beside letters and digits
// (whose codes are their upper-case ASCII values).
namespace vk {
inline constexpr std::uint16_t Back = 0x08, Tab = 0x09, Return = 0x0D, Escape = 0x1B, Space = 0x20;
inline constexpr std::uint16_t Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24;
inline constexpr std::uint16_t Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28;
inline constexpr std::uint16_t Insert = 0x2D, Delete = 0x2E;
inline constexpr std::uint16_t Numpad0 = 0x60, Multiply = 0x6A, Add = 0x6B, Subtract = 0x6D, Decimal = 0x6E,
                               Divide = 0x6F;
inline constexpr std::uint16_t F1 = 0x70; // F1..F24 are consecutive
} // namespace vk

// One accelerator: flags byte, a padding byte (written 0, ignored when read), key, command.
struct FW_CORE_API AccelRecord {
    std::uint8_t flags = 0;
    std::uint16_t key = 0;
    std::uint16_t cmd = 0;

    static constexpr std::size_t kSize = 6;
    std::array<std::uint8_t, kSize> encode() const;
    static AccelRecord decode(std::span<const std::uint8_t, kSize> bytes);
    bool operator==(const AccelRecord&) const = default;
};

// The shortcut table record: an archive count, then the records as one block.
FW_CORE_API void writeAccelTable(Archive& ar, std::span<const AccelRecord> table);
FW_CORE_API std::vector<AccelRecord> readAccelTable(Archive& ar);

// A readable name of the key combination, e.g. "Ctrl+Shift+F5", "Alt+X" or "Num+7"; the
// names follow the portable key text of the widget toolkit, so the UI can parse them back.
FW_CORE_API std::string accelKeyName(const AccelRecord& accel);

struct FW_CORE_API Point {
    std::int32_t x = 0, y = 0;
    bool operator==(const Point&) const = default;
};
struct FW_CORE_API Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Rect&) const = default;
};

// How a window is shown (the showCmd field).
enum ShowCmd : std::uint32_t {
    ShowHide = 0,
    ShowNormal = 1,
    ShowMinimized = 2,
    ShowMaximized = 3,
    ShowRestore = 9,
};

// A window's placement: length (44), flags, show state, minimised and maximised positions,
// and the restored rectangle. A normal position of (-1, -1, -1, -1) means "none stored".
struct FW_CORE_API WindowPlacement {
    std::uint32_t length = kSize;
    std::uint32_t flags = 0;
    std::uint32_t showCmd = ShowNormal;
    Point minPosition;
    Point maxPosition;
    Rect normalPosition { -1, -1, -1, -1 };

    static constexpr std::size_t kSize = 44;
    bool hasPosition() const { return !(normalPosition == Rect { -1, -1, -1, -1 }); }
    std::array<std::uint8_t, kSize> encode() const;
    static WindowPlacement decode(std::span<const std::uint8_t, kSize> bytes);
    bool operator==(const WindowPlacement&) const = default;
};

FW_CORE_API void writePlacement(Archive& ar, const WindowPlacement& placement);
FW_CORE_API WindowPlacement readPlacement(Archive& ar);

// A colour as stored: 0x00BBGGRR.
struct FW_CORE_API Color {
    std::uint32_t ref = 0;

    static constexpr Color rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
    {
        return Color { static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8)
            | (static_cast<std::uint32_t>(b) << 16) };
    }
    constexpr std::uint8_t red() const { return static_cast<std::uint8_t>(ref); }
    constexpr std::uint8_t green() const { return static_cast<std::uint8_t>(ref >> 8); }
    constexpr std::uint8_t blue() const { return static_cast<std::uint8_t>(ref >> 16); }
    bool operator==(const Color&) const = default;
};

FW_CORE_API void writeColor(Archive& ar, Color color);
FW_CORE_API Color readColor(Archive& ar);

} // namespace fw
