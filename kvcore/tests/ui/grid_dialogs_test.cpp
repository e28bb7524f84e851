// The list window's dialogs offscreen, driven by control id: sorting, the window title and the
// colour selection, each opened the way the window's commands open them.
#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/childframe.h"
#include "fw/core/rescheck.h"
#include "kvcore/dialogs/color_select_dlg.h"
#include "kvcore/dialogs/grid_props_page.h"
#include "kvcore/dialogs/sort_dlg.h"
#include "kvcore/dialogs/title_dlg.h"
#include "kvcore/gridview/gx_view.h"
#include "kvcore/res/grid_ids.h"
#include "support/sample_table_doc.h"

#include <QLineEdit>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using kvcore::CTGXDoc;
using kvcore::CTGXView;
using kvtest::SampleTableDoc;

namespace {

std::uint32_t Asc(std::uint16_t column) { return CTGXDoc::MakeSortKey(column, CTGXDoc::kAscending); }
std::uint32_t Desc(std::uint16_t column) { return CTGXDoc::MakeSortKey(column, CTGXDoc::kDescending); }

struct KeyIds {
    std::uint32_t combo, ascending, descending;
};
constexpr KeyIds kKeyIds[] = {
    { IDC_SORT_COMBO1, IDC_SORT_ASCENDING1, IDC_SORT_DESCENDING1 },
    { IDC_SORT_COMBO2, IDC_SORT_ASCENDING2, IDC_SORT_DESCENDING2 },
    { IDC_SORT_COMBO3, IDC_SORT_ASCENDING3, IDC_SORT_DESCENDING3 },
};

struct GridDialogTest : ::testing::Test {
    fw::App app;
    SampleTableDoc doc;
    CTGXView view;

    void SetUp() override
    {
        doc.FillSecurities();
        doc.UpdateDocument(0, nullptr);
        view.setDocument(&doc);
        view.resize(700, 300);
        view.onInitialUpdate();
    }
    void TearDown() override
    {
        view.setDocument(nullptr);
        fw::setLanguage(fw::Language::English);
    }
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (int row = 1; row <= view.rowCount(); ++row)
            names.push_back(view.model().style(row, SampleTableDoc::kName + 1).value);
        return names;
    }
    // Runs the dialog on the document's keys and sorts again, as the window's sort command does.
    void SortDialog(fw::test::Script& script, fw::test::DialogScript inside)
    {
        (void)script;
        std::vector<std::string> titles;
        for (std::size_t id = 0; id < doc.m_available.size(); ++id)
            titles.push_back(doc.GetColumnTitleText(static_cast<int>(id)));
        CDlgTabSort dlg(titles, doc.m_sortKeys, &view);
        fw::test::runModal(dlg, std::move(inside));
        doc.UpdateDocument(0, nullptr);
    }
};

// What the dialog shows for the keys it opens with.
TEST_F(GridDialogTest, SortDialogShowsTheFirstThreeKeys)
{
    struct Shown {
        std::string text;
        bool ascending;
        bool enabled;
    };
    struct Case {
        std::vector<std::uint32_t> keys;
        Shown shown[3];
    } const cases[] = {
        { {}, { { "", true, true }, { "", true, false }, { "", true, false } } },
        { { Asc(2) }, { { "Security", true, true }, { "", true, true }, { "", true, false } } },
        { { Desc(2), Asc(0) }, { { "Security", false, true }, { "Trades", true, true }, { "", true, true } } },
        { { Desc(2), Asc(0), Desc(3) }, { { "Security", false, true }, { "Trades", true, true }, { "Last", false, true } } },
        // More than three: the first three, the fourth is dropped on OK.
        { { Asc(4), Asc(5), Desc(6), Asc(7) }, { { "Date", true, true }, { "Time", true, true }, { "Trend", false, true } } },
        // A key whose column the table does not have shows empty and the later keys stay off.
        { { Asc(50), Asc(1) }, { { "", true, true }, { "", true, false }, { "", true, false } } },
    };
    for (const Case& c : cases) {
        std::vector<std::uint32_t> keys = c.keys;
        CDlgTabSort dlg({ "Trades", "Change", "Security", "Last", "Date", "Time", "Trend", "Yield" }, keys);
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            for (int k = 0; k < 3; ++k) {
                const Shown& s = c.shown[k];
                EXPECT_EQ(d.itemText(kKeyIds[k].combo), s.text) << k;
                EXPECT_EQ(d.itemCount(kKeyIds[k].combo), 8) << k;
                EXPECT_EQ(d.isItemEnabled(kKeyIds[k].combo), s.enabled) << k;
                EXPECT_EQ(d.isItemEnabled(kKeyIds[k].ascending), s.enabled) << k;
                if (!s.text.empty()) {
                    EXPECT_EQ(d.isButtonChecked(kKeyIds[k].ascending) != 0, s.ascending) << k;
                }
            }
            d.userClick(fw::kIdOk);
        });
        std::vector<std::uint32_t> expected;
        for (std::size_t k = 0; k < 3 && k < c.keys.size(); ++k)
            if ((c.keys[k] & 0xFFFF) < 8 && (k == 0 || (c.keys[k - 1] & 0xFFFF) < 8))
                expected.push_back(c.keys[k]);
        EXPECT_EQ(keys, expected);
    }
}

