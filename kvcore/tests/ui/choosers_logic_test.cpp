// The rules of the ordering list, the two-list chooser and the shortcut keys, on lists
// without windows.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fw/core/resources.h"
#include "kvcore/dialogs/chooser_ids.h"

#include "kvcore/app/app_core_logic.h"
#include "kvcore/dialogs/drag_list.h"
#include "kvcore/dialogs/shortcut_keys_page_logic.h"
#include "kvcore/dialogs/two_list.h"

namespace {

// "A".."H" with item data 10 times the position.
KvListBoxModel Letters(int count = 8)
{
    KvListBoxModel list;
    for (int i = 0; i < count; ++i)
        list.Insert(-1, KvListEntry { std::string(1, static_cast<char>('A' + i)), static_cast<std::uint64_t>(10 * i) });
    return list;
}

std::string Order(const KvListBoxPort& list)
{
    std::string order;
    for (int i = 0; i < list.Count(); ++i)
        order += list.Entry(i).text;
    return order;
}

void Select(KvListBoxPort& list, const std::vector<int>& indexes)
{
    for (int i : indexes)
        list.SetSelected(i, true);
}

// Every entry still carries the data it started with.
void ExpectDataFollowed(const KvListBoxPort& list)
{
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.Entry(i).data, static_cast<std::uint64_t>(10 * (list.Entry(i).text[0] - 'A'))) << i;
}

TEST(DragList, DroppingABlock)
{
    struct Case {
        std::vector<int> selected;
        int source;
        int drop;
        std::string order;
        std::vector<int> selectedAfter;
    } const cases[] = {
        { { 2, 3 }, 2, 6, "ABEFCDGH", { 4, 5 } }, // right before the old entry 6, in their order
        { { 5, 6 }, 5, 1, "AFGBCDEH", { 1, 2 } },
        { { 1, 5 }, 1, 7, "ACDEGBFH", { 5, 6 } }, // a scattered selection lands as one block
        { { 2, 3 }, 2, 2, "ABCDEFGH", { 2, 3 } }, // onto itself
        { { 2, 3 }, 3, 3, "ABCDEFGH", { 2, 3 } },
        { { 2 }, 2, 3, "ABCDEFGH", { 2 } }, // just below the source
        { { 1, 5 }, 1, 3, "ABCDEFGH", { 1, 5 } }, // between the first and the last selected
        { { 2, 3 }, 2, -1, "ABCDEFGH", { 2, 3 } }, // outside the entries
    };
    for (const Case& c : cases) {
        KvListBoxModel list = Letters();
        KvDragList drag(list);
        Select(list, c.selected);
        ASSERT_TRUE(drag.BeginDrag(c.source));
        EXPECT_EQ(drag.DragMode(), KvDragList::Mode::Moving);
        EXPECT_EQ(drag.Dragging(c.drop), c.drop >= 0 ? KvDragCursor::Move : KvDragCursor::Stop);
        EXPECT_EQ(drag.InsertMark(), c.drop);
        drag.Dropped(c.source, c.drop);
        EXPECT_EQ(Order(list), c.order) << c.source << " -> " << c.drop;
        EXPECT_EQ(list.Selection(), c.selectedAfter) << c.source << " -> " << c.drop;
        EXPECT_EQ(drag.InsertMark(), -1);
        EXPECT_EQ(drag.DragMode(), KvDragList::Mode::Selecting);
        ExpectDataFollowed(list);
    }
}

