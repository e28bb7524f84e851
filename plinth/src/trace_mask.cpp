// Mask texts of the trace settings.
#include "trace_mask.h"

#include <charconv>
#include <string>

#include "plinth/trace.h"

namespace plinth {
namespace {

// A whole signed decimal number and nothing else.
bool parseNumber(std::string_view text, long& value)
{
    if (text.empty())
        return false;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+')
        ++first;
    const auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last;
}

unsigned int bitsFromTo(long from, long to)
{
    unsigned int bits = 0;
    for (long n = from; n <= to; ++n)
        bits |= 1u << (n - 1);
    return bits;
}

unsigned int itemBits(std::string_view item)
{
    long n = 0;
    if (parseNumber(item, n))
        return n >= 1 && n <= 32 ? bitsFromTo(n, n) : 0;
    // A range: the dash after the first character, so that "-3-5" reads as -3 to 5.
    const size_t dash = item.find('-', 1);
    long a = 0, b = 0;
    if (dash == std::string_view::npos || !parseNumber(item.substr(0, dash), a)
        || !parseNumber(item.substr(dash + 1), b))
        return 0;
    if (a < 0 || a > 32 || b == 0 || b < a)
        return 0;
    return bitsFromTo(a < 1 ? 1 : a, b > 32 ? 32 : b);
}

} // namespace

unsigned int ParseTraceMask(std::string_view text)
{
    unsigned int mask = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = text.find_first_not_of(", \t", pos);
        if (start == std::string_view::npos)
            break;
        size_t end = text.find_first_of(", \t", start);
        if (end == std::string_view::npos)
            end = text.size();
        mask |= itemBits(text.substr(start, end - start));
        pos = end;
    }
    return mask;
}

} // namespace plinth

PLINTH_API unsigned int TraceGetMask(Config config, const char* key)
{
    if (config == nullptr || key == nullptr)
        return 0;
    char value[1024];
    ConfigReadString(config, key, value, sizeof value, "");
    return plinth::ParseTraceMask(value);
}
