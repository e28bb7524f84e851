#include "fw/core/archive.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace fw {
namespace {

constexpr std::uint16_t kNullTag = 0;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000u;
constexpr std::size_t kMaxClassName = 63;
// Objects nest only through the serialize functions of registered classes; a hostile
// stream must not be able to recurse without bound.
constexpr int kMaxDepth = 64;
// Far beyond any document of ours; a larger file is not read whole into memory.
constexpr std::uintmax_t kMaxFileBytes = 256 * 1024 * 1024;

using Cause = ArchiveError::Cause;

} // namespace

ArchiveError::ArchiveError(Cause cause, const std::string& what)
    : std::runtime_error(what)
    , cause_(cause)
{
}

ArchiveError::~ArchiveError() = default;

Archive::Archive()
    : mode_(Mode::Store)
{
}

Archive::Archive(std::vector<std::uint8_t> bytes, const ClassRegistry& classes)
    : mode_(Mode::Load)
    , bytes_(std::move(bytes))
    , classes_(&classes)
{
    loadMap_.emplace_back();
}

Archive::~Archive() = default;

std::optional<Archive> Archive::loadFile(const std::filesystem::path& path, const ClassRegistry& classes)
{
    // Only a regular file of a sane size: a pipe or a device could block or never end.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec) || std::filesystem::file_size(path, ec) > kMaxFileBytes || ec)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> data;
    try { // the stream buffer reports a read error by throwing
        data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        return std::nullopt;
    }
    if (in.bad() || data.size() > kMaxFileBytes)
        return std::nullopt;
    return std::optional<Archive>(std::in_place, std::move(data), classes);
}

bool Archive::saveFile(const std::filesystem::path& path) const
{
    std::filesystem::path tmp = path;
    tmp += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            std::filesystem::remove(tmp, ec);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        return false;
    }
    return true;
}

void Archive::requireStoring() const
{
    if (mode_ != Mode::Store)
        throw ArchiveError(Cause::ReadOnly, "archive: write to a loading archive");
}

void Archive::requireLoading() const
{
    if (mode_ != Mode::Load)
        throw ArchiveError(Cause::WriteOnly, "archive: read from a storing archive");
}

void Archive::need(std::size_t n) const
{
    requireLoading();
    if (n > remaining())
        throw ArchiveError(Cause::EndOfFile,
            "archive: record needs " + std::to_string(n) + " bytes at offset " + std::to_string(pos_) + ", "
                + std::to_string(remaining()) + " left");
}

void Archive::writeByte(std::uint8_t v)
{
    requireStoring();
    bytes_.push_back(v);
}

