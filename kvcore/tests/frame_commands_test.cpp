// The main frame's commands without the window: the option toggles and their check marks,
// the workspace commands through the file dialog, the option programs, the window commands,
// the shortcut table in force across the settings file, and what the workspace record asks
// of the windows, in its order.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "fw/core/archive.h"
#include "fw/core/command.h"
#include "fw/core/msgbox.h"
#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "kvcore/app/main_frame_logic.h"
#include "kvcore/app/session_core.h"
#include "kvcore/router/vorl_target.h"
#include "kvcore/session/option_programs.h"
#include "kvcore/session/session_files.h"
#include "kvcore/session/workspace_commands.h"
#include "support/scratch_dir.h"
#include "support/test_app.h"

namespace {

constexpr unsigned kAllowed = 41001, kRefused = 41002, kOther = 41003;
constexpr unsigned kMenuTable = 4;

using fw::MenuEntry;
using fw::MenuEntryKind;
constexpr MenuEntry kTableMenu[] = {
    { 0, MenuEntryKind::Popup, 0, "&Orders", "&Megbízások" },
    { 1, MenuEntryKind::Command, kAllowed, "&Amend...", "&Módosítás..." },
    { 1, MenuEntryKind::Command, kRefused, "&Withdraw", "&Visszavonás" },
    { 1, MenuEntryKind::Separator },
    { 1, MenuEntryKind::Command, kOther, "&Print", "&Nyomtatás" },
};
constexpr fw::MenuTemplate kMenus[] = { { kMenuTable, kTableMenu } };
const fw::ResourceSet kResources { "kvcore-test-frame-commands", {}, {}, kMenus };
[[maybe_unused]] const bool kRegistered = (fw::addResources(kResources), true);

class Session : public CSessionCore {
public:
    explicit Session(const char* user)
    {
        m_sUser = user;
        OnNewDocument();
    }
    int GetTableSize() override { return 5; }
    int TickerWindowOpen() override { return tickerOpen; }
    int tickerOpen = 0;
};

// Every hook the commands reach, in one log.
class Frame : public CMainFrameCoreLogic {
public:
    KvFileChoice ChooseFile(const KvFileRequest& r, std::string& path) override
    {
        requests.push_back(r);
        path = chosenPath;
        return choice;
    }
    void RunPasswordDialog() override { log.push_back("password"); }
    bool HasActiveChild() const override { return activeChild; }
    void SysCommandToActiveChild(fw::SysCommand c) override { log.push_back("sys " + std::to_string(int(c))); }
    void InstallAccelerators(std::span<const fw::AccelRecord> t) override
    {
        installed.assign(t.begin(), t.end());
    }
    void RemoveMenuCommand(unsigned id) override { log.push_back("remove " + std::to_string(id)); }
    bool StartProgram(const std::string& program, const std::string& argument) override
    {
        log.push_back("start " + program + " " + argument);
        return startResult;
    }
    void PostFrameCommand(unsigned id) override { log.push_back("post " + std::to_string(id)); }
    void SerializeWorkspace(fw::Archive& ar) override
    {
        log.push_back(ar.isStoring() ? "frame store" : "frame load");
        if (ar.isStoring())
            ar.writeWord(0x4B56);
        else if (ar.readWord() != 0x4B56)
            throw fw::ArchiveError(fw::ArchiveError::Cause::BadSchema, "frame record");
    }
    void StoreAllDocumentsInfo() override { log.push_back("store documents"); }
    void SerializeAllDocuments(fw::Archive& ar) override
    {
        log.push_back(ar.isStoring() ? "documents store" : "documents load");
        CMainFrameCoreLogic::SerializeAllDocuments(ar);
    }
    void MDIClientHide() override { log.push_back("hide"); }
    void MDIClientShow() override { log.push_back("show"); }
    void UpdateActiveFrameTitle() override { log.push_back("title"); }
    void MDIDestroyAll() override { log.push_back("destroy all"); }