TEST(DragList, ArrowButtonsAndCtrlArrows)
{
    struct Case {
        std::vector<int> selected;
        int button;
        std::string order;
        std::vector<int> selectedAfter;
        int caret;
    } const cases[] = {
        { { 0 }, kDragButtonUp, "ABCDEFGH", { 0 }, -1 }, // already first
        { { 7 }, kDragButtonDown, "ABCDEFGH", { 7 }, -1 }, // already last
        { { 6 }, kDragButtonDown, "ABCDEFHG", { 7 }, 7 },
        { { 2, 3 }, kDragButtonUp, "ACDBEFGH", { 1, 2 }, 1 }, // caret on the leading edge
        { { 2, 3 }, kDragButtonDown, "ABECDFGH", { 3, 4 }, 4 },
        { { 1, 3 }, kDragButtonDown, "ACEBDFGH", { 3, 4 }, 4 },
    };
    for (const Case& c : cases) {
        KvListBoxModel list = Letters();
        KvDragList drag(list);
        Select(list, c.selected);
        drag.Button(c.button);
        EXPECT_EQ(Order(list), c.order);
        EXPECT_EQ(list.Selection(), c.selectedAfter);
        EXPECT_EQ(list.Caret(), c.caret);
        ExpectDataFollowed(list);
    }

    // Ctrl+Down without a selection moves only the caret; without Ctrl the arrows are not the
    // list's to handle here.
    KvListBoxModel list = Letters(3);
    KvDragList drag(list);
    list.SetCaret(0);
    EXPECT_FALSE(drag.CtrlArrow(false));
    drag.SetCtrl(true);
    EXPECT_TRUE(drag.CtrlArrow(false));
    EXPECT_TRUE(drag.CtrlArrow(false));
    EXPECT_TRUE(drag.CtrlArrow(false)); // not past the end
    EXPECT_EQ(list.Caret(), 2);
    EXPECT_TRUE(list.Selection().empty());
    EXPECT_EQ(Order(list), "ABC");
    list.SetSelected(2, true);
    EXPECT_TRUE(drag.CtrlArrow(true));
    EXPECT_EQ(Order(list), "ACB");
}

TEST(DragList, SelectingDragsAndClicks)
{
    KvListBoxModel list = Letters();
    KvDragList drag(list);
    // With nothing selected a drag selects from where it began.
    ASSERT_TRUE(drag.BeginDrag(5));
    EXPECT_EQ(drag.Anchor(), 5);
    EXPECT_EQ(drag.Dragging(2), KvDragCursor::Move);
    EXPECT_EQ(list.Selection(), (std::vector<int> { 2, 3, 4, 5 }));
    drag.Dropped(5, 2);
    EXPECT_EQ(Order(list), "ABCDEFGH"); // a selecting drag moves nothing

    // Pressing an entry outside the selection drops the selection and starts no drag.
    EXPECT_FALSE(drag.BeginDrag(7));
    EXPECT_TRUE(list.Selection().empty());
    EXPECT_FALSE(drag.BeginDrag(-1));

    drag.SetAnchor(6);
    drag.ShiftClick(3);
    EXPECT_EQ(list.Selection(), (std::vector<int> { 3, 4, 5, 6 }));
    EXPECT_EQ(list.Caret(), 3);
}

TEST(DragList, ReorderingIsReportedAsTheNewOrder)
{
    KvListBoxModel list = Letters(5);
    KvDragList drag(list);
    std::vector<int> order;
    drag.m_onReordered = [&](const std::vector<int>& o) { order = o; };
    Select(list, { 3, 4 });
    drag.Button(kDragButtonUp);
    EXPECT_EQ(Order(list), "ABDEC");
    EXPECT_EQ(order, (std::vector<int> { 0, 1, 3, 4, 2 }));
}

// The chooser over "A".."E" (data = 10 times the position) with the given chosen indexes.
struct Chooser {
    explicit Chooser(std::vector<std::uint16_t> chosen, int mandatory = 0)
        : available(Letters(5))
        , selection(std::move(chosen))
        , logic(available, this->chosen, selection, mandatory)
    {
        for (std::uint16_t i : selection)
            this->chosen.Insert(-1, available.Entry(i));
        logic.Init();
    }
    KvListBoxModel available;
    KvListBoxModel chosen;
    std::vector<std::uint16_t> selection;
    KvTwoListChooser logic;
};

