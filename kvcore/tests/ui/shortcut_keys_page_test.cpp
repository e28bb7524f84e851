// The shortcut keys page in a property sheet, offscreen: what the lists show, the assign
// dialog, and that only an applied sheet changes the table in force.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "kvcore/dialogs/chooser_ids.h"
#include "kvcore/dialogs/shortcut_keys_page.h"
#include "kvcore/ui/hot_key_edit.h"

namespace {

constexpr std::uint16_t Fn(int n)
{
    return static_cast<std::uint16_t>(fw::vk::F1 + n - 1);
}

fw::AccelRecord Key(std::uint16_t key, std::uint8_t mods = 0, std::uint16_t cmd = 0)
{
    return fw::AccelRecord { static_cast<std::uint8_t>(fw::AccelVirtKey | mods), key, cmd };
}

void Press(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    ASSERT_NE(target, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(target, &press);
}

struct ShortcutKeysPageTest : ::testing::Test {
    fw::App app;
    const KvCommandList commands = {
        { 35940, "Log on", "Log on to the host" },
        { 61536, "Close", "Close the window" }, // a window-system command
        { 35941, "Log off", "Log off from the host" },
        { 35968, "Refresh", "Refresh the active window" },
    };
    KvShortcutTable table { { Key(Fn(5), 0, 35968), Key('R', fw::AccelControl, 35968), Key(Fn(2), 0, 35940) } };
    const std::vector<fw::AccelRecord> defaults = { Key(Fn(9), 0, 35941) };
    int putInForce = 0;

    // The macro list's entry of a command.
    static int MacroIndex(fw::Dialog& page, std::uint32_t command)
    {
        for (int i = 0; i < page.itemCount(IDC_SHORTCUT_MACROS); ++i)
            if (page.itemData(IDC_SHORTCUT_MACROS, i) == command)
                return i;
        return -1;
    }
    static std::vector<std::string> Assigned(fw::Dialog& page)
    {
        std::vector<std::string> keys;
        for (int i = 0; i < page.itemCount(IDC_SHORTCUT_ASSIGNED); ++i)
            keys.push_back(page.itemString(IDC_SHORTCUT_ASSIGNED, i));
        return keys;
    }
};

TEST_F(ShortcutKeysPageTest, ListsCommandsWithTheirKeysAndAppliesOnlyOnApply)
{
    CShortcutKeysPage page(commands, table, defaults, [&](const KvShortcutTable&) { ++putInForce; });
    fw::PropertySheet sheet("Customize");
    sheet.addPage(page);
    fw::test::Script script;
    script.expectDialog(IDD_ASSIGN_SHORTCUT, [](fw::Dialog& d) {
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk)); // no key yet
        QWidget* field = d.item(IDC_SHORTCUT_NEW_KEY);
        Press(field, Qt::Key_F2);
        EXPECT_EQ(d.itemText(IDC_SHORTCUT_NEW_KEY), "F2");
        EXPECT_EQ(d.itemText(IDC_SHORTCUT_CURRENT), "Log on"); // where F2 goes now
        Press(field, Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(d.itemText(IDC_SHORTCUT_NEW_KEY), "Ctrl+Shift+F6");
        EXPECT_EQ(d.itemText(IDC_SHORTCUT_CURRENT), "");
        d.userClick(fw::kIdOk);
    });
    fw::test::runModal(sheet, [&](fw::Dialog&) {
        EXPECT_TRUE(page.item(fw::kIdOk)->isHidden());
        EXPECT_TRUE(page.item(fw::kIdCancel)->isHidden());
        ASSERT_EQ(page.itemCount(IDC_SHORTCUT_MACROS), 3);
        EXPECT_EQ(MacroIndex(page, 61536), -1);
        page.userSelect(IDC_SHORTCUT_MACROS, MacroIndex(page, 35968));
        EXPECT_EQ(page.itemText(IDC_SHORTCUT_DESCRIPTION), "Refresh the active window");
        EXPECT_EQ(Assigned(page), (std::vector<std::string> { "F5", "Ctrl+R" }));
        page.userClick(IDC_SHORTCUT_CREATE);
        EXPECT_EQ(Assigned(page), (std::vector<std::string> { "F5", "Ctrl+R", "Ctrl+Shift+F6" }));
        EXPECT_TRUE(sheet.isApplyEnabled());
        EXPECT_EQ(table.m_entries.size(), 3u) << "nothing in force before Apply";
        sheet.userClick(fw::kIdApplyNow);
        EXPECT_EQ(putInForce, 1);
        EXPECT_EQ(table.m_entries.back(), Key(Fn(6), fw::AccelControl | fw::AccelShift, 35968));

        // The only key of a command removed: the list is empty, the command stays.
        page.userSelect(IDC_SHORTCUT_MACROS, MacroIndex(page, 35940));
        ASSERT_EQ(Assigned(page), (std::vector<std::string> { "F2" }));
        page.userSelect(IDC_SHORTCUT_ASSIGNED, 0);
        page.userClick(IDC_SHORTCUT_REMOVE);
        EXPECT_TRUE(Assigned(page).empty());
        EXPECT_NE(MacroIndex(page, 35940), -1);
        sheet.userClick(fw::kIdCancel);
    });
    EXPECT_TRUE(script.allAnswersUsed());
    EXPECT_EQ(putInForce, 1) << "the removal after Apply was cancelled";
    EXPECT_EQ(table.m_entries.size(), 4u);
    EXPECT_EQ(table.m_entries[2], Key(Fn(2), 0, 35940));
}

TEST_F(ShortcutKeysPageTest, CancelledSheetKeepsTheTable)
{
    const std::vector<fw::AccelRecord> before = table.m_entries;
    CShortcutKeysPage page(commands, table, defaults, [&](const KvShortcutTable&) { ++putInForce; });
    fw::PropertySheet sheet("Customize");
    sheet.addPage(page);
    fw::test::Script script;
    script.answerMessageBox(fw::IDOK);
    fw::test::runModal(sheet, [&](fw::Dialog&) {
        page.userClick(IDC_SHORTCUT_RESET_ALL);
        page.userSelect(IDC_SHORTCUT_MACROS, MacroIndex(page, 35941));
        EXPECT_EQ(Assigned(page), (std::vector<std::string> { "F9" }));
        sheet.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(table.m_entries, before);
    EXPECT_EQ(putInForce, 0);
}

TEST_F(ShortcutKeysPageTest, ButtonsWithoutAChoiceExplainThemselves)
{
    CShortcutKeysPage page(commands, table, defaults);
    fw::PropertySheet sheet("Customize");
    sheet.addPage(page);
    fw::test::Script script;
    for (int i = 0; i < 3; ++i)
        script.answerMessageBox(fw::IDCANCEL);
    fw::test::runModal(sheet, [&](fw::Dialog&) {
        page.userClick(IDC_SHORTCUT_CREATE);
        page.userClick(IDC_SHORTCUT_REMOVE);
        page.userClick(IDC_SHORTCUT_RESET_ALL); // cancelled: nothing changes
        EXPECT_FALSE(sheet.isApplyEnabled());
        sheet.userClick(fw::kIdOk);
    });
    ASSERT_EQ(script.messageBoxes().size(), 3u);
    EXPECT_EQ(script.messageBoxes()[0], fw::loadString(IDS_SHORTCUT_SELECT_MACRO));
    EXPECT_EQ(script.messageBoxes()[1], fw::loadString(IDS_SHORTCUT_SELECT_SHORTCUT));
    EXPECT_EQ(script.messageBoxes()[2], fw::loadString(IDS_SHORTCUT_RESET_ALL));
    EXPECT_EQ(script.messageBoxTypes()[0] & fw::MB_ICONMASK, fw::MB_ICONEXCLAMATION);
    EXPECT_EQ(table.m_entries.size(), 3u);
}

TEST(HotKeyEdit, KeysBecomeAcceleratorRecords)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        fw::AccelRecord expected;
    } const cases[] = {
        { Qt::Key_F5, Qt::NoModifier, Key(Fn(5)) },
        { Qt::Key_A, Qt::ControlModifier, Key('A', fw::AccelControl) },
        { Qt::Key_7, Qt::KeypadModifier, Key(fw::vk::Numpad0 + 7) },
        { Qt::Key_Delete, Qt::AltModifier | Qt::ShiftModifier, Key(fw::vk::Delete, fw::AccelAlt | fw::AccelShift) },
        { Qt::Key_Control, Qt::ControlModifier, fw::AccelRecord {} }, // a modifier alone
        { Qt::Key_Eacute, Qt::NoModifier, fw::AccelRecord {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(KvAccelOfKey(c.key, c.mods), c.expected) << c.key;

    KvHotKeyEdit edit;
    Press(&edit, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(edit.Key(), Key(Fn(3), fw::AccelShift));
    Press(&edit, Qt::Key_Tab); // the dialog's key
    EXPECT_EQ(edit.Key(), Key(Fn(3), fw::AccelShift));
    Press(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.Key().key, 0);
    EXPECT_TRUE(edit.text().isEmpty());
}

} // namespace