void Archive::writeWord(std::uint16_t v)
{
    requireStoring();
    bytes_.push_back(static_cast<std::uint8_t>(v));
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Archive::writeDWord(std::uint32_t v)
{
    requireStoring();
    for (int shift = 0; shift < 32; shift += 8)
        bytes_.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Archive::writeDouble(double v)
{
    const auto bits = std::bit_cast<std::uint64_t>(v);
    writeDWord(static_cast<std::uint32_t>(bits));
    writeDWord(static_cast<std::uint32_t>(bits >> 32));
}

void Archive::writeBytes(std::span<const std::uint8_t> data)
{
    requireStoring();
    bytes_.insert(bytes_.end(), data.begin(), data.end());
}

std::uint8_t Archive::readByte()
{
    need(1);
    return bytes_[pos_++];
}

std::uint16_t Archive::readWord()
{
    need(2);
    const auto v = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
}

std::uint32_t Archive::readDWord()
{
    need(4);
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = (v << 8) | bytes_[pos_ + static_cast<std::size_t>(k)];
    pos_ += 4;
    return v;
}

double Archive::readDouble()
{
    need(8);
    const std::uint64_t lo = readDWord();
    const std::uint64_t hi = readDWord();
    return std::bit_cast<double>(lo | (hi << 32));
}

void Archive::readBytes(std::span<std::uint8_t> out)
{
    need(out.size());
    std::memcpy(out.data(), bytes_.data() + pos_, out.size());
    pos_ += out.size();
}

void Archive::writeCount(std::uint32_t count)
{
    if (count < 0xFFFF) {
        writeWord(static_cast<std::uint16_t>(count));
    } else {
        writeWord(0xFFFF);
        writeDWord(count);
    }
}

std::uint32_t Archive::readCount(std::size_t minBytesPerElement)
{
    const std::size_t at = pos_;
    std::uint32_t count = readWord();
    if (count == 0xFFFF)
        count = readDWord();
    if (minBytesPerElement > 0 && count > remaining() / minBytesPerElement)
        throw ArchiveError(Cause::BadIndex,
            "archive: count " + std::to_string(count) + " at offset " + std::to_string(at) + " exceeds the "
                + std::to_string(remaining()) + " bytes left");
    return count;
}

void Archive::writeString(std::string_view text)
{
    if (text.size() > 0xFFFFFFFFu)
        throw ArchiveError(Cause::Generic, "archive: string too long to store");
    const auto len = static_cast<std::uint32_t>(text.size());
    if (len < 0xFF) {
        writeByte(static_cast<std::uint8_t>(len));
    } else if (len < 0xFFFE) {
        writeByte(0xFF);
        writeWord(static_cast<std::uint16_t>(len));
    } else {
        writeByte(0xFF);
        writeWord(0xFFFF);
        writeDWord(len);
    }
    writeBytes({ reinterpret_cast<const std::uint8_t*>(text.data()), text.size() });
}

std::string Archive::readString()
{
    const std::size_t at = pos_;
    std::uint32_t len = readByte();
    if (len == 0xFF) {
        len = readWord();
        // 0xFFFE introduces wide-character text, which no record of ours contains.
        if (len == 0xFFFE)
            throw ArchiveError(Cause::Generic,
                "archive: wide-character string at offset " + std::to_string(at) + " is not supported");
        if (len == 0xFFFF)
            len = readDWord();
    }
    need(len);
    std::string text(reinterpret_cast<const char*>(bytes_.data() + pos_), len);
    pos_ += len;
    return text;
}

template <typename T> void Archive::writeArray(std::span<const T> values, void (Archive::*put)(T))
{
    if (values.size() > 0xFFFFFFFFu)
        throw ArchiveError(Cause::Generic, "archive: array too long to store");
    writeCount(static_cast<std::uint32_t>(values.size()));
    for (auto v : values)
        (this->*put)(v);
}

template <typename T> std::vector<T> Archive::readArray(T (Archive::*get)())
{
    const std::uint32_t n = readCount(sizeof(T));
    std::vector<T> values(n);
    for (auto& v : values)
        v = (this->*get)();
    return values;
}

void Archive::writeWordArray(std::span<const std::uint16_t> values)
{
    writeArray(values, &Archive::writeWord);
}

std::vector<std::uint16_t> Archive::readWordArray()
{
    return readArray(&Archive::readWord);
}

void Archive::writeDWordArray(std::span<const std::uint32_t> values)
{
    writeArray(values, &Archive::writeDWord);
}

std::vector<std::uint32_t> Archive::readDWordArray()
{
    return readArray(&Archive::readDWord);
}

void Archive::writeTag(std::uint32_t index, bool isClass)
{
    if (index < kBigObjectTag) {
        writeWord(static_cast<std::uint16_t>(index | (isClass ? kClassTag : 0)));
    } else {
        writeWord(kBigObjectTag);
        writeDWord(index | (isClass ? kBigClassTag : 0));
    }
}

void Archive::writeObject(const Serializable* object)
{
    requireStoring();
    if (!object) {
        writeWord(kNullTag);
        return;
    }
    if (auto it = storeMap_.find(object); it != storeMap_.end()) {
        writeTag(it->second, false);
        return;
    }
    const ClassInfo& cls = object->classInfo();
    if (auto it = storeMap_.find(&cls); it != storeMap_.end()) {
        writeTag(it->second, true);
    } else {
        if (cls.name.size() > kMaxClassName)
            throw ArchiveError(Cause::BadClass, "archive: class name too long: " + cls.name);
        writeWord(kNewClassTag);
        writeWord(cls.schema);
        writeWord(static_cast<std::uint16_t>(cls.name.size()));
        writeBytes({ reinterpret_cast<const std::uint8_t*>(cls.name.data()), cls.name.size() });
        storeMap_.emplace(&cls, nextStoreIndex());
    }
    storeMap_.emplace(object, nextStoreIndex());
    // serialize() is non-const because loading fills the object; storing only reads it.
    const_cast<Serializable*>(object)->serialize(*this);
}

std::shared_ptr<Serializable> Archive::readObject()
{
    requireLoading();
    const std::size_t at = pos_;
    const std::uint16_t wTag = readWord();
    const ClassInfo* cls = nullptr;
    if (wTag == kNullTag)
        return nullptr;
    if (wTag == kNewClassTag) {
        const std::uint16_t schema = readWord();
        const std::uint16_t len = readWord();
        if (len > kMaxClassName)
            throw ArchiveError(Cause::BadClass,
                "archive: class name of " + std::to_string(len) + " bytes at offset " + std::to_string(at));
        need(len);
        std::string name(reinterpret_cast<const char*>(bytes_.data() + pos_), len);
        pos_ += len;
        cls = classes_->find(name);
        if (!cls)
            throw ArchiveError(
                Cause::BadClass, "archive: unknown class '" + name + "' at offset " + std::to_string(at));
        if (cls->schema != schema)
            throw ArchiveError(Cause::BadSchema,
                "archive: class " + name + " stored with schema " + std::to_string(schema) + ", expected "
                    + std::to_string(cls->schema));
        loadMap_.push_back(LoadEntry { cls, nullptr, true });
    } else {
        std::uint32_t tag = (wTag == kBigObjectTag)
            ? readDWord()
            : ((static_cast<std::uint32_t>(wTag & kClassTag) << 16) | (wTag & ~kClassTag));
        const bool isClass = (tag & kBigClassTag) != 0;
        const std::uint32_t index = tag & ~kBigClassTag;
        if (index == 0 || index >= loadMap_.size())
            throw ArchiveError(Cause::BadIndex,
                "archive: reference to unknown index " + std::to_string(index) + " at offset "
                    + std::to_string(at));
        const LoadEntry& entry = loadMap_[index];
        if (!isClass) {
            if (!entry.object)
                throw ArchiveError(Cause::BadIndex,
                    "archive: object reference " + std::to_string(index) + " names a class at offset "
                        + std::to_string(at));
            // An object that refers back to one still being read would form an ownership
            // cycle that is never freed; none of our records has one.
            if (!entry.complete)
                throw ArchiveError(Cause::BadIndex,
                    "archive: object reference " + std::to_string(index)
                        + " names an object still being read at offset " + std::to_string(at));
            return entry.object;
        }
        if (!entry.cls)
            throw ArchiveError(Cause::BadIndex,
                "archive: class reference " + std::to_string(index) + " names an object at offset "
                    + std::to_string(at));
        cls = entry.cls;
    }
    if (depth_ >= kMaxDepth)
        throw ArchiveError(
            Cause::Generic, "archive: objects nested too deeply at offset " + std::to_string(at));
    auto object = cls->create();
    const std::size_t slot = loadMap_.size();
    loadMap_.push_back(LoadEntry { nullptr, object, false });
    ++depth_;
    try {
        object->serialize(*this);
    } catch (...) {
        --depth_;
        throw;
    }
    --depth_;
    loadMap_[slot].complete = true;
    return object;
}

Serializable::~Serializable() = default;

ClassRegistry& ClassRegistry::global()
{
    static ClassRegistry registry;
    return registry;
}

void ClassRegistry::add(const ClassInfo& info)
{
    for (auto& c : classes_) {
        if (c->name == info.name) {
            c = &info;
            return;
        }
    }
    classes_.push_back(&info);
}

const ClassInfo* ClassRegistry::find(std::string_view name) const
{
    for (const auto* c : classes_)
        if (c->name == name)
            return c;
    return nullptr;
}

} // namespace fw
