#include "berkey.h"

namespace pimox {
namespace {

struct Reader {
    const uint8_t* p;
    const uint8_t* end;

    // A tag and a definite length that fits what is left; the content follows.
    bool open(uint8_t tag, std::size_t* length)
    {
        if (p >= end || *p != tag)
            return false;
        ++p;
        if (p >= end)
            return false;
        const uint8_t first = *p++;
        std::size_t n = first;
        if (first >= 0x80) {
            const int bytes = first & 0x7F;
            if (bytes == 0 || bytes > 3)
                return false;
            n = 0;
            for (int i = 0; i < bytes; ++i) {
                if (p >= end)
                    return false;
                n = (n << 8) | *p++;
            }
        }
        if (n > static_cast<std::size_t>(end - p))
            return false;
        *length = n;
        return true;
    }
};

// A positive INTEGER without its leading zero bytes.
bool positiveInteger(Reader& r, const uint8_t** digits, std::size_t* length)
{
    std::size_t n = 0;
    if (!r.open(0x02, &n) || n == 0 || (r.p[0] & 0x80) != 0)
        return false;
    const uint8_t* d = r.p;
    r.p += n;
    while (n > 0 && *d == 0) {
        ++d;
        --n;
    }
    *digits = d;
    *length = n;
    return n > 0;
}

std::size_t bitLength(const uint8_t* d, std::size_t n)
{
    std::size_t bits = (n - 1) * 8;
    for (uint8_t top = d[0]; top != 0; top >>= 1)
        ++bits;
    return bits;
}

bool less(const uint8_t* a, std::size_t an, const uint8_t* b, std::size_t bn)
{
    if (an != bn)
        return an < bn;
    for (std::size_t i = 0; i < an; ++i) {
        if (a[i] != b[i])
            return a[i] < b[i];
    }
    return false;
}

bool fail(std::string* why, const char* text)
{
    if (why != nullptr)
        *why = text;
    return false;
}

} // namespace

bool CheckPublicKey(const uint8_t* body, std::size_t length, std::string* why)
{
    if (body == nullptr || length == 0)
        return fail(why, "empty");
    Reader r { body, body + length };
    std::size_t n = 0;
    if (!r.open(0x04, &n))
        return fail(why, "not an OCTET STRING within the message");
    if (r.p + n != r.end)
        return fail(why, "bytes after the OCTET STRING");
    if (!r.open(0x30, &n))
        return fail(why, "not a SEQUENCE");
    if (r.p + n != r.end)
        return fail(why, "bytes after the SEQUENCE");
    const uint8_t* modulus = nullptr;
    std::size_t modulusLength = 0;
    const uint8_t* exponent = nullptr;
    std::size_t exponentLength = 0;
    if (!positiveInteger(r, &modulus, &modulusLength))
        return fail(why, "modulus is not a positive INTEGER");
    if (!positiveInteger(r, &exponent, &exponentLength))
        return fail(why, "exponent is not a positive INTEGER");
    if (r.p != r.end)
        return fail(why, "more than two INTEGERs");
    const std::size_t bits = bitLength(modulus, modulusLength);
    if (bits < 512 || bits > 4096)
        return fail(why, "modulus not of 512 to 4096 bits");
    if ((modulus[modulusLength - 1] & 1) == 0)
        return fail(why, "modulus is even");
    if ((exponent[exponentLength - 1] & 1) == 0)
        return fail(why, "exponent is even");
    if (exponentLength == 1 && exponent[0] < 3)
        return fail(why, "exponent below 3");
    if (!less(exponent, exponentLength, modulus, modulusLength))
        return fail(why, "exponent not below the modulus");
    return true;
}

} // namespace pimox
