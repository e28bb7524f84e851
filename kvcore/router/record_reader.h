// CRecordReader: reads the fixed-width fields of one host record, in order,
// from a byte span it never reads past. A read that would pass the span's end
// gives a zero or empty value, moves to the end and clears Ok() for good, so a
// decoder reads all its fields and checks Ok() once before it keeps the
// record. The reader does not own the bytes; a decoder copies what it keeps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "kvcore/kvcore_api.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

class KVCORE_API CRecordReader {
public:
    CRecordReader(const char* data, size_t length);

    // atoi-like numbers (white space, a sign, digits), saturating at the type's limits.
    int32_t Int(int width);
    int32_t Long(int width);
    // The full unsigned 32-bit range; a negative field gives its two's complement.
    uint32_t ULong(int width);
    // Up to the first zero byte, trailing blanks stripped; other bytes
    // (Windows-1250 letters included) are kept as they are.
    std::string Text(int width);
    // As Text, trailing blanks kept (codes whose blanks matter).
    std::string TextNoStrip(int width);
    // As Text, into a caller's buffer of size bytes: the hot decoders keep
    // codes in fixed arrays, and a field wider than the buffer ends the
    // reading rather than being cut.
    void TextInto(char* dst, size_t size, int width);
    // The field's bytes as they stand, for a caller that keeps them raw.
    std::string_view Raw(int width)
    {
        const char* field = Take(width);
        return field == nullptr ? std::string_view() : std::string_view(field, static_cast<size_t>(width));
    }
    // A count of 10^-decimals units; the host's missing-value mark stays
    // recognisable through CDouble::IsNoValue().
    CDouble Decimal(int width, int decimals);
    // Eight digits yyyymmdd, or six digits hhmmss; anything else gives an
    // invalid CDateTime (the record itself stays readable).
    CDateTime Date8();
    CDateTime Time6();
    // One byte (a flag); 0 past the end.
    char Char()
    {
        const char* field = Take(size_t { 1 });
        return field == nullptr ? '\0' : *field;
    }
    void Skip(size_t n);

    bool Ok() const { return m_bOk; }
    size_t Offset() const { return m_nOffset; }
    size_t Remaining() const { return m_nLength - m_nOffset; }

private:
    // The next width bytes, consumed; null when they are not all there (a
    // negative width included), which ends the reading.
    const char* Take(int width)
    {
        return width < 0 ? Fail() : Take(static_cast<size_t>(width));
    }
    const char* Take(size_t width)
    {
        if (!m_bOk || width > Remaining())
            return Fail();
        const char* field = m_pData + m_nOffset;
        m_nOffset += width;
        return field;
    }
    const char* Fail();
    // A text field through the given zero-terminating field codec.
    std::string ReadText(int width, void (*codec)(char*, const char*, int));

    const char* m_pData;
    size_t m_nLength;
    size_t m_nOffset = 0;
    bool m_bOk = true;
};
