// The application core's window-free decisions: command line, settings of
// section "general", access checks on menus, prompts and comparisons.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "fw/core/menu.h"
#include "fw/core/profile.h"
#include "fw/core/rescheck.h"
#include "kvcore/res/app_strings.h"
#include "kvcore/app/command_line.h"
#include "kvcore/app/compare.h"
#include "kvcore/app/menu_access.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/prompts.h"
#include "kvcore/app/session_core.h"
#include "kvcore/res/app_ids.h"
#include "fw/core/strings.h"
#include "kvcore/res/strings.h"
#include "support/scratch_dir.h"
#include "support/test_app.h"

namespace {

TEST(CommandLine, FlagsTable)
{
    struct Case {
        std::vector<const char*> words;
        int maximize, checkVersion;
        const char* user;
        const char* password;
        std::vector<std::string> defaults;
        const char* file;
    } const cases[] = {
        { {}, 0, 1, "", "", {}, "" },
        { { "/NOCHECKVERSION" }, 0, 0, "", "", {}, "" },
        { { "-nocheckversion" }, 0, 0, "", "", {}, "" },
        { { "/NoCheckVersion" }, 0, 0, "", "", {}, "" },
        { { "NOCHECKVERSION" }, 0, 1, "", "", {}, "NOCHECKVERSION" }, // not a flag
        { { "/N" }, 0, 1, "", "", {}, "" }, // taken and dropped
        { { "-NOCHECK" }, 0, 1, "", "", {}, "" },
        { { "/M" }, 1, 1, "", "", {}, "" },
        { { "-maximized" }, 1, 1, "", "", {}, "" },
        { { "/utrader01", "-pSecret#1" }, 0, 1, "trader01", "Secret#1", {}, "" },
        { { "/Utrader01", "/Pword" }, 0, 1, "", "", { "Utrader01", "Pword" }, "" },
        { { "-u", "/p" }, 0, 1, "", "", {}, "" }, // empty user and password
        { { "first.kvs", "second.kvs", "/x" }, 0, 1, "", "", { "x" }, "first.kvs" },
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv { "kv32" };
        argv.insert(argv.end(), c.words.begin(), c.words.end());
        CKvCommandLineInfo info;
        info.Parse(static_cast<int>(argv.size()), argv.data());
        const std::string label = c.words.empty() ? "(none)" : c.words[0];
        EXPECT_EQ(info.m_bMaximize, c.maximize) << label;
        EXPECT_EQ(info.m_bCheckVersion, c.checkVersion) << label;
        EXPECT_EQ(info.m_sUser, c.user) << label;
        EXPECT_EQ(info.m_sPassword, c.password) << label;
        EXPECT_EQ(info.m_aDefaultFlags, c.defaults) << label;
        EXPECT_EQ(info.m_strFileName, c.file) << label;
        EXPECT_EQ(info.m_nReserved, 0);
    }
}

class GeneralSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Values no default has, so a key not read shows.
        iTS = fErrorCheckEx = iHighSpeedDelay = fHighSpeedMode = iMMOverWrite = iSumInfoCycle = nOrdCountPeriod
            = -7;
        nErrorEx = 0;
    }
    void TearDown() override
    {
        iTS = 1;
        fErrorCheckEx = 1;
        nErrorEx = 0;
        iHighSpeedDelay = 10;
        fHighSpeedMode = 0;
        iMMOverWrite = 0;
        iSumInfoCycle = 10;
        nOrdCountPeriod = 10;
    }
    kvtest::ScratchIniDir dir;
};

TEST_F(GeneralSettings, MissingKeysTakeTheirDefaults)
{
    kvtest::TestApp app;
    app.LoadStdProfileSettings(); // no kv32.ini at all
    EXPECT_EQ(app.GetLogoPeriod(), 5000u);
    EXPECT_EQ(iTS, 1);
    EXPECT_EQ(fErrorCheckEx, 1);
    EXPECT_EQ(nErrorEx, 0);
    EXPECT_EQ(iHighSpeedDelay, 10);
    EXPECT_EQ(fHighSpeedMode, 0);
    EXPECT_EQ(iMMOverWrite, 0);
    EXPECT_EQ(iSumInfoCycle, 10);
    EXPECT_EQ(nOrdCountPeriod, 10);
}

