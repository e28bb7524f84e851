// The main window's commands on the test workstation with real settings and workspace files:
// what one session leaves at logoff the next logon of the same user finds again (options,
// layouts, popup definitions, column sets, custom colours, shortcuts, windows, toolbars cut to
// the rights of the moment), the workspace slots through their commands, and the window
// commands on the active list window.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QToolBar>
#include <filesystem>

#include "fw/core/archive.h"
#include "fw/ui/childframe.h"
#include "fw/ui/placement.h"
#include "fw/ui/view.h"
#include "kvcore/gridview/child_frame.h"
#include "fw/ui/toolbars.h"
#include "kvcore/frame/toolbar_manager.h"
#include "ui/workstation_fixture.h"

namespace {

using kvtest::Fake;
using kvtest::kAccepted;

class FrameCommands : public kvtest::WorkstationFixture {
protected:
    void SetUp() override
    {
        kvtest::WorkstationSession::realFiles = true;
        WorkstationFixture::SetUp();
    }
    void TearDown() override
    {
        WorkstationFixture::TearDown();
        kvtest::WorkstationSession::realFiles = false;
    }
    void LogOff()
    {
        Fake().replies.push_back({ { kAccepted, "" } }); // 130
        fw::App::runCommandIfEnabled(frame, ID_KV_LOGOFF);
        ASSERT_EQ(ps, nullptr);
    }
    fw::CmdUI Update(unsigned id)
    {
        fw::CmdUI ui(id, fw::CmdUI::Source::Menu);
        frame->routeUpdate(ui);
        return ui;
    }
    std::string File(const std::string& name) const { return dir.Path() + "/" + name; }
};

TEST_F(FrameCommands, TheNextLogonFindsWhatTheLastLogoffLeft)
{
    const std::vector<fw::AccelRecord> shortcuts {
        { fw::AccelVirtKey | fw::AccelControl, 'B', static_cast<std::uint16_t>(kvtest::kBuyCommand) },
        { fw::AccelVirtKey | fw::AccelControl, 'S', static_cast<std::uint16_t>(kvtest::kRefusedCommand) },
    };
    app->refused.clear(); // the first session may use everything
    LogOn();
    ASSERT_NE(ps, nullptr);
    ASSERT_EQ(ps->m_settings.layouts.size(), 5u);
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_OPTIONS_MOUSE));
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_OPTIONS_UI));
    EXPECT_EQ(Update(ID_KV_OPTIONS_MOUSE).check(), 0);
    ps->m_settings.layouts[kvtest::kOrdersTable].columnSets[4] = { 3, 1, 2 };
    ps->m_settings.layouts[kvtest::kOrdersTable].popup = { 2, 0 };
    ps->m_settings.layouts[kvtest::kTradesTable].zoom = 150;
    ps->m_settings.options.customColours[15] = fw::Color::rgb(9, 8, 7);
    frame->SetShortcutTable(shortcuts); // as the shortcut keys page applies an edited table
    ASSERT_NE(app->OpenTable(kvtest::kOrdersTable, false, true, nullptr), nullptr);
    ASSERT_NE(app->OpenTable(kvtest::kTradesTable, false, true, nullptr), nullptr);
    frame->GetToolBarManager().Bars().bar(59397)->hide();
    LogOff();
    EXPECT_TRUE(std::filesystem::exists(File("trader01.kvs")));
    EXPECT_TRUE(std::filesystem::exists(File("trader01.wks")));
    EXPECT_EQ(app->GetNumberOfDocuments(), 0);
    EXPECT_TRUE(frame->GetShortcutTable().empty()); // the logged-off interface has none

    // The next user of this account may not sell.
    app->refused = { kvtest::kRefusedCommand };
    LogOn();
    ASSERT_NE(ps, nullptr);
    EXPECT_EQ(ps->m_bMouse, 0);
    EXPECT_EQ(ps->m_bWindowsManipulation, 0);
    EXPECT_EQ(Update(ID_KV_OPTIONS_MOUSE).check(), 0);
    EXPECT_EQ(Update(ID_KV_WORKSPACE_AUTOSAVE).check(), 1);
    EXPECT_EQ(ps->m_settings.layouts[kvtest::kOrdersTable].columnSets[4], (std::vector<std::uint16_t> { 3, 1, 2 }));
    EXPECT_EQ(ps->m_settings.layouts[kvtest::kOrdersTable].popup, (std::vector<std::uint16_t> { 2, 0 }));
    EXPECT_EQ(ps->m_settings.layouts[kvtest::kTradesTable].zoom, 150);
    EXPECT_EQ(ps->m_settings.options.customColours[15], fw::Color::rgb(9, 8, 7));
    EXPECT_EQ(frame->GetShortcutTable(), (std::vector<fw::AccelRecord> { shortcuts[0] }));
    EXPECT_EQ(ps->m_settings.workspaceFile, File("trader01.wks"));
    // Both windows are back, and the toolbars as they were, without what this user may not use.
    EXPECT_EQ(app->GetNumberOfDocuments(), 2);
    EXPECT_NE(app->GetFirstDoc(kvtest::kOrdersTable), nullptr);
    EXPECT_NE(app->GetFirstDoc(kvtest::kTradesTable), nullptr);
    EXPECT_TRUE(frame->mdiArea()->isVisible() || !frame->isVisible());
    fw::CommandBars& bars = frame->GetToolBarManager().Bars();
    EXPECT_TRUE(bars.bar(59397)->isHidden());
    EXPECT_EQ(bars.buttons(59397), (std::vector<uint32_t> { kvtest::kBuyCommand }));
    LogOff();
}

