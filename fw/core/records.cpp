#include "fw/core/records.h"

#include "fw/core/archive.h"

namespace fw {
namespace {

void put16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(std::uint8_t* p, std::uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        p[k] = static_cast<std::uint8_t>(v >> (8 * k));
}

std::uint16_t get16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t get32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
        | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t getI32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(get32(p));
}

std::string keyName(std::uint16_t key, bool virtKey)
{
    if (!virtKey)
        return key >= 0x20 && key < 0x7F ? std::string(1, static_cast<char>(key)) : "#" + std::to_string(key);
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= vk::F1 && key < vk::F1 + 24)
        return "F" + std::to_string(key - vk::F1 + 1);
    if (key >= vk::Numpad0 && key <= vk::Numpad0 + 9)
        return "Num+" + std::to_string(key - vk::Numpad0);
    struct Named {
        std::uint16_t key;
        const char* name;
    };
    static constexpr Named names[] = {
        { vk::Back, "Backspace" },
        { vk::Tab, "Tab" },
        { vk::Return, "Return" },
        { vk::Escape, "Esc" },
        { vk::Space, "Space" },
        { vk::Prior, "PgUp" },
        { vk::Next, "PgDown" },
        { vk::End, "End" },
        { vk::Home, "Home" },
        { vk::Left, "Left" },
        { vk::Up, "Up" },
        { vk::Right, "Right" },
        { vk::Down, "Down" },
        { vk::Insert, "Ins" },
        { vk::Delete, "Del" },
        { vk::Multiply, "Num+*" },
        { vk::Add, "Num++" },
        { vk::Subtract, "Num+-" },
        { vk::Decimal, "Num+." },
        { vk::Divide, "Num+/" },
    };
    for (const auto& n : names)
        if (n.key == key)
            return n.name;
    return "Key " + std::to_string(key);
}

} // namespace

std::array<std::uint8_t, AccelRecord::kSize> AccelRecord::encode() const
{
    std::array<std::uint8_t, kSize> b {};
    b[0] = flags;
    b[1] = 0;
    put16(&b[2], key);
    put16(&b[4], cmd);
    return b;
}

AccelRecord AccelRecord::decode(std::span<const std::uint8_t, kSize> b)
{
    return AccelRecord { b[0], get16(&b[2]), get16(&b[4]) };
}

void writeAccelTable(Archive& ar, std::span<const AccelRecord> table)
{
    ar.writeCount(static_cast<std::uint32_t>(table.size()));
    for (const auto& a : table)
        ar.writeBytes(a.encode());
}

std::vector<AccelRecord> readAccelTable(Archive& ar)
{
    const std::uint32_t n = ar.readCount(AccelRecord::kSize);
    std::vector<AccelRecord> table;
    table.reserve(n);
    std::array<std::uint8_t, AccelRecord::kSize> b {};
    for (std::uint32_t i = 0; i < n; ++i) {
        ar.readBytes(b);
        table.push_back(AccelRecord::decode(b));
    }
    return table;
}

std::string accelKeyName(const AccelRecord& accel)
{
    std::string name;
    if (accel.flags & AccelControl)
        name += "Ctrl+";
    if (accel.flags & AccelAlt)
        name += "Alt+";
    if (accel.flags & AccelShift)
        name += "Shift+";
    return name + keyName(accel.key, accel.flags & AccelVirtKey);
}

std::array<std::uint8_t, WindowPlacement::kSize> WindowPlacement::encode() const
{
    std::array<std::uint8_t, kSize> b {};
    const std::uint32_t fields[] = { length, flags, showCmd, static_cast<std::uint32_t>(minPosition.x),
        static_cast<std::uint32_t>(minPosition.y), static_cast<std::uint32_t>(maxPosition.x),
        static_cast<std::uint32_t>(maxPosition.y), static_cast<std::uint32_t>(normalPosition.left),
        static_cast<std::uint32_t>(normalPosition.top), static_cast<std::uint32_t>(normalPosition.right),
        static_cast<std::uint32_t>(normalPosition.bottom) };
    static_assert(sizeof fields == kSize);
    for (std::size_t k = 0; k < std::size(fields); ++k)
        put32(&b[4 * k], fields[k]);
    return b;
}

WindowPlacement WindowPlacement::decode(std::span<const std::uint8_t, kSize> b)
{
    WindowPlacement p;
    p.length = get32(&b[0]);
    p.flags = get32(&b[4]);
    p.showCmd = get32(&b[8]);
    p.minPosition = { getI32(&b[12]), getI32(&b[16]) };
    p.maxPosition = { getI32(&b[20]), getI32(&b[24]) };
    p.normalPosition = { getI32(&b[28]), getI32(&b[32]), getI32(&b[36]), getI32(&b[40]) };
    return p;
}

void writePlacement(Archive& ar, const WindowPlacement& placement)
{
    ar.writeBytes(placement.encode());
}

WindowPlacement readPlacement(Archive& ar)
{
    std::array<std::uint8_t, WindowPlacement::kSize> b {};
    ar.readBytes(b);
    return WindowPlacement::decode(b);
}

void writeColor(Archive& ar, Color color)
{
    ar.writeDWord(color.ref);
}

Color readColor(Archive& ar)
{
    return Color { ar.readDWord() };
}

} // namespace fw
