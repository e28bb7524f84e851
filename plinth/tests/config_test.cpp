#include "plinth/config.h"

#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "../src/ini_scan.h"
#include "scratch_dir.h"

namespace {

struct ConfigCloser {
    void operator()(PlinthConfig* c) const { ConfigClose(c); }
};
using ConfigPtr = std::unique_ptr<PlinthConfig, ConfigCloser>;

const char* kRouterIni =
    "; router settings\n"
    "[Other]\n"
    "Service=wrong\n"
    "[VORLClient]\r\n"
    "Service = 7001 \r\n"
    "HostType=2\n"
    "  service=duplicate\n"
    "Blank=\n"
    "Spaces=  42abc\n"
    "Word=abc\n"
    "Hex=0x1F\n"
    "Minus=-17\n"
    "Twenty=12345678901234567890\n"
    "LongTail=000000000000042999\n"
    "Quoted=\"  keep  \"\n"
    "noequals line\n"
    "[vorlclient]\n"
    "Late=second section of the same name is not read\n"
    "[Empty]\n"
    "[Two]\n"
    "Service=a\n"
    "HostType=b\n";

class ConfigTest : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string path = dir.write("router.ini", kRouterIni);
    ConfigPtr open(const char* section) { return ConfigPtr(ConfigOpen(section, path.c_str())); }
};

TEST_F(ConfigTest, ReadIntFollowsAtoi)
{
    auto cfg = open("VORLClient");
    const struct {
        const char* key;
        int expected;
    } cases[] = {
        {"Spaces", 42},          // blanks then digits up to the first non-digit
        {"Word", 0},             // no digit gives 0, not the default
        {"Blank", -5},           // empty value gives the default
        {"Absent", -5},          // missing key gives the default
        {"Hex", 0},              // 0x... stops at the x
        {"Minus", -17},
        {"Twenty", INT_MAX},     // 15 characters read, clamped rather than overflowed
        {"LongTail", 42},        // only the first 15 characters are looked at
        {"Quoted", 0},           // blanks inside quotes are skipped, then no digit
        {"HOSTTYPE", 2},         // case-insensitive key
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConfigReadInt(cfg.get(), c.key, -5), c.expected) << c.key;
}

TEST_F(ConfigTest, ReadStringTrimsTruncatesAndFallsBack)
{
    auto cfg = open("vorlCLIENT");
    char buf[64];
    EXPECT_EQ(ConfigReadString(cfg.get(), "service", buf, sizeof buf, "def"), 4);
    EXPECT_STREQ(buf, "7001"); // first key of a name wins, blanks and CR dropped
    EXPECT_EQ(ConfigReadString(cfg.get(), "Quoted", buf, sizeof buf, "def"), 8);
    EXPECT_STREQ(buf, "  keep  ");
    EXPECT_EQ(ConfigReadString(cfg.get(), "Late", buf, sizeof buf, "def"), 3);
    EXPECT_STREQ(buf, "def");
    EXPECT_EQ(ConfigReadString(cfg.get(), "Blank", buf, sizeof buf, "def"), 0);
    EXPECT_STREQ(buf, "");

    char small[3];
    EXPECT_EQ(ConfigReadString(cfg.get(), "Service", small, sizeof small, "def"), 2);
    EXPECT_STREQ(small, "70");
    EXPECT_EQ(ConfigReadString(cfg.get(), "Absent", small, sizeof small, "default"), 2);
    EXPECT_STREQ(small, "de");
    EXPECT_EQ(ConfigReadString(cfg.get(), "Absent", small, sizeof small, nullptr), 0);
    EXPECT_EQ(ConfigReadString(cfg.get(), "Service", nullptr, 10, "def"), 0);
    EXPECT_EQ(ConfigReadString(cfg.get(), "Service", small, 0, "def"), 0);
}

TEST_F(ConfigTest, KeyListHasDoubleZeroAndCutsAtWholeNames)
{
    auto two = open("Two");
    char buf[64];
    std::memset(buf, 'x', sizeof buf);
    const int n = ConfigReadString(two.get(), nullptr, buf, sizeof buf, "ignored");
    EXPECT_EQ(n, 17); // everything before the final zero
    EXPECT_EQ(std::string(buf, 17), std::string("Service\0HostType\0\0", 17));

    const struct {
        int size;
        int result;
        std::string bytes;
    } cuts[] = {
        {16, 8, std::string("Service\0\0", 9)}, // HostType does not fit whole
        {9, 8, std::string("Service\0\0", 9)},
        {8, 0, std::string("\0\0", 2)},
        {2, 0, std::string("\0\0", 2)},
        {1, 0, std::string("\0", 1)},
    };
    for (const auto& c : cuts) {
        std::memset(buf, 'x', sizeof buf);
        EXPECT_EQ(ConfigReadString(two.get(), nullptr, buf, c.size, nullptr), c.result) << c.size;
        EXPECT_EQ(std::string(buf, c.bytes.size()), c.bytes) << c.size;
    }

    auto empty = open("Empty");
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(ConfigReadString(empty.get(), nullptr, buf, sizeof buf, "d"), 0);
    EXPECT_EQ(std::string(buf, 2), std::string("\0\0", 2));
}

