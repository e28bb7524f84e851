#include "fw/core/resources.h"
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/dataexchange.h"
#include "fw/ui/datetimefield.h"
#include "fw/ui/dialog.h"
#include "fw/ui/icons.h"
#include "fw/ui/gridview.h"
#include "fw/ui/mainframe.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

enum : uint32_t { kDlg = 64001, kName = 1001, kQty = 1002, kMarket = 1003, kSide = 1004, kCombo = 1006 };

constexpr fw::ControlDef kControls[] = {
    { fw::kStaticId, fw::ControlKind::Label, 0, 0, "Name", "Név" },
    { kName, fw::ControlKind::Edit, 0, 1 },
    { fw::kStaticId, fw::ControlKind::Label, 1, 0, "Quantity", "Mennyiség" },
    { kQty, fw::ControlKind::Edit, 1, 1 },
    { kMarket, fw::ControlKind::CheckBox, 2, 0, "Market order", "Piaci megbízás" },
    { kSide, fw::ControlKind::RadioButton, 3, 0, "Buy", "Vétel", 1, 1, fw::StyleGroup },
    { kSide + 1, fw::ControlKind::RadioButton, 3, 1, "Sell", "Eladás" },
    { kCombo, fw::ControlKind::ComboList, 4, 0, nullptr, nullptr, 1, 2 },
    { 1007, fw::ControlKind::Grid, 6, 0, nullptr, nullptr, 1, 2 },
    { fw::kIdOk, fw::ControlKind::DefaultButton, 5, 0, "OK", "OK" },
    { fw::kIdCancel, fw::ControlKind::Button, 5, 1, "Cancel", "Mégse" },
};
constexpr fw::DialogTemplate kTemplate[] = { { kDlg, "Order", "Megbízás", kControls } };
const fw::ResourceSet kSet { "fw_ui_tests", {}, kTemplate };

struct OrderDialog : fw::Dialog {
    OrderDialog() : fw::Dialog(kDlg)
    {
        commands().onNotify(kName, fw::Notify::Change, [this] { log.push_back("change"); });
        commands().onNotify(kCombo, fw::Notify::SelChange, [this] { log.push_back("sel"); });
        commands().onNotify(kName, fw::Notify::KillFocus, [this] { log.push_back("leave"); });
    }
    bool onInitDialog() override
    {
        addString(kCombo, "Equities");
        addString(kCombo, "Bonds");
        return fw::Dialog::onInitDialog();
    }
    void doDataExchange(fw::DataExchange& dx) override
    {
        dx.text(kName, name, 12);
        dx.integer(kQty, qty, 1, 1000000);
        dx.check(kMarket, market);
        dx.radio(kSide, side);
        dx.listIndex(kCombo, board);
        if (dx.saving() && name == "BLOCKED")
            dx.fail(kName);
    }
    std::string name = "OTP";
    int32_t qty = 10;
    int market = 0;
    int side = 0;
    int board = 1;
    std::vector<std::string> log;
};

enum : uint32_t { kFormDlg = 64002, kCode = 2001, kNote = 2002, kBoards = 2003, kList = 2004, kWhen = 2005,
                 kAt = 2006, kGadget = 2007 };

