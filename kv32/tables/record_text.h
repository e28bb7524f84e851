// Copying decoded texts into the fixed text fields of table records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Copies at most N-1 bytes and terminates; the decoders read no field wider
// than its record field, so nothing is cut in practice.
template <size_t N> void CopyText(char (&dst)[N], std::string_view text)
{
    const size_t n = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(dst, text.data(), n);
    dst[n] = '\0';
}

// Compares a record's text field with the first `width` bytes of a key,
// trailing blanks of the key stripped.
inline bool SameStripped(const char* field, std::string_view key, size_t width)
{
    if (key.size() > width)
        key = key.substr(0, width);
    const size_t nul = key.find('\0');
    if (nul != std::string_view::npos)
        key = key.substr(0, nul);
    while (!key.empty() && key.back() == ' ')
        key.remove_suffix(1);
    return std::string_view(field) == key;
}

// The first row whose record satisfies the test; -1 when none.
template <class TTable, class TTest> int FindFirstRow(TTable& table, TTest&& test)
{
    for (int i = 0; i < table.GetCount(); ++i) {
        if (test(*table.GetRec(i)))
            return i;
    }
    return -1;
}

// A host state letter as a board or market shows it: 'S' suspended ("S",
// flag 0), 'A' active ("A", flag -1), in the user's language; any other
// letter leaves both as they were.
void TakeStateLetter(char letter, char (&text)[33], int32_t& flag);
