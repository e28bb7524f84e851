// The Customize sheet's grid page offscreen: the switches, colours and font it edits, the
// preview that follows them, and the working copy that only Apply puts in force.
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/gridview.h"
#include "kvcore/dialogs/grid_props_page.h"
#include "kvcore/gridview/gx_view.h"
#include "support/sample_table_doc.h"

#include <gtest/gtest.h>

namespace {

struct GridPageTest : ::testing::Test {
    fw::App app;
    fw::GridProperties props;
    void TearDown() override { KvGridProperties() = fw::GridProperties(); }
};

// Runs the page inside a sheet; the script gets the page.
int RunSheet(CTGXPropDlg& page, const std::function<void(fw::PropertySheet&, CTGXPropDlg&)>& script)
{
    fw::PropertySheet sheet("Customize");
    sheet.addPage(page);
    return fw::test::runModal(sheet, [&](fw::Dialog&) { script(sheet, page); });
}

TEST_F(GridPageTest, EverySwitchEditsItsPropertyAndThePreviewShowsIt)
{
    struct Case {
        std::uint32_t id;
        bool fw::GridProperties::*member;
    } const cases[] = {
        { IDC_GRID_3D, &fw::GridProperties::threeD },
        { IDC_GRID_VERTICAL, &fw::GridProperties::verticalLines },
        { IDC_GRID_HORIZONTAL, &fw::GridProperties::horizontalLines },
        { IDC_GRID_MARK_ROW, &fw::GridProperties::markCurrentRow },
        { IDC_GRID_MARK_COLUMN, &fw::GridProperties::markCurrentColumn },
    };
    for (const Case& c : cases) {
        fw::GridProperties edited;
        const bool before = edited.*c.member;
        CTGXPropDlg page(edited);
        RunSheet(page, [&](fw::PropertySheet& sheet, CTGXPropDlg& p) {
            EXPECT_EQ(p.isButtonChecked(c.id), before ? 1 : 0) << c.id;
            EXPECT_FALSE(p.isModified());
            p.userClick(c.id);
            EXPECT_EQ(edited.*c.member, !before) << c.id;
            EXPECT_EQ(p.Preview()->properties(), edited) << c.id;
            EXPECT_TRUE(p.isModified());
            sheet.userClick(fw::kIdCancel);
        });
    }
}

TEST_F(GridPageTest, ThePreviewIsTenByTenWithItsFirstColumnFixed)
{
    CTGXPropDlg page(props);
    RunSheet(page, [](fw::PropertySheet& sheet, CTGXPropDlg& p) {
        fw::GridView* preview = p.Preview();
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->rowCount(), 10);
        EXPECT_EQ(preview->colCount(), 10);
        EXPECT_EQ(preview->frozenCols(), 1);
        EXPECT_EQ(preview->zoom(), 100);
        EXPECT_EQ(preview->currentCell(), (fw::GridCell { 1, 1 }));
        EXPECT_EQ(preview->model().style(1, 1).value, "Preview Text");
        EXPECT_TRUE(preview->model().style(2, 1).bold);
        EXPECT_EQ(p.itemCount(IDC_GRID_COLOR_LIST), fw::kGridColorCount);
        EXPECT_EQ(p.curSel(IDC_GRID_COLOR_LIST), 0);
        sheet.userClick(fw::kIdCancel);
    });
}

TEST_F(GridPageTest, APickedColourGoesToTheSelectedEntryOnly)
{
    props.colors = { 0x808080, fw::kGridStyleColor };
    CTGXPropDlg page(props);
    RunSheet(page, [&](fw::PropertySheet& sheet, CTGXPropDlg& p) {
        KvColorPalette* chooser = p.Chooser();
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(KvColorPalette::ColorAt(chooser->Current()), 0x808080u); // the grid lines' grey
        p.userSelect(IDC_GRID_COLOR_LIST, 1);
        EXPECT_EQ(chooser->Current(), -1); // the style's colour is none of the palette's
        chooser->Pick(9);
        EXPECT_EQ(props.colors[fw::kGridMarkColor], KvColorPalette::ColorAt(9));
        EXPECT_EQ(props.colors[fw::kGridLineColor], 0x808080u);
        EXPECT_EQ(chooser->Current(), 9);
        EXPECT_EQ(p.Preview()->properties().colors, props.colors);
        // Without a selected entry a pick changes nothing.
        const auto colors = props.colors;
        p.setModified(false);
        p.setCurSel(IDC_GRID_COLOR_LIST, -1);
        chooser->Pick(3);
        EXPECT_EQ(props.colors, colors);
        EXPECT_FALSE(p.isModified());
        sheet.userClick(fw::kIdCancel);
    });
}

TEST_F(GridPageTest, TheFontDialogsAnswerSetsTheFontOnlyWithAFace)
{
    struct Case {
        std::optional<fw::FontChoice> answer;
        fw::GridFont font;
        bool modified;
    } const cases[] = {
        { fw::FontChoice { "DejaVu Serif", 12, true, false }, { "DejaVu Serif", 12, true, false }, true },
        { fw::FontChoice { "", 14, false, true }, { "Mono", 9, false, false }, true }, // no face: unchanged
        { std::nullopt, { "Mono", 9, false, false }, false }, // cancelled
    };
    for (const Case& c : cases) {
        fw::GridProperties edited;
        edited.font = { "Mono", 9, false, false };
        fw::test::Script script;
        script.answerFont(c.answer);
        CTGXPropDlg page(edited);
        RunSheet(page, [&](fw::PropertySheet& sheet, CTGXPropDlg& p) {
            p.userClick(IDC_GRID_FONT);
            EXPECT_EQ(edited.font, c.font);
            EXPECT_EQ(p.isModified(), c.modified);
            sheet.userClick(fw::kIdCancel);
        });
        EXPECT_TRUE(script.allAnswersUsed());
    }
}

TEST_F(GridPageTest, OnlyApplyPutsTheWorkingCopyInForceAndWindowsFollow)
{
    kvtest::SampleTableDoc doc;
    doc.FillSecurities();
    doc.UpdateDocument(0, nullptr);
    kvcore::CTGXView view;
    view.setDocument(&doc);
    view.onInitialUpdate();

    CTGXCustomizePage cancelled;
    RunSheet(cancelled, [](fw::PropertySheet& sheet, CTGXPropDlg& p) {
        p.userClick(IDC_GRID_VERTICAL);
        sheet.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(KvGridProperties(), fw::GridProperties());

    CTGXCustomizePage applied;
    RunSheet(applied, [&](fw::PropertySheet& sheet, CTGXPropDlg& p) {
        p.userClick(IDC_GRID_VERTICAL);
        p.userClick(IDC_GRID_MARK_ROW);
        EXPECT_EQ(KvGridProperties(), fw::GridProperties()); // nothing before Apply
        sheet.userClick(fw::kIdApplyNow);
        EXPECT_FALSE(KvGridProperties().verticalLines);
        EXPECT_TRUE(KvGridProperties().markCurrentRow);
        sheet.userClick(fw::kIdOk);
    });
    // Every table window takes the look at its next full update.
    doc.UpdateDocument(0, nullptr);
    EXPECT_EQ(view.properties(), KvGridProperties());
    view.setDocument(nullptr);
}

} // namespace