constexpr fw::ControlDef kFormControls[] = {
    { fw::kStaticId, fw::ControlKind::Label, 0, 0, "&Code", "&Kód" },
    { kCode, fw::ControlKind::Edit, 0, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 0, 6 },
    { fw::kStaticId, fw::ControlKind::Label, 1, 0, "N&ote && remark", "Me&gjegyzés" },
    { fw::kStaticId, fw::ControlKind::GroupBox, 1, 1, "Frame", "Keret" },
    { kNote, fw::ControlKind::Edit, 1, 1 },
    { fw::kStaticId, fw::ControlKind::Label, 2, 0, "&Board", "&Szekció" },
    { kBoards, fw::ControlKind::ComboEdit, 2, 1, nullptr, nullptr, 1, 1, fw::StyleSorted, 0, 4 },
    { kList, fw::ControlKind::ListBox, 3, 0, nullptr, nullptr, 1, 2, fw::StyleMultiSelect },
    { kWhen, fw::ControlKind::DateTime, 4, 0, nullptr, nullptr, 1, 1, fw::StyleAllowBlank },
    { kAt, fw::ControlKind::DateTime, 4, 1, nullptr, nullptr, 1, 1, fw::StyleTime },
    { kGadget, fw::ControlKind::Custom, 5, 0 },
    { fw::kStaticId, fw::ControlKind::Label, 6, 0, "&Last label", "&Utolsó címke" },
};
constexpr fw::DialogTemplate kFormTemplate[] = { { kFormDlg, "Form", "Űrlap", kFormControls } };
const fw::ResourceSet kFormSet { "fw_ui_tests_form", {}, kFormTemplate };

struct DialogTest : ::testing::Test {
    fw::App app;
    static void SetUpTestSuite()
    {
        fw::addResources(kSet);
        fw::addResources(kFormSet);
    }
};

QLabel* labelWithText(QWidget& dlg, const QString& start)
{
    for (QLabel* l : dlg.findChildren<QLabel*>())
        if (l->text().startsWith(start))
            return l;
    return nullptr;
}

TEST_F(DialogTest, ControlsByIdFillMembersThroughDataExchange)
{
    OrderDialog dlg;
    fw::test::Script script;
    int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(kName), "OTP");
        EXPECT_EQ(d.itemText(kQty), "10");
        EXPECT_EQ(d.curSel(kCombo), 1);
        d.userType(kName, "MOL");
        d.userType(kQty, " 250 ");
        d.userClick(kMarket);
        d.userClick(kSide + 1);
        d.userSelect(kCombo, 0);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(dlg.name, "MOL");
    EXPECT_EQ(dlg.qty, 250);
    EXPECT_EQ(dlg.market, 1);
    EXPECT_EQ(dlg.side, 1);
    EXPECT_EQ(dlg.board, 0);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Order"));
    EXPECT_EQ(dlg.defaultItem(), fw::kIdOk);
    dlg.setDefaultItem(fw::kIdCancel);
    EXPECT_EQ(dlg.defaultItem(), fw::kIdCancel);
}

TEST_F(DialogTest, GridControlsShowTheirSourceAtOnce)
{
    struct Two : fw::GridSource {
        int rowCount() const override { return 2; }
        int columnCount() const override { return 1; }
        bool cellStyle(int, int, fw::CellStyle& s) const override
        {
            s.value = "x";
            return true;
        }
    } src;
    OrderDialog dlg;
    auto* grid = dlg.itemAs<fw::GridView>(1007);
    ASSERT_NE(grid, nullptr);
    grid->setSource(&src);
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_TRUE(grid->initialised());
}

TEST_F(DialogTest, RunsOwnedByTheMainWindowOnlyWhileModal)
{
    fw::MainFrame frame;
    OrderDialog dlg;
    QWidget* owner = nullptr;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        owner = d.parentWidget();
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(owner, &frame);
    EXPECT_EQ(dlg.parentWidget(), nullptr);
}

TEST_F(DialogTest, FailKeepsTheDialogOpenWithFocusOnTheControl)
{
    struct Case {
        const char* name;
        const char* qty;
        uint32_t focus;
        size_t boxes;
    } cases[] = {
        { "BLOCKED", "5", kName, 0 }, // the dialog's own check
        { "OTP", "12x", kQty, 1 }, // not a number
        { "OTP", "0", kQty, 1 }, // below the minimum
        { "A-NAME-LONGER-THAN-12", "5", kName, 1 }, // refused, never cut
    };
    for (const auto& c : cases) {
        OrderDialog dlg;
        fw::test::Script script;
        for (size_t i = 0; i < c.boxes; ++i)
            script.answerMessageBox(fw::IDOK);
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            d.userType(kName, c.name);
            d.userType(kQty, c.qty);
            d.userClick(fw::kIdOk);
            EXPECT_TRUE(d.isVisible()) << c.name << " " << c.qty;
            EXPECT_EQ(d.focusId(), c.focus) << c.name << " " << c.qty;
            d.userType(kName, "OTP");
            d.userType(kQty, "5");
            d.userClick(fw::kIdOk);
        });
        EXPECT_EQ(dlg.qty, 5);
        EXPECT_EQ(script.messageBoxes().size(), c.boxes);
    }
}