TEST(TwoListChooser, AddingKeepsOrderAndSkipsChosenItems)
{
    Chooser c({ 0, 1, 2 });
    c.chosen.SetCaret(1);
    Select(c.available, { 1, 3, 4 }); // B is chosen already
    c.logic.Add();
    EXPECT_EQ(Order(c.chosen), "ADEBC");
    EXPECT_EQ(c.selection, (std::vector<std::uint16_t> { 0, 3, 4, 1, 2 }));
    EXPECT_EQ(c.chosen.Entry(1).data, 30u);

    // Without a caret new items go to the end, one Add after another.
    Chooser d({});
    for (int i : { 2, 0, 4 }) {
        d.available.SetSelected(1, false);
        for (int k = 0; k < 5; ++k)
            d.available.SetSelected(k, k == i);
        d.logic.Add();
    }
    EXPECT_EQ(Order(d.chosen), "CAE");
    EXPECT_EQ(d.selection, (std::vector<std::uint16_t> { 2, 0, 4 }));
}

TEST(TwoListChooser, MandatoryItemsStay)
{
    Chooser c({ 3, 0, 1 }, 2);
    c.logic.RemoveAll();
    EXPECT_EQ(Order(c.chosen), "AB");
    EXPECT_EQ(c.selection, (std::vector<std::uint16_t> { 0, 1 }));
    EXPECT_FALSE(c.logic.Buttons().removeAll);
    EXPECT_TRUE(c.logic.Buttons().ok);
    Select(c.chosen, { 0, 1 });
    c.logic.Remove();
    EXPECT_EQ(Order(c.chosen), "AB");

    Chooser d({ 3, 0, 4 }, 2);
    Select(d.chosen, { 0, 1, 2 });
    d.logic.Remove();
    EXPECT_EQ(Order(d.chosen), "A");
    EXPECT_EQ(d.selection, (std::vector<std::uint16_t> { 0 }));
}

TEST(TwoListChooser, ButtonsFollowTheLists)
{
    using B = KvChooserButtons;
    Chooser empty({});
    EXPECT_EQ(empty.logic.Buttons(), (B { false, true, true, false, false }));
    Chooser some({ 1 });
    EXPECT_EQ(some.logic.Buttons(), (B { true, true, true, true, true }));
    some.logic.AddAll();
    EXPECT_EQ(Order(some.chosen), "ABCDE");
    EXPECT_EQ(some.logic.Buttons(), (B { true, false, false, true, true }));
    EXPECT_EQ(some.logic.Focus(), KvChooserFocus::Chosen);
    Select(some.chosen, { 0, 1, 2, 3, 4 });
    some.logic.Remove();
    EXPECT_EQ(some.chosen.Count(), 0);
    EXPECT_EQ(some.logic.Buttons(), (B { false, true, true, false, false }));
    EXPECT_EQ(some.logic.Focus(), KvChooserFocus::Available);
}

TEST(TwoListChooser, TheWorkingSelectionFollowsAReorderedList)
{
    Chooser c({ 0, 1, 2, 3 });
    KvDragList drag(c.chosen);
    drag.m_onReordered = [&](const std::vector<int>& order) { c.logic.Reordered(order); };
    Select(c.chosen, { 3 });
    drag.Button(kDragButtonUp);
    drag.Button(kDragButtonUp);
    EXPECT_EQ(Order(c.chosen), "ADBC");
    EXPECT_EQ(c.selection, (std::vector<std::uint16_t> { 0, 3, 1, 2 }));
    // Removing after the move takes out the item that was removed from the list.
    for (int i = 0; i < 4; ++i)
        c.chosen.SetSelected(i, i == 2);
    c.logic.Remove();
    EXPECT_EQ(Order(c.chosen), "ADC");
    EXPECT_EQ(c.selection, (std::vector<std::uint16_t> { 0, 3, 2 }));
}

class RefusingApp : public CKvAppCoreLogic {
public:
    int CanAccess(unsigned id, unsigned) override { return id == 7 ? 0 : 1; }
};

constexpr std::uint16_t Fn(int n)
{
    return static_cast<std::uint16_t>(fw::vk::F1 + n - 1);
}

fw::AccelRecord Key(std::uint16_t key, std::uint8_t mods = 0, std::uint16_t cmd = 0)
{
    return fw::AccelRecord { static_cast<std::uint8_t>(fw::AccelVirtKey | mods), key, cmd };
}

