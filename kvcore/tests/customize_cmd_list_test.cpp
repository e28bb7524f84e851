// The Customize sheet's command list: what it takes from the frame's menu and its record.
#include <gtest/gtest.h>

#include "fw/core/archive.h"
#include "fw/core/menu.h"
#include "fw/core/resources.h"
#include "kvcore/dialogs/customize_cmd_list.h"

namespace {

constexpr fw::StringEntry kPrompts[] = {
    { 0xE101, "Open a table\nOpen", "T\xC3\xA1" "bla megnyit\xC3\xA1sa\nMegnyit\xC3\xA1s" },
    { 0xE102, "Close the window", "Az ablak bez\xC3\xA1r\xC3\xA1sa" },
};
const fw::ResourceSet kSet { "customize-cmd-list-test", kPrompts };
[[maybe_unused]] const bool kRegistered = (fw::addResources(kSet), true);

fw::Menu FrameMenu()
{
    using fw::Menu;
    Menu root;
    Menu file = Menu::popup("&File");
    file.add(Menu::command(0xE101, "&Open...\tCtrl+O"));
    file.add(Menu::separator());
    Menu recent = Menu::popup("&Recent");
    recent.add(Menu::command(0xE103, "Save && &Quit"));
    file.add(std::move(recent));
    root.add(std::move(file));
    Menu window = Menu::popup("&Window");
    window.add(Menu::command(0xE102, "&Close"));
    window.add(Menu::command(0xE101, "Open &again")); // the same command a second time
    root.add(std::move(window));
    return root;
}

TEST(CustomizeCmdList, ListsEveryCommandOnceWithItsNameAndDescription)
{
    const CCustomizeCmdList list(FrameMenu());
    const std::vector<KvCustomizeCommand> expected = {
        { 0xE101, "Open...", "Open a table" },
        { 0xE103, "Save & Quit", "" }, // no prompt string
        { 0xE102, "Close", "Close the window" },
    };
    EXPECT_EQ(list.Entries(), expected);
    ASSERT_NE(list.Find(0xE102), nullptr);
    EXPECT_EQ(list.Find(0xE102)->name, "Close");
    EXPECT_EQ(list.Find(0xE999), nullptr);
    EXPECT_TRUE(CCustomizeCmdList(fw::Menu()).Entries().empty());
}

TEST(CustomizeCmdList, RecordRoundTripsAndADamagedOneChangesNothing)
{
    CCustomizeCmdList list(FrameMenu());
    fw::Archive out;
    list.Serialize(out);
    const std::vector<std::uint8_t> golden = {
        0x03, 0x00, // count
        0x01, 0xE1, 0x00, 0x00, 7, 'O', 'p', 'e', 'n', '.', '.', '.', 12, 'O', 'p', 'e', 'n', ' ', 'a', ' ', 't', 'a',
        'b', 'l', 'e', //
        0x03, 0xE1, 0x00, 0x00, 11, 'S', 'a', 'v', 'e', ' ', '&', ' ', 'Q', 'u', 'i', 't', 0, //
        0x02, 0xE1, 0x00, 0x00, 5, 'C', 'l', 'o', 's', 'e', 16, 'C', 'l', 'o', 's', 'e', ' ', 't', 'h', 'e', ' ', 'w',
        'i', 'n', 'd', 'o', 'w',
    };
    EXPECT_EQ(out.bytes(), golden);

    CCustomizeCmdList loaded;
    fw::Archive in(golden);
    loaded.Serialize(in);
    EXPECT_EQ(loaded.Entries(), list.Entries());

    // Cut anywhere inside, or a count far beyond the bytes: refused, the list stays as it was.
    for (std::size_t cut : { std::size_t { 1 }, std::size_t { 5 }, golden.size() - 1 }) {
        fw::Archive shortIn(std::vector<std::uint8_t>(golden.begin(), golden.begin() + static_cast<long>(cut)));
        EXPECT_THROW(loaded.Serialize(shortIn), fw::ArchiveError) << cut;
        EXPECT_EQ(loaded.Entries(), list.Entries()) << cut;
    }
    fw::Archive huge(std::vector<std::uint8_t> { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F });
    EXPECT_THROW(loaded.Serialize(huge), fw::ArchiveError);
    EXPECT_EQ(loaded.Entries(), list.Entries());
}

} // namespace