TEST_F(ConfigTest, EveryReadSeesTheFileAnew)
{
    auto cfg = open("Two");
    EXPECT_EQ(ConfigReadInt(cfg.get(), "Fresh", 9), 9);
    dir.write("router.ini", "[Two]\nFresh=11\n");
    EXPECT_EQ(ConfigReadInt(cfg.get(), "Fresh", 9), 11);
}

TEST(ConfigFile, MissingFileGivesDefaults)
{
    ConfigPtr cfg(ConfigOpen("Any", "/nonexistent/folder/none.ini"));
    ASSERT_NE(cfg, nullptr);
    char buf[16];
    EXPECT_EQ(ConfigReadString(cfg.get(), "Key", buf, sizeof buf, "dflt"), 4);
    EXPECT_STREQ(buf, "dflt");
    EXPECT_EQ(ConfigReadInt(cfg.get(), "Key", 77), 77);
    EXPECT_EQ(ConfigReadString(cfg.get(), nullptr, buf, sizeof buf, "dflt"), 0);
    EXPECT_EQ(ConfigClose(nullptr), 1);

    // A folder or a FIFO is not a configuration file: defaults, and no hang on the FIFO.
    ScratchDir dir;
    ASSERT_EQ(mkfifo(dir.file("fifo.ini").c_str(), 0600), 0);
    for (const std::string& odd : {dir.path(), dir.file("fifo.ini")}) {
        ConfigPtr c(ConfigOpen("Any", odd.c_str()));
        EXPECT_EQ(ConfigReadInt(c.get(), "Key", 5), 5) << odd;
    }
}

TEST(ConfigFile, BareNameResolvesThroughEnvironment)
{
    ScratchDir dir;
    std::filesystem::create_directories(dir.file("xdg/vexa"));
    std::filesystem::create_directories(dir.file("home/.config/vexa"));
    std::filesystem::create_directories(dir.file("ini"));
    dir.write("xdg/vexa/kv.ini", "[s]\nfrom=2\n");
    dir.write("home/.config/vexa/kv.ini", "[s]\nfrom=3\n");
    dir.write("ini/kv.ini", "[s]\nfrom=1\n");

    ScopedEnv home("HOME", dir.file("home").c_str());
    ConfigPtr cfg(ConfigOpen("s", "kv.ini"));
    {
        ScopedEnv ini("VEXA_INI_DIR", dir.file("ini").c_str());
        ScopedEnv xdg("XDG_CONFIG_HOME", dir.file("xdg").c_str());
        EXPECT_EQ(ConfigReadInt(cfg.get(), "from", 0), 1);
    }
    {
        ScopedEnv ini("VEXA_INI_DIR", nullptr);
        ScopedEnv xdg("XDG_CONFIG_HOME", dir.file("xdg").c_str());
        EXPECT_EQ(ConfigReadInt(cfg.get(), "from", 0), 2);
    }
    {
        ScopedEnv ini("VEXA_INI_DIR", "");
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(ConfigReadInt(cfg.get(), "from", 0), 3);
    }
    // A name with a folder is taken as given.
    ConfigPtr direct(ConfigOpen("s", dir.file("ini/kv.ini").c_str()));
    EXPECT_EQ(ConfigReadInt(direct.get(), "from", 0), 1);
}

TEST(IniScan, OddLinesNeverConfuseTheReader)
{
    static const char raw[] = "[a\n[ b ]\n=novalue\nk=v=w\n#k=comment\n[c]\nk=\"'\nz\0y=1\n";
    const std::string text(raw, sizeof raw - 1);
    EXPECT_EQ(plinth::ini::findValue(text, "b", "k").value_or("?"), "v=w");
    EXPECT_FALSE(plinth::ini::findValue(text, "a", "k").has_value());
    EXPECT_EQ(plinth::ini::findValue(text, "c", "k").value_or("?"), "\"'");
    const auto keys = plinth::ini::listKeys(text, "c");
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[1], "z");
}

} // namespace
