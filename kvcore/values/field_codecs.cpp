#include "kvcore/values/field_codecs.h"

#include <charconv>
#include <cstring>
#include <limits>

#include "kvcore/values/cdouble.h"

namespace {

bool IsCSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Past leading white space and an optional sign, as the C library's number readers do.
const char* SkipSpaceAndSign(const char* p, const char* end, bool& negative)
{
    while (p < end && IsCSpace(*p))
        ++p;
    negative = p < end && *p == '-';
    if (p < end && (*p == '+' || *p == '-'))
        ++p;
    return p;
}

// Leading white space, optional sign, digits; saturates at +-limit so that a
// malformed or oversized field cannot overflow.
int64_t ParseAtoiLike(const char* src, int len, int64_t lowLimit, int64_t highLimit)
{
    if (src == nullptr || len <= 0)
        return 0;
    const char* end = src + len;
    bool negative = false;
    const char* p = SkipSpaceAndSign(src, end, negative);
    int64_t value = 0;
    const int64_t cap = negative ? -lowLimit : highLimit;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        if (value <= cap)
            value = value * 10 + (*p - '0');
    }
    if (value > cap)
        value = cap;
    return negative ? -value : value;
}

} // namespace

int Vorl2Int(const char* src, int len)
{
    return static_cast<int>(
        ParseAtoiLike(src, len, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int32_t Vorl2Long(const char* src, int len)
{
    return static_cast<int32_t>(
        ParseAtoiLike(src, len, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

uint32_t Vorl2ULong(const char* src, int len)
{
    const int64_t v
        = ParseAtoiLike(src, len, std::numeric_limits<int32_t>::min(), std::numeric_limits<uint32_t>::max());
    return static_cast<uint32_t>(v);
}

void Vorl2Str0(char* dst, const char* src, int len)
{
    if (dst == nullptr)
        return;
    if (src == nullptr || len <= 0) {
        dst[0] = '\0';
        return;
    }
    int n = len;
    while (n > 0 && src[n - 1] == ' ')
        --n;
    std::memcpy(dst, src, static_cast<size_t>(n));
    dst[n] = '\0';
}

void Vorl2Str0NoStrip(char* dst, const char* src, int len)
{
    if (dst == nullptr)
        return;
    if (src == nullptr || len <= 0) {
        dst[0] = '\0';
        return;
    }
    std::memcpy(dst, src, static_cast<size_t>(len));
    dst[len] = '\0';
}

const char* DecodeField(const char* src, unsigned len, CDouble* dst, unsigned decimals)
{
    if (dst != nullptr)
        dst->SetVORL(src, len, decimals);
    // No record to step through: there is no position after the field either.
    if (src == nullptr)
        return nullptr;
    return src + len + 1;
}

const unsigned char* DecodeField(const unsigned char* src, unsigned len, CDouble* dst, unsigned decimals)
{
    return reinterpret_cast<const unsigned char*>(
        DecodeField(reinterpret_cast<const char*>(src), len, dst, decimals));
}

std::string MakeBlanks(unsigned n)
{
    return std::string(n, ' ');
}

int CompareWords(const void* a, const void* b)
{
    uint16_t wa = 0;
    uint16_t wb = 0;
    std::memcpy(&wa, a, sizeof wa);
    std::memcpy(&wb, b, sizeof wb);
    return (wa > wb) - (wa < wb);
}

double ParseFieldDouble(const char* src, size_t len)
{
    if (src == nullptr)
        return 0.0;
    const char* end = src + len;
    bool negative = false;
    const char* p = SkipSpaceAndSign(src, end, negative);
    if (p == end || !((*p >= '0' && *p <= '9') || *p == '.'))
        return 0.0;
    // Plain digit fields, by far the most common, skip the general parser.
    uint64_t whole = 0;
    const char* q = p;
    while (q < end && *q >= '0' && *q <= '9' && q - p < 18)
        whole = whole * 10 + static_cast<uint64_t>(*q++ - '0');
    if (q == end || !((*q >= '0' && *q <= '9') || *q == '.' || *q == 'e' || *q == 'E')) {
        const double v = static_cast<double>(whole);
        return negative ? -v : v;
    }
    double value = 0.0;
    const auto res = std::from_chars(p, end, value, std::chars_format::general);
    // A number beyond the double range is malformed host data: read it as 0.
    if (res.ec != std::errc())
        value = 0.0;
    return negative ? -value : value;
}
