#include "kvcore/values/field_writer.h"

#include <charconv>

KvFieldWriter& KvFieldWriter::Text(std::string_view text, int width)
{
    if (width < 0 || text.size() > static_cast<size_t>(width)) {
        Fail();
        return *this;
    }
    m_text.append(text);
    m_text.append(static_cast<size_t>(width) - text.size(), ' ');
    return *this;
}

KvFieldWriter& KvFieldWriter::TextCut(std::string_view text, int width)
{
    if (width < 0) {
        Fail();
        return *this;
    }
    return Text(text.substr(0, static_cast<size_t>(width)), width);
}

KvFieldWriter& KvFieldWriter::Number(int64_t value, int width)
{
    if (value >= 0)
        return Unsigned(static_cast<uint64_t>(value), width);
    if (width < 2) {
        Fail();
        return *this;
    }
    m_text += '-';
    // The magnitude of INT64_MIN does not fit int64_t; take it as unsigned.
    return Unsigned(0 - static_cast<uint64_t>(value), width - 1);
}

KvFieldWriter& KvFieldWriter::Unsigned(uint64_t value, int width)
{
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    const auto digits = static_cast<size_t>(res.ptr - buf);
    if (width < 0 || digits > static_cast<size_t>(width)) {
        Fail();
        return *this;
    }
    m_text.append(static_cast<size_t>(width) - digits, '0');
    m_text.append(buf, digits);
    return *this;
}

KvFieldWriter& KvFieldWriter::Char(char c)
{
    m_text += c;
    return *this;
}

KvFieldWriter& KvFieldWriter::Raw(std::string_view bytes)
{
    m_text.append(bytes);
    return *this;
}
