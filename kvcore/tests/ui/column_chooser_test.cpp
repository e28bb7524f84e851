// The list window's column chooser offscreen, driven by control id: the nine column sets of a
// table, what OK writes into the document and the session's layout entry, and the check of the
// fixed-columns count.
#include "fw/core/resources.h"
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "kvcore/dialogs/chooser_ids.h"
#include "kvcore/dialogs/column_chooser_dlg.h"
#include "kvcore/gridview/table_dialogs.h"
#include "kvcore/session/column_sets.h"
#include "kvcore/session/session_record.h"
#include "support/sample_table_doc.h"

#include <gtest/gtest.h>

namespace {

using Columns = std::vector<std::uint16_t>;
using kvtest::SampleTableDoc;

constexpr unsigned kCaption = 0xE301;
constexpr fw::StringEntry kStrings[] = { { kCaption, "Columns", "Oszlopok" } };
const fw::ResourceSet kResources { "column-chooser-test", kStrings };
[[maybe_unused]] const bool kRegistered = (fw::addResources(kResources), true);

const std::vector<std::string> kTitles = { "Trades", "Change", "Security", "Last", "Date", "Time", "Trend", "Yield" };

std::vector<std::string> Texts(fw::Dialog& d, std::uint32_t id)
{
    std::vector<std::string> texts;
    for (int i = 0; i < d.itemCount(id); ++i)
        texts.push_back(d.itemString(id, i));
    return texts;
}

struct ColumnChooserTest : ::testing::Test {
    fw::App app;
    SampleTableDoc doc;
    KvLayoutEntry entry;
    void SetUp() override
    {
        entry.columnSets[0] = { 0, 1 };
        entry.columnSets[2] = { 3, 4 };
        doc.m_selected = { 2, 3, 0 };
        doc.m_columnSet = 0;
    }
    void Add(fw::Dialog& d, int available)
    {
        for (int i = 0; i < d.itemCount(IDC_SELECT_AVAILABLE); ++i)
            d.setSel(IDC_SELECT_AVAILABLE, i, i == available);
        d.userClick(IDC_SELECT_ADD);
    }
};

TEST_F(ColumnChooserTest, SwitchingSetsKeepsWhatWasLeftAndCancelWritesNothing)
{
    const KvLayoutEntry before = entry;
    CFormatExDlg dlg(kCaption, kTitles, &doc.m_selected, &doc, &entry, nullptr, 0);
    const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Columns");
        EXPECT_EQ(Texts(d, IDC_SELECT_SETS), (std::vector<std::string> { "1", "2", "3", "4", "5", "6", "7", "8", "9" }));
        EXPECT_EQ(d.curSel(IDC_SELECT_SETS), 0);
        // Opening puts the window's columns into its set.
        EXPECT_EQ(Texts(d, IDC_SELECT_CHOSEN), (std::vector<std::string> { "Security", "Last", "Trades" }));
        Add(d, 6); // an unsaved change to set 1
        d.userSelect(IDC_SELECT_SETS, 2);
        EXPECT_EQ(Texts(d, IDC_SELECT_CHOSEN), (std::vector<std::string> { "Last", "Date" }));
        d.userSelect(IDC_SELECT_SETS, 0);
        EXPECT_EQ(Texts(d, IDC_SELECT_CHOSEN), (std::vector<std::string> { "Security", "Last", "Trades", "Trend" }));
        d.userSelect(IDC_SELECT_SETS, 4); // an empty set offers nothing to confirm
        EXPECT_TRUE(Texts(d, IDC_SELECT_CHOSEN).empty());
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(result, fw::IDCANCEL);
    EXPECT_EQ(entry, before);
    EXPECT_EQ(doc.m_selected, (Columns { 2, 3, 0 }));
    EXPECT_EQ(doc.m_columnSet, 0);
}

TEST_F(ColumnChooserTest, OkWritesTheActiveSetIntoTheDocumentAndTheEntry)
{
    CFormatExDlg dlg(kCaption, kTitles, &doc.m_selected, &doc, &entry, nullptr, 0);
    dlg.ShowFixedColumns(1);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_SELECT_FIXED), "1");
        Add(d, 7);
        d.userSelect(IDC_SELECT_SETS, 2);
        Add(d, 1);
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(doc.m_selected, (Columns { 3, 4, 1 }));
    EXPECT_EQ(doc.m_columnSet, 2);
    EXPECT_EQ(entry.columnSets[2], (Columns { 3, 4, 1 }));
    EXPECT_EQ(entry.columnSets[0], (Columns { 2, 3, 0, 7 })); // the set left keeps its change
    EXPECT_EQ(dlg.FixedColumns(), 1);
    EXPECT_EQ(dlg.Result(), (Columns { 3, 4, 1 }));
}

