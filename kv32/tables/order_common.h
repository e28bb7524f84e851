// What the order, trade and negotiated-deal tables share: texts of letters
// loaded once per language, their colour elements, the rows changed by one
// received packet and the hint that names them, the security and board names
// of a security code, and the print-log line.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "fw/core/strings.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

namespace fw {
class Archive;
}

// Texts of a fixed list of string ids, loaded on first use and again when
// the user interface changes its language.
class CTextSet {
public:
    explicit CTextSet(std::initializer_list<uint32_t> ids);
    // The text of the i-th id of the list.
    const std::string& operator[](size_t i) const;

private:
    std::vector<uint32_t> m_ids;
    mutable std::vector<std::string> m_texts;
    mutable bool m_bLoaded = false;
    mutable fw::Language m_language = fw::Language::English;
};

// Colour elements that all start as the system window colour, with their captions.
void FillWindowColors(
    std::vector<uint32_t>& colors, std::vector<uint16_t>& names, std::initializer_list<uint16_t> ids);
// Stores the colours, or loads them when the archive holds as many as there are captions.
void SerializeColorArray(fw::Archive& ar, std::vector<uint32_t>& colors, const std::vector<uint16_t>& names);

// The security and board of a 17-character security code (board code at 1),
// as a record shows them: names empty and decimals 0 when unknown.
struct CSecurityNames {
    std::string shortName;
    std::string boardCode;
    std::string boardName;
    int priceDec = 0;
    int yieldDec = 0;
    int valueDec = 0;
};
CSecurityNames LookUpSecurity(std::string_view code);

// Rows changed by the records of one packet: the windows hear them once,
// as one hint, after the packet.
class CPendingRows {
public:
    void Add(int row) { m_rows.push_back(row); }
    bool Empty() const { return m_rows.empty(); }
    const std::vector<int>& Rows() const { return m_rows; }
    // Tells the windows of the table (a hint sized to the row count) and empties the list.
    void Announce(uint16_t tableId, int rowCount);
    void Clear() { m_rows.clear(); }

private:
    std::vector<int> m_rows;
};

// A date (and time) as a print-log line shows it; empty when invalid.
std::string PrintDate(const CDateTime& when);
std::string PrintTime(const CDateTime& when);
// A price or quantity as a print-log line shows it: grouped, zero shown.
std::string PrintAmount(const CDouble& value);
// A letter for "%1c": a blank for none.
inline char PrintLetter(char c)
{
    return c != '\0' ? c : ' ';
}
// printf into a string (the print-log line formats).
std::string FormatLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
