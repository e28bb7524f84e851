#include "tools/cp1250.h"

#include <cstdint>
#include <stdexcept>

namespace datagen {

namespace {

struct Letter {
    uint32_t code;
    unsigned char byte;
};

constexpr Letter kLetters[]
    = { { 0xE1, 0xE1 }, { 0xE9, 0xE9 }, { 0xED, 0xED }, { 0xF3, 0xF3 }, { 0xF6, 0xF6 }, { 0x151, 0xF5 },
          { 0xFA, 0xFA }, { 0xFC, 0xFC }, { 0x171, 0xFB }, { 0xC1, 0xC1 }, { 0xC9, 0xC9 }, { 0xCD, 0xCD },
          { 0xD3, 0xD3 }, { 0xD6, 0xD6 }, { 0x150, 0xD5 }, { 0xDA, 0xDA }, { 0xDC, 0xDC }, { 0x170, 0xDB } };

} // namespace

std::string Cp1250(const std::string& utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        if ((c & 0xE0) != 0xC0 || i + 1 >= utf8.size())
            throw std::runtime_error("not a two-byte UTF-8 letter in \"" + utf8 + "\"");
        const uint32_t code = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
        bool found = false;
        for (const Letter& l : kLetters) {
            if (l.code == code) {
                out += static_cast<char>(l.byte);
                found = true;
            }
        }
        if (!found)
            throw std::runtime_error("no Windows-1250 letter for \"" + utf8 + "\"");
    }
    return out;
}

} // namespace datagen
