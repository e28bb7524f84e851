#pragma once
// Reads a request text by offsets. A request may be longer than its layout
// (trailing NUL bytes, blanks or garbage are ignored); a field that lies past
// the end of a short request reads as missing, never past the data.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace exchange {

constexpr std::size_t kUserWidth = 12;

class RequestText {
public:
    explicit RequestText(std::string_view data)
        : data_(data)
    {
    }

    std::size_t size() const { return data_.size(); }
    bool has(std::size_t offset, std::size_t width) const
    {
        return offset <= data_.size() && width <= data_.size() - offset;
    }
    // The raw field, or nullopt when the request ends before it.
    std::optional<std::string_view> raw(std::size_t offset, std::size_t width) const;
    // The field with trailing blanks and NUL bytes removed; empty when missing.
    std::string text(std::size_t offset, std::size_t width) const;
    // One character, or '\0' when the request ends before it.
    char at(std::size_t offset) const { return offset < data_.size() ? data_[offset] : '\0'; }
    // A field of digits (zero-padded; a leading '-' makes it negative). nullopt
    // when the field is missing, blank or holds anything else.
    std::optional<int64_t> number(std::size_t offset, std::size_t width) const;
    // True when the field is present and all blanks (or NUL bytes) or, with
    // `value`, when it names `value` (trailing blanks aside on both sides).
    bool matchesOrBlank(std::size_t offset, std::size_t width, std::string_view value) const;
    // True when the field is present and all blanks (or NUL bytes).
    bool blank(std::size_t offset, std::size_t width) const;
    // The user id at offset 0; empty when the request is shorter than 12.
    std::string user() const { return has(0, kUserWidth) ? text(0, kUserWidth) : std::string(); }

private:
    std::string_view data_;
};

// The text without its trailing blanks and NUL bytes.
std::string_view Trimmed(std::string_view text);

// The digits-only parse behind RequestText::number, for other fixed-width texts.
std::optional<int64_t> ParseFixedNumber(std::string_view field);

} // namespace exchange
