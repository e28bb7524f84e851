// The popup editor's mapping: texts without '&', separators as a hyphen line, positions past
// the menu skipped, and chosen texts mapped to their first menu position.
#include <gtest/gtest.h>

#include "kvcore/session/popup_items.h"

namespace {

fw::Menu SampleMenu()
{
    return fw::Menu::popup("Table", { fw::Menu::command(101, "&Sort..."), fw::Menu::separator(),
                                        fw::Menu::command(102, "&Fix"), fw::Menu::separator(),
                                        fw::Menu::command(103, "Sort...") });
}

TEST(PopupItems, TextsSelectionAndDefinition)
{
    const auto items = KvPopupItems(SampleMenu());
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].text, "Sort...");
    EXPECT_EQ(items[0].command, 101);
    EXPECT_EQ(items[1].text, std::string(53, '-'));
    EXPECT_EQ(items[1].command, 0);

    const auto shown = KvPopupSelection(items, { 2, 9, 3 });
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].command, 102);
    EXPECT_EQ(shown[1].text, std::string(53, '-'));

    // Two separators and two equal texts map to their first positions.
    const std::vector<std::string> chosen { "Fix", std::string(53, '-'), "Sort...", std::string(53, '-'), "Sort..." };
    EXPECT_EQ(KvPopupDefinition(items, chosen), (std::vector<std::uint16_t> { 2, 1, 0, 1, 0 }));
    EXPECT_TRUE(KvPopupDefinition(items, { "Gone" }).empty());
}

} // namespace
