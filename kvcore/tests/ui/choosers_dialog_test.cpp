// The two-list chooser, the popup editor on it and the ordering list, offscreen and driven by
// control id.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>

#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "fw/ui/text.h"
#include "fw/ui/app.h"
#include "kvcore/app/app_core_logic.h"
#include "kvcore/dialogs/chooser_ids.h"
#include "kvcore/dialogs/menu_items_dlg.h"
#include "kvcore/ui/drag_list_box.h"

namespace {

constexpr unsigned kTable = 4917; // a table id no other test registers
constexpr unsigned kDenied = 7;

using fw::MenuEntryKind;
constexpr fw::MenuEntry kTableMenu[] = {
    { 0, MenuEntryKind::Command, 501, "&Buy", "&Vétel" },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, 502, "&Sell", "&Eladás" },
    { 0, MenuEntryKind::Command, kDenied, "&Hidden", "&Rejtett" },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, 503, "&Details...", "&Részletek..." },
};
constexpr fw::MenuTemplate kMenus[] = { { kTable, kTableMenu } };
constexpr fw::StringEntry kStrings[] = { { kTable, "Orders", "Megbízások" } };
const fw::ResourceSet kTestResources { "choosers-test", kStrings, {}, kMenus };

class RefusingApp : public CKvAppCoreLogic {
public:
    int CanAccess(unsigned id, unsigned) override { return id == kDenied ? 0 : 1; }
};

const std::string kSeparator(53, '-');

std::vector<std::string> Texts(fw::Dialog& d, std::uint32_t id)
{
    std::vector<std::string> texts;
    for (int i = 0; i < d.itemCount(id); ++i)
        texts.push_back(d.itemString(id, i));
    return texts;
}

struct ChoosersTest : ::testing::Test {
    static void SetUpTestSuite() { fw::addResources(kTestResources); }
    fw::App app;
    RefusingApp rights;
};

TEST_F(ChoosersTest, PopupEditorMapsChosenItemsToMenuPositions)
{
    // Position 9 was stored while the user had more rights.
    std::vector<std::uint16_t> definition = { 4, 1, 9, 0 };
    CMenuItemsDlg dlg(kTable, &definition);
    const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Orders");
        // The item the user may not use is not offered.
        EXPECT_EQ(Texts(d, IDC_SELECT_AVAILABLE),
            (std::vector<std::string> { "Buy", kSeparator, "Sell", kSeparator, "Details..." }));
        EXPECT_EQ(d.itemData(IDC_SELECT_AVAILABLE, 2), 502u);
        EXPECT_EQ(Texts(d, IDC_SELECT_CHOSEN), (std::vector<std::string> { "Details...", kSeparator, "Buy" }));
        EXPECT_EQ(d.itemData(IDC_SELECT_CHOSEN, 0), 503u);
        EXPECT_FALSE(d.item(IDC_SELECT_SETS)->isVisible());
        EXPECT_FALSE(d.item(IDC_SELECT_FIXED)->isVisible());
        // Sell goes before the caret's item.
        d.setCaretIndex(IDC_SELECT_CHOSEN, 1);
        d.setSel(IDC_SELECT_AVAILABLE, 2);
        d.userClick(IDC_SELECT_ADD);
        EXPECT_EQ(Texts(d, IDC_SELECT_CHOSEN), (std::vector<std::string> { "Details...", "Sell", kSeparator, "Buy" }));
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(definition, (std::vector<std::uint16_t> { 4, 2, 1, 0 }));
}