TEST_F(ColumnChooserTest, TheFixedColumnsMayNotOutnumberTheChosenOnes)
{
    struct Case {
        const char* typed;
        bool accepted;
        int fixed;
    } const cases[] = {
        { "3", true, 3 }, // as many as chosen
        { "4", false, 0 },
        { "", true, 0 }, // no number: none fixed
        { "x", true, 0 },
        { "0000002", true, 0 }, // only the first six characters count
    };
    for (const Case& c : cases) {
        fw::test::Script script;
        CFormatExDlg dlg(kCaption, kTitles, &doc.m_selected, &doc, &entry, nullptr, 0);
        dlg.ShowFixedColumns(0);
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            d.userType(IDC_SELECT_FIXED, c.typed);
            if (!c.accepted)
                script.answerMessageBox(fw::IDOK);
            d.userClick(fw::kIdOk);
            if (c.accepted)
                return;
            EXPECT_TRUE(d.isVisible()) << c.typed;
            EXPECT_EQ(d.focusId(), IDC_SELECT_FIXED);
            d.userClick(fw::kIdCancel);
        });
        EXPECT_EQ(script.messageBoxes().size(), c.accepted ? 0u : 1u) << c.typed;
        if (c.accepted)
            EXPECT_EQ(dlg.FixedColumns(), c.fixed) << c.typed;
        else
            EXPECT_EQ(script.messageBoxTypes().back(), fw::MB_OK | fw::MB_ICONSTOP);
    }
}

TEST_F(ColumnChooserTest, WithoutAWindowOnlyTheChoiceComesBack)
{
    Columns selection = { 0, 1 };
    CFormatExDlg dlg(kCaption, kTitles, &selection, nullptr, nullptr, nullptr, 0);
    dlg.ShowFixedColumns(0);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_FALSE(d.item(IDC_SELECT_SETS)->isVisible());
        Add(d, 5);
        d.userType(IDC_SELECT_FIXED, "2");
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(selection, (Columns { 0, 1 }));
    EXPECT_EQ(dlg.Result(), (Columns { 0, 1, 5 }));
    EXPECT_EQ(dlg.FixedColumns(), 2);
}

TEST_F(ColumnChooserTest, TitlesTwiceResolveToTheFirstAndUnknownColumnsAreDropped)
{
    const std::vector<std::string> titles = { "Price", "Volume", "Price" };
    Columns selection = { 2, 1, 9 };
    CFormatExDlg dlg(kCaption, titles, &selection, nullptr, nullptr, nullptr, 0);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(Texts(d, IDC_SELECT_CHOSEN), (std::vector<std::string> { "Price", "Volume" }));
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(dlg.Result(), (Columns { 0, 1 }));
}

// The table window's hook: titles by string id or as text, the fixed count coming back.
TEST_F(ColumnChooserTest, TheWindowsHookTakesTitlesByIdOrText)
{
    Columns selection = { 1 };
    KvColumnChooserArgs args;
    args.captionId = kCaption;
    args.titles = { { kCaption, "" }, { 0, "Volume" } };
    args.selection = &selection;
    args.fixedCount = 1;
    fw::test::Script script;
    script.expectDialog(IDD_SELECT, [](fw::Dialog& d) {
        EXPECT_EQ(Texts(d, IDC_SELECT_AVAILABLE), (std::vector<std::string> { "Columns", "Volume" }));
        EXPECT_EQ(d.itemText(IDC_SELECT_FIXED), "1");
        d.userType(IDC_SELECT_FIXED, "0");
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(KvChooseColumns(args), fw::IDOK);
    EXPECT_EQ(args.fixedCount, 0);
    EXPECT_EQ(selection, (Columns { 1 })); // no window: the caller's columns stay
}

} // namespace