    std::vector<std::string> log;
    std::vector<KvFileRequest> requests;
    std::vector<fw::AccelRecord> installed;
    KvFileChoice choice = KvFileChoice::Cancel;
    std::string chosenPath;
    bool activeChild = false;
    bool startResult = true;
};

class App : public kvtest::TestApp {
public:
    CMainFrameCoreLogic* MainFrameLogic() const override { return frame; }
    Frame* frame = nullptr;
};

class Colours : public CVorlPermTarget {
public:
    int Decode(CRecordReader&) override { return 1; }
    void SerializeColors(fw::Archive& ar) override
    {
        if (ar.isStoring())
            ar.writeLong(colour);
        else
            colour = ar.readLong();
    }
    std::int32_t colour = 0;
};

class FrameCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("kv3userpath", dir.Path().c_str(), 1);
        fw::setMessageBoxHook([this](const std::string& text, unsigned) {
            boxes.push_back(text);
            return answer;
        });
        app.frame = &frame;
        app.refused = { kRefused };
    }
    void TearDown() override
    {
        ps = nullptr;
        fw::setMessageBoxHook(nullptr);
        ::unsetenv("kv3userpath");
    }
    fw::CmdUI Update(unsigned id, void (CMainFrameCoreLogic::*handler)(fw::CmdUI&),
        fw::CmdUI::Source source = fw::CmdUI::Source::Menu)
    {
        fw::CmdUI ui(id, source);
        (frame.*handler)(ui);
        return ui;
    }
    std::string Folder() const { return dir.Path() + "/"; }

    kvtest::ScratchIniDir dir;
    Frame frame;
    App app;
    std::vector<std::string> boxes;
    int answer = fw::IDOK;
};