TEST_F(DialogTest, EditsNotifyEveryTextSetButListsOnlyUserSelections)
{
    OrderDialog dlg;
    dlg.initialize(); // data exchange into the edit already notified a change
    EXPECT_EQ(dlg.log, (std::vector<std::string> { "change" }));
    dlg.log.clear();
    dlg.setItemText(kName, "X"); // code changing an edit notifies
    dlg.setItemText(kName, "X"); // also with the text it already holds, once each time
    dlg.setCurSel(kCombo, 0); // code selecting in a combo does not
    dlg.addString(kCombo, "Futures"); // nor does filling it
    dlg.userSelect(kCombo, 1); // the user selecting does
    dlg.userLeave(kName);
    EXPECT_EQ(dlg.log, (std::vector<std::string> { "change", "change", "sel", "leave" }));
    // Disabled controls take no user action.
    dlg.enableItem(kCombo, false);
    dlg.userSelect(kCombo, 0);
    EXPECT_EQ(dlg.curSel(kCombo), 1);
}

TEST_F(DialogTest, CancelLeavesMembersAndNestedDialogsAreScripted)
{
    OrderDialog dlg;
    fw::test::Script script;
    script.expectDialog(kDlg, [](fw::Dialog& inner) { inner.userClick(fw::kIdCancel); });
    int inner = 0;
    dlg.commands().onNotify(kMarket, fw::Notify::Clicked, [&] {
        OrderDialog nested;
        inner = nested.doModal();
    });
    int result = fw::test::runModal(dlg, [](fw::Dialog& d) {
        d.userType(kName, "CHANGED");
        d.userClick(kMarket);
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(result, fw::IDCANCEL);
    EXPECT_EQ(inner, fw::IDCANCEL);
    EXPECT_EQ(dlg.name, "OTP");
    EXPECT_EQ(script.dialogsShown(), (std::vector<uint32_t> { kDlg }));
}

TEST_F(DialogTest, LabelAmpersandGivesTheNextControlItsMnemonic)
{
    for (auto lang : { fw::Language::English, fw::Language::Hungarian }) {
        fw::setLanguage(lang);
        fw::Dialog dlg(kFormDlg);
        bool en = lang == fw::Language::English;
        // The label before an edit, and one before a group box: the box is skipped, the edit in
        // it gets the key.
        struct Row {
            QString label;
            uint32_t buddy;
            int key;
        } rows[] = {
            { en ? "&Code" : "&Kód", kCode, en ? Qt::Key_C : Qt::Key_K },
            { en ? "N&ote" : "Me&gjegyz", kNote, en ? Qt::Key_O : Qt::Key_G },
            { en ? "&Board" : "&Szekci", kBoards, en ? Qt::Key_B : Qt::Key_S },
        };
        for (const Row& r : rows) {
            QLabel* label = labelWithText(dlg, r.label);
            ASSERT_NE(label, nullptr) << r.label.toStdString();
            EXPECT_EQ(label->buddy(), dlg.item(r.buddy)) << r.label.toStdString();
            EXPECT_EQ(QKeySequence::mnemonic(label->text()), QKeySequence(Qt::ALT | r.key)) << r.label.toStdString();
        }
        // A label with nothing after it cannot take a key: its text loses the marker.
        QString last = en ? "Last label" : "Utolsó címke";
        QLabel* lastLabel = labelWithText(dlg, last);
        ASSERT_NE(lastLabel, nullptr);
        EXPECT_EQ(lastLabel->text(), last);
    }
    fw::setLanguage(fw::Language::English);
}

TEST_F(DialogTest, TextLimitBoundsTypingButNeverCutsTextSetByCode)
{
    fw::Dialog dlg(kFormDlg);
    auto* code = dlg.itemAs<QLineEdit>(kCode);
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->maxLength(), 6);
    EXPECT_EQ(dlg.itemAs<QComboBox>(kBoards)->lineEdit()->maxLength(), 4);
    dlg.setItemText(kCode, "LONGER-THAN-SIX");
    EXPECT_EQ(dlg.itemText(kCode), "LONGER-THAN-SIX");
    dlg.setItemText(kCode, "OTP");
    EXPECT_EQ(code->maxLength(), 6);
    code->setFocus();
    code->end(false);
    code->insert(QStringLiteral("ABCDEFG")); // as typed: only what fits goes in
    EXPECT_EQ(dlg.itemText(kCode), "OTPABC");
}

TEST_F(DialogTest, ListAndComboInterface)
{
    fw::Dialog dlg(kFormDlg);
    std::vector<std::string> log;
    dlg.commands().onNotify(kList, fw::Notify::SelChange, [&] { log.push_back("list"); });
    dlg.commands().onNotify(kBoards, fw::Notify::SelChange, [&] { log.push_back("combo"); });
    for (uint32_t id : { kList, kBoards }) {
        SCOPED_TRACE(id);
        dlg.resetContent(id);
        auto cp = [](const char* utf8) { return fw::resourceText(utf8, nullptr); }; // Windows-1250
        for (const char* t : { "Standard", "Prémium", "ETF" })
            dlg.addString(id, cp(t));
        if (id == kBoards) // the sorted combo puts each in its place
            EXPECT_EQ(dlg.itemString(id, 0), "ETF");
        else
            EXPECT_EQ(dlg.itemString(id, 0), "Standard");
        EXPECT_EQ(dlg.insertString(id, 1, cp("Határidős")), 1);
        EXPECT_EQ(dlg.itemString(id, 1), cp("Határidős"));
        EXPECT_EQ(dlg.insertString(id, -1, cp("Zárt")), 4);
        for (int i = 0; i < dlg.itemCount(id); ++i)
            EXPECT_TRUE(dlg.setItemData(id, i, 1000u + static_cast<uint64_t>(i)));
        EXPECT_EQ(dlg.itemData(id, 3), 1003u);
        EXPECT_FALSE(dlg.setItemData(id, 5, 1));
        // Prefix and exact search ignore case, start after an item and wrap round.
        EXPECT_EQ(dlg.findString(id, -1, cp("hat")), 1);
        EXPECT_EQ(dlg.findString(id, 1, cp("HAT")), 1); // round to itself
        EXPECT_EQ(dlg.findString(id, -1, cp("prém")), 2);
        EXPECT_EQ(dlg.findStringExact(id, -1, cp("határ")), -1);
        EXPECT_EQ(dlg.findStringExact(id, -1, cp("HATÁRIDŐS")), 1);
        EXPECT_EQ(dlg.findString(id, -1, "x"), -1);
        EXPECT_EQ(dlg.selectString(id, -1, "z"), 4);
        EXPECT_EQ(dlg.curSel(id), 4);
        // Deleting returns the count left; the data stays with its item.
        EXPECT_EQ(dlg.deleteString(id, 1), 4);
        EXPECT_EQ(dlg.deleteString(id, 9), -1);
        EXPECT_EQ(dlg.itemData(id, 2), 1003u);
        EXPECT_EQ(dlg.findString(id, -1, cp("hat")), -1);
    }
    // Multi-selection, caret and top index of the list.
    dlg.setSel(kList, -1, false);
    dlg.setSel(kList, 0);
    dlg.setSel(kList, 2);
    EXPECT_EQ(dlg.selectedItems(kList), (std::vector<int> { 0, 2 }));
    EXPECT_EQ(dlg.selCount(kList), 2);
    EXPECT_TRUE(dlg.isSelected(kList, 2));
    dlg.setCaretIndex(kList, 1);
    EXPECT_EQ(dlg.caretIndex(kList), 1);
    EXPECT_EQ(dlg.selectedItems(kList), (std::vector<int> { 0, 2 })); // the caret moved alone
    dlg.setRedraw(kList, false);
    for (int i = 0; i < 40; ++i)
        dlg.addString(kList, "row " + std::to_string(i));
    EXPECT_FALSE(dlg.item(kList)->updatesEnabled());
    dlg.setRedraw(kList, true);
    EXPECT_TRUE(dlg.item(kList)->updatesEnabled());
    dlg.resize(300, 300);
    dlg.show();
    dlg.setTopIndex(kList, 20);
    EXPECT_EQ(dlg.topIndex(kList), 20);
    EXPECT_TRUE(log.empty()); // none of this was the user's doing
}

// A choice nobody made must not be read as the user's: filling a list chooses nothing,
// and an editable list keeps the text it had.
TEST_F(DialogTest, FilledCombosChooseNothingUntilAChoiceIsMade)
{
    fw::Dialog order(kDlg);
    fw::Dialog form(kFormDlg);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        order.resetContent(kCombo);
        for (const char* t : { "Equities", "Bonds" })
            order.addString(kCombo, t);
        EXPECT_EQ(order.curSel(kCombo), -1);
        EXPECT_EQ(order.itemText(kCombo), "");
        order.setCurSel(kCombo, 1);
        EXPECT_EQ(order.itemText(kCombo), "Bonds");
        order.insertString(kCombo, 0, "Futures"); // a chosen entry stays chosen
        EXPECT_EQ(order.itemText(kCombo), "Bonds");
    }
    form.setItemText(kBoards, "BU");
    for (const char* t : { "MAIN", "BOND" })
        form.addString(kBoards, t);
    EXPECT_EQ(form.curSel(kBoards), -1);
    EXPECT_EQ(form.itemText(kBoards), "BU");
}

