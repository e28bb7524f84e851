#pragma once
// Shared-memory segments that back plinth's named objects, with a lifetime that
// follows "the object exists while some process holds it": every holder keeps a
// shared open-file-description lock on its segment, so a name whose holders all
// died is recognised as stale and removed instead of blocking a later create.
#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace plinth::named {

// The segment name of a key ("eventPLNT%d" and friends) with the PLINTH_NAMESPACE
// prefix; nullopt when the namespace is unusable in a file name.
std::optional<std::string> segment_name(const char* pattern, int key);
// The namespace prefix alone (empty when unset); nullopt when unusable.
std::optional<std::string> object_namespace();

class Segment {
public:
    enum class CreateResult { created, exists, failed };
    // Returns false when the object could not be set up.
    using Initialiser = std::function<bool(void* base)>;

    Segment() = default;
    Segment(const Segment&) = delete;
    Segment& operator=(const Segment&) = delete;
    Segment(Segment&& other) noexcept;
    Segment& operator=(Segment&& other) noexcept;
    ~Segment();

    // Publishes a new segment of size bytes under name, initialised by init before
    // any other process can see it.
    static CreateResult create(
        const std::string& name, std::size_t size, const Initialiser& init, Segment& out);
    // Opens a live segment. map=false only takes the hold (the persist server).
    static std::optional<Segment> open(const std::string& name, bool map);
    // An unnamed segment for key 0, shared only with children forked later.
    static std::optional<Segment> create_private(std::size_t size, const Initialiser& init);

    void* base() const { return base_; }
    std::size_t size() const { return size_; }
    bool valid() const { return fd_ >= 0 || base_ != nullptr; }
    // Reads the first bytes without a mapping (kind checks in the persist server).
    bool read_header(void* buffer, std::size_t length) const;
    bool protect(bool writable);
    // Lets go of the hold; the last holder removes the name. False when the system
    // refused to unmap or close.
    bool close();

private:
    Segment(int fd, void* base, std::size_t size, std::string path)
        : fd_(fd)
        , base_(base)
        , size_(size)
        , path_(std::move(path))
    {
    }

    int fd_ = -1;
    void* base_ = nullptr;
    std::size_t size_ = 0;
    std::string path_;
};

} // namespace plinth::named