TEST_F(FrameCommands, TogglesFollowTheSessionAndShowTheirCheckMarks)
{
    struct Case {
        const char* name;
        void (CMainFrameCoreLogic::*command)();
        void (CMainFrameCoreLogic::*update)(fw::CmdUI&);
        int& (*flag)(CSessionCore&);
    };
    const Case cases[] = {
        { "mouse", &CMainFrameCoreLogic::OnOptionsMouse, &CMainFrameCoreLogic::OnUpdateOptionsMouse,
            [](CSessionCore& s) -> int& { return s.m_bMouse; } },
        { "windows", &CMainFrameCoreLogic::OnOptionsUi, &CMainFrameCoreLogic::OnUpdateOptionsUi,
            [](CSessionCore& s) -> int& { return s.m_bWindowsManipulation; } },
        { "autosave", &CMainFrameCoreLogic::OnWorkspaceAutoSave, &CMainFrameCoreLogic::OnUpdateWorkspaceAutoSave,
            [](CSessionCore& s) -> int& { return s.m_settings.options.autosave; } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ps = nullptr;
        (frame.*c.command)(); // nothing to toggle, nothing fails
        fw::CmdUI off = Update(1, c.update);
        EXPECT_FALSE(off.enabled());
        EXPECT_EQ(off.check(), 0);

        Session anna("ANNA");
        ps = &anna;
        EXPECT_EQ(c.flag(anna), 1); // on when the session begins
        EXPECT_EQ(Update(1, c.update).check(), 1);
        (frame.*c.command)();
        EXPECT_EQ(c.flag(anna), 0);
        fw::CmdUI ui = Update(1, c.update);
        EXPECT_TRUE(ui.enabled());
        EXPECT_EQ(ui.check(), 0);
        (frame.*c.command)();
        EXPECT_EQ(c.flag(anna), 1);
        ps = nullptr;
    }
}

TEST_F(FrameCommands, WorkspaceSlotsAreEnabledInASessionAndTheCurrentOneIsChecked)
{
    fw::CmdUI none(ID_KV_WORKSPACE_1 + 2);
    frame.OnUpdateWorkspaceN(none);
    EXPECT_FALSE(none.enabled());

    Session anna("ANNA");
    ps = &anna;
    answer = fw::IDYES;
    frame.OnWorkspaceN(ID_KV_WORKSPACE_1 + 2); // no ANNA3.wks yet: asked, then created
    EXPECT_EQ(boxes, (std::vector<std::string> { "Save as workspace 3 ?" }));
    EXPECT_TRUE(std::filesystem::exists(Folder() + "ANNA3.wks"));
    for (unsigned id = ID_KV_WORKSPACE_1; id <= ID_KV_WORKSPACE_5; ++id) {
        fw::CmdUI ui(id);
        frame.OnUpdateWorkspaceN(ui);
        EXPECT_TRUE(ui.enabled());
        EXPECT_EQ(ui.check(), id == ID_KV_WORKSPACE_1 + 2 ? 1 : 0) << id;
    }
    // The slot file name is glued to the folder: another folder is another file.
    anna.m_settings.workspaceFile = dir.Path() + "//ANNA3.wks";
    fw::CmdUI other(ID_KV_WORKSPACE_1 + 2);
    frame.OnUpdateWorkspaceN(other);
    EXPECT_EQ(other.check(), 0);
}

TEST_F(FrameCommands, SaveAndRestoreGoThroughTheFileDialogInTheSettingsFolder)
{
    Session anna("ANNA");
    ps = &anna;
    anna.m_settings.layouts[2].zoom = 140;

    // Cancelled: nothing written, nothing said.
    frame.OnWorkspaceSave();
    ASSERT_EQ(frame.requests.size(), 1u);
    const KvFileRequest& save = frame.requests[0];
    EXPECT_FALSE(save.open);
    EXPECT_EQ(save.folder, dir.Path());
    EXPECT_EQ(save.defaultName, "");
    EXPECT_EQ(save.title, "Save Workspace");
    EXPECT_EQ(save.filter, "Workspace Files (*.wks)|*.wks|All Files (*.*)|*.*||");
    EXPECT_EQ(save.defaultExt, "wks");
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

    // A failed dialog says so and saves nothing either.
    frame.choice = KvFileChoice::Failed;
    frame.OnWorkspaceSave();
    EXPECT_EQ(boxes, (std::vector<std::string> { "Choose file failed" }));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

    frame.choice = KvFileChoice::Ok;
    frame.chosenPath = Folder() + "desk.wks";
    frame.OnWorkspaceSave();
    EXPECT_TRUE(std::filesystem::exists(frame.chosenPath));
    EXPECT_EQ(anna.m_settings.workspaceFile, frame.chosenPath);
    // The next save starts from the current workspace.
    frame.OnWorkspaceSave();
    EXPECT_EQ(frame.requests.back().defaultName, frame.chosenPath);

    anna.m_settings.layouts[2].zoom = 100;
    frame.OnWorkspaceRestore();
    const KvFileRequest& restore = frame.requests.back();
    EXPECT_TRUE(restore.open);
    EXPECT_EQ(restore.defaultName, "*.wks");
    EXPECT_EQ(restore.title, "Restore Workspace");
    EXPECT_EQ(anna.m_settings.layouts[2].zoom, 140);

    // The root folder keeps its separator.
    sSettingsPath = "/";
    frame.choice = KvFileChoice::Cancel;
    frame.OnWorkspaceRestore();
    EXPECT_EQ(frame.requests.back().folder, "/");
}

TEST_F(FrameCommands, OptionProgramsStartOnlyWhenConfigured)
{
    Session anna("ANNA");
    ps = &anna;
    // Nothing configured: both disabled, and the commands do nothing.
    EXPECT_FALSE(Update(ID_KV_OPTIONS_CALCULATOR, &CMainFrameCoreLogic::OnUpdateOptionsCalculator).enabled());
    EXPECT_FALSE(Update(ID_KV_OPTIONS_SAVER_START, &CMainFrameCoreLogic::OnUpdateOptionsSaver).enabled());
    frame.OnOptionsCalculator();
    frame.OnOptionsSaverStart();
    EXPECT_TRUE(frame.log.empty());

    dir.Write("kv32.ini", "[programs]\nCalculator=kcalc\nScreenSaver=xsaver --full\n");
    EXPECT_TRUE(Update(ID_KV_OPTIONS_CALCULATOR, &CMainFrameCoreLogic::OnUpdateOptionsCalculator).enabled());
    frame.OnOptionsCalculator();
    frame.OnOptionsSaverSetup();
    EXPECT_FALSE(frame.IsScreenSaverRunning()); // setting up starts no saver
    frame.OnOptionsSaverStart();
    EXPECT_TRUE(frame.IsScreenSaverRunning());
    // A second start while the saver runs does nothing.
    EXPECT_FALSE(Update(ID_KV_OPTIONS_SAVER_START, &CMainFrameCoreLogic::OnUpdateOptionsSaver).enabled());
    frame.OnOptionsSaverStart();
    EXPECT_EQ(frame.log,
        (std::vector<std::string> { "start kcalc ", "start xsaver --full -C", "start xsaver --full -S" }));
    EXPECT_TRUE(boxes.empty());

    // Programs that cannot start say so; the saver flag stays clear.
    frame.SetScreenSaverRunning(false);
    frame.startResult = false;
    frame.OnOptionsSaverStart();
    frame.OnOptionsCalculator();
    EXPECT_FALSE(frame.IsScreenSaverRunning());
    EXPECT_EQ(boxes, (std::vector<std::string> { "Screen saver not installed.", "The calculator could not be started." }));

    // The saver needs a session.
    ps = nullptr;
    frame.startResult = true;
    frame.log.clear();
    frame.OnOptionsSaverStart();
    EXPECT_TRUE(frame.log.empty());
    EXPECT_FALSE(Update(ID_KV_OPTIONS_SAVER_START, &CMainFrameCoreLogic::OnUpdateOptionsSaver).enabled());
}

TEST_F(FrameCommands, WindowCommandsActOnlyOnAnActiveListWindow)
{
    const std::pair<unsigned, fw::SysCommand> windowCommands[] = {
        { ID_KV_WINDOW_RESTORE, fw::SysCommand::Restore },
        { ID_KV_WINDOW_MOVE, fw::SysCommand::Move },
        { ID_KV_WINDOW_SIZE, fw::SysCommand::Size },
        { ID_KV_WINDOW_MINIMIZE, fw::SysCommand::Minimize },
        { ID_KV_WINDOW_MAXIMIZE, fw::SysCommand::Maximize },
    };
    for (bool active : { false, true }) {
        frame.activeChild = active;
        frame.log.clear();
        for (const auto& [id, command] : windowCommands) {
            EXPECT_EQ(Update(id, &CMainFrameCoreLogic::OnUpdateWindowOptions).enabled(), active) << id;
            frame.DoSysMenu(command);
        }
        EXPECT_EQ(frame.log.size(), active ? 5u : 0u);
    }
    EXPECT_EQ(frame.log.front(), "sys " + std::to_string(int(fw::SysCommand::Restore)));
    frame.OnWindowCloseAll();
    EXPECT_EQ(frame.log.back(), "destroy all");

    // Commands this program does not offer leave menus, never toolbars.
    frame.log.clear();
    fw::CmdUI bar = Update(ID_KV_LINK_TO, &CMainFrameCoreLogic::OnUpdateRemoveMenuItem, fw::CmdUI::Source::ToolBar);
    EXPECT_FALSE(bar.removed());
    fw::CmdUI menu = Update(ID_KV_LINK_TO, &CMainFrameCoreLogic::OnUpdateRemoveMenuItem);
    EXPECT_TRUE(menu.removed());
    EXPECT_EQ(frame.log, (std::vector<std::string> { "remove 35993" }));

    // The password dialog needs a session.
    frame.log.clear();
    frame.OnOptionsPassword();
    Session anna("ANNA");
    ps = &anna;
    frame.OnOptionsPassword();
    EXPECT_EQ(frame.log, (std::vector<std::string> { "password" }));
}

TEST_F(FrameCommands, TheShortcutTableInForceTravelsInTheSettingsCutByRights)
{
    const std::vector<fw::AccelRecord> edited {
        { fw::AccelVirtKey | fw::AccelControl, 'A', static_cast<std::uint16_t>(kAllowed) },
        { fw::AccelVirtKey, fw::vk::F1 + 4, static_cast<std::uint16_t>(kRefused) },
        { fw::AccelVirtKey | fw::AccelAlt, 'P', static_cast<std::uint16_t>(kOther) },
    };
    {
        Session anna("ANNA");
        ps = &anna;
        frame.SetShortcutTable(edited);
        EXPECT_EQ(frame.installed, edited);
        anna.tickerOpen = 1;
        ASSERT_EQ(anna.SaveSettings(nullptr), 1);
        ps = nullptr;
    }
    // The file holds the table in force, whole.
    auto ar = fw::Archive::loadFile(Folder() + "ANNA.kvs");
    ASSERT_TRUE(ar);
    ar->readWord();
    ar->readString();
    EXPECT_EQ(fw::readAccelTable(*ar), edited);

    // The next logon puts it in force without what the user may not use, and the ticker
    // window opens again.
    frame.SetShortcutTable({});
    frame.log.clear();
    Session again("ANNA");
    ps = &again;
    ASSERT_EQ(again.RestoreSettings(nullptr), 1);
    const std::vector<fw::AccelRecord> allowed { edited[0], edited[2] };
    EXPECT_EQ(frame.GetShortcutTable(), allowed);
    EXPECT_EQ(frame.installed, allowed);
    EXPECT_EQ(std::count(frame.log.begin(), frame.log.end(), "post 35960"), 1);

    // A stored table of refused commands only leaves the interface's table in force.
    {
        fw::Archive stored;
        WriteSettingsHeader(stored, kSessionClassVersion, "ANNA");
        KvSettingsRecord record;
        record.layouts.resize(5);
        record.shortcuts = { edited[1] };
        WriteSettingsRecord(stored, record);
        ASSERT_TRUE(stored.saveFile(Folder() + "refused.kvs"));
    }
    frame.SetShortcutTable({ edited[2] });
    frame.log.clear();
    ASSERT_EQ(again.RestoreSettings((Folder() + "refused.kvs").c_str()), 1);
    EXPECT_EQ(frame.GetShortcutTable(), (std::vector<fw::AccelRecord> { edited[2] }));
    EXPECT_EQ(std::count(frame.log.begin(), frame.log.end(), "post 35960"), 0);
}

TEST_F(FrameCommands, TheWorkspaceRecordAsksTheWindowsInItsOrder)
{
    Colours colours;
    colours.colour = 0x123456;
    Session anna("ANNA");
    ps = &anna;
    anna.m_settings.layouts[3].zoom = 120;
    ASSERT_EQ(anna.SaveWorkspace(nullptr), 1);
    EXPECT_EQ(frame.log, (std::vector<std::string> { "store documents", "documents store", "frame store" }));

    frame.log.clear();
    colours.colour = 0;
    anna.m_settings.layouts[3].zoom = 100;
    ASSERT_EQ(anna.RestoreWorkspace(nullptr), 1);
    EXPECT_EQ(frame.log,
        (std::vector<std::string> { "hide", "destroy all", "documents load", "frame load", "show", "title" }));
    EXPECT_EQ(colours.colour, 0x123456);
    EXPECT_EQ(anna.m_settings.layouts[3].zoom, 120);

    // A workspace cut short says so, and the windows still show again.
    const std::string path = Folder() + "ANNA.wks";
    std::vector<std::uint8_t> bytes = fw::Archive::loadFile(path)->bytes();
    bytes.resize(bytes.size() - 1);
    {
        fw::Archive cut(bytes);
        ASSERT_TRUE(cut.saveFile(Folder() + "cut.wks"));
    }
    frame.log.clear();
    EXPECT_EQ(anna.RestoreWorkspace((Folder() + "cut.wks").c_str()), 0);
    EXPECT_EQ(boxes, (std::vector<std::string> { fw::loadString(IDS_WORKSPACE_RESTORE_FAILED) }));
    EXPECT_EQ(frame.log.back(), "title");
    EXPECT_EQ(anna.m_settings.workspaceFile, path);
}

TEST_F(FrameCommands, PopupDefinitionsStartWithTheItemsTheUserMayUse)
{
    Session anna("ANNA");
    // Table 4 has a menu: three items are left once the refused one goes (the separator
    // counts), shown in menu order; the other tables have none.
    EXPECT_EQ(anna.m_settings.layouts[kMenuTable].popup, (std::vector<std::uint16_t> { 0, 1, 2 }));
    for (unsigned id : { 0u, 1u, 2u, 3u })
        EXPECT_TRUE(anna.m_settings.layouts[id].popup.empty()) << id;
    for (const KvLayoutEntry& entry : anna.m_settings.layouts)
        EXPECT_FALSE(entry.placement.hasPosition());
}

} // namespace