TEST_F(DialogTest, CustomControlsNotifyTheirDialog)
{
    fw::Dialog dlg(kFormDlg);
    auto gadget = std::make_unique<QWidget>();
    QWidget* g = gadget.get();
    auto* inner = new QWidget(g); // a part of the control reports for it
    dlg.setItemWidget(kGadget, std::move(gadget));
    std::vector<fw::Notify> got;
    constexpr auto kPicked = static_cast<fw::Notify>(2011); // a code of the control's own
    dlg.commands().onNotify(kGadget, kPicked, [&] { got.push_back(kPicked); });
    dlg.commands().onNotify(kGadget, fw::Notify::Change, [&] { got.push_back(fw::Notify::Change); });
    EXPECT_TRUE(fw::Dialog::notifyFromControl(g, kPicked));
    EXPECT_TRUE(fw::Dialog::notifyFromControl(inner, fw::Notify::Change));
    QWidget stray;
    EXPECT_FALSE(fw::Dialog::notifyFromControl(&stray, kPicked));
    EXPECT_EQ(got, (std::vector<fw::Notify> { kPicked, fw::Notify::Change }));
}

// A modal dialog replaces its controls before its own event loop runs, so the replaced control
// lives on until the dialog ends: it must not show over the dialog meanwhile.
TEST_F(DialogTest, AReplacedControlIsNotShownWhileItWaitsToBeDeleted)
{
    fw::Dialog dlg(kFormDlg);
    QPointer<QWidget> old = dlg.item(kCode);
    ASSERT_TRUE(old);
    dlg.setItemWidget(kCode, std::make_unique<QLineEdit>());
    dlg.show();
    ASSERT_TRUE(old) << "deleted only when the event loop comes round";
    EXPECT_FALSE(old->isVisible());
    EXPECT_TRUE(dlg.item(kCode)->isVisible());
    dlg.hide();
}