TEST_F(ChoosersTest, PopupEditorSeparatorsAndCancel)
{
    // Two separators both become the first separator's position.
    std::vector<std::uint16_t> definition = { 3, 2, 1 };
    CMenuItemsDlg twice(kTable, &definition);
    fw::test::runModal(twice, [](fw::Dialog& d) { d.userClick(fw::kIdOk); });
    EXPECT_EQ(definition, (std::vector<std::uint16_t> { 1, 2, 1 }));

    const std::vector<std::uint16_t> before = definition;
    CMenuItemsDlg cancelled(kTable, &definition);
    fw::test::runModal(cancelled, [](fw::Dialog& d) {
        d.userClick(IDC_SELECT_REMOVE_ALL);
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(definition, before);

    // A table without a menu offers nothing and leaves an empty definition.
    std::vector<std::uint16_t> none = { 0, 1 };
    CMenuItemsDlg missing(kTable + 1, &none);
    fw::test::runModal(missing, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemCount(IDC_SELECT_AVAILABLE), 0);
        d.endDialog(fw::IDOK);
    });
}

// A chooser over letters whose OK hands back the working selection.
class LetterChooser : public CSelectDlg {
public:
    LetterChooser(std::vector<std::uint16_t>* selection, int mandatory)
        : CSelectDlg(kTable, selection, nullptr, mandatory)
    {
    }
    void onOK() override
    {
        *m_pSelection = m_selection;
        CSelectDlg::onOK();
    }
    using CSelectDlg::ChosenListBox;
    int& ShowFixed() { return m_bShowFixedColumns; }
    int& Fixed() { return m_nFixedColumns; }
    int& ShowSets() { return m_bShowSelectionCombo; }
    int& Sets() { return m_nSelectionSets; }
    int& CurrentSet() { return m_nCurrentSelection; }

protected:
    void FillLists() override
    {
        for (char c = 'A'; c <= 'E'; ++c)
            AvailableList().Insert(-1, KvListEntry { std::string(1, c), 0 });
        for (std::uint16_t i : m_selection)
            ChosenList().Insert(-1, AvailableList().Entry(i));
    }
};

TEST_F(ChoosersTest, ButtonsMandatoryItemsAndOrdering)
{
    std::vector<std::uint16_t> selection = { 3, 0, 1 };
    LetterChooser dlg(&selection, 2);
    const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(fw::fromQt(dlg.ChosenListBox()->windowTitle()), fw::loadString(IDS_SELECTED_HEADING));
        EXPECT_TRUE(d.isItemEnabled(IDC_SELECT_ADD));
        d.userClick(IDC_SELECT_REMOVE_ALL);
        EXPECT_EQ(Texts(d, IDC_SELECT_CHOSEN), (std::vector<std::string> { "A", "B" }));
        EXPECT_FALSE(d.isItemEnabled(IDC_SELECT_REMOVE_ALL));
        d.setSel(IDC_SELECT_CHOSEN, -1);
        d.userClick(IDC_SELECT_REMOVE); // mandatory: nothing goes
        EXPECT_EQ(Texts(d, IDC_SELECT_CHOSEN), (std::vector<std::string> { "A", "B" }));
        d.userDoubleClick(IDC_SELECT_AVAILABLE, 4);
        EXPECT_EQ(Texts(d, IDC_SELECT_CHOSEN).size(), 3u);
        d.userClick(IDC_SELECT_ADD_ALL);
        EXPECT_EQ(Texts(d, IDC_SELECT_CHOSEN), (std::vector<std::string> { "A", "B", "C", "D", "E" }));
        EXPECT_FALSE(d.isItemEnabled(IDC_SELECT_ADD));
        EXPECT_FALSE(d.isItemEnabled(IDC_SELECT_ADD_ALL));
        // E to the top with the up arrow, four times (the fifth does nothing).
        d.setSel(IDC_SELECT_CHOSEN, -1, false);
        d.setSel(IDC_SELECT_CHOSEN, 4);
        for (int i = 0; i < 5; ++i)
            dlg.ChosenListBox()->ArrowButton(kDragButtonUp)->click();
        EXPECT_EQ(Texts(d, IDC_SELECT_CHOSEN), (std::vector<std::string> { "E", "A", "B", "C", "D" }));
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(selection, (std::vector<std::uint16_t> { 4, 0, 1, 2, 3 }));
}

