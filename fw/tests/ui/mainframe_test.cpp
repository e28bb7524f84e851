#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/mainframe.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

using fw::Menu;

struct MainFrameTest : ::testing::Test {
    fw::App app;
    fw::MainFrame frame;
    int zoom = 100;
    bool sorted = false;
    std::vector<uint32_t> ran;

    void SetUp() override
    {
        frame.setMenuModel(Menu::popup("", { Menu::popup("&Options", { Menu::command(35984, "&Zoom In"),
                                                                         Menu::command(35986, "&No Zoom"),
                                                                         Menu::separator(),
                                                                         Menu::command(35987, "No &Sorting"),
                                                                         Menu::command(35998, "&Fix") }) }));
        for (uint32_t id : { 35984u, 35986u, 35987u, 35998u })
            frame.commands().onCommand(id, [this, id] { ran.push_back(id); });
        frame.commands().onUpdate(35984, [this](fw::CmdUI& ui) { ui.enable(zoom < 300); });
        frame.commands().onUpdate(35986, [this](fw::CmdUI& ui) {
            if (zoom == 100)
                ui.remove();
        });
        frame.commands().onUpdate(35987, [this](fw::CmdUI& ui) {
            if (!sorted)
                ui.remove();
        });
        frame.commands().onUpdate(35998, [](fw::CmdUI& ui) { ui.setText("&Unfix"); });
        frame.addCommandBar("Grid", { 35984, 35986, 0, 35987 }, [](uint32_t id) { return std::to_string(id); });
        frame.resize(600, 400);
        frame.show();
    }