TEST_F(FrameCommands, WorkspaceSlotsCreateSwitchAndCarryTheCheckMark)
{
    LogOn();
    ASSERT_NE(ps, nullptr);
    const unsigned slot2 = ID_KV_WORKSPACE_1 + 1, slot3 = ID_KV_WORKSPACE_1 + 2;
    EXPECT_EQ(Update(slot3).check(), 0);

    // No file for slot 3: "No" changes nothing, "Yes" makes the windows of now slot 3.
    script.answerMessageBox(fw::IDNO);
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, slot3));
    EXPECT_FALSE(std::filesystem::exists(File("trader013.wks")));
    ASSERT_NE(app->OpenTable(kvtest::kOrdersTable, false, true, nullptr), nullptr);
    script.answerMessageBox(fw::IDYES);
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, slot3));
    EXPECT_TRUE(std::filesystem::exists(File("trader013.wks")));
    EXPECT_EQ(Update(slot3).check(), 1);
    EXPECT_EQ(Update(slot2).check(), 0);

    // Slot 2 from one more window; switching back to 3 saves 2 first and brings back one window.
    ASSERT_NE(app->OpenTable(kvtest::kTradesTable, false, true, nullptr), nullptr);
    script.answerMessageBox(fw::IDYES);
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, slot2));
    EXPECT_EQ(Update(slot2).check(), 1);
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, slot3));
    EXPECT_EQ(app->GetNumberOfDocuments(), 1);
    EXPECT_NE(app->GetFirstDoc(kvtest::kOrdersTable), nullptr);
    EXPECT_EQ(Update(slot3).check(), 1);
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, slot2));
    EXPECT_EQ(app->GetNumberOfDocuments(), 2);
    EXPECT_EQ(script.messageBoxes().size(), 3u); // the three questions, nothing else

    // "Save" and "Restore" through the file dialog.
    script.answerFile(File("desk.wks"));
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_WORKSPACE_SAVE));
    EXPECT_TRUE(std::filesystem::exists(File("desk.wks")));
    EXPECT_EQ(Update(slot2).check(), 0);
    ASSERT_EQ(script.fileRequests().size(), 1u);
    EXPECT_FALSE(script.fileRequests()[0].open);
    EXPECT_EQ(script.fileRequests()[0].defaultName, File("trader012.wks"));
    fw::App::runCommandIfEnabled(frame, ID_KV_WINDOW_CLOSE_ALL);
    EXPECT_EQ(app->GetNumberOfDocuments(), 0);
    script.answerFile(std::nullopt); // cancelled: nothing happens
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_WORKSPACE_RESTORE));
    EXPECT_EQ(app->GetNumberOfDocuments(), 0);
    script.answerFile(File("desk.wks"));
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_WORKSPACE_RESTORE));
    EXPECT_EQ(script.fileRequests().back().defaultName, File("*.wks"));
    EXPECT_EQ(app->GetNumberOfDocuments(), 2);
    LogOff();
    // Without a session the workspace commands are off.
    for (unsigned id : { unsigned(ID_KV_WORKSPACE_AUTOSAVE), unsigned(ID_KV_WORKSPACE_SAVE), unsigned(ID_KV_WORKSPACE_RESTORE), slot3 })
        EXPECT_FALSE(Update(id).enabled()) << id;
}

