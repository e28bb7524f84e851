#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fw/core/clock.h"
#include "fw/core/codepage.h"
#include "fw/core/menu.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/component_check.h"
#include "kv32/shell/kv_app_logic.h"
#include "kv32/tables/right_table.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/menu_access.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/values/cdatetime.h"
#include "support/clock_support.h"
#include "support/ui_recorder.h"

namespace {

ComponentVersionFn Versions(
    std::map<std::string, std::string> versions, std::vector<std::string>* asked = nullptr)
{
    return [versions, asked](const std::string& file) {
        if (asked != nullptr)
            asked->push_back(file);
        const auto it = versions.find(file);
        return it == versions.end() ? std::string("Unknown") : it->second;
    };
}

TEST(ComponentCheck, EveryWrongFileIsReported)
{
    const ComponentRow rows[] = {
        { "liba.so", "liba.so", "2.3.8.0" },
        { "libb.so", "libbd.so", "4.2.9.0" },
        { "libb.so", "libbd.so", "4.2.9.1" }, // a second allowed version, not read again
        { "libc.so", "libc.so", "1.5.4.0" },
    };
    struct Case {
        std::map<std::string, std::string> found;
        int result;
        std::vector<std::string> wrong;
    };
    const Case cases[] = {
        { { { "liba.so", "2.3.8.0" }, { "libb.so", "4.2.9.0" }, { "libc.so", "1.5.4.0" } }, 1, {} },
        { { { "liba.so", "2.3.8.0" }, { "libb.so", "4.2.9.1" }, { "libc.so", "1.5.4.0" } }, 1, {} },
        { { { "liba.so", "2.3.8" }, { "libb.so", "4.2.9.0" }, { "libc.so", "1.5.4.0" } }, 0, { "liba.so" } },
        { { { "liba.so", "2.3.8.0" }, { "libb.so", "4.2.9.2" } }, 0, { "libb.so", "libc.so" } },
    };
    for (const Case& c : cases) {
        kv32test::UiRecorder ui;
        std::vector<std::string> asked;
        EXPECT_EQ(CheckComponentVersions(Versions(c.found, &asked), rows), c.result);
        EXPECT_EQ(asked, (std::vector<std::string> { "liba.so", "libb.so", "libc.so" }));
        ASSERT_EQ(ui.boxes.size(), c.wrong.size());
        for (size_t i = 0; i < c.wrong.size(); ++i) {
            const std::string text = fw::cp1250ToUtf8(ui.boxes[i].text);
            EXPECT_NE(text.find("Rossz verziójú a(z) " + c.wrong[i] + " állomány"), std::string::npos)
                << text;
            EXPECT_NE(text.find("Wrong version of the file " + c.wrong[i]), std::string::npos) << text;
        }
    }
}

TEST(ComponentCheck, TheBuiltLibrariesPass)
{
    kv32test::UiRecorder ui;
    ASSERT_EQ(ComponentTable().size(), 3u);
    EXPECT_EQ(CheckComponentVersions(InstalledComponentVersions()), 1);
    EXPECT_TRUE(ui.boxes.empty());
    // Anything else in their place does not.
    EXPECT_EQ(CheckComponentVersions(Versions({})), 0);
    EXPECT_EQ(ui.boxes.size(), 3u);
    EXPECT_NE(fw::cp1250ToUtf8(ui.boxes[0].text).find("(version Unknown)"), std::string::npos);
}

TEST(ApplicationLogic, AccessFollowsThePermissionTable)
{
    CKvAppLogic app;
    RightTable().Free();
    EXPECT_EQ(CanAccess(32994, 0), 0);
    RightTable().AddRec(RightRec { 0, 132, 0, 0 });
    EXPECT_EQ(CanAccess(32994, 0), 1);
    EXPECT_EQ(CanAccess(33076, 0), 0);
    EXPECT_EQ(CanAccess(54321, 0), 1);
    RightTable().Free();
}

TEST(ApplicationLogic, MenusKeepWhatTheRightsAllow)
{
    CKvAppLogic app;
    RightTable().Free();
    RightTable().AddRec(RightRec { 0, 132, 0, 0 });
    fw::Menu menu = fw::Menu::popup("Main");
    menu.add(fw::Menu::popup("&Order",
        { fw::Menu::command(32994, "Buy..."), fw::Menu::command(32995, "Sell..."), fw::Menu::separator(),
            fw::Menu::command(33076, "Price Entry...") }));
    menu.add(fw::Menu::popup(
        "&Supervisor", { fw::Menu::command(32912, "Suspend"), fw::Menu::command(32913, "Unsuspend") }));
    menu.add(fw::Menu::command(57607, "Print"));
    PruneMenu(&menu);
    EXPECT_EQ(menu.commandIds(), (std::vector<uint32_t> { 32994, 32995, 57607 }));
    RightTable().Free();
}

TEST(ApplicationLogic, LinkedDocumentsInTheirOrder)
{
    struct Listener : CTableUpdateListener {
        void OnTableUpdate(uint16_t id, const fw::RowHint* hint) override
        {
            ids.push_back(id);
            hinted.push_back(hint != nullptr && hint->GetRow(4));
        }
        std::vector<uint16_t> ids;
        std::vector<bool> hinted;
    } listener;
    KvAddTableListener(&listener);
    fw::RowHint hint;
    hint.AddRow(4);
    UpdateLinkedDocuments(&hint);
    UpdateLinkedDocuments();
    KvRemoveTableListener(&listener);
    EXPECT_EQ(listener.ids, (std::vector<uint16_t> { 6, 21, 23, 6, 21, 23 }));
    EXPECT_EQ(listener.hinted, (std::vector<bool> { true, true, true, false, false, false }));
}

} // namespace

