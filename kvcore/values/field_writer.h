// Builds the fixed-width texts of requests and transactions. Every field has an
// exact width: texts are left-aligned and blank-padded, numbers zero-padded on
// the left; a value that does not fit fails the whole text instead of being cut.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "kvcore/kvcore_api.h"

class KVCORE_API KvFieldWriter {
public:
    // Text left-aligned in `width` bytes; longer text fails the writer.
    KvFieldWriter& Text(std::string_view text, int width);
    // Text cut to `width` bytes, then padded: for the fields the host reads cut
    // to their width rather than refused (the user name in 12 bytes).
    KvFieldWriter& TextCut(std::string_view text, int width);
    // Decimal digits zero-padded to `width`; a negative value starts with '-'
    // inside the width. Too many digits fail the writer.
    KvFieldWriter& Number(int64_t value, int width);
    KvFieldWriter& Unsigned(uint64_t value, int width);
    KvFieldWriter& Char(char c);
    // Bytes copied as they are (an already encoded field).
    KvFieldWriter& Raw(std::string_view bytes);

    bool Ok() const { return m_ok; }
    // The text so far; empty when any field failed.
    std::string Str() const { return m_ok ? m_text : std::string(); }
    size_t Size() const { return m_text.size(); }

private:
    void Fail() { m_ok = false; }
    std::string m_text;
    bool m_ok = true;
};
