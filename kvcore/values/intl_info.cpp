#include "kvcore/values/intl_info.h"

namespace {
fw::LocaleInfo& Current()
{
    static fw::LocaleInfo info;
    return info;
}
} // namespace

const fw::LocaleInfo& KvIntl()
{
    return Current();
}

void KvSetIntl(const fw::LocaleInfo& info)
{
    Current() = info;
}

char KvDecimalChar()
{
    const std::string& sep = Current().decimalSep;
    return sep.empty() ? '.' : sep[0];
}
