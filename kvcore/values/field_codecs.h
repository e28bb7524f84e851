// Decoders of fixed-width router text fields. A field is `len` bytes at `src`
// and is never read past; numbers follow the C library's atoi rules (leading
// white space, a sign, digits up to the first other byte) but never its locale.
#pragma once

#include <cstdint>
#include <string>

#include "kvcore/kvcore_api.h"

class CDouble;

// Out-of-range values saturate at the type's limits instead of wrapping.
KVCORE_API int Vorl2Int(const char* src, int len);
KVCORE_API int32_t Vorl2Long(const char* src, int len);
// The full unsigned 32-bit range; a negative field gives its two's-complement
// value, as the signed reading taken as unsigned always did.
KVCORE_API uint32_t Vorl2ULong(const char* src, int len);

// dst must hold len + 1 bytes. Only trailing blanks (0x20) are stripped.
KVCORE_API void Vorl2Str0(char* dst, const char* src, int len);
KVCORE_API void Vorl2Str0NoStrip(char* dst, const char* src, int len);

// Sets *dst from the field (CDouble::SetVORL) and returns the position after
// the field and its one separator byte; a null src reads as an empty field and
// gives a null position.
KVCORE_API const char* DecodeField(const char* src, unsigned len, CDouble* dst, unsigned decimals);
KVCORE_API const unsigned char* DecodeField(
    const unsigned char* src, unsigned len, CDouble* dst, unsigned decimals);

KVCORE_API std::string MakeBlanks(unsigned n);

// Three-way comparison of the unsigned 16-bit words at a and b (qsort/bsearch).
KVCORE_API int CompareWords(const void* a, const void* b);

// atof of a field: white space, sign, then a decimal number in the fixed "C"
// notation; anything else (including inf, nan and hex forms) reads as 0.
KVCORE_API double ParseFieldDouble(const char* src, size_t len);