TEST_F(FrameCommands, WindowCommandsActOnTheActiveListWindow)
{
    LogOn();
    EXPECT_FALSE(Update(ID_KV_WINDOW_MAXIMIZE).enabled());
    EXPECT_FALSE(Update(ID_KV_WINDOW_CLOSE_ALL).enabled());
    ASSERT_NE(app->OpenTable(kvtest::kOrdersTable, true, true, nullptr), nullptr);
    fw::ChildFrame* child = frame->activeChild();
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_WINDOW_MAXIMIZE));
    EXPECT_TRUE(child->isMaximized());
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_WINDOW_RESTORE));
    EXPECT_FALSE(child->isMaximized());
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_WINDOW_MINIMIZE));
    EXPECT_TRUE(child->isMinimized());

    std::vector<CTChildFrame*> list { nullptr };
    ASSERT_NE(app->OpenTable(kvtest::kTradesTable, true, true, nullptr), nullptr);
    frame->FillChildZList(list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], frame->activeChild());
    // A window of another kind is left out.
    auto* other = new fw::ChildFrame(std::make_unique<fw::View>());
    frame->mdiArea()->addSubWindow(other);
    other->show();
    frame->FillChildZList(list);
    EXPECT_EQ(list.size(), 2u);
    other->closeWithoutAsking();

    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_WINDOW_CLOSE_ALL));
    EXPECT_EQ(app->GetNumberOfDocuments(), 0);
    EXPECT_TRUE(app->docTemplates().empty());
    EXPECT_FALSE(frame->mdiArea()->isHidden());
    LogOff();
}

TEST_F(FrameCommands, CommandsTheProgramDoesNotOfferLeaveTheMenu)
{
    LogOn();
    fw::Menu& menu = frame->menuModel();
    menu.add(fw::Menu::popup("&Window", { fw::Menu::command(ID_KV_WINDOWS_DIALOG, "Windows...") }));
    fw::Menu* file = menu.itemAt(0);
    ASSERT_NE(file, nullptr);
    file->add(fw::Menu::command(ID_KV_LINK_TO, "Link To..."));
    fw::Menu shown = frame->preparePopup(*file);
    EXPECT_EQ(shown.find(ID_KV_LINK_TO), nullptr);
    EXPECT_EQ(menu.find(ID_KV_LINK_TO), nullptr);
    frame->preparePopup(*menu.itemAt(menu.itemCount() - 1));
    // The popup left empty goes as well.
    EXPECT_EQ(menu.findPopup("Window"), nullptr);
    LogOff();
}

} // namespace

#include "fw/ui/propertysheet.h"
#include "kvcore/dialogs/grid_props_page.h"
#include "kvcore/dialogs/toolbar_pages.h"

