#pragma once
// The byte format of the workstation's settings, workspace and drag-and-drop records:
// little-endian integers, 16-bit counts with a 0xFFFF escape to 32 bits, strings with a
// 1, 3 or 7 byte length prefix, and objects introduced by class tags. Loading treats the
// bytes as foreign: every count is checked against the bytes that are left, and any
// malformed record throws ArchiveError with a cause instead of reading past the end.
#include "fw/core/fw_core_api.h"
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "fw/core/serializable.h"

namespace fw {

class FW_CORE_API ArchiveError : public std::runtime_error {
public:
    // Numbered as the framework's archive exception causes that stored code compares with.
    enum class Cause {
        None = 0,
        Generic = 1,
        ReadOnly = 2, // writing into a loading archive
        EndOfFile = 3, // a record needs more bytes than are left
        WriteOnly = 4, // reading from a storing archive
        BadIndex = 5, // a class or object reference to nothing, or an impossible count
        BadClass = 6, // an unknown class, or an object of the wrong class
        BadSchema = 7, // a known class stored with another version
    };
    ArchiveError(Cause cause, const std::string& what);
    ~ArchiveError() override; // defined in the library with the type information
    Cause cause() const { return cause_; }

private:
    Cause cause_;
};

class FW_CORE_API Archive {
public:
    enum class Mode { Store, Load };

    // A storing archive that collects bytes in memory.
    Archive();
    // A loading archive over a copy of the given bytes; classes are looked up in `classes`
    // (the process-wide registry by default), which must outlive the archive.
    explicit Archive(std::vector<std::uint8_t> bytes, const ClassRegistry& classes = ClassRegistry::global());
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;
    Archive(Archive&&) = default;
    Archive& operator=(Archive&&) = default;
    ~Archive();

    // nullopt when the file cannot be opened or read, is not a regular file or is over 256 MiB.
    static std::optional<Archive> loadFile(
        const std::filesystem::path& path, const ClassRegistry& classes = ClassRegistry::global());
    // Writes the stored bytes through a temporary file and a rename, so a failed save never
    // leaves a half-written file behind; false when it cannot be written.
    bool saveFile(const std::filesystem::path& path) const;

    bool isStoring() const { return mode_ == Mode::Store; }
    bool isLoading() const { return mode_ == Mode::Load; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return bytes_.size() - pos_; }

    void writeByte(std::uint8_t v);
    void writeWord(std::uint16_t v);
    void writeDWord(std::uint32_t v);
    void writeLong(std::int32_t v) { writeDWord(static_cast<std::uint32_t>(v)); }
    void writeDouble(double v);
    void writeBytes(std::span<const std::uint8_t> bytes);
    std::uint8_t readByte();
    std::uint16_t readWord();
    std::uint32_t readDWord();
    std::int32_t readLong() { return static_cast<std::int32_t>(readDWord()); }
    double readDouble();
    void readBytes(std::span<std::uint8_t> out);

    // Element counts: a word, or 0xFFFF followed by a double word.
    void writeCount(std::uint32_t count);
    // `minBytesPerElement` is the least each counted element occupies in the stream; a count
    // that could not fit in the bytes left is refused before anything is allocated.
    std::uint32_t readCount(std::size_t minBytesPerElement);

    // 8-bit text: length prefix of one byte (< 255), 0xFF + word (< 0xFFFE) or
    // 0xFF 0xFFFF + double word, then the bytes.
    void writeString(std::string_view text);
    std::string readString();

    void writeWordArray(std::span<const std::uint16_t> values);
    std::vector<std::uint16_t> readWordArray();
    void writeDWordArray(std::span<const std::uint32_t> values);
    std::vector<std::uint32_t> readDWordArray();

    // Objects: null tag, new-class tag with schema and name, class reference, or a
    // reference to an object already in this archive (same address when storing).
    void writeObject(const Serializable* object);
    std::shared_ptr<Serializable> readObject();
    // As readObject, but anything other than null or a T is refused with BadClass.
    template <class T> std::shared_ptr<T> readObjectAs()
    {
        auto object = readObject();
        if (!object)
            return nullptr;
        auto typed = std::dynamic_pointer_cast<T>(object);
        if (!typed)
            throw ArchiveError(ArchiveError::Cause::BadClass,
                "archive: object of class " + object->classInfo().name + " where another was expected");
        return typed;
    }

    // Throws EndOfFile unless `n` more bytes are left to read.
    void need(std::size_t n) const;

private:
    void requireStoring() const;
    void requireLoading() const;
    void writeTag(std::uint32_t index, bool isClass);
    // A count, then each element written by `put` / read by `get`.
    template <typename T> void writeArray(std::span<const T> values, void (Archive::*put)(T));
    template <typename T> std::vector<T> readArray(T (Archive::*get)());
    // Every class and object written takes the next index after the null tag's 0.
    std::uint32_t nextStoreIndex() const { return static_cast<std::uint32_t>(storeMap_.size() + 1); }

    struct LoadEntry {
        const ClassInfo* cls = nullptr; // set for a class entry
        std::shared_ptr<Serializable> object; // set for an object entry
        bool complete = false; // the object's serialize has returned
    };

    Mode mode_;
    std::vector<std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    const ClassRegistry* classes_ = nullptr;
    // Storing: index of every class and object written so far (index 0 is the null tag).
    std::unordered_map<const void*, std::uint32_t> storeMap_;
    // Loading: the classes and objects met so far, in index order (entry 0 unused).
    std::vector<LoadEntry> loadMap_;
    int depth_ = 0;
};

} // namespace fw