TEST_F(GeneralSettings, KeysOfSectionGeneralAreRead)
{
    dir.Write("kv32.ini",
        "[other]\nTimeSlice=9\n[General]\nLogoPeriod=2\nTimeSlice=3\nErrorCheckEx=0\nHighSpeedDelay=4\n"
        "HighSpeedMode=1\nMMOverWriteMode=5\nSummaryInfoCycle=6\nOrderCountingPeriod=7\n");
    kvtest::TestApp app;
    app.LoadStdProfileSettings();
    EXPECT_EQ(app.GetLogoPeriod(), 2000u);
    EXPECT_EQ(iTS, 3);
    EXPECT_EQ(fErrorCheckEx, 0);
    EXPECT_EQ(nErrorEx, -1);
    EXPECT_EQ(iHighSpeedDelay, 4);
    EXPECT_EQ(fHighSpeedMode, 1);
    EXPECT_EQ(iMMOverWrite, 5);
    EXPECT_EQ(iSumInfoCycle, 6);
    EXPECT_EQ(nOrdCountPeriod, 7);
}

TEST_F(GeneralSettings, NoStartupWindowForAZeroOrNegativeLogoPeriod)
{
    for (const char* value : { "0", "-3", "junk" }) {
        dir.Write("kv32.ini", std::string("[general]\nLogoPeriod=") + value + "\n");
        EXPECT_EQ(KvLoadGeneralSettings(fw::Profile(kKvAppProfile)), 0u) << value;
    }
    dir.Write("kv32.ini", "[general]\nLogoPeriod=99999999\n");
    EXPECT_EQ(KvLoadGeneralSettings(fw::Profile(kKvAppProfile)), 3600u * 1000u);
}

// Menus written as text: a number is a command, "-" a separator, "[...]" a pop-up.
fw::Menu ParseItems(const std::string& text, size_t& at)
{
    fw::Menu menu = fw::Menu::popup("P");
    while (at < text.size() && text[at] != ']') {
        if (text[at] == ',') {
            ++at;
        } else if (text[at] == '-') {
            menu.add(fw::Menu::separator());
            ++at;
        } else if (text[at] == '[') {
            ++at;
            menu.add(ParseItems(text, at));
            ++at; // ']'
        } else {
            size_t end = at;
            while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
                ++end;
            menu.add(fw::Menu::command(static_cast<uint32_t>(std::stoul(text.substr(at, end - at))), "x"));
            at = end;
        }
    }
    return menu;
}

fw::Menu Parse(const std::string& text)
{
    size_t at = 0;
    return ParseItems(text, at);
}

std::string Show(const fw::Menu& menu)
{
    std::string out;
    for (const fw::Menu& item : menu.items()) {
        if (!out.empty())
            out += ',';
        if (item.isSeparator())
            out += '-';
        else if (item.isPopup())
            out += "[" + Show(item) + "]";
        else
            out += std::to_string(item.id());
    }
    return out;
}

TEST(PruneMenu, Table)
{
    struct Case {
        const char* menu;
        std::vector<unsigned> refused;
        const char* expected;
    } const cases[] = {
        { "1,2,3", {}, "1,2,3" },
        { "1,-,2,-,3", { 1, 2, 3 }, "" }, // all refused: no separators left either
        { "1,-,-,2,-", {}, "1,-,2" }, // doubled and trailing separators go
        { "-,1,2", {}, "1,2" }, // a leading one too
        { "1,-,2,-,3", { 2 }, "1,-,3" },
        { "-,-,-", {}, "" },
        { "1,[2,3],4", { 2, 3 }, "1,4" }, // a pop-up left empty disappears
        { "1,[2,[3]],4", { 3 }, "1,[2],4" },
        { "1,[],2", {}, "1,2" },
        { "1,[2,-,3],4", { kPopupItemId }, "1,4" }, // refused pop-ups go whole
        { "1,-,2", { 0 }, "1,2" }, // refused separators go
        { "[1,-,-,2,-],-,3", { 2 }, "[1],-,3" },
        { "5,-,5,6", { 5 }, "6" }, // every item of a refused command goes
    };
    for (const Case& c : cases) {
        kvtest::TestApp app;
        app.refused = c.refused;
        fw::Menu menu = Parse(c.menu);
        PruneMenu(&menu);
        EXPECT_EQ(Show(menu), c.expected) << c.menu;
    }
    PruneMenu(nullptr); // nothing happens
}

TEST(PruneMenu, WithoutAnApplicationEverythingIsAllowed)
{
    fw::Menu menu = Parse("1,-,2");
    PruneMenu(&menu);
    EXPECT_EQ(Show(menu), "1,-,2");
    EXPECT_EQ(CanAccess(1, 0), 1);
}