TEST_F(DialogTest, DateAndTimeControlsCanBeBlankAndShowTheLocalePicture)
{
    struct Case {
        fw::LocaleInfo locale;
        const char* date;
        const char* time;
    } cases[] = {
        { fw::englishLocale(), "12/10/2026", "9:36:02 AM" },
        { fw::hungarianLocale(), "2026.12.10.", "9:36:02" },
    };
    for (const Case& c : cases) {
        fw::setDisplayLocale(c.locale);
        fw::Dialog dlg(kFormDlg);
        int changes = 0;
        dlg.commands().onNotify(kWhen, fw::Notify::Change, [&] { ++changes; });
        auto* when = dlg.itemAs<fw::DateTimeField>(kWhen);
        auto* at = dlg.itemAs<fw::DateTimeField>(kAt);
        ASSERT_NE(when, nullptr);
        ASSERT_NE(at, nullptr);
        QDateTime moment(QDate(2026, 12, 10), QTime(9, 36, 2));
        when->setValue(moment);
        at->setValue(moment);
        EXPECT_EQ(dlg.itemText(kWhen), c.date);
        EXPECT_EQ(dlg.itemText(kAt), c.time);
        when->setValue(std::nullopt);
        EXPECT_TRUE(when->isBlank());
        EXPECT_EQ(when->value(), std::nullopt);
        EXPECT_EQ(dlg.itemText(kWhen), "");
        when->setValue(moment); // back from blank to the same moment is a change too
        EXPECT_EQ(when->value(), std::optional<QDateTime>(moment));
        EXPECT_EQ(changes, 3);
        at->setValue(std::nullopt); // not allowed to be blank: keeps its value
        EXPECT_FALSE(at->isBlank());
        // The user empties it with Delete; the next key brings the value back first.
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(when, &del);
        EXPECT_TRUE(when->isBlank());
        QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(when, &right);
        EXPECT_EQ(when->value(), std::optional<QDateTime>(moment));
        EXPECT_EQ(dlg.itemText(kWhen), c.date);
        QApplication::sendEvent(at, &del);
        EXPECT_FALSE(at->isBlank());
    }
    fw::setDisplayLocale(fw::englishLocale());
}