    QMenu* openOptions()
    {
        QMenu* m = frame.menuBar()->actions().at(0)->menu();
        emit m->aboutToShow();
        return m;
    }
    static QStringList texts(QMenu* m)
    {
        QStringList out;
        for (QAction* a : m->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }
};

TEST_F(MainFrameTest, MenusAreRebuiltWithUpdateHandlersEachTimeTheyOpen)
{
    EXPECT_FALSE(frame.isMenuOpen());
    EXPECT_EQ(texts(openOptions()), (QStringList { "&Zoom In", "-", "&Unfix" }));
    EXPECT_TRUE(frame.isMenuOpen());
    emit frame.menuBar()->actions().at(0)->menu()->aboutToHide();
    EXPECT_FALSE(frame.isMenuOpen());
    zoom = 300;
    sorted = true;
    QMenu* m = openOptions();
    EXPECT_EQ(texts(m), (QStringList { "&Zoom In", "&No Zoom", "-", "No &Sorting", "&Unfix" }));
    EXPECT_FALSE(m->actions().at(0)->isEnabled());
    // The model itself keeps every item.
    EXPECT_NE(frame.menuModel().find(35986), nullptr);
}

TEST(MainFramePrompts, MenuItemsAndButtonsShowPromptsAndToolTips)
{
    fw::App app;
    fw::MainFrame frame;
    frame.setPromptProvider([](uint32_t id) { return id == 1 ? std::string("Zoom-in\nZoom In") : std::string(); });
    frame.commands().onCommand(1, [] {});
    frame.setMenuModel(Menu::popup("", { Menu::popup("&Grid", { Menu::command(1, "&Zoom In") }) }));
    frame.addCommandBar("Bar", { 1 }, nullptr);
    QMenu* m = frame.menuBar()->actions().at(0)->menu();
    emit m->aboutToShow();
    EXPECT_EQ(m->actions().at(0)->statusTip(), QStringLiteral("Zoom-in"));
    QAction* button = frame.commandBarAction(1);
    EXPECT_EQ(button->statusTip(), QStringLiteral("Zoom-in"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("Zoom In"));
}

TEST_F(MainFrameTest, AnItemRemovedFromAPopupStaysOnTheToolbar)
{
    openOptions();
    frame.updateCommandBars();
    QAction* noZoom = frame.commandBarAction(35986);
    ASSERT_NE(noZoom, nullptr);
    EXPECT_TRUE(noZoom->isEnabled());
    noZoom->trigger();
    EXPECT_EQ(ran, (std::vector<uint32_t> { 35986 }));
}

TEST_F(MainFrameTest, DisabledMenuCommandsDoNotRun)
{
    zoom = 300;
    EXPECT_FALSE(frame.onMenuCommand(35984));
    zoom = 100;
    EXPECT_TRUE(frame.onMenuCommand(35984));
    EXPECT_EQ(ran, (std::vector<uint32_t> { 35984 }));
}

TEST_F(MainFrameTest, PopupMenusAreScriptedAndRunTheChosenCommand)
{
    fw::test::Script script;
    script.answerPopup(35998);
    script.answerPopup(0);
    Menu popup = frame.menuModel().items()[0];
    EXPECT_EQ(frame.trackPopupMenu(popup, { 10, 10 }), 35998u);
    EXPECT_EQ(frame.trackPopupMenu(popup, { 10, 10 }), 0u);
    EXPECT_EQ(ran, (std::vector<uint32_t> { 35998 }));
    ASSERT_EQ(script.popups().size(), 2u);
    // The menu shown had its update handlers applied.
    EXPECT_EQ(script.popups()[0].find(35986), nullptr);
    EXPECT_EQ(script.popups()[0].find(35998)->text(), "&Unfix");
}

TEST_F(MainFrameTest, StatusPanesAndBarState)
{
    frame.setStatusPanes({ 20, 4, 4, 4, 8, 10, 8 });
    EXPECT_EQ(frame.paneCount(), 7);
    frame.setPaneText(6, "12:30:00");
    frame.setPaneText(9, "ignored");
    EXPECT_EQ(frame.paneText(6), "12:30:00");
    EXPECT_EQ(frame.paneText(9), "");

    auto state = frame.saveBarState();
    frame.findChild<QToolBar*>()->hide();
    EXPECT_TRUE(frame.restoreBarState(state));
    EXPECT_TRUE(frame.findChild<QToolBar*>()->isVisibleTo(&frame));
    EXPECT_FALSE(frame.restoreBarState({ 1, 2, 3 }));

    frame.clearCommandBars();
    fw::test::processEvents();
    EXPECT_EQ(frame.commandBarAction(35984), nullptr);
    EXPECT_TRUE(frame.findChildren<QToolBar*>().isEmpty());
}

} // namespace

namespace {

TEST(MainFrameAccelerators, RecordsBecomeShortcutsThatRunCommands)
{
    struct {
        fw::AccelRecord rec;
        const char* seq;
    } cases[] = {
        { { fw::AccelVirtKey | fw::AccelControl, 'L', 35940 }, "Ctrl+L" },
        { { fw::AccelVirtKey | fw::AccelShift | fw::AccelAlt, fw::vk::F1 + 4, 1 }, "Alt+Shift+F5" },
        { { fw::AccelVirtKey, fw::vk::Delete, 1 }, "Del" },
        { { 0, 'x', 1 }, "X" },
        { { fw::AccelVirtKey, 0x07, 1 }, "" }, // no such key
    };
    for (const auto& c : cases)
        EXPECT_EQ(fw::MainFrame::keySequenceOf(c.rec).toString(), QString::fromLatin1(c.seq)) << c.seq;

    fw::App app;
    fw::MainFrame frame;
    int logons = 0;
    bool enabled = true;
    frame.commands().onCommand(35940, [&] { ++logons; });
    frame.commands().onUpdate(35940, [&](fw::CmdUI& ui) { ui.enable(enabled); });
    const fw::AccelRecord table[] = { cases[0].rec, cases[4].rec };
    frame.setAccelerators(table);
    auto shortcuts = frame.findChildren<QShortcut*>();
    ASSERT_EQ(shortcuts.size(), 1);
    emit shortcuts[0]->activated();
    enabled = false;
    emit shortcuts[0]->activated();
    EXPECT_EQ(logons, 1);
    frame.setAccelerators({});
    fw::test::processEvents();
    EXPECT_TRUE(frame.findChildren<QShortcut*>().isEmpty());
}

} // namespace
