#include "kvcore/app/version_info.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

constexpr const char* kUnknown = "Unknown";
// Files larger than this are not searched (no deliverable comes near it).
constexpr std::streamoff kMaxScanBytes = 512LL << 20;
constexpr size_t kChunk = 1 << 16;
constexpr size_t kMaxVersionText = 64;

// Built at run time so that this library's own code never holds the marker in one piece.
std::string Marker()
{
    std::string m(1, '\x01');
    m += "KVVERSION";
    m += '\x02';
    return m;
}

// Four dotted 16-bit numbers, reprinted as "%u.%u.%u.%u"; empty when the text is not one.
std::string NormalisedVersion(std::string_view text)
{
    std::array<unsigned, 4> parts {};
    const char* p = text.data();
    const char* end = text.data() + text.size();
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            if (p == end || *p != '.')
                return {};
            ++p;
        }
        const auto [next, ec] = std::from_chars(p, end, parts[i]);
        if (ec != std::errc() || next == p || parts[i] > 0xFFFF)
            return {};
        p = next;
    }
    if (p != end)
        return {};
    char out[32];
    std::snprintf(out, sizeof out, "%u.%u.%u.%u", parts[0], parts[1], parts[2], parts[3]);
    return out;
}

// The version that follows a marker at `at` in the window, or empty.
std::string VersionAt(const std::vector<char>& window, size_t at)
{
    const size_t first = at + Marker().size();
    const size_t limit = std::min(window.size(), first + kMaxVersionText);
    const auto zero = std::find(window.begin() + static_cast<std::ptrdiff_t>(first),
        window.begin() + static_cast<std::ptrdiff_t>(limit), '\0');
    if (zero == window.begin() + static_cast<std::ptrdiff_t>(limit))
        return {};
    return NormalisedVersion(std::string_view(window.data() + first, static_cast<size_t>(zero - window.begin()) - first));
}

} // namespace

std::string GetVersionInfo(const char* path)
{
    if (path == nullptr || *path == '\0')
        return kUnknown;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return kUnknown;
    const std::string marker = Marker();
    // A window of the chunk read now plus the tail of the previous one, so that a record
    // split across two reads is still found whole.
    const size_t keep = marker.size() + kMaxVersionText;
    std::vector<char> window;
    std::vector<char> chunk(kChunk);
    std::streamoff scanned = 0;
    while (scanned < kMaxScanBytes && in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto got = static_cast<size_t>(in.gcount());
        if (got == 0)
            break;
        scanned += static_cast<std::streamoff>(got);
        window.insert(window.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
        for (auto it = std::search(window.begin(), window.end(), marker.begin(), marker.end()); it != window.end();
             it = std::search(it + 1, window.end(), marker.begin(), marker.end())) {
            const size_t at = static_cast<size_t>(it - window.begin());
            if (window.size() - at < keep && in)
                break; // may be cut: look again with the next chunk
            const std::string version = VersionAt(window, at);
            if (!version.empty())
                return version;
        }
        if (window.size() > keep)
            window.erase(window.begin(), window.end() - static_cast<std::ptrdiff_t>(keep));
    }
    return kUnknown;
}

std::string KvModuleFile(void* module)
{
    if (module != nullptr) {
        link_map* map = nullptr;
        if (dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr)
            return {};
        if (map->l_name != nullptr && map->l_name[0] != '\0')
            return map->l_name;
    }
    // The program itself has no name in its link map.
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return {};
    return std::string(buffer, static_cast<size_t>(n));
}

std::string GetVersionInfo(void* module)
{
    const std::string file = KvModuleFile(module);
    return file.empty() ? std::string(kUnknown) : GetVersionInfo(file.c_str());
}

std::string KvProgramVersion()
{
    return GetVersionInfo(static_cast<void*>(nullptr));
}

void* GetAppInstanceHandle()
{
    static void* handle = dlopen(nullptr, RTLD_LAZY | RTLD_NOLOAD);
    return handle;
}

void* GetCoreInstanceHandle()
{
    // A handle to this library without loading it a second time.
    static void* handle = [] {
        Dl_info info {};
        if (dladdr(reinterpret_cast<void*>(&GetCoreInstanceHandle), &info) == 0 || info.dli_fname == nullptr)
            return static_cast<void*>(nullptr);
        void* h = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
        return h;
    }();
    return handle;
}
