#include "fw/core/command.h"
#include "fw/core/menu.h"

#include <gtest/gtest.h>

namespace {

using fw::Menu;

Menu sample()
{
    return Menu::popup("&Grid", { Menu::command(1, "&Zoom In"), Menu::command(2, "&No Zoom"),
                                  Menu::separator(), Menu::command(3, "No &Sorting"),
                                  Menu::popup("&Column", { Menu::command(4, "&Fix"), Menu::command(3, "No &Sorting") }) });
}

TEST(MenuModel, PlainTextDropsMnemonics)
{
    struct {
        const char* in;
        const char* out;
    } cases[] = { { "&Fix", "Fix" }, { "Save && Exit", "Save & Exit" }, { "&Open\tCtrl+O", "Open" }, { "", "" } };
    for (const auto& c : cases) {
        Menu m = Menu::command(1, c.in);
        EXPECT_EQ(m.plainText(), c.out) << c.in;
    }
}

TEST(MenuModel, FindRemoveAndPositions)
{
    Menu m = sample();
    ASSERT_NE(m.find(4), nullptr);
    EXPECT_EQ(m.find(4)->text(), "&Fix");
    EXPECT_EQ(m.positionOf(3), 3);
    EXPECT_EQ(m.positionOf(4), -1); // not an item of the top popup itself
    EXPECT_EQ(m.removeCommand(3), 2);
    EXPECT_EQ(m.find(3), nullptr);
    EXPECT_EQ(m.commandIds(), (std::vector<uint32_t> { 1, 2, 4 }));
    EXPECT_NE(m.findPopup("Column"), nullptr);
    EXPECT_FALSE(m.removeAt(99));
}

TEST(MenuModel, PruneKeepsSeparatorsTidyAndDropsEmptyPopups)
{
    Menu m = sample();
    m.prune([](uint32_t id) { return id == 1; });
    ASSERT_EQ(m.itemCount(), 1u);
    EXPECT_EQ(m.items()[0].id(), 1u);
}

TEST(MenuModel, UpdateAppliesStateAndRemovesOnlyFromThisPopup)
{
    struct Frame : fw::CmdTarget {
    } frame;
    int zoom = 100;
    frame.commands().onCommand(1, [] {});
    frame.commands().onCommand(2, [] {});
    frame.commands().onCommand(3, [] {});
    frame.commands().onUpdate(1, [&](fw::CmdUI& ui) { ui.enable(zoom < 300); });
    frame.commands().onUpdate(2, [&](fw::CmdUI& ui) {
        if (zoom == 100)
            ui.remove();
    });
    frame.commands().onUpdate(3, [](fw::CmdUI& ui) { ui.remove(); });
    frame.commands().onUpdate(4, [](fw::CmdUI& ui) { ui.setText("&Unfix"); ui.setCheck(1); });

    Menu m = sample();
    fw::updateMenuUI(m, frame);
    // Items 2 and 3 went; the two separators they sat between collapse into one.
    EXPECT_EQ(m.positionOf(2), -1);
    EXPECT_EQ(m.positionOf(3), -1);
    ASSERT_EQ(m.itemCount(), 3u);
    EXPECT_TRUE(m.items()[1].isSeparator());
    // The sub-popup is only updated when it opens.
    ASSERT_NE(m.find(3), nullptr);
    Menu* column = m.findPopup("Column");
    fw::updateMenuUI(*column, frame);
    EXPECT_EQ(column->find(4)->text(), "&Unfix");
    EXPECT_EQ(column->find(4)->check(), 1);
    EXPECT_EQ(column->find(3), nullptr);

    // The same handler seen by a toolbar leaves the command in place.
    fw::CmdUI bar(3, fw::CmdUI::Source::ToolBar);
    frame.routeUpdate(bar);
    EXPECT_FALSE(bar.removed());

    zoom = 300;
    Menu again = sample();
    fw::updateMenuUI(again, frame);
    EXPECT_FALSE(again.find(1)->enabled());
    EXPECT_NE(again.find(2), nullptr);
}

} // namespace
