#pragma once
// The fixture file format: a first line "#encoding=windows-1250", comment
// lines starting with '#', one header line naming the columns, then one
// record a line with the header's number of '|'-separated fields. Texts are
// Windows-1250 bytes; a file holding UTF-8 letters is refused so that a
// re-encoded copy never loads with garbled names.
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace exchange {

// Thrown with "file:line: why" by the readers below; the loader turns it into its error text.
struct TableError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class TableRow {
public:
    TableRow(const std::string& where, const std::map<std::string, std::size_t>& columns,
        std::vector<std::string> fields)
        : where_(where)
        , columns_(columns)
        , fields_(std::move(fields))
    {
    }
    const std::string& text(const std::string& column) const;
    // Text that must fit `width` bytes.
    std::string text(const std::string& column, std::size_t width) const;
    char letter(const std::string& column) const;
    // A flag string of 32 '0'/'1' characters (order flags, order-method permissions).
    const std::string& flags(const std::string& column) const;
    int64_t number(const std::string& column) const;
    // Empty field = kNoValue-like `fallback`.
    int64_t numberOr(const std::string& column, int64_t fallback) const;
    [[noreturn]] void fail(const std::string& why) const;
    const std::string& where() const { return where_; }

private:
    std::string where_;
    const std::map<std::string, std::size_t>& columns_;
    std::vector<std::string> fields_;
};

class TableFile {
public:
    // Reads `folder/name`; throws TableError.
    TableFile(const std::string& folder, const std::string& name);
    // The rows refer to the column map: the file stays where it was read.
    TableFile(const TableFile&) = delete;
    TableFile& operator=(const TableFile&) = delete;
    std::size_t size() const { return rows_.size(); }
    const TableRow& operator[](std::size_t i) const { return rows_[i]; }
    auto begin() const { return rows_.begin(); }
    auto end() const { return rows_.end(); }

private:
    std::map<std::string, std::size_t> columns_;
    std::vector<TableRow> rows_;
};

// The encoding line every fixture file starts with.
constexpr const char* kEncodingLine = "#encoding=windows-1250";

} // namespace exchange