TEST_F(ChoosersTest, FixedColumnsFieldAndSelectionSets)
{
    struct Case {
        int sets;
        int fixed;
        std::string fixedShown;
        std::vector<std::string> entries;
    } const cases[] = {
        { 3, 2, "2", { "1", "2", "3" } },
        { 10, 4, "", { "01", "02", "03", "04", "05", "06", "07", "08", "09", "10" } }, // 4 > 3 chosen
    };
    for (const Case& c : cases) {
        std::vector<std::uint16_t> selection = { 0, 1, 2 };
        LetterChooser dlg(&selection, 0);
        dlg.ShowFixed() = 1;
        dlg.Fixed() = c.fixed;
        dlg.ShowSets() = 1;
        dlg.Sets() = c.sets;
        dlg.CurrentSet() = 1;
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_TRUE(d.item(IDC_SELECT_FIXED)->isVisible());
            EXPECT_EQ(d.itemText(IDC_SELECT_FIXED), c.fixedShown);
            EXPECT_EQ(Texts(d, IDC_SELECT_SETS), c.entries);
            EXPECT_EQ(d.curSel(IDC_SELECT_SETS), 1);
            d.userClick(fw::kIdCancel);
        });
        EXPECT_EQ(selection, (std::vector<std::uint16_t> { 0, 1, 2 }));
    }
}

// The ordering list with the mouse and the keyboard.
struct DragListBoxTest : ::testing::Test {
    DragListBoxTest()
    {
        for (char c = 'A'; c <= 'F'; ++c)
            list.Port().Insert(-1, KvListEntry { std::string(1, c), static_cast<std::uint64_t>(c) });
        list.resize(200, 300);
        list.show();
    }
    void Mouse(QEvent::Type type, int row, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        const QPoint at = list.visualItemRect(list.item(row)).center();
        QMouseEvent event(type, QPointF(at), QPointF(list.viewport()->mapToGlobal(at)),
            type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, mods);
        QApplication::sendEvent(list.viewport(), &event);
    }
    std::string Order()
    {
        std::string order;
        for (int i = 0; i < list.count(); ++i)
            order += fw::fromQt(list.item(i)->text());
        return order;
    }
    CDnDListBox list;
};

TEST_F(DragListBoxTest, DraggingABlockWithTheMouse)
{
    Mouse(QEvent::MouseButtonPress, 1); // nothing selected: selects from here
    Mouse(QEvent::MouseMove, 2);
    Mouse(QEvent::MouseButtonRelease, 2);
    EXPECT_EQ(list.Port().Selection(), (std::vector<int> { 1, 2 }));
    Mouse(QEvent::MouseButtonPress, 2); // on the selection: the block moves
    Mouse(QEvent::MouseMove, 5);
    EXPECT_EQ(list.Logic().InsertMark(), 5);
    list.grab(); // paints the mark
    Mouse(QEvent::MouseButtonRelease, 5);
    EXPECT_EQ(Order(), "ADEBCF");
    EXPECT_EQ(list.Port().Selection(), (std::vector<int> { 3, 4 }));
    EXPECT_EQ(list.Port().Entry(3).data, static_cast<std::uint64_t>('B'));
    EXPECT_EQ(list.Logic().InsertMark(), -1);

    // Shift-click selects from the anchor; Ctrl+Up moves the block.
    Mouse(QEvent::MouseButtonPress, 0);
    Mouse(QEvent::MouseButtonRelease, 0);
    Mouse(QEvent::MouseButtonPress, 2, Qt::ShiftModifier);
    EXPECT_EQ(list.Port().Selection(), (std::vector<int> { 0, 1, 2 }));
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::ControlModifier);
    QApplication::sendEvent(&list, &down);
    EXPECT_EQ(Order(), "BADECF");
}

} // namespace