namespace {

// The "Customize" sheet: the frame's pages first, then the caller's; Cancel changes nothing,
// Apply puts the grid look in force, and the look travels in the user's settings.
TEST_F(FrameCommands, CustomizeAppliesOnlyOnApplyAndTheLookStays)
{
    LogOn();
    ASSERT_NE(ps, nullptr);
    const fw::GridProperties before = ps->m_settings.grid;
    const auto clickVertical = [](bool apply) {
        return [apply](fw::Dialog& d) {
            auto& sheet = dynamic_cast<fw::PropertySheet&>(d);
            ASSERT_GE(sheet.pageCount(), 1);
            fw::PropertyPage* grid = sheet.page(sheet.pageCount() - 1);
            ASSERT_EQ(grid->templateId(), IDD_GRID_PROPERTIES);
            sheet.setActivePage(sheet.pageCount() - 1);
            grid->userClick(IDC_GRID_VERTICAL);
            sheet.userClick(apply ? fw::kIdOk : fw::kIdCancel);
        };
    };
    script.expectDialog(0, clickVertical(false));
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_CUSTOMIZE));
    EXPECT_EQ(ps->m_settings.grid, before);
    script.expectDialog(0, clickVertical(true));
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_CUSTOMIZE));
    EXPECT_NE(ps->m_settings.grid.verticalLines, before.verticalLines);
    const fw::GridProperties applied = ps->m_settings.grid;

    // A caller's page follows the frame's own.
    fw::PropertyPage mine(0);
    fw::PropertySheet sheet("Customize", frame);
    sheet.addPage(mine);
    script.expectDialog(0, [&](fw::Dialog&) {
        EXPECT_EQ(sheet.page(sheet.pageCount() - 1), &mine);
        EXPECT_EQ(sheet.page(0)->templateId(), IDD_TOOLBARS);
        EXPECT_EQ(sheet.page(1)->templateId(), IDD_TOOLBAR_COMMANDS);
        EXPECT_EQ(sheet.page(2)->templateId(), 20488u); // the shortcut keys
        EXPECT_EQ(sheet.page(3)->templateId(), IDD_GRID_PROPERTIES);
        sheet.userClick(fw::kIdCancel);
    });
    frame->DoCustomize(sheet);

    LogOff();
    LogOn();
    ASSERT_NE(ps, nullptr);
    EXPECT_EQ(ps->m_settings.grid, applied);
    LogOff();
    EXPECT_TRUE(script.allAnswersUsed());
}

} // namespace

#include "kvcore/doc/ct_doc.h"
#include "kvcore/gridview/table_view.h"

