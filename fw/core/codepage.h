#pragma once
// Windows-1250 is the 8-bit text encoding of every program, host and file text in the
// workstation; this is the one place that converts it to and from UTF-8.
#include "fw/core/fw_core_api.h"
#include <cstddef>
#include <string>
#include <string_view>

namespace fw {

// The byte written for a character that Windows-1250 cannot represent.
inline constexpr char kUnmappableByte = '?';

struct FW_CORE_API ToCp1250Result {
    std::string text;
    // Characters that had no Windows-1250 byte (or malformed UTF-8 sequences); each became '?'.
    std::size_t unmappable = 0;
    bool ok() const { return unmappable == 0; }
};

// Every byte has a UTF-8 form: the five bytes that Windows-1250 leaves undefined
// (0x81 0x83 0x88 0x90 0x98) become the C1 controls of the same value, so a round trip
// through UTF-8 never loses a byte.
FW_CORE_API std::string cp1250ToUtf8(std::string_view cp1250);

// Characters without a Windows-1250 byte and malformed UTF-8 become '?' and are counted.
FW_CORE_API ToCp1250Result utf8ToCp1250(std::string_view utf8);

// One Unicode code point of a Windows-1250 byte, and the byte of a code point (-1: none).
FW_CORE_API char32_t cp1250ToUnicode(unsigned char byte);
FW_CORE_API int unicodeToCp1250(char32_t codePoint);

// Case mapping of the letters of Windows-1250 (ASCII and the accented Central European ones).
FW_CORE_API char cp1250ToLower(char c);
FW_CORE_API char cp1250ToUpper(char c);
FW_CORE_API std::string cp1250ToLower(std::string_view text);
// Case-insensitive comparison as profile keys and section names need it.
FW_CORE_API bool cp1250EqualNoCase(std::string_view a, std::string_view b);

} // namespace fw
