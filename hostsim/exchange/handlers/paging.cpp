#include "handlers/paging.h"

#include "kvcore/values/field_writer.h"

namespace exchange {

std::optional<std::size_t> ResumeKey(const RequestText& text)
{
    std::size_t digits = 0;
    while (digits < 10 && text.at(kUserWidth + digits) >= '0' && text.at(kUserWidth + digits) <= '9')
        ++digits;
    if (digits < 8)
        return std::nullopt;
    const auto value = text.number(kUserWidth, digits);
    if (!value || *value < 0)
        return std::nullopt;
    return static_cast<std::size_t>(*value);
}

std::string KeyText(std::size_t position)
{
    KvFieldWriter w;
    w.Unsigned(position, 8);
    return w.Str();
}

} // namespace exchange
