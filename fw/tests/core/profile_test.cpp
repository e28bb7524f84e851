#include "fw/core/profile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/fwprofileXXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string file(const std::string& name, const std::string& content)
    {
        const auto p = dir_ / name;
        std::ofstream(p, std::ios::binary) << content;
        return p.string();
    }
    std::string read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    std::filesystem::path dir_;
};

const char* kIni = "; settings of the bench\n"
                   "[General]\n"
                   "LogoPeriod = 7 \n"
                   "TimeSlice=  0x10\n"
                   "Negative=-42\n"
                   "Junk=abc\n"
                   "Trailing=12abc\n"
                   "Empty=\n"
                   "Huge=99999999999\n"
                   "Quoted= \"  padded  \" \n"
                   "NoEquals\n"
                   "\n"
                   "[vorl]\n"
                   "Service=7000\n"
                   "[GENERAL]\n"
                   "LogoPeriod=99\n";

TEST_F(ProfileTest, ReadsCaseInsensitivelyWithDefaultsAndTrimmedValues)
{
    fw::Profile p(file("kv32.ini", kIni));
    struct IntCase {
        const char* section;
        const char* key;
        std::int32_t want;
    } ints[] = {
        { "general", "logoperiod", 7 }, // case-insensitive; first section wins
        { " General ", " LogoPeriod ", 7 },
        { "general", "TimeSlice", 16 },
        { "general", "Negative", -42 },
        { "general", "Junk", 0 }, // present but not a number
        { "general", "Trailing", 12 },
        { "general", "Empty", 5 }, // empty value: the default
        { "general", "Missing", 5 },
        { "nosection", "LogoPeriod", 5 },
        { "general", "Huge", 2147483647 },
    };
    for (const auto& c : ints)
        EXPECT_EQ(p.getInt(c.section, c.key, 5), c.want) << c.section << "/" << c.key;

    EXPECT_EQ(p.getString("general", "Quoted"), "  padded  ");
    EXPECT_EQ(p.getString("VORL", "service"), "7000");
    EXPECT_EQ(p.getString("vorl", "Server", "fallback  "), "fallback");
    EXPECT_EQ(p.getString("vorl", "Server"), "");
    EXPECT_EQ(p.find("general", "NoEquals"), std::optional<std::string>(""));
    EXPECT_FALSE(p.find("vorl", "Server").has_value());
}

TEST_F(ProfileTest, EnumeratesSectionsAndKeys)
{
    fw::Profile p(file("kv32.ini", kIni));
    EXPECT_EQ(p.sections(), (std::vector<std::string> { "General", "vorl" }));
    EXPECT_EQ(p.keys("VORL"), (std::vector<std::string> { "Service" }));
    EXPECT_TRUE(p.keys("none").empty());
}

TEST_F(ProfileTest, WritesKeepOtherLinesAndSpelling)
{
    const auto path = file("w.ini", "; comment\r\n[Main]\r\nKey=1\r\n\r\n[Other]\r\nA=b\r\n");
    fw::Profile p(path);
    ASSERT_TRUE(p.writeString("main", "KEY", "2"));
    ASSERT_TRUE(p.writeInt("MAIN", "New", -3));
    ASSERT_TRUE(p.writeString("Third", "X", "y z"));
    EXPECT_EQ(
        read(path), "; comment\r\n[Main]\r\nKey=2\r\nNew=-3\r\n\r\n[Other]\r\nA=b\r\n[Third]\r\nX=y z\r\n");
    ASSERT_TRUE(p.deleteKey("main", "key"));
    ASSERT_TRUE(p.deleteSection("other"));
    EXPECT_EQ(read(path), "; comment\r\n[Main]\r\nNew=-3\r\n\r\n[Third]\r\nX=y z\r\n");
    EXPECT_TRUE(p.deleteKey("nosuch", "key"));
}

