// The settings-file reader over arbitrary bytes: the bytes become an INI file, which is
// read section by section and key by key, then changed once. Any content must read
// without a crash, and a write must leave a file that reads back the written value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "fw/core/profile.h"

namespace {

const std::filesystem::path& scratchFile()
{
    static const std::filesystem::path file = [] {
        std::string dir = (std::filesystem::temp_directory_path() / "fw_profile_fuzz.XXXXXX").string();
        if (!mkdtemp(dir.data()))
            std::abort();
        return std::filesystem::path(dir) / "fuzz.ini";
    }();
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto& file = scratchFile();
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    fw::Profile profile(file.string());
    for (const auto& section : profile.sections())
        for (const auto& key : profile.keys(section)) {
            (void)profile.getString(section, key);
            (void)profile.getInt(section, key, 0);
        }
    if (profile.writeString("fuzz", "key", "value") && profile.getString("fuzz", "key") != "value")
        std::abort();
    return 0;
}