// What OK writes for what the user typed; a rejected key writes nothing at all.
TEST_F(GridDialogTest, SortDialogCommitsOnlyValidKeys)
{
    struct Case {
        const char* typed[3];
        bool descending[3];
        std::vector<std::uint32_t> keys; // empty with rejected >= 0: the document keeps its keys
        int rejected;
    } const cases[] = {
        { { "security", "", "" }, { false, false, false }, { Asc(2) }, -1 }, // letter case ignored
        { { "LAST", "trades", "Last" }, { true, false, true }, { Desc(3), Asc(0), Desc(3) }, -1 }, // a column twice
        { { "", "", "" }, { false, false, false }, {}, -1 }, // nothing: no sorting
        { { "Volume", "", "" }, { false, false, false }, {}, 0 },
        { { "Security", "Volume", "" }, { false, false, false }, {}, 1 },
        { { "Security", "Trades", "Trade" }, { false, false, false }, {}, 2 },
    };
    for (const Case& c : cases) {
        fw::test::Script script;
        doc.m_sortKeys = { Desc(1) };
        doc.UpdateDocument(0, nullptr);
        SortDialog(script, [&](fw::Dialog& d) {
            for (int k = 0; k < 3; ++k) {
                d.userType(kKeyIds[k].combo, c.typed[k]);
                d.userLeave(kKeyIds[k].combo);
                d.userClick(c.descending[k] ? kKeyIds[k].descending : kKeyIds[k].ascending);
            }
            if (c.rejected >= 0)
                script.answerMessageBox(fw::IDOK);
            d.userClick(fw::kIdOk);
            if (c.rejected < 0)
                return;
            EXPECT_TRUE(d.isVisible()) << c.typed[0];
            EXPECT_EQ(d.focusId(), kKeyIds[c.rejected].combo);
            EXPECT_EQ(doc.m_sortKeys, (std::vector<std::uint32_t> { Desc(1) }));
            d.userClick(fw::kIdCancel);
        });
        if (c.rejected >= 0) {
            EXPECT_EQ(script.messageBoxes().back(), fw::loadString(IDS_SORT_ENTRY_NOT_VALID));
            EXPECT_EQ(doc.m_sortKeys, (std::vector<std::uint32_t> { Desc(1) })) << c.typed[0];
        } else {
            EXPECT_EQ(doc.m_sortKeys, c.keys) << c.typed[0];
        }
    }
}

