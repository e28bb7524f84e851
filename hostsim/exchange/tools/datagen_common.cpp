#include "tools/datagen.h"

#include "model/table_file.h"

namespace datagen {

FixtureWriter::FixtureWriter(const std::string& folder, const std::string& name, const std::string& header)
    : out_(folder + "/" + name, std::ios::binary | std::ios::trunc)
{
    out_ << exchange::kEncodingLine << "\n" << header << "\n";
}

void FixtureWriter::row(const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        out_ << (i == 0 ? "" : "|") << fields[i];
    out_ << "\n";
}

uint32_t Sequence::next()
{
    // xorshift64*
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return static_cast<uint32_t>((state_ * 2685821657736338717ull) >> 32);
}

std::string pad(int64_t value, int width)
{
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

} // namespace datagen
