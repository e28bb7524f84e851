#include "model/table_file.h"

#include <fstream>
#include <sstream>

#include "dispatch/request_text.h"

namespace exchange {

namespace {

// A byte sequence that is a UTF-8 encoded letter (2-byte form), which in a
// Windows-1250 file means the file was saved in the wrong encoding.
bool looksUtf8(const std::string& line)
{
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const auto a = static_cast<unsigned char>(line[i]);
        const auto b = static_cast<unsigned char>(line[i + 1]);
        if (a >= 0xC2 && a <= 0xDF && b >= 0x80 && b <= 0xBF)
            return true;
    }
    return false;
}

// Bytes that Windows-1250 leaves undefined, and control characters.
bool badByte(unsigned char c)
{
    return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x83 || c == 0x88 || c == 0x90 || c == 0x98;
}

std::vector<std::string> split(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = line.find('|', start);
        fields.push_back(line.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos)
            return fields;
        start = bar + 1;
    }
}

} // namespace

const std::string& TableRow::text(const std::string& column) const
{
    const auto it = columns_.find(column);
    if (it == columns_.end())
        fail("no column \"" + column + "\"");
    return fields_[it->second];
}

std::string TableRow::text(const std::string& column, std::size_t width) const
{
    const std::string& t = text(column);
    if (t.size() > width)
        fail(column + " \"" + t + "\" is longer than " + std::to_string(width) + " bytes");
    return t;
}

char TableRow::letter(const std::string& column) const
{
    const std::string& t = text(column);
    if (t.size() != 1)
        fail(column + " must be one character, not \"" + t + "\"");
    return t[0];
}

const std::string& TableRow::flags(const std::string& column) const
{
    const std::string& t = text(column);
    if (t.size() != 32 || t.find_first_not_of("01") != std::string::npos)
        fail(column + " must be 32 characters of '0' and '1'");
    return t;
}

int64_t TableRow::number(const std::string& column) const
{
    const std::string& t = text(column);
    const auto value = ParseFixedNumber(t);
    if (!value)
        fail(column + " \"" + t + "\" is not a whole number");
    return *value;
}

int64_t TableRow::numberOr(const std::string& column, int64_t fallback) const
{
    return text(column).empty() ? fallback : number(column);
}

void TableRow::fail(const std::string& why) const
{
    throw TableError(where_ + ": " + why);
}

TableFile::TableFile(const std::string& folder, const std::string& name)
{
    const std::string path = folder + "/" + name;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw TableError(path + ": cannot be read");
    std::string line;
    int lineNo = 0;
    bool encodingSeen = false, headerSeen = false;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string where = name + ":" + std::to_string(lineNo);
        if (lineNo == 1) {
            if (line != kEncodingLine)
                throw TableError(where + ": the first line must be \"" + kEncodingLine + "\"");
            encodingSeen = true;
            continue;
        }
        if (line.empty() || line[0] == '#')
            continue;
        if (looksUtf8(line))
            throw TableError(where + ": UTF-8 text in a Windows-1250 file");
        for (const char c : line) {
            if (badByte(static_cast<unsigned char>(c)))
                throw TableError(where + ": byte " + std::to_string(static_cast<unsigned char>(c))
                    + " is not a Windows-1250 text character");
        }
        std::vector<std::string> fields = split(line);
        if (!headerSeen) {
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (!columns_.emplace(fields[i], i).second)
                    throw TableError(where + ": column \"" + fields[i] + "\" named twice");
            }
            headerSeen = true;
            continue;
        }
        if (fields.size() != columns_.size())
            throw TableError(where + ": " + std::to_string(fields.size()) + " fields, the header has "
                + std::to_string(columns_.size()));
        rows_.emplace_back(where, columns_, std::move(fields));
    }
    if (!encodingSeen)
        throw TableError(name + ": empty file");
    if (!headerSeen)
        throw TableError(name + ": no header line");
}

} // namespace exchange
