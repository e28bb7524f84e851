// The session's settings at logoff and logon: what one session saves the next one of the same
// user gets back; another user's file and a missing file leave the defaults and say so only
// where they should.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "kvcore/app/app_core_logic.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/session_core.h"
#include "kvcore/session/session_files.h"
#include "kvcore/session/shortcut_table.h"
#include "support/scratch_dir.h"

namespace {

class TwoTableSession : public CSessionCore {
public:
    explicit TwoTableSession(const char* user)
    {
        m_sUser = user;
        OnNewDocument();
    }
    int GetTableSize() override { return 2; }
};

class SessionSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("kv3userpath", dir.Path().c_str(), 1);
        fw::setMessageBoxHook([this](const std::string& text, unsigned) {
            texts.push_back(text);
            return answer;
        });
    }
    void TearDown() override
    {
        fw::setMessageBoxHook(nullptr);
        ::unsetenv("kv3userpath");
        iTS = 1;
    }
    kvtest::ScratchIniDir dir;
    std::vector<std::string> texts;
    int answer = fw::IDOK;
};

TEST_F(SessionSettings, LogoffSavesAndTheNextLogonRestores)
{
    {
        TwoTableSession anna("ANNA");
        EXPECT_EQ(sSettingsPath, dir.Path() + "/");
        EXPECT_EQ(anna.RestoreSettings(nullptr), 0); // first logon: no file, nothing shown
        anna.m_bMouse = 0;
        anna.m_bConfirm = 1;
        iTS = 5;
        anna.m_settings.layouts[1].columnSets[8] = { 4, 2 };
        anna.m_settings.options.customColours[3] = fw::Color::rgb(1, 2, 3);
        ASSERT_EQ(anna.SaveSettings(nullptr), 1);
    }
    EXPECT_TRUE(std::filesystem::exists(dir.Path() + "/ANNA.kvs"));
    iTS = 1;
    TwoTableSession again("ANNA");
    ASSERT_EQ(again.RestoreSettings(nullptr), 1);
    EXPECT_EQ(again.m_bMouse, 0);
    EXPECT_EQ(again.m_bConfirm, 1);
    EXPECT_EQ(iTS, 5);
    EXPECT_EQ(again.m_settings.layouts[1].columnSets[8], (std::vector<std::uint16_t> { 4, 2 }));
    EXPECT_EQ(again.m_settings.options.customColours[3], fw::Color::rgb(1, 2, 3));
    EXPECT_TRUE(texts.empty());

    // PETER restoring ANNA's file: refused, his defaults stay.
    TwoTableSession peter("PETER");
    EXPECT_EQ(peter.RestoreSettings((dir.Path() + "/ANNA.kvs").c_str()), 0);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], fw::loadString(IDS_SETTINGS_OTHER_USER));
    EXPECT_EQ(peter.m_bMouse, 1);
    EXPECT_TRUE(peter.m_settings.layouts[1].columnSets[8].empty());

    // A named file that is missing is reported; the default one is not.
    EXPECT_EQ(peter.RestoreSettings((dir.Path() + "/none.kvs").c_str()), 0);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], fw::loadString(IDS_SETTINGS_RESTORE_FAILED));
}

} // namespace

namespace {

class RefusingApp : public CKvAppCoreLogic {
public:
    int CanAccess(unsigned id, unsigned) override { return id == 7 ? 0 : 1; }
};

TEST(ShortcutPermission, DeniedCommandsLeaveTheOthersInOrder)
{
    RefusingApp app;
    struct Case {
        std::vector<std::uint16_t> commands;
        std::vector<std::uint16_t> left;
    };
    const Case cases[] = {
        { {}, {} },
        { { 7, 7 }, {} },
        { { 1, 7, 2, 7, 3 }, { 1, 2, 3 } },
    };
    for (const Case& c : cases) {
        KvShortcutTable table;
        for (std::uint16_t cmd : c.commands)
            table.m_entries.push_back({ fw::AccelVirtKey, static_cast<std::uint16_t>(fw::vk::F1 + cmd), cmd });
        table.Permission();
        std::vector<std::uint16_t> left;
        for (const auto& e : table.m_entries) {
            left.push_back(e.cmd);
            EXPECT_EQ(e.key, fw::vk::F1 + e.cmd);
        }
        EXPECT_EQ(left, c.left);
    }
}

TEST_F(SessionSettings, RestoredShortcutsAreFilteredByRights)
{
    {
        TwoTableSession anna("ANNA");
        anna.m_settings.shortcuts = { { fw::AccelVirtKey, fw::vk::F1, 7 }, { fw::AccelVirtKey, fw::vk::F1 + 1, 8 } };
        ASSERT_EQ(anna.SaveSettings(nullptr), 1);
    }
    RefusingApp app;
    TwoTableSession again("ANNA");
    ASSERT_EQ(again.RestoreSettings(nullptr), 1);
    ASSERT_EQ(again.m_settings.shortcuts.size(), 1u);
    EXPECT_EQ(again.m_settings.shortcuts[0].cmd, 8);
}

} // namespace

