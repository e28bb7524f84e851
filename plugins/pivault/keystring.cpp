#include "keystring.h"

#include <cstdio>

namespace pivault {
namespace {

// Moduli and coefficients of the two components. Products and sums wrap at
// 32 bits as signed values; they are formed in unsigned arithmetic, where the
// wrap is defined, and only then read back as signed.
constexpr int32_t kM1 = 2147483647;
constexpr int32_t kM2 = 2147462579;
constexpr int32_t kA[3] = { 0, 4194304, 129 };
constexpr int32_t kB[3] = { 32768, 0, 32769 };

int32_t wrap(uint32_t v)
{
    return static_cast<int32_t>(v);
}
uint32_t u(int32_t v)
{
    return static_cast<uint32_t>(v);
}

int32_t step(int32_t (&s)[3], const int32_t (&a)[3], int32_t modulus)
{
    const uint32_t sum = u(a[0]) * u(s[0]) + u(a[1]) * u(s[1]) + u(a[2]) * u(s[2]);
    // The moduli are positive, so the signed remainder cannot overflow.
    const int32_t next = wrap(sum) % modulus;
    s[2] = s[1];
    s[1] = s[0];
    s[0] = next;
    return next;
}

} // namespace

MrgState MrgStart()
{
    return MrgState { { 12345, 67890, 13579 }, { 24680, 11223, 44556 } };
}

int32_t MrgNext(MrgState& state)
{
    const int32_t x = step(state.x, kA, kM1);
    const int32_t y = step(state.y, kB, kM2);
    return wrap(u(x) - u(y)) % kM1;
}

std::string FormatBlock(int32_t value)
{
    char text[16];
    const int n = std::snprintf(text, sizeof text, "%.8u", static_cast<unsigned>(u(value)));
    return std::string(text, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::string BuildKeyString(int size)
{
    std::string key;
    if (size <= 0)
        return key;
    key.reserve(static_cast<std::size_t>(size));
    MrgState state = MrgStart();
    for (;;) {
        const std::string block = FormatBlock(MrgNext(state));
        if (key.size() + block.size() >= static_cast<std::size_t>(size))
            break;
        key += block;
    }
    return key;
}

void Scramble(const std::string& key, const uint8_t* in, int length, uint8_t* out)
{
    char lengthText[16];
    const int n = std::snprintf(lengthText, sizeof lengthText, "%d", length);
    const std::size_t textLength = n > 0 ? static_cast<std::size_t>(n) : 0;
    if (key.empty() || textLength == 0)
        return;
    std::size_t p = 0;
    std::size_t q = 0;
    bool inText = false;
    for (int i = 0; i < length; ++i) {
        if (!inText) {
            out[i] = static_cast<uint8_t>(in[i] ^ static_cast<uint8_t>(key[p]));
            ++p;
            if (p % kSwitchPeriod == 0) {
                inText = true;
                q = 0;
            } else if (p == key.size()) {
                p = 0;
            }
        } else {
            out[i] = static_cast<uint8_t>(in[i] ^ static_cast<uint8_t>(lengthText[q]));
            if (++q == textLength) {
                inText = false;
                // A key whose length is a multiple of the period ends on a switch;
                // it resumes from its start rather than past its end.
                if (p >= key.size())
                    p = 0;
            }
        }
    }
}

} // namespace pivault
