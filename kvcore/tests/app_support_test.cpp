// Version records, the locale record and interface language, and the toolbar
// data of the main window.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>

#include "fw/core/archive.h"
#include "kvcore/app/intl.h"
#include "kvcore/app/toolbar_model.h"
#include "kvcore/app/version_info.h"
#include "fw/core/strings.h"
#include "kvcore/values/intl_info.h"
#include "support/scoped_env.h"
#include "support/test_app.h"

namespace {

class ScratchFile {
public:
    explicit ScratchFile(const std::string& bytes)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvver.XXXXXX").string();
        const int fd = mkstemp(pattern.data());
        if (fd >= 0)
            close(fd);
        m_path = pattern;
        std::ofstream(m_path, std::ios::binary | std::ios::trunc) << bytes;
    }
    ~ScratchFile() { std::filesystem::remove(m_path); }
    const char* Path() const { return m_path.c_str(); }

private:
    std::string m_path;
};

std::string Record(const std::string& version)
{
    return std::string("\x01KVVERSION\x02") + version + std::string(1, '\0');
}

TEST(VersionInfo, ReadsTheRecordWhereverItLies)
{
    struct Case {
        std::string bytes;
        const char* expected;
    } const cases[] = {
        { "no record here", "Unknown" },
        { "" , "Unknown" },
        { std::string(100, 'x') + Record("1.2.3.4") + "tail", "1.2.3.4" },
        // Split across two reads of 64 KiB.
        { std::string(65536 - 6, 'x') + Record("4.03.2.1"), "4.3.2.1" },
        { std::string(65536 - 11, 'x') + Record("7.0.0.12"), "7.0.0.12" },
        // Malformed records are passed over; a good one later still counts.
        { Record("1.2.3") + Record("1.2.3.4.5") + Record("99999.1.1.1") + Record("a.b.c.d") + Record("5.6.7.8"),
            "5.6.7.8" },
        { std::string("\x01KVVERSION\x02") + "1.2.3.4", "Unknown" }, // never ended
    };
    for (const Case& c : cases) {
        ScratchFile file(c.bytes);
        EXPECT_EQ(GetVersionInfo(file.Path()), c.expected) << c.bytes.size();
    }
    EXPECT_EQ(GetVersionInfo("/nonexistent/kv32"), "Unknown");
    EXPECT_EQ(GetVersionInfo(static_cast<const char*>(nullptr)), "Unknown");
}

TEST(VersionInfo, EveryDeliverableCarriesTheProjectVersion)
{
    // The library's own record, found through its handle and by its file.
    void* core = GetCoreInstanceHandle();
    ASSERT_NE(core, nullptr);
    const std::string version = GetVersionInfo(core);
    EXPECT_TRUE(std::regex_match(version, std::regex(R"(\d+\.\d+\.\d+\.\d+)"))) << version;
    EXPECT_EQ(GetVersionInfo(KvModuleFile(core).c_str()), version);
    const std::filesystem::path bin = std::filesystem::path(KvModuleFile(core)).parent_path();
    for (const char* deliverable : { "libvorl.so", "libplinth.so" })
        EXPECT_EQ(GetVersionInfo((bin / deliverable).c_str()), version) << deliverable;
    // A test program is no deliverable.
    EXPECT_EQ(KvProgramVersion(), "Unknown");
}

TEST(Intl, LocaleRecordFromTheSourceWithLettersOfTheInterfaceLanguage)
{
    KvSetLocaleSource([] { return std::optional<fw::LocaleInfo>(fw::hungarianLocale()); });
    fw::setLanguage(fw::Language::Hungarian);
    GetIntlInfo();
    fw::LocaleInfo expected = fw::hungarianLocale();
    expected.hundred = 's';
    expected.thousand = 'e';
    expected.million = 'm';
    EXPECT_EQ(KvIntl(), expected);

    fw::setLanguage(fw::Language::English);
    KvSetLocaleSource([] { return std::optional<fw::LocaleInfo>(); });
    GetIntlInfo();
    EXPECT_EQ(KvIntl(), fw::englishLocale()); // letters h, t, m as the English words give
    KvSetLocaleSource(nullptr);
    KvSetIntl(fw::LocaleInfo {});
}

TEST(Intl, InterfaceLanguageFollowsTheMessageLocale)
{
    struct Case {
        const char* all;
        const char* messages;
        const char* lang;
        fw::Language expected;
    } const cases[] = {
        { nullptr, nullptr, nullptr, fw::Language::English },
        { nullptr, nullptr, "hu_HU.UTF-8", fw::Language::Hungarian },
        { nullptr, "hu_HU", "en_US.UTF-8", fw::Language::Hungarian },
        { nullptr, "en_GB", "hu_HU", fw::Language::English },
        { "hu_HU.UTF-8", "en_US", "en_US", fw::Language::Hungarian },
        { "C", "hu_HU", "hu_HU", fw::Language::English },
        { "", "hu_HU", nullptr, fw::Language::Hungarian }, // an empty variable is not set
        { nullptr, nullptr, "hungarian", fw::Language::Hungarian },
        { nullptr, nullptr, "HU_hu", fw::Language::English },
    };
    for (const Case& c : cases) {
        kvtest::ScopedEnv all("LC_ALL", c.all);
        kvtest::ScopedEnv messages("LC_MESSAGES", c.messages), lang("LANG", c.lang);
        EXPECT_EQ(KvUserInterfaceLanguage(), c.expected)
            << (c.all ? c.all : "-") << " " << (c.messages ? c.messages : "-") << " " << (c.lang ? c.lang : "-");
    }
}

