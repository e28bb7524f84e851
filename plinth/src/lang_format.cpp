#include "lang_format.h"

#include <cstring>
#include <limits>

namespace plinth::lang {
namespace {

static_assert(kIntSize == sizeof(uint32_t) && kIntSize == sizeof(int32_t));

void putU32(std::string& out, uint32_t value)
{
    const char bytes[kIntSize] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                                  static_cast<char>((value >> 16) & 0xFF), static_cast<char>((value >> 24) & 0xFF)};
    out.append(bytes, kIntSize);
}

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool u32(uint32_t& value)
    {
        if (size_ - pos_ < kIntSize)
            return false;
        const uint8_t* p = data_ + pos_;
        value = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
                static_cast<uint32_t>(p[3]) << 24;
        pos_ += kIntSize;
        return true;
    }

    // Refuses a count of integers before anything is allocated for them.
    bool fits(uint64_t count, uint64_t unit) const { return count <= (size_ - pos_) / unit; }

    bool bytes(std::string& out, uint32_t count)
    {
        if (!fits(count, 1))
            return false;
        out.assign(reinterpret_cast<const char*>(data_ + pos_), count);
        pos_ += count;
        return true;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// An area whose offsets are checked only to lie inside it must end in a zero byte,
// so that every text read from any offset stops inside the area.
bool areaClosed(const std::string& area)
{
    return area.empty() || area.back() == '\0';
}

bool fitsU32(size_t n)
{
    return n <= std::numeric_limits<uint32_t>::max();
}

} // namespace

std::optional<std::string> encode(const CompiledTable& table)
{
    const uint64_t cellCount = static_cast<uint64_t>(table.rows) * table.languages();
    if (!fitsU32(table.names.size()) || !fitsU32(table.texts.size()) || cellCount != table.cells.size() ||
        table.texts.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        return std::nullopt;
    std::string out;
    out.reserve((3 + table.nameOffsets.size() + table.cells.size() + 1) * kIntSize + table.names.size() +
                table.texts.size());
    putU32(out, table.languages());
    for (uint32_t offset : table.nameOffsets)
        putU32(out, offset);
    putU32(out, static_cast<uint32_t>(table.names.size()));
    out += table.names;
    putU32(out, table.rows);
    for (int32_t cell : table.cells)
        putU32(out, static_cast<uint32_t>(cell));
    putU32(out, static_cast<uint32_t>(table.texts.size()));
    out += table.texts;
    return out;
}

std::optional<CompiledTable> decode(const uint8_t* data, size_t size)
{
    if (!data && size != 0)
        return std::nullopt;
    Reader in(data, size);
    CompiledTable table;
    uint32_t languages = 0;
    if (!in.u32(languages) || !in.fits(languages, kIntSize))
        return std::nullopt;
    table.nameOffsets.resize(languages);
    for (uint32_t& offset : table.nameOffsets)
        in.u32(offset);
    uint32_t namesSize = 0;
    if (!in.u32(namesSize) || !in.bytes(table.names, namesSize) || !areaClosed(table.names))
        return std::nullopt;
    for (uint32_t offset : table.nameOffsets)
        if (offset >= namesSize)
            return std::nullopt;

    if (!in.u32(table.rows))
        return std::nullopt;
    const uint64_t cellCount = static_cast<uint64_t>(table.rows) * languages;
    if (!in.fits(cellCount, kIntSize))
        return std::nullopt;
    table.cells.resize(static_cast<size_t>(cellCount));
    for (int32_t& cell : table.cells) {
        uint32_t raw = 0;
        in.u32(raw);
        cell = static_cast<int32_t>(raw);
    }
    uint32_t textsSize = 0;
    if (!in.u32(textsSize) || !in.bytes(table.texts, textsSize) || !areaClosed(table.texts))
        return std::nullopt;
    for (int32_t cell : table.cells)
        if (cell != kNoText && (cell < 0 || static_cast<uint32_t>(cell) >= textsSize))
            return std::nullopt;
    return table;
}

} // namespace plinth::lang
