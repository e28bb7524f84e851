// One copy of the framework in a process: libkvcore.so and the program share
// libfw_core.so and libfw_ui.so, so they share the string table, the language,
// the archive class registry and the message-box road.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fw/core/archive.h"
#include "fw/core/serializable.h"

namespace {

std::string BinDir()
{
    const char* bin = std::getenv("KV_BIN_DIR");
    return bin != nullptr ? bin : ".";
}

// Every mapped file of this process whose name ends in `library`.
std::set<std::string> MappedCopies(const std::string& library)
{
    std::set<std::string> paths;
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        const auto slash = line.find('/');
        if (slash == std::string::npos)
            continue;
        const std::string path = line.substr(slash);
        if (path.size() >= library.size() + 1 && path.compare(path.size() - library.size() - 1, std::string::npos,
                                                     "/" + library) == 0)
            paths.insert(path);
    }
    return paths;
}

TEST(OneFramework, TheProcessMapsOneCopyOfEachFrameworkLibrary)
{
    for (const char* library : { "libfw_core.so", "libfw_ui.so", "libkvcore.so" })
        EXPECT_EQ(MappedCopies(library).size(), 1u) << library;
}

// What the shell gives back; the command's exit status must be 0.
std::string CommandOutput(const std::string& command)
{
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return out;
    std::array<char, 4096> buffer {};
    while (std::fgets(buffer.data(), buffer.size(), pipe.get()) != nullptr)
        out += buffer.data();
    return out;
}

// A framework name that libkvcore.so defined itself would be a second copy of
// that piece of fw (its own statics, its own registry).
TEST(OneFramework, KvcoreDefinesNoFrameworkSymbols)
{
    const std::string lib = BinDir() + "/libkvcore.so";
    const std::string all = CommandOutput("nm -D -C --defined-only '" + lib + "' 2>&1");
    ASSERT_NE(all.find("KvCoreResources"), std::string::npos) << "nm could not read " << lib << ":\n" << all;
    std::string offending;
    std::size_t start = 0;
    while (start < all.size()) {
        const std::size_t end = all.find('\n', start);
        const std::string line = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? all.size() : end + 1;
        // "<address> <kind> <name>": a name in fw's namespace, or fw's vtable or typeinfo.
        const auto name = line.find(' ', line.find(' ') + 1);
        if (name == std::string::npos)
            continue;
        const std::string symbol = line.substr(name + 1);
        for (const char* prefix : { "fw::", "vtable for fw::", "typeinfo for fw::", "typeinfo name for fw::",
                 "VTT for fw::", "guard variable for fw::" })
            if (symbol.rfind(prefix, 0) == 0)
                offending += symbol + "\n";
    }
    EXPECT_EQ(offending, "");
}

// The archive bytes of one probe record: a new class tag, schema, name, then the value.
std::vector<std::uint8_t> ProbeArchive(std::uint32_t value)
{
    const std::string name = "CKvProbeRecord";
    std::vector<std::uint8_t> bytes = { 0xFF, 0xFF, 2, 0, static_cast<std::uint8_t>(name.size()), 0 };
    for (char c : name)
        bytes.push_back(static_cast<std::uint8_t>(c));
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    return bytes;
}

TEST(OneFramework, AnArchiveClassRegisteredByALibraryIsFoundByTheProgram)
{
    // Unknown before the module that registers it is loaded.
    {
        fw::Archive in(ProbeArchive(7));
        EXPECT_THROW(in.readObject(), fw::ArchiveError);
    }
    void* module = dlopen((BinDir() + "/libkvcore_archive_probe.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    {
        fw::Archive in(ProbeArchive(0x01020304));
        auto record = in.readObject();
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->classInfo().name, "CKvProbeRecord");
        EXPECT_EQ(in.remaining(), 0u);
        // Stored again, the record gives the same bytes back.
        fw::Archive out;
        out.writeObject(record.get());
        EXPECT_EQ(out.bytes(), ProbeArchive(0x01020304));
    }
    // The module stays loaded: its class info is in the registry for the rest of the process.
}

} // namespace
