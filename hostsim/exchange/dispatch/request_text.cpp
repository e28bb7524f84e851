#include "dispatch/request_text.h"

namespace exchange {

namespace {
bool isPad(char c)
{
    return c == ' ' || c == '\0';
}
} // namespace

std::string_view Trimmed(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && isPad(text[end - 1]))
        --end;
    return text.substr(0, end);
}

bool RequestText::matchesOrBlank(std::size_t offset, std::size_t width, std::string_view value) const
{
    const auto field = raw(offset, width);
    return field && (blank(offset, width) || Trimmed(*field) == Trimmed(value));
}

std::optional<int64_t> ParseFixedNumber(std::string_view field)
{
    bool negative = false;
    if (!field.empty() && field.front() == '-') {
        negative = true;
        field.remove_prefix(1);
    }
    // 18 digits keep every value inside int64_t.
    if (field.empty() || field.size() > 18)
        return std::nullopt;
    int64_t value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::optional<std::string_view> RequestText::raw(std::size_t offset, std::size_t width) const
{
    if (!has(offset, width))
        return std::nullopt;
    return data_.substr(offset, width);
}

std::string RequestText::text(std::size_t offset, std::size_t width) const
{
    const auto field = raw(offset, width);
    return field ? std::string(Trimmed(*field)) : std::string();
}

std::optional<int64_t> RequestText::number(std::size_t offset, std::size_t width) const
{
    const auto field = raw(offset, width);
    if (!field)
        return std::nullopt;
    return ParseFixedNumber(*field);
}

bool RequestText::blank(std::size_t offset, std::size_t width) const
{
    const auto field = raw(offset, width);
    if (!field)
        return false;
    for (const char c : *field) {
        if (!isPad(c))
            return false;
    }
    return true;
}

} // namespace exchange
