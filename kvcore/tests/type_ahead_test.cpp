// Combo box keyboard rules over a recording list: type-ahead, Delete, companion
// fields, completion, and one selection-change notification per change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kvcore/controls/currency_edit.h"
#include "kvcore/controls/list_editor.h"
#include "kvcore/controls/type_ahead.h"

namespace {

struct FakeCombo : KvComboEditList {
    std::vector<std::string> items;
    int sel = -1;
    int notifications = 0;
    std::string editText;
    int editSelStart = 0;
    int editSelEnd = 0;
    std::vector<std::string> dropDown;

    explicit FakeCombo(std::vector<std::string> entries)
        : items(std::move(entries))
    {
    }
    int GetCount() const override { return static_cast<int>(items.size()); }
    std::string GetItemText(int i) const override { return items[static_cast<size_t>(i)]; }
    int GetCurSel() const override { return sel; }
    void SetCurSel(int i) override
    {
        sel = i;
        editText = i >= 0 ? items[static_cast<size_t>(i)] : "";
    }
    void NotifySelChange() override { ++notifications; }
    std::string GetEditText() const override { return editText; }
    int GetEditSelStart() const override { return editSelStart; }
    void SetEditSel(int s, int e) override
    {
        editSelStart = s;
        editSelEnd = e == -1 ? static_cast<int>(editText.size()) : e;
    }
    void ShowDropDown(bool show) override { dropDown.push_back(show ? "open" : "close"); }
};

struct FakeCompanion : KvCompanion {
    std::string log;
    void SetFocus() override { log += "focus;"; }
    void SetText(std::string_view t) override { log += "text=" + std::string(t) + ";"; }
    void SendChar(char ch, int repeat, int) override
    {
        log += std::string("char ") + ch + " x" + std::to_string(repeat) + ";";
    }
};

TEST(TypeAhead, PrefixGrowsRestartsAndNotifiesOncePerChange)
{
    FakeCombo list({ "Bond", "Bank", "Share", "bbb" });
    KvTypeComboKeys keys(list);
    struct Step {
        char ch;
        int sel;
        int notifications;
        const char* prefix;
    } const steps[] = {
        { 'b', 0, 1, "b" }, // first entry beginning with b
        { 'o', 0, 1, "bo" }, // still Bond: no notification
        { 'x', -1, 2, "x" }, // nothing: restarts at x, selects nothing
        { 'S', 2, 3, "S" }, // case is ignored
        { 'h', 2, 3, "Sh" }, { 'b', 0, 4, "b" },
        { 'b', 3, 5, "bb" }, // the doubled prefix, not the next entry with b
    };
    for (const auto& s : steps) {
        keys.OnChar(s.ch);
        EXPECT_EQ(list.sel, s.sel) << s.ch;
        EXPECT_EQ(list.notifications, s.notifications) << s.ch;
        EXPECT_EQ(keys.Prefix(), s.prefix) << s.ch;
    }
    keys.OnSetFocus();
    EXPECT_EQ(keys.Prefix(), "");
    keys.OnChar('a'); // no entry begins with a: selection to none
    EXPECT_EQ(list.sel, -1);
    EXPECT_EQ(list.notifications, 6);
    keys.OnChar('z'); // already none: no notification
    EXPECT_EQ(list.notifications, 6);
}

TEST(TypeAhead, DeleteClearsTheChoiceAndAlwaysNotifies)
{
    FakeCombo list({ "Bond", "Bank" });
    KvTypeComboKeys typed(list);
    typed.OnChar('b');
    typed.OnChar('a');
    EXPECT_TRUE(typed.OnKeyDown(kVkDelete));
    EXPECT_EQ(list.sel, -1);
    EXPECT_EQ(typed.Prefix(), "");
    EXPECT_EQ(list.notifications, 3);
    EXPECT_FALSE(typed.OnKeyDown(kVkLeft));

    KvClearComboKeys clear(list);
    EXPECT_TRUE(clear.OnKeyDown(kVkDelete)); // no selection, still announced
    EXPECT_EQ(list.notifications, 4);
    EXPECT_FALSE(clear.OnKeyDown(kVkBack));

    list.SetCurSel(1);
    typed.OnKillFocus([&] { list.editText = "typed"; }); // the default handling changes the text
    EXPECT_EQ(list.editText, "Bank");
    list.SetCurSel(-1);
    typed.OnKillFocus([&] { list.editText = "typed"; });
    EXPECT_EQ(list.editText, "typed");
}

TEST(TypeAhead, CompanionsTakeDigitsOrLetters)
{
    FakeCombo list({ "Bond", "7up" });
    FakeCompanion quantity;
    KvBGComboKeys combo(list);
    combo.OnChar('7'); // no companion yet: dropped, no type-ahead on digits
    EXPECT_EQ(list.sel, -1);
    combo.companion = &quantity;
    combo.OnChar('4', 2);
    combo.OnChar(' ');
    EXPECT_EQ(quantity.log, "focus;text=;char 4 x2;focus;text=;");
    combo.OnChar('b');
    EXPECT_EQ(list.sel, 0);

    FakeCompanion name;
    KvBGEditKeys edit;
    EXPECT_TRUE(edit.OnChar('q')); // no companion: dropped
    edit.companion = &name;
    EXPECT_TRUE(edit.OnChar('Q'));
    EXPECT_TRUE(edit.OnChar(' '));
    EXPECT_FALSE(edit.OnChar('5')); // the edit's own
    EXPECT_FALSE(edit.OnChar('\xE9')); // not a letter of the C classification
    EXPECT_EQ(name.log, "focus;char Q x1;focus;");
}

TEST(TypeAhead, CompletionRefusesCharactersNoEntryContinues)
{
    FakeCombo combo({ "Budapest", "Bukarest", "Bern", "Aaron" });
    KvExplorerComboKeys keys(combo);
    EXPECT_TRUE(keys.OnChar('b'));
    EXPECT_EQ(combo.sel, 0);
    EXPECT_EQ(combo.editText, "Budapest");
    EXPECT_EQ(combo.editSelStart, 1);
    EXPECT_EQ(combo.editSelEnd, 8);
    EXPECT_EQ(combo.dropDown, (std::vector<std::string> { "close", "open" }));
    EXPECT_TRUE(keys.OnChar('u'));
    EXPECT_TRUE(keys.OnChar('k'));
    EXPECT_EQ(combo.sel, 1);
    EXPECT_EQ(combo.editSelStart, 3);
    EXPECT_EQ(combo.notifications, 3);
    EXPECT_TRUE(keys.OnChar('x')); // swallowed, nothing changes
    EXPECT_EQ(combo.sel, 1);
    EXPECT_EQ(combo.editSelStart, 3);
    EXPECT_EQ(combo.notifications, 3);
    EXPECT_FALSE(keys.OnChar('-')); // not completed: the default path
    EXPECT_FALSE(keys.OnChar('\b'));

    // A key's release completes nothing, so "a" in Aaron does not advance twice.
    combo.SetCurSel(-1);
    combo.editSelStart = 0;
    EXPECT_TRUE(keys.OnChar('a'));
    EXPECT_TRUE(keys.OnKeyUp('A'));
    EXPECT_EQ(combo.editSelStart, 1);
    EXPECT_FALSE(keys.OnKeyUp(kVkLeft));
}

TEST(ListEditor, MoveListBoxMovesButNeverEditsInPlace)
{
    KvListEditor editor;
    editor.SetItems({ "a", "b", "c" });
    EXPECT_TRUE(editor.StartEditing());
    editor.StopEditing(true, "A");
    EXPECT_EQ(editor.Items(), (std::vector<std::string> { "A", "b", "c" }));

    KvMoveListBox moves;
    moves.SetItems({ "a", "b", "c" });
    EXPECT_FALSE(moves.StartEditing());
    moves.StopEditing(true, "x");
    EXPECT_FALSE(moves.MoveUp());
    EXPECT_TRUE(moves.MoveDown());
    EXPECT_TRUE(moves.MoveDown());
    EXPECT_FALSE(moves.MoveDown());
    EXPECT_EQ(moves.Items(), (std::vector<std::string> { "b", "c", "a" }));
    EXPECT_EQ(moves.GetCurSel(), 2);
    moves.SetCurSel(7);
    EXPECT_FALSE(moves.MoveUp());
}

} // namespace