TEST(ShortcutKeys, WindowSystemCommandsAreNeverOffered)
{
    const KvCommandList commands = { { 61439, "Before", "" }, { kFirstSysCommand, "Size", "" },
        { 61500, "Move", "" }, { kLastSysCommand, "Help", "" }, { 61825, "After", "" }, { 5, "Five", "" } };
    KvShortcutKeys keys(commands, {}, {});
    std::vector<std::uint32_t> offered;
    for (const KvCustomizeCommand& e : keys.Macros())
        offered.push_back(e.id);
    EXPECT_EQ(offered, (std::vector<std::uint32_t> { 61439, 61825, 5 }));
}

TEST(ShortcutKeys, AssignRemoveAndReset)
{
    RefusingApp app;
    const KvCommandList commands = { { 5, "Five", "The fifth" }, { 6, "Six", "" }, { 7, "Seven", "" } };
    const std::vector<fw::AccelRecord> table = { Key('A', fw::AccelControl, 5), Key(Fn(2), 0, 6),
        Key(Fn(3), fw::AccelShift, 5) };
    const std::vector<fw::AccelRecord> defaults = { Key(Fn(7), 0, 7), Key(Fn(6), 0, 6) };
    KvShortcutKeys keys(commands, table, defaults);

    const auto five = keys.AssignedTo(5);
    ASSERT_EQ(five.size(), 2u);
    EXPECT_EQ(five[0].index, 0);
    EXPECT_EQ(five[0].keyName, "Ctrl+A");
    EXPECT_EQ(five[1].index, 2);
    EXPECT_EQ(five[1].keyName, "Shift+F3");
    EXPECT_FALSE(keys.Modified());

    // F2 moves from six to five: one key reaches one command.
    EXPECT_EQ(keys.CommandOfKey(Key(Fn(2))), 6u);
    EXPECT_TRUE(keys.Assign(5, Key(Fn(2))));
    EXPECT_TRUE(keys.AssignedTo(6).empty());
    EXPECT_EQ(keys.AssignedTo(5).size(), 3u);
    EXPECT_EQ(keys.CommandOfKey(Key(Fn(2))), 5u);
    EXPECT_TRUE(keys.Modified());
    EXPECT_FALSE(keys.Assign(5, fw::AccelRecord {})); // no key
    EXPECT_FALSE(keys.Assign(0x10000, Key(Fn(9)))); // not a 16-bit command

    EXPECT_FALSE(keys.Remove(3));
    EXPECT_FALSE(keys.Remove(-1));
    EXPECT_TRUE(keys.Remove(0));
    EXPECT_EQ(keys.Table().size(), 2u);
    EXPECT_EQ(keys.Table()[0].key, Fn(3));

    // The defaults come back without the keys of commands the user may not use.
    keys.ResetAll();
    EXPECT_EQ(keys.Table(), (std::vector<fw::AccelRecord> { Key(Fn(6), 0, 6) }));
}

} // namespace

namespace {

// A later resource set silently takes over an id of an earlier one, so two texts of the
// library under one id would show the wrong message somewhere.
TEST(ChooserResources, StringAndDialogIdsAreUniqueAcrossTheLibrarysSets)
{
    std::map<std::uint32_t, std::string> strings;
    std::map<std::uint32_t, std::string> dialogs;
    for (const fw::ResourceSet& set : fw::resourceSets()) {
        const std::string module = set.module;
        if (module.rfind("kvcore", 0) != 0)
            continue;
        for (const fw::StringEntry& entry : set.strings) {
            const auto [it, added] = strings.emplace(entry.id, module);
            EXPECT_TRUE(added) << "string " << entry.id << " in " << it->second << " and " << module;
        }
        for (const fw::DialogTemplate& dialog : set.dialogs) {
            const auto [it, added] = dialogs.emplace(dialog.id, module);
            EXPECT_TRUE(added) << "dialog " << dialog.id << " in " << it->second << " and " << module;
        }
    }
    EXPECT_EQ(strings.count(IDS_SELECTED_HEADING), 1u);
}

} // namespace