TEST_F(GridDialogTest, SortDialogFindsHungarianTitlesInAnyLetterCase)
{
    fw::setLanguage(fw::Language::Hungarian);
    fw::test::Script script;
    SortDialog(script, [](fw::Dialog& d) {
        d.userType(IDC_SORT_COMBO1, "\xE9rt\xE9kpap\xEDr"); // "értékpapír" for "Értékpapír"
        d.userLeave(IDC_SORT_COMBO1);
        EXPECT_TRUE(d.isItemEnabled(IDC_SORT_COMBO2));
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(doc.m_sortKeys, (std::vector<std::uint32_t> { Asc(2) }));
}

TEST_F(GridDialogTest, SortDialogEnablesAKeyOnlyAfterTheOneBefore)
{
    doc.m_sortKeys = { Asc(2), Asc(0), Asc(3) };
    fw::test::Script script;
    SortDialog(script, [](fw::Dialog& d) {
        // A first key that names no column switches the later keys off and empties them.
        d.userType(IDC_SORT_COMBO1, "nothing");
        d.userLeave(IDC_SORT_COMBO1);
        for (std::uint32_t id : { IDC_SORT_COMBO2, IDC_SORT_ASCENDING2, IDC_SORT_DESCENDING2, IDC_SORT_COMBO3,
                 IDC_SORT_ASCENDING3, IDC_SORT_DESCENDING3 })
            EXPECT_FALSE(d.isItemEnabled(id)) << id;
        EXPECT_EQ(d.itemText(IDC_SORT_COMBO2), "");
        EXPECT_EQ(d.itemText(IDC_SORT_COMBO3), "");
        // Choosing a column from the first list opens the second key, the second the third.
        d.userSelect(IDC_SORT_COMBO1, 5);
        EXPECT_TRUE(d.isItemEnabled(IDC_SORT_COMBO2));
        EXPECT_FALSE(d.isItemEnabled(IDC_SORT_COMBO3));
        d.userSelect(IDC_SORT_COMBO2, 1);
        EXPECT_TRUE(d.isItemEnabled(IDC_SORT_COMBO3));
        d.userClick(IDC_SORT_DESCENDING2);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(doc.m_sortKeys, (std::vector<std::uint32_t> { Asc(5), Desc(1) }));
}

TEST_F(GridDialogTest, TheWindowSortsAgainWhateverTheDialogAnswers)
{
    fw::test::Script sorted;
    SortDialog(sorted, [](fw::Dialog& d) {
        d.userSelect(IDC_SORT_COMBO1, SampleTableDoc::kTrades);
        d.userClick(IDC_SORT_DESCENDING1);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(Names().front(), "CSILLAG"); // 4,000,000,000 trades
    EXPECT_EQ(Names().back(), "HALOM");
    EXPECT_TRUE(view.model().style(0, SampleTableDoc::kTrades + 1).bold);
    // Cancel keeps the keys and the order.
    const std::vector<std::string> before = Names();
    fw::test::Script cancelled;
    SortDialog(cancelled, [](fw::Dialog& d) {
        d.userType(IDC_SORT_COMBO1, "Change");
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(doc.m_sortKeys, (std::vector<std::uint32_t> { Desc(SampleTableDoc::kTrades) }));
    EXPECT_EQ(Names(), before);
}

// A frame around a second view of the document, as a list window has.
struct TitleDialogTest : GridDialogTest {
    std::unique_ptr<fw::ChildFrame> frame;
    void SetUp() override
    {
        GridDialogTest::SetUp();
        doc.setTitle("Securities");
        view.setDocument(nullptr); // the framed view becomes the first one
        auto framed = std::make_unique<CTGXView>();
        framed->setDocument(&doc);
        frame = std::make_unique<fw::ChildFrame>(std::move(framed));
    }
    void TearDown() override
    {
        frame.reset();
        GridDialogTest::TearDown();
    }
};

TEST_F(TitleDialogTest, HidingAndShowingTheTitleBar)
{
    frame->setCaption(false);
    CSetWinTextDlg hidden(&doc, "Securities");
    hidden.m_sTitle = "My list";
    fw::test::runModal(hidden, [](fw::Dialog& d) {
        EXPECT_EQ(d.isButtonChecked(IDC_TITLE_HIDE), 1);
        EXPECT_FALSE(d.isItemEnabled(IDC_TITLE_TEXT));
        EXPECT_EQ(d.itemText(IDC_TITLE_TEXT), "My list");
        d.userClick(IDC_TITLE_HIDE);
        EXPECT_TRUE(d.isItemEnabled(IDC_TITLE_TEXT));
        d.userClick(fw::kIdOk);
    });
    EXPECT_TRUE(frame->hasCaption());

    CSetWinTextDlg shown(&doc, "Securities");
    shown.m_sTitle = "My list";
    fw::test::runModal(shown, [](fw::Dialog& d) {
        EXPECT_EQ(d.isButtonChecked(IDC_TITLE_HIDE), 0);
        d.userClick(IDC_TITLE_HIDE);
        d.userClick(fw::kIdOk);
    });
    EXPECT_FALSE(frame->hasCaption());
    EXPECT_EQ(shown.m_sTitle, "My list"); // the caller still applies the title

    CSetWinTextDlg cancelled(&doc, "Securities");
    cancelled.m_sTitle = "x";
    fw::test::runModal(cancelled, [](fw::Dialog& d) {
        d.userClick(IDC_TITLE_HIDE);
        d.userClick(fw::kIdCancel);
    });
    EXPECT_FALSE(frame->hasCaption());
}

TEST_F(TitleDialogTest, AnEmptyTitleCannotBeConfirmedAndDefaultRestores)
{
    frame->setCaption(false);
    CSetWinTextDlg dlg(&doc, "Securities");
    dlg.m_sTitle = "Mine";
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        d.userClick(IDC_TITLE_HIDE);
        d.userType(IDC_TITLE_TEXT, "");
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userClick(IDC_TITLE_HIDE); // hidden again
        d.userClick(IDC_TITLE_DEFAULT);
        EXPECT_EQ(d.itemText(IDC_TITLE_TEXT), "Securities");
        EXPECT_EQ(d.isButtonChecked(IDC_TITLE_HIDE), 0);
        EXPECT_TRUE(d.isItemEnabled(IDC_TITLE_TEXT));
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        EXPECT_EQ(d.itemAs<QLineEdit>(IDC_TITLE_TEXT)->maxLength(), 256);
        d.userClick(fw::kIdOk);
    });
    EXPECT_TRUE(frame->hasCaption());
    EXPECT_EQ(dlg.m_sTitle, "Securities");
}

struct ColorDialogTest : GridDialogTest {
    void SetUp() override
    {
        GridDialogTest::SetUp();
        // Two named elements; the table holds three colours (one more than named).
        doc.m_colorElems = { IDS_COLOR_BACKGROUND, IDS_COLOR_TEXT };
        doc.m_defaultBack = 0xFFFFFF;
        doc.m_defaultText = 0x000000;
    }
    std::vector<std::string> RowNames(fw::Dialog& d)
    {
        std::vector<std::string> names;
        for (int i = 0; i < d.itemCount(IDC_COLOR_LIST); ++i)
            names.push_back(d.itemString(IDC_COLOR_LIST, i));
        return names;
    }
};

TEST_F(ColorDialogTest, RowsNameEveryColourAndOkWritesThemBack)
{
    fw::test::Script script;
    script.expectDialog(IDD_COLOR_SELECT, [&](fw::Dialog& d) {
        EXPECT_EQ(RowNames(d), (std::vector<std::string> { "Background", "Text", "Background", "Text" }));
        auto& dlg = static_cast<CColorSelectDlg&>(d);
        EXPECT_EQ(dlg.Colors(), (std::vector<kvcore::COLORREF> { 0xFFFFFF, 0x000000, 0xC0FFC0, 0xC0C0FF }));
        script.answerColor(0x102030);
        d.userSelect(IDC_COLOR_LIST, 0);
        d.userDoubleClick(IDC_COLOR_LIST, 0);
        script.answerColor(std::nullopt); // a cancelled choice keeps the colour
        d.userSelect(IDC_COLOR_LIST, 1);
        d.userDoubleClick(IDC_COLOR_LIST, 1);
        script.answerColor(0x0000FF);
        d.userSelect(IDC_COLOR_LIST, 3);
        d.userDoubleClick(IDC_COLOR_LIST, 3);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(CColorSelectDlg(&view).doModal(), fw::IDOK);
    doc.UpdateDocument(0, nullptr);
    EXPECT_EQ(doc.m_defaultBack, 0x102030u);
    EXPECT_EQ(doc.m_defaultText, 0x000000u);
    EXPECT_EQ(doc.m_colorRefs, (std::vector<std::uint32_t> { 0xC0FFC0, 0x0000FF, 0x000000 }));
    // HALOM has no row colour: the new default background.
    EXPECT_EQ(view.model().style(8, 1).back, 0x102030u);
    EXPECT_TRUE(script.allAnswersUsed());
}

TEST_F(ColorDialogTest, CancelChangesNothing)
{
    const std::vector<std::uint32_t> table = doc.m_colorRefs;
    fw::test::Script script;
    script.expectDialog(IDD_COLOR_SELECT, [&](fw::Dialog& d) {
        script.answerColor(0x102030);
        d.userSelect(IDC_COLOR_LIST, 2);
        d.userDoubleClick(IDC_COLOR_LIST, 2);
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(CColorSelectDlg(&view).doModal(), fw::IDCANCEL);
    EXPECT_EQ(doc.m_colorRefs, table);
    EXPECT_EQ(doc.m_defaultBack, 0xFFFFFFu);
}

TEST_F(ColorDialogTest, AnElementWithoutAColourShowsTheBackgroundAndGetsOne)
{
    doc.m_colorRefs = { 0xC0FFC0 };
    fw::setLanguage(fw::Language::Hungarian);
    fw::test::Script script;
    script.expectDialog(IDD_COLOR_SELECT, [&](fw::Dialog& d) {
        EXPECT_EQ(RowNames(d), (std::vector<std::string> { "H\xE1tt\xE9r", "Sz\xF6veg", "H\xE1tt\xE9r", "Sz\xF6veg" }));
        EXPECT_EQ(static_cast<CColorSelectDlg&>(d).Colors().back(), 0xFFFFFFu);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(CColorSelectDlg(&view).doModal(), fw::IDOK);
    EXPECT_EQ(doc.m_colorRefs, (std::vector<std::uint32_t> { 0xC0FFC0, 0xFFFFFF }));
}

} // namespace

namespace {

// The tables of the list window's dialogs: unique ids, both languages, every id the code uses.
TEST(GridDialogResources, PassTheResourceCheck)
{
    static constexpr const char* kModules[] = { "kvcore-sort-dialog", "kvcore-title-dialog", "kvcore-color-select",
        "kvcore-grid-properties" };
    std::vector<fw::ResourceSet> sets;
    for (const fw::ResourceSet& set : fw::resourceSets())
        for (const char* module : kModules)
            if (std::string(set.module) == module)
                sets.push_back(set);
    ASSERT_EQ(sets.size(), std::size(kModules));
    static constexpr std::uint32_t kStrings[] = { IDS_SORT_ENTRY_NOT_VALID, IDS_COLOR_BACKGROUND, IDS_COLOR_TEXT,
        IDS_GRID_LINE_COLOR, IDS_GRID_MARK_COLOR, IDS_GRID_PREVIEW_TEXT };
    static constexpr std::uint32_t kDialogs[] = { IDD_SORT, IDD_WINDOW_TITLE, IDD_COLOR_SELECT, IDD_GRID_PROPERTIES };
    static constexpr fw::ControlRef kControls[] = {
        { IDD_SORT, IDC_SORT_COMBO1 }, { IDD_SORT, IDC_SORT_ASCENDING1 }, { IDD_SORT, IDC_SORT_DESCENDING1 },
        { IDD_SORT, IDC_SORT_COMBO2 }, { IDD_SORT, IDC_SORT_ASCENDING2 }, { IDD_SORT, IDC_SORT_DESCENDING2 },
        { IDD_SORT, IDC_SORT_COMBO3 }, { IDD_SORT, IDC_SORT_ASCENDING3 }, { IDD_SORT, IDC_SORT_DESCENDING3 },
        { IDD_SORT, fw::kIdOk }, { IDD_SORT, fw::kIdCancel }, { IDD_WINDOW_TITLE, IDC_TITLE_TEXT },
        { IDD_WINDOW_TITLE, IDC_TITLE_DEFAULT }, { IDD_WINDOW_TITLE, IDC_TITLE_HIDE }, { IDD_WINDOW_TITLE, fw::kIdOk },
        { IDD_COLOR_SELECT, IDC_COLOR_LIST }, { IDD_COLOR_SELECT, fw::kIdOk },
        { IDD_GRID_PROPERTIES, IDC_GRID_PREVIEW }, { IDD_GRID_PROPERTIES, IDC_GRID_3D },
        { IDD_GRID_PROPERTIES, IDC_GRID_VERTICAL }, { IDD_GRID_PROPERTIES, IDC_GRID_HORIZONTAL },
        { IDD_GRID_PROPERTIES, IDC_GRID_MARK_ROW }, { IDD_GRID_PROPERTIES, IDC_GRID_MARK_COLUMN },
        { IDD_GRID_PROPERTIES, IDC_GRID_COLOR_LIST }, { IDD_GRID_PROPERTIES, IDC_GRID_COLOR_CHOOSER },
        { IDD_GRID_PROPERTIES, IDC_GRID_FONT }, { IDD_GRID_PROPERTIES, IDC_GRID_PAGE_SETUP },
        { IDD_GRID_PROPERTIES, IDC_GRID_HEAD_FOOT },
    };
    fw::UsedIds used;
    used.strings = kStrings;
    used.dialogs = kDialogs;
    used.controls = kControls;
    const fw::ResourceReport report = fw::checkResources(sets, used);
    EXPECT_TRUE(report.ok()) << report.text();
}

} // namespace