TEST(Intl, TheInterfaceLanguageReachesTheFrameworkAndTheRouter)
{
    {
        kvtest::ScopedEnv all("LC_ALL", nullptr), messages("LC_MESSAGES", "hu_HU.UTF-8"), lang("LANG", nullptr);
        kvtest::ScopedEnv router("VORLLANGUAGE", nullptr);
        KvApplyInterfaceLanguage();
        EXPECT_EQ(fw::language(), fw::Language::Hungarian);
        EXPECT_STREQ(std::getenv("VORLLANGUAGE"), "Hungarian");
    }
    {
        // The user's own choice for the router stays.
        kvtest::ScopedEnv all("LC_ALL", "en_US.UTF-8"), router("VORLLANGUAGE", "Hungarian");
        KvApplyInterfaceLanguage();
        EXPECT_EQ(fw::language(), fw::Language::English);
        EXPECT_STREQ(std::getenv("VORLLANGUAGE"), "Hungarian");
    }
    fw::setLanguage(fw::Language::English);
}

TEST(ToolBarModel, GroupsKeepWhatTheUserMayUse)
{
    EXPECT_EQ(CKvToolBarModel::BarId(0), 59392u);
    EXPECT_EQ(CKvToolBarModel::BarId(1), 59397u);
    EXPECT_EQ(CKvToolBarModel::BarId(2), 59398u);

    kvtest::TestApp app;
    app.refused = { 11, 21, 22 };
    CKvToolBarModel model;
    const uint32_t file[] = { 10, 0, 11, 12 };
    const uint32_t trade[] = { 21, 22 };
    model.AddDefaultButtonGroup(file, 4, "File", true, true);
    model.AddDefaultButtonGroup(trade, 2, "Trade", false, true);
    model.AddDefaultButtonGroup(nullptr, 0, "Empty", false, false);
    ASSERT_EQ(model.Groups().size(), 3u);
    EXPECT_FALSE(model.Groups()[1].showLoggedOff);
    EXPECT_TRUE(model.Groups()[1].showLoggedOn);
    model.PermissionToolBars();
    EXPECT_EQ(model.PermittedNames(), (std::vector<std::string> { "File", "Trade", "Empty" }));
    EXPECT_EQ(model.PermittedGroups(),
        (std::vector<std::vector<uint32_t>> { { 10, 0, 12 }, { 0 }, { 0 } })); // indexes stay aligned
    // Rebuilt, not appended, for the rights of the moment.
    app.refused.clear();
    model.PermissionToolBars();
    EXPECT_EQ(model.PermittedGroups()[1], (std::vector<uint32_t> { 21, 22 }));
}

TEST(ToolBarModel, DockStateRoundTripAndRightsFilter)
{
    KvDockState state;
    state.bars = { { 59392, true, { 10, 0, 11, 12 } }, { 59397, false, { 21, 22 } } };
    state.placement = { 1, 2, 3, 0xFF };
    fw::Archive out;
    EXPECT_TRUE(state.Serialize(out));
    fw::Archive in(out.bytes());
    KvDockState loaded;
    EXPECT_TRUE(loaded.Serialize(in));
    EXPECT_EQ(loaded, state);
    EXPECT_EQ(in.remaining(), 0u);

    // A layout stored by a user with more rights loses the buttons this one may not use.
    kvtest::TestApp app;
    app.refused = { 11, 22 };
    CKvToolBarModel::PermissionDockState(loaded);
    EXPECT_EQ(loaded.bars[0].buttons, (std::vector<uint32_t> { 10, 0, 12 }));
    EXPECT_EQ(loaded.bars[1].buttons, (std::vector<uint32_t> { 21 }));

    // Every truncation and a foreign version are refused, leaving the state as it was.
    // (The version word itself cut short is a truncation too.)
    for (size_t n = 0; n < out.bytes().size(); ++n) {
        fw::Archive cut(std::vector<uint8_t>(out.bytes().begin(), out.bytes().begin() + static_cast<std::ptrdiff_t>(n)));
        KvDockState keep = state;
        EXPECT_THROW(keep.Serialize(cut), fw::ArchiveError) << n;
        EXPECT_EQ(keep, state) << n;
    }
    std::vector<uint8_t> foreign = out.bytes();
    foreign[0] = 9;
    fw::Archive bad(foreign);
    KvDockState keep = state;
    EXPECT_FALSE(keep.Serialize(bad));
    EXPECT_EQ(keep, state);
}

} // namespace
