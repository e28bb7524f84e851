// Texts and settings the order entry form's parts share.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "kv32/shell/session.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

namespace kvform {

inline std::string Trim(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

inline std::string Stripped(const char* text, size_t size)
{
    std::string s(text, strnlen(text, size));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}
template <size_t N> inline std::string Stripped(const char (&text)[N])
{
    return Stripped(text, N);
}

// A number as the form shows it: the user's separators, no digit groups, zero shown.
inline std::string Shown(const CDouble& value)
{
    return value.Format(0, 1);
}
inline std::string Shown(double value, int decimals)
{
    return CDouble(value, static_cast<unsigned>(std::max(decimals, 0))).Format(0, 1);
}

inline bool Nonzero(const CDouble& value)
{
    return static_cast<double>(value) != 0 && !value.IsNoValue();
}

inline std::string Today()
{
    return CDateTime::GetTickCount().FormatDateVORL();
}

inline std::string NowTime()
{
    return CDateTime::GetTickCount().FormatTimeVORL();
}

inline int OrderExit()
{
    const CSession* session = KvSession();
    return session != nullptr ? session->m_bOrderExit : 1;
}

} // namespace kvform
