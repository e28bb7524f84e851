#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/childframe.h"
#include "fw/ui/document.h"
#include "fw/ui/gridview.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/placement.h"
#include "fw/ui/printing.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Rows : fw::GridSource {
    int rowCount() const override { return 200; }
    int columnCount() const override { return 3; }
    bool cellStyle(int row, int col, fw::CellStyle& s) const override
    {
        s.value = row == 0 ? "Title " + std::to_string(col) : std::to_string(row * col);
        return true;
    }
};

struct PrintTest : ::testing::Test {
    fw::App app;
    fw::Document doc;
    Rows rows;
    fw::GridView grid;
    void SetUp() override
    {
        doc.setTitle("Trades");
        grid.setDocument(&doc);
        grid.setSource(&rows);
        grid.onInitialUpdate();
    }
};

TEST_F(PrintTest, PrintAndPreviewGoToTheScriptedPdfOrAreCancelled)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::string pdf = dir.filePath("trades.pdf").toStdString();
    fw::test::Script script;
    script.answerPrint(pdf);
    script.answerPrint(std::nullopt);
    int pages = fw::printView(grid, false);
    EXPECT_GE(pages, 3);
    EXPECT_GT(QFileInfo(QString::fromStdString(pdf)).size(), 1000);
    EXPECT_EQ(fw::printView(grid, true), 0);
    EXPECT_TRUE(script.allAnswersUsed());
}

TEST(Placement, ChildWindowPlacementRoundTrips)
{
    fw::App app;
    fw::MainFrame frame;
    frame.resize(900, 700);
    frame.show();
    auto view = std::make_unique<fw::View>();
    auto owned = std::make_unique<fw::ChildFrame>(std::move(view));
    fw::ChildFrame* child = owned.get();
    frame.mdiArea()->addSubWindow(owned.release()); // the MDI area owns it from here
    child->show();

    fw::WindowPlacement p;
    p.normalPosition = { 20, 30, 420, 330 };
    fw::applyPlacement(*child, p);
    fw::WindowPlacement back = fw::placementOf(*child);
    EXPECT_EQ(back.normalPosition, p.normalPosition);
    EXPECT_EQ(back.showCmd, fw::ShowNormal);

    // No stored position, or a degenerate one, leaves the window where it is.
    fw::WindowPlacement none;
    fw::applyPlacement(*child, none);
    fw::WindowPlacement inverted;
    inverted.normalPosition = { 500, 500, 10, 10 };
    fw::applyPlacement(*child, inverted);
    EXPECT_EQ(fw::placementOf(*child).normalPosition, p.normalPosition);

    fw::WindowPlacement maxed = p;
    maxed.showCmd = fw::ShowMaximized;
    fw::applyPlacement(*child, maxed);
    EXPECT_TRUE(child->isMaximized());
    EXPECT_EQ(fw::placementOf(*child).showCmd, fw::ShowMaximized);
}

} // namespace