namespace {

class ProfileFolder {
public:
    ProfileFolder()
    {
        char pattern[] = "/tmp/kv32_profile_XXXXXX";
        m_path = mkdtemp(pattern);
        const char* old = std::getenv("VEXA_INI_DIR");
        m_saved = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
        setenv("VEXA_INI_DIR", m_path.c_str(), 1);
    }
    ~ProfileFolder()
    {
        if (m_saved)
            setenv("VEXA_INI_DIR", m_saved->c_str(), 1);
        else
            unsetenv("VEXA_INI_DIR");
        std::filesystem::remove_all(m_path);
    }
    void Write(const std::string& text) const { std::ofstream(m_path + "/kv32.ini") << text; }

private:
    std::string m_path;
    std::optional<std::string> m_saved;
};

TEST(ApplicationLogic, ProgramSettingsAfterTheCores)
{
    ProfileFolder folder;
    fw::ManualClock pcClock(0, kvtest::LocalMoment(2026, 12, 10, 9, 15, 0));
    fw::ClockScope pcClockScope(pcClock);
    CDateTime::ResetKvTime();
    CKvAppLogic app;

    folder.Write("[general]\nETHour=16\nETMinute=30\nLastTrades=50\nPrintLog=1\nTimeSlice=3\n");
    app.LoadStdProfileSettings();
    const CKvAppSettings& s = KvAppSettings();
    EXPECT_EQ(iTS, 3) << "the core's keys are read too";
    EXPECT_EQ(s.nLastTrades, 50);
    EXPECT_EQ(s.bPrintLog, 1);
    EXPECT_EQ(s.nLogFontSize, 8);
    EXPECT_EQ(s.nPOBStoreTimeOut, 0);
    EXPECT_EQ(s.tradingEnd, CDateTime(2026, 12, 10, 16, 30, 0));

    folder.Write("[general]\nETHour=25\n");
    app.LoadStdProfileSettings();
    EXPECT_FALSE(KvAppSettings().tradingEnd.IsValid());
    EXPECT_EQ(KvAppSettings().nLastTrades, 0);
}

} // namespace
