#include "plinth/shlib.h"

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string binDir()
{
    const char* dir = std::getenv("KV_BIN_DIR");
    if (dir)
        return dir;
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path(self, n > 0 ? static_cast<size_t>(n) : 0);
    return path.substr(0, path.rfind('/'));
}

std::vector<std::string> splitList(const char* list)
{
    std::vector<std::string> names;
    // Sanitizer builds add "__odr_asan..." markers of their own; they are not ours to check.
    for (const char* p = list; *p; p += std::char_traits<char>::length(p) + 1)
        if (std::string(p).rfind("__", 0) != 0)
            names.emplace_back(p);
    return names;
}

using IntFn = int (*)();

TEST(Shlib, GetProcFallsBackToTheUnderscoreName)
{
    Shlib lib = ShlibLoad((binDir() + "/plinth_testlib_underscore.so").c_str());
    ASSERT_NE(lib, nullptr);
    const struct {
        const char* asked;
        int result; // 0: not found
    } cases[] = {
        {"Init", 42}, // only _Init exists
        {"_Init", 42},
        {"Both", 1},  // the plain name wins when both exist
        {"_Both", 2},
        {"internal_only", 0}, // hidden
        {"Missing", 0},
    };
    for (const auto& c : cases) {
        void* proc = ShlibGetProc(lib, c.asked);
        if (c.result == 0) {
            EXPECT_EQ(proc, nullptr) << c.asked;
        } else {
            ASSERT_NE(proc, nullptr) << c.asked;
            EXPECT_EQ(reinterpret_cast<IntFn>(proc)(), c.result) << c.asked;
        }
    }
    EXPECT_EQ(ShlibGetProc(lib, nullptr), nullptr);
    EXPECT_EQ(ShlibUnload(lib), 1);
}

TEST(Shlib, ExportNamesAreListedOnceAndCached)
{
    Shlib lib = ShlibLoad((binDir() + "/plinth_testlib_underscore.so").c_str());
    ASSERT_NE(lib, nullptr);
    const char* first = ShlibGetNames(lib);
    EXPECT_EQ(splitList(first), (std::vector<std::string> {"Both", "_Both", "_Init", "exported_counter"}));
    EXPECT_EQ(ShlibGetNames(lib), first); // the same buffer
    EXPECT_EQ(ShlibUnload(lib), 1);

    Shlib none = ShlibLoad((binDir() + "/plinth_testlib_noexports.so").c_str());
    ASSERT_NE(none, nullptr);
    EXPECT_STREQ(ShlibGetNames(none), "");
    EXPECT_EQ(ShlibUnload(none), 1);
    EXPECT_STREQ(ShlibGetNames(nullptr), "");
}

TEST(Shlib, BareNameResolvesBesideTheCaller)
{
    // The test program lives beside the test libraries; the current folder does not.
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir("/"), 0);
    Shlib lib = ShlibLoad("plinth_testlib_underscore.so");
    EXPECT_EQ(chdir(cwd), 0);
    ASSERT_NE(lib, nullptr);
    EXPECT_NE(ShlibGetProc(lib, "Init"), nullptr);
    EXPECT_EQ(ShlibUnload(lib), 1);
}

TEST(Shlib, FailuresGiveNull)
{
    EXPECT_EQ(ShlibLoad("no_such_library_plinth.so"), nullptr);
    EXPECT_EQ(ShlibLoad("/nonexistent/lib.so"), nullptr);
    EXPECT_EQ(ShlibLoad(""), nullptr);
    EXPECT_EQ(ShlibLoad(nullptr), nullptr);
    EXPECT_EQ(ShlibUnload(nullptr), 0);
    EXPECT_EQ(ShlibGetProc(nullptr, "x"), nullptr);
}

} // namespace