namespace {

class OneTableSession : public CSessionCore {
public:
    OneTableSession()
    {
        m_sUser = "ANNA";
        OnNewDocument();
    }
    int GetTableSize() override { return 1; }
};

void Le16(std::vector<std::uint8_t>& b, std::uint16_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Le32(std::vector<std::uint8_t>& b, std::uint32_t v)
{
    Le16(b, static_cast<std::uint16_t>(v));
    Le16(b, static_cast<std::uint16_t>(v >> 16));
}

// Without a main window a workspace holds the targets' colours, the layout part of each entry
// and a window count of 0; its bytes, written out by hand.
TEST(WorkspaceFile, BytesWithoutWindowsMatchTheHandWrittenFixture)
{
    kvtest::ScratchIniDir dir;
    ::setenv("kv3userpath", dir.Path().c_str(), 1);
    Colours colours;
    colours.colour = 0x00ABCDEF;
    OneTableSession anna;
    KvLayoutEntry& e = anna.m_settings.layouts[0];
    e.open = 1;
    e.sortKeys = { 2 | (1u << 16) };
    e.selected = { 0, 2 };
    e.widths = { 40 };
    ASSERT_EQ(anna.SaveWorkspace(nullptr), 1);

    std::vector<std::uint8_t> expected;
    Le32(expected, 0x00ABCDEF); // the target's colours
    Le16(expected, 1); // open
    Le16(expected, 0); // fixed columns
    Le16(expected, 1); // sort keys: count, then each double word
    Le32(expected, 0x00010002);
    Le16(expected, 100); // zoom
    Le16(expected, 0); // fit window
    Le16(expected, 2); // selected columns
    Le16(expected, 0);
    Le16(expected, 2);
    Le16(expected, 1); // widths
    Le16(expected, 40);
    for (std::uint32_t v : { 44u, 0u, 1u, 0u, 0u, 0u, 0u }) // length, flags, show, min, max
        Le32(expected, v);
    for (int i = 0; i < 4; ++i) // no stored position
        Le32(expected, 0xFFFFFFFFu);
    Le16(expected, 0); // spare
    Le16(expected, 0); // no windows
    auto ar = fw::Archive::loadFile(dir.Path() + "/ANNA.wks");
    ASSERT_TRUE(ar);
    EXPECT_EQ(ar->bytes(), expected);

    // A workspace that lists windows cannot be read without them: refused.
    expected[expected.size() - 2] = 1;
    {
        fw::Archive listed(expected);
        ASSERT_TRUE(listed.saveFile(dir.Path() + "/listed.wks"));
    }
    fw::setMessageBoxHook([](const std::string&, unsigned) { return fw::IDOK; });
    EXPECT_EQ(anna.RestoreWorkspace((dir.Path() + "/listed.wks").c_str()), 0);
    fw::setMessageBoxHook(nullptr);
    ::unsetenv("kv3userpath");
}

} // namespace