TEST_F(ProfileTest, RefusesNamesThatCouldNotBeReadBack)
{
    fw::Profile p(file("r.ini", ""));
    EXPECT_FALSE(p.writeString("", "k", "v"));
    EXPECT_FALSE(p.writeString("a]b", "k", "v"));
    EXPECT_FALSE(p.writeString("s", "k=1", "v"));
    EXPECT_FALSE(p.writeString("s", ";k", "v"));
    EXPECT_FALSE(p.writeString("s", "k", "two\nlines"));
    EXPECT_EQ(read(p.path().string()), "");
}

TEST_F(ProfileTest, EightBitTextPassesThrough)
{
    fw::Profile p(file("hu.ini", ""));
    const std::string value = "Felhaszn\xE1l\xF3i";
    ASSERT_TRUE(p.writeString("\xC1ltal\xE1nos", "N\xE9v", value));
    EXPECT_EQ(p.getString("\xE1LTAL\xC1NOS", "n\xC9V"), value); // accented letters fold case too
}

TEST_F(ProfileTest, BareNamesResolveInTheSettingsFolder)
{
    const char* saved = std::getenv("VEXA_INI_DIR");
    const std::string keep = saved ? saved : "";
    const auto iniDir = dir_ / "cfg" / "sub";
    ::setenv("VEXA_INI_DIR", iniDir.c_str(), 1);
    EXPECT_EQ(fw::resolveIniPath("kv32.ini"), iniDir / "kv32.ini");
    EXPECT_EQ(fw::resolveIniPath("/etc/x.ini"), std::filesystem::path("/etc/x.ini"));
    EXPECT_EQ(fw::resolveIniPath("rel/x.ini"), std::filesystem::path("rel/x.ini"));
    fw::Profile p("kv32.ini");
    EXPECT_TRUE(p.writeInt("general", "LogoPeriod", 3)); // creates the folder
    EXPECT_EQ(fw::Profile("kv32.ini").getInt("General", "logoperiod", 0), 3);

    ::unsetenv("VEXA_INI_DIR");
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string keepXdg = xdg ? xdg : "";
    ::setenv("XDG_CONFIG_HOME", "/x/y", 1);
    EXPECT_EQ(fw::iniDirectory(), std::filesystem::path("/x/y/vexa"));
    ::unsetenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (home && *home) {
        EXPECT_EQ(fw::iniDirectory(), std::filesystem::path(home) / ".config" / "vexa");
    }
    if (xdg)
        ::setenv("XDG_CONFIG_HOME", keepXdg.c_str(), 1);
    if (saved)
        ::setenv("VEXA_INI_DIR", keep.c_str(), 1);
}

TEST_F(ProfileTest, UnwritableFileReportsFailure)
{
    fw::Profile p((dir_ / "missing" / "x.ini").string());
    EXPECT_FALSE(p.writeString("s", "k", "v"));
    EXPECT_EQ(p.getInt("s", "k", 9), 9);
}

// What cannot be read as a settings file (a folder, a file far beyond any settings file) has no
// settings, and no write replaces it by the few lines a writer would have kept of it.
TEST_F(ProfileTest, UnreadableFileIsNeitherReadNorReplaced)
{
    const std::string big = file("big.ini", "[s]\nk=1\n");
    std::filesystem::resize_file(big, 16 * 1024 * 1024 + 1); // sparse: no real disk use
    const std::string folder = (dir_ / "folder.ini").string();
    std::filesystem::create_directory(folder);
    file("folder.ini/inside", "[s]\nk=1\n");
    for (const std::string& path : { big, folder }) {
        fw::Profile p(path);
        EXPECT_EQ(p.getInt("s", "k", 9), 9) << path;
        EXPECT_TRUE(p.sections().empty()) << path;
        EXPECT_TRUE(p.keys("s").empty()) << path;
        EXPECT_FALSE(p.writeString("s", "k", "2")) << path;
        EXPECT_FALSE(p.deleteKey("s", "k")) << path;
        EXPECT_FALSE(p.deleteSection("s")) << path;
    }
    EXPECT_EQ(std::filesystem::file_size(big), 16u * 1024 * 1024 + 1);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

} // namespace