namespace {

TEST_F(SessionSettings, WorkspacesTravelWithTheSettingsAndBySlot)
{
    const std::string folder = dir.Path() + "/";
    {
        TwoTableSession anna("ANNA");
        EXPECT_EQ(anna.RestoreSettings(nullptr), 0); // no files yet, nothing shown
        anna.m_settings.layouts[1].open = 1;
        anna.m_settings.layouts[1].zoom = 150;
        anna.m_settings.layouts[1].placement.normalPosition = { 1, 2, 3, 4 };
        ASSERT_EQ(anna.SaveSettings(nullptr), 1); // with autosave: ANNA.wks too
        EXPECT_EQ(anna.m_settings.workspaceFile, folder + "ANNA.wks");
        ASSERT_EQ(anna.SaveWorkspace(anna.WorkspaceSlotFile(3).c_str()), 1);
        EXPECT_TRUE(anna.IsCurrentWorkspaceSlot(3));
        EXPECT_FALSE(anna.IsCurrentWorkspaceSlot(2));
        ASSERT_EQ(anna.SaveSettings(nullptr), 1);
    }
    EXPECT_TRUE(std::filesystem::exists(folder + "ANNA.wks"));
    EXPECT_TRUE(std::filesystem::exists(folder + "ANNA3.wks"));
    TwoTableSession again("ANNA");
    ASSERT_EQ(again.RestoreSettings(nullptr), 1);
    EXPECT_EQ(again.m_settings.workspaceFile, folder + "ANNA3.wks");
    EXPECT_EQ(again.m_settings.layouts[1].zoom, 150);
    EXPECT_EQ(again.m_settings.layouts[1].placement.normalPosition, (fw::Rect { 1, 2, 3, 4 }));
    EXPECT_TRUE(texts.empty());

    // A damaged workspace says so and changes nothing.
    {
        std::ofstream(folder + "bad.wks", std::ios::binary) << "xy";
    }
    const auto before = again.m_settings.layouts;
    EXPECT_EQ(again.RestoreWorkspace((folder + "bad.wks").c_str()), 0);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], fw::loadString(IDS_WORKSPACE_RESTORE_FAILED));
    EXPECT_EQ(again.m_settings.layouts, before);
    EXPECT_EQ(again.m_settings.workspaceFile, folder + "ANNA3.wks");
}

} // namespace

#include "kvcore/session/workspace_commands.h"

namespace {

TEST(WorkspaceCommands, FileDialogFolder)
{
    EXPECT_EQ(KvFileDialogFolder("/home/kv/"), "/home/kv");
    EXPECT_EQ(KvFileDialogFolder("/"), "/");
    EXPECT_EQ(KvFileDialogFolder(""), "");
}

TEST_F(SessionSettings, SlotCommandAsksCreatesThenSwitchesSavingFirst)
{
    const std::string folder = dir.Path() + "/";
    TwoTableSession anna("ANNA");
    answer = fw::IDNO;
    EXPECT_EQ(KvWorkspaceSlotCommand(anna, 3), 0);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "Save as workspace 3 ?");
    EXPECT_FALSE(std::filesystem::exists(folder + "ANNA3.wks"));

    answer = fw::IDYES;
    anna.m_settings.layouts[1].zoom = 130;
    EXPECT_EQ(KvWorkspaceSlotCommand(anna, 3), 1);
    EXPECT_TRUE(anna.IsCurrentWorkspaceSlot(3));
    ASSERT_EQ(KvWorkspaceSlotCommand(anna, 2), 1); // slot 2 created from the same windows
    anna.m_settings.layouts[1].zoom = 90; // changed in slot 2, saved when leaving it

    texts.clear();
    EXPECT_EQ(KvWorkspaceSlotCommand(anna, 3), 1);
    EXPECT_TRUE(texts.empty());
    EXPECT_TRUE(anna.IsCurrentWorkspaceSlot(3));
    EXPECT_EQ(anna.m_settings.layouts[1].zoom, 130);
    EXPECT_EQ(KvWorkspaceSlotCommand(anna, 2), 1);
    EXPECT_EQ(anna.m_settings.layouts[1].zoom, 90);
}

} // namespace
