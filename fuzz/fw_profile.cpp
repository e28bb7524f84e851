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

// A private folder for the run's INI file, removed again when the program exits.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string dir = (std::filesystem::temp_directory_path() / "fw_profile_fuzz.XXXXXX").string();
        if (!mkdtemp(dir.data()))
            std::abort();
        folder_ = dir;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::filesystem::path file() const { return folder_ / "fuzz.ini"; }

private:
    std::filesystem::path folder_;
};

const std::filesystem::path& scratchFile()
{
    static const ScratchFolder folder;
    static const std::filesystem::path file = folder.file();
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