TEST(RemoveEmptyPopups, KeepsSeparatorsAndRefusedCommands)
{
    kvtest::TestApp app;
    app.refused = { 1 };
    fw::Menu menu = Parse("1,[],-,[[],[-]],-,[2,[]]");
    RemoveEmptyPopups(&menu);
    EXPECT_EQ(Show(menu), "1,-,[[-]],-,[2]");
    RemoveEmptyPopups(nullptr);
}

class Prompts : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::setMessageBoxHook([this](const std::string& text, unsigned type) {
            texts.push_back(text);
            types.push_back(type);
            return answer;
        });
    }
    void TearDown() override
    {
        fw::setMessageBoxHook(nullptr);
        ps = nullptr;
    }
    std::vector<std::string> texts;
    std::vector<unsigned> types;
    int answer = fw::IDNO;
};

TEST_F(Prompts, AreYouShureAsksOnlyWhenTheSessionWantsConfirmations)
{
    EXPECT_EQ(AreYouShure(0u), fw::IDYES); // no session: no box
    CSessionCore session;
    ps = &session;
    EXPECT_EQ(AreYouShure(0u), fw::IDYES); // confirmations off
    EXPECT_TRUE(texts.empty());
    session.m_bConfirm = 1;
    EXPECT_EQ(AreYouShure(0u), fw::IDNO);
    EXPECT_EQ(AreYouShure(IDS_LOGGED_OUT), fw::IDNO);
    EXPECT_EQ(AreYouShure(std::string_view("Delete it?")), fw::IDNO);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], fw::loadString(IDS_CONFIRM_OPERATION));
    EXPECT_EQ(texts[0], "Press \"Yes\" button to confirm operation.");
    EXPECT_EQ(texts[1], "You have been logged out.");
    EXPECT_EQ(texts[2], "Delete it?");
    for (unsigned type : types)
        EXPECT_EQ(type, 0x124u); // Yes/No, question, No the default
    // The explicit forms ask by their flag alone.
    EXPECT_EQ(AreYouShureEx(false, 0u), fw::IDYES);
    EXPECT_EQ(AreYouShureEx(true, std::string_view("Sure?")), fw::IDNO);
    EXPECT_EQ(texts.size(), 4u);
}

TEST_F(Prompts, TableLimitErrorNamesTheTable)
{
    answer = fw::IDOK;
    EXPECT_EQ(TableLimitError(IDS_THOUSAND), fw::IDOK);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "Thousand table overflow.\n\nYou will not see all available information.");
    EXPECT_EQ(types[0], 0x30u); // exclamation icon
}

TEST(Compare, ThreeWayOverTheWholeRange)
{
    const uint32_t u[] = { 0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF };
    for (uint32_t a : u) {
        for (uint32_t b : u) {
            const int expected = (a > b) - (a < b);
            EXPECT_EQ(CompareUInts(&a, &b), expected) << a << " " << b;
        }
    }
    const uint16_t w[] = { 0, 1, 0x7FFF, 0x8000, 0xFFFF };
    for (uint16_t a : w) {
        for (uint16_t b : w) {
            const int expected = (a > b) - (a < b);
            EXPECT_EQ(CompareWords(&a, &b), expected) << a << " " << b;
        }
    }
    std::vector<uint32_t> values { 0xFFFFFFFF, 3, 0, 0x80000000 };
    std::qsort(values.data(), values.size(), sizeof(uint32_t), CompareUInts);
    EXPECT_EQ(values, (std::vector<uint32_t> { 0, 3, 0x80000000, 0xFFFFFFFF }));
}

} // namespace

namespace {

TEST(AppStrings, PassTheResourceCheckBesideTheCoreTable)
{
    static constexpr std::uint32_t kUsed[] = { IDS_ABOUT_TEXT, IDS_HUNDRED, IDS_THOUSAND, IDS_MILLION,
        IDS_CONFIRM_OPERATION, IDS_LOGGED_OUT, IDS_TABLE_OVERFLOW, IDS_LOW_RESOURCES, IDS_CLIENT_VERSION_REFUSED, IDS_APP_TITLE,
        IDS_STARTUP_VERSION, IDS_STARTUP_USER_SETTINGS };
    fw::ResourceSet set { "kvcore-app" };
    set.strings = KvAppResources().strings;
    fw::UsedIds used;
    used.strings = kUsed;
    const fw::ResourceReport report = fw::checkResources(set, used);
    EXPECT_TRUE(report.ok()) << report.text();
    for (const fw::StringEntry& mine : KvAppResources().strings)
        for (const fw::StringEntry& core : KvCoreResources().strings)
            EXPECT_NE(mine.id, core.id);
}

} // namespace