namespace {

class FrameListWindows : public FrameCommands {
protected:
    void SetUp() override
    {
        kvtest::WorkstationApp::listWindows = true;
        FrameCommands::SetUp();
    }
    void TearDown() override
    {
        FrameCommands::TearDown();
        kvtest::WorkstationApp::listWindows = false;
    }
    static fw::ChildFrame* FrameOf(CTDoc* doc)
    {
        auto* view = doc != nullptr ? dynamic_cast<CTView*>(doc->firstView()) : nullptr;
        return view != nullptr ? view->parentFrame() : nullptr;
    }
};

// A restored workspace reopens the list windows where they were, with their own titles, the
// caption one of them had lost and the window that stayed on top.
TEST_F(FrameListWindows, RestoringAWorkspaceReopensTheWindowsAsTheyWere)
{
    LogOn();
    ASSERT_NE(ps, nullptr);
    CTDoc* orders = app->OpenTable(kvtest::kOrdersTable, true, true, nullptr);
    CTDoc* trades = app->OpenTable(kvtest::kTradesTable, true, true, nullptr);
    fw::ChildFrame* ordersFrame = FrameOf(orders);
    fw::ChildFrame* tradesFrame = FrameOf(trades);
    ASSERT_NE(ordersFrame, nullptr);
    ASSERT_NE(tradesFrame, nullptr);
    struct Window {
        CTDoc* doc;
        fw::ChildFrame* frame;
        fw::Rect rect;
        std::string title;
        bool onTop;
        bool caption;
    } windows[] = {
        { orders, ordersFrame, { 20, 30, 420, 280 }, "My orders", false, false },
        { trades, tradesFrame, { 60, 90, 560, 390 }, "", true, true },
    };
    for (const Window& w : windows) {
        fw::WindowPlacement placement = fw::placementOf(*w.frame);
        placement.normalPosition = w.rect;
        placement.showCmd = fw::ShowNormal;
        fw::applyPlacement(*w.frame, placement);
        w.doc->m_sCustomTitle = w.title;
        if (!w.title.empty())
            w.doc->setTitle(w.title);
        w.frame->setAlwaysOnTop(w.onTop);
        w.frame->setCaption(w.caption);
    }
    const std::string defaultTitle = trades->title();
    script.answerFile(File("desk.wks"));
    ASSERT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_WORKSPACE_SAVE));
    ASSERT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_WINDOW_CLOSE_ALL));
    ASSERT_EQ(app->GetNumberOfDocuments(), 0);

    script.answerFile(File("desk.wks"));
    ASSERT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_WORKSPACE_RESTORE));
    ASSERT_EQ(app->GetNumberOfDocuments(), 2);
    for (const Window& before : windows) {
        CTDoc* doc = app->GetFirstDoc(before.doc == orders ? kvtest::kOrdersTable : kvtest::kTradesTable);
        fw::ChildFrame* restored = FrameOf(doc);
        ASSERT_NE(restored, nullptr);
        SCOPED_TRACE(doc->GetTableID());
        EXPECT_EQ(fw::placementOf(*restored).normalPosition, before.rect);
        EXPECT_EQ(doc->title(), before.title.empty() ? defaultTitle : before.title);
        EXPECT_EQ(restored->isAlwaysOnTop(), before.onTop);
        EXPECT_EQ(restored->hasCaption(), before.caption);
        EXPECT_FALSE(restored->isHidden());
    }
    LogOff();
}

// The menu names the key of each command that has one, and follows the table put in force.
TEST_F(FrameCommands, MenuItemsShowTheirShortcutKeys)
{
    LogOn();
    ASSERT_NE(ps, nullptr);
    const auto key = [](std::uint8_t flags, std::uint16_t code, unsigned command) {
        return fw::AccelRecord { static_cast<std::uint8_t>(fw::AccelVirtKey | flags), code,
            static_cast<std::uint16_t>(command) };
    };
    const auto textOf = [&](unsigned command) {
        const fw::Menu* item = frame->menuModel().find(command);
        return item != nullptr ? item->text() : std::string("<none>");
    };
    struct Case {
        std::vector<fw::AccelRecord> table;
        std::string buy, refresh;
    } cases[] = {
        { { key(fw::AccelControl, 'B', kvtest::kBuyCommand), key(0, fw::vk::F1 + 4, ID_KV_REFRESH) }, "&Buy...\tCtrl+B",
            "&Refresh\tF5" },
        // The first key of a command is the one shown.
        { { key(fw::AccelShift, fw::vk::F1 + 1, kvtest::kBuyCommand), key(fw::AccelControl, 'B', kvtest::kBuyCommand) },
            "&Buy...\tShift+F2", "&Refresh" },
        { {}, "&Buy...", "&Refresh" },
    };
    for (const Case& c : cases) {
        frame->SetShortcutTable(c.table);
        EXPECT_EQ(textOf(kvtest::kBuyCommand), c.buy);
        EXPECT_EQ(textOf(ID_KV_REFRESH), c.refresh);
    }
    // A new interface writes the keys in force into its own menu.
    frame->SetShortcutTable(cases[0].table);
    frame->SetInterface(kvtest::kLoggedOnIDR);
    const std::vector<fw::AccelRecord> interfaceKeys = frame->GetShortcutTable();
    for (const fw::AccelRecord& k : interfaceKeys) {
        if (const fw::Menu* item = frame->menuModel().find(k.cmd)) {
            EXPECT_NE(item->text().find('\t' + fw::accelKeyName(k)), std::string::npos) << item->text();
        }
    }
    LogOff();
}

} // namespace