// Hungarian tells the time on a 24-hour clock: a 12-hour picture loses its AM/PM mark there
// instead of showing the afternoon as the morning.
TEST_F(DialogTest, TimeControlsUseTheTwelveHourClockOnlyWhereTheLanguageHasAmPm)
{
    fw::LocaleInfo englishPictures = fw::englishLocale();
    englishPictures.languageId = fw::kLangHungarian;
    struct Case {
        fw::LocaleInfo locale;
        const char* time;
    } cases[] = {
        { fw::englishLocale(), "9:36:02 PM" },
        { fw::hungarianLocale(), "21:36:02" },
        { englishPictures, "21:36:02" },
    };
    for (const Case& c : cases) {
        fw::setDisplayLocale(c.locale);
        fw::Dialog dlg(kFormDlg);
        auto* at = dlg.itemAs<fw::DateTimeField>(kAt);
        ASSERT_NE(at, nullptr);
        at->setValue(QDateTime(QDate(2026, 12, 10), QTime(21, 36, 2)));
        EXPECT_EQ(dlg.itemText(kAt), c.time) << c.locale.timeFormat;
    }
    fw::setDisplayLocale(fw::englishLocale());
}

TEST_F(DialogTest, WindowsShowTheApplicationIcon)
{
    fw::Dialog dlg(kFormDlg);
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_EQ(dlg.windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    EXPECT_EQ(fw::applicationIcon().availableSizes().value(0), QSize(32, 32));
}

} // namespace
