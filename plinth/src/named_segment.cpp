#include "named_segment.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>

namespace plinth::named {
namespace {

constexpr const char* kShmDir = "/dev/shm";
// Long enough for any sane prefix, short enough that the prefixed socket name of
// the persist server still fits a Unix socket address.
constexpr std::size_t kMaxNamespace = 64;
// A holder that finds the name half-removed by another process retries; these
// windows last microseconds, so a bounded number of short pauses is plenty.
constexpr int kRetries = 2000;

void short_pause()
{
    std::this_thread::sleep_for(std::chrono::microseconds(200));
}

// Byte 0 carries the holds: shared by every holder, exclusive only for the last
// one on its way out. Byte 1 lets one process at a time decide whether a name is
// stale, so two processes opening a dead object together cannot both keep it.
constexpr off_t kHoldByte = 0;
constexpr off_t kProbeByte = 1;

bool set_lock(int fd, short type, off_t byte = kHoldByte)
{
    struct flock fl { };
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = byte;
    fl.l_len = 1;
    return fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

bool lock_busy()
{
    return errno == EAGAIN || errno == EACCES;
}

// True when path still names the file open as fd; a name can only be removed by
// a process holding the exclusive lock, so while we hold any lock this stays true.
bool names_same_file(int fd, const std::string& path)
{
    struct stat by_fd { };
    struct stat by_path { };
    if (fstat(fd, &by_fd) != 0 || by_fd.st_nlink == 0)
        return false;
    if (stat(path.c_str(), &by_path) != 0)
        return false;
    return by_fd.st_dev == by_path.st_dev && by_fd.st_ino == by_path.st_ino;
}

enum class Probe { live, absent, retry, failed };

// Opens path and takes a shared hold. A name that nobody else holds is stale
// (its holders died or closed without removing it): it is removed and reported absent.
Probe probe(const std::string& path, int& fd_out)
{
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return errno == ENOENT ? Probe::absent : Probe::failed;
    if (!set_lock(fd, F_WRLCK, kProbeByte) || !set_lock(fd, F_RDLCK)) {
        bool busy = lock_busy();
        ::close(fd);
        return busy ? Probe::retry : Probe::failed;
    }
    if (!names_same_file(fd, path)) {
        ::close(fd);
        return Probe::retry;
    }
    if (set_lock(fd, F_WRLCK)) {
        // A stale name another user left in the sticky shm folder cannot be
        // removed by us; it then stays in the way rather than being retried for ever.
        bool removed = ::unlink(path.c_str()) == 0 || errno == ENOENT;
        ::close(fd);
        return removed ? Probe::absent : Probe::failed;
    }
    if (!lock_busy()) {
        ::close(fd);
        return Probe::failed;
    }
    set_lock(fd, F_UNLCK, kProbeByte);
    fd_out = fd;
    return Probe::live;
}

void remove_if_unheld(const std::string& path)
{
    for (int attempt = 0; attempt < kRetries; ++attempt) {
        int fd = -1;
        Probe found = probe(path, fd);
        if (found == Probe::live)
            ::close(fd);
        if (found != Probe::retry)
            return;
        short_pause();
    }
}

void* map_fd(int fd, std::size_t size)
{
    void* base = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    return base == MAP_FAILED ? nullptr : base;
}

std::atomic<unsigned> temp_counter { 0 };

// An unnamed file in the shm folder, so a creator killed half-way leaves nothing.
// Falls back to a unique temporary name where O_TMPFILE is missing.
int make_unpublished(std::string& temp_path)
{
    int fd = ::open(kShmDir, O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0)
        return fd;
    char name[96];
    std::snprintf(name, sizeof name, "%s/.plinth-new-%d-%u", kShmDir, static_cast<int>(getpid()),
        temp_counter.fetch_add(1));
    fd = ::open(name, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0)
        temp_path = name;
    return fd;
}

bool publish(int fd, const std::string& temp_path, const std::string& path)
{
    if (!temp_path.empty())
        return ::link(temp_path.c_str(), path.c_str()) == 0;
    char proc_path[64];
    std::snprintf(proc_path, sizeof proc_path, "/proc/self/fd/%d", fd);
    return ::linkat(AT_FDCWD, proc_path, AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

} // namespace

std::optional<std::string> object_namespace()
{
    const char* ns = std::getenv("PLINTH_NAMESPACE");
    if (ns == nullptr)
        return std::string();
    std::string value(ns);
    if (value.size() > kMaxNamespace)
        return std::nullopt;
    for (char c : value) {
        if (c <= ' ' || c == '/' || c >= 127)
            return std::nullopt;
    }
    if (value == "." || value == "..")
        return std::nullopt;
    return value;
}

std::optional<std::string> segment_name(const char* pattern, int key)
{
    auto ns = object_namespace();
    if (!ns)
        return std::nullopt;
    char name[64];
    std::snprintf(name, sizeof name, pattern, key);
    return *ns + name;
}

Segment::Segment(Segment&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
    , base_(std::exchange(other.base_, nullptr))
    , size_(std::exchange(other.size_, 0))
    , path_(std::move(other.path_))
{
}

Segment& Segment::operator=(Segment&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        base_ = std::exchange(other.base_, nullptr);
        size_ = std::exchange(other.size_, 0);
        path_ = std::move(other.path_);
    }
    return *this;
}

Segment::~Segment()
{
    close();
}

Segment::CreateResult Segment::create(
    const std::string& name, std::size_t size, const Initialiser& init, Segment& out)
{
    if (size == 0)
        return CreateResult::failed;
    std::string path = std::string(kShmDir) + "/" + name;
    std::string temp_path;
    int fd = make_unpublished(temp_path);
    if (fd < 0)
        return CreateResult::failed;
    // The umask must not keep other users of the machine out.
    void* base = nullptr;
    if (fchmod(fd, 0666) != 0 || ftruncate(fd, static_cast<off_t>(size)) != 0
        || (base = map_fd(fd, size)) == nullptr || !set_lock(fd, F_RDLCK)) {
        if (base != nullptr)
            munmap(base, size);
        if (!temp_path.empty())
            ::unlink(temp_path.c_str());
        ::close(fd);
        return CreateResult::failed;
    }
    Segment made(fd, base, size, path);
    if (!init(base)) {
        made.path_.clear();
        if (!temp_path.empty())
            ::unlink(temp_path.c_str());
        return CreateResult::failed;
    }
    CreateResult result = CreateResult::failed;
    for (int attempt = 0; attempt < kRetries; ++attempt) {
        if (publish(fd, temp_path, path)) {
            result = CreateResult::created;
            break;
        }
        if (errno != EEXIST)
            break;
        int other = -1;
        Probe found = probe(path, other);
        if (found == Probe::live) {
            ::close(other);
            result = CreateResult::exists;
            break;
        }
        if (found == Probe::failed)
            break;
        if (found == Probe::retry)
            short_pause();
    }
    if (!temp_path.empty())
        ::unlink(temp_path.c_str());
    if (result != CreateResult::created) {
        // Never published: nothing to remove by name.
        made.path_.clear();
        return result;
    }
    out = std::move(made);
    return result;
}

std::optional<Segment> Segment::open(const std::string& name, bool map)
{
    std::string path = std::string(kShmDir) + "/" + name;
    for (int attempt = 0; attempt < kRetries; ++attempt) {
        int fd = -1;
        switch (probe(path, fd)) {
        case Probe::absent:
        case Probe::failed:
            return std::nullopt;
        case Probe::retry:
            short_pause();
            continue;
        case Probe::live:
            break;
        }
        struct stat st { };
        if (fstat(fd, &st) != 0 || st.st_size <= 0) {
            ::close(fd);
            return std::nullopt;
        }
        auto size = static_cast<std::size_t>(st.st_size);
        void* base = nullptr;
        if (map && (base = map_fd(fd, size)) == nullptr) {
            ::close(fd);
            return std::nullopt;
        }
        return Segment(fd, base, size, path);
    }
    return std::nullopt;
}

std::optional<Segment> Segment::create_private(std::size_t size, const Initialiser& init)
{
    if (size == 0)
        return std::nullopt;
    void* base = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED)
        return std::nullopt;
    Segment made(-1, base, size, std::string());
    if (!init(base))
        return std::nullopt;
    return made;
}

bool Segment::read_header(void* buffer, std::size_t length) const
{
    if (base_ != nullptr) {
        if (length > size_)
            return false;
        std::memcpy(buffer, base_, length);
        return true;
    }
    return fd_ >= 0 && pread(fd_, buffer, length, 0) == static_cast<ssize_t>(length);
}

bool Segment::protect(bool writable)
{
    if (base_ == nullptr)
        return false;
    return mprotect(base_, size_, writable ? PROT_READ | PROT_WRITE : PROT_READ) == 0;
}

bool Segment::close()
{
    bool ok = true;
    if (base_ != nullptr) {
        ok = munmap(base_, size_) == 0;
        base_ = nullptr;
    }
    if (fd_ >= 0) {
        ok = ::close(fd_) == 0 && ok;
        fd_ = -1;
        // Our hold goes with the descriptor, unless a child forked since shares it
        // (it then still holds for us). Whoever holds nothing any more looks from
        // outside: a name nobody holds is removed.
        if (!path_.empty())
            remove_if_unheld(path_);
    }
    size_ = 0;
    path_.clear();
    return ok;
}

} // namespace plinth::named
