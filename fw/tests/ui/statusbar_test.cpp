#include "fw/core/resources.h"
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/icons.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/statusbar.h"
#include "fw/ui/toolbars.h"

#include <QAction>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolBar>
#include <gtest/gtest.h>
#include <set>

namespace {

struct StatusBarTest : ::testing::Test {
    fw::App app;
};

TEST_F(StatusBarTest, PanesHavePixelWidthsFramesAndHideAtZero)
{
    fw::MainFrame frame;
    fw::StatusBar* bar = frame.statusPanes();
    bar->setPanes({ 100, 0, 30, 60, 75 });
    frame.resize(600, 300);
    frame.show();
    fw::test::processEvents();
    EXPECT_EQ(bar->pane(2)->width(), 30);
    EXPECT_EQ(bar->pane(4)->width(), 75);
    EXPECT_FALSE(bar->isPaneShown(1));
    EXPECT_TRUE(bar->isPaneShown(2));
    EXPECT_GE(bar->pane(0)->width(), 100); // pane 0 takes what is left
    bar->setPaneWidth(3, 0);
    bar->setPaneWidth(1, 40);
    EXPECT_FALSE(bar->isPaneShown(3));
    EXPECT_TRUE(bar->isPaneShown(1));
    EXPECT_TRUE(bar->isPaneFramed(2));
    bar->setPaneFramed(2, false);
    EXPECT_FALSE(bar->isPaneFramed(2));
    frame.setPaneText(4, "09:36:02");
    EXPECT_EQ(frame.paneText(4), "09:36:02");
    EXPECT_EQ(frame.paneText(9), "");
}

TEST_F(StatusBarTest, ColouredMessageFillsTheWholeFirstPane)
{
    fw::MainFrame frame;
    fw::StatusBar* bar = frame.statusPanes();
    bar->setPanes({ 200, 60 });
    frame.resize(500, 200);
    frame.show();
    fw::test::processEvents();
    constexpr uint32_t kRed = 0x000000FF, kYellow = 0x0000FFFF;
    bar->setColouredMessage("A long alert message that fills the pane", kRed, kYellow);
    bar->setColouredMessage("Short", kRed, kYellow); // nothing of the longer one may remain
    EXPECT_FALSE(bar->isPaneFramed(0));
    QImage img = bar->messagePane()->grab().toImage();
    ASSERT_FALSE(img.isNull());
    int red = 0, yellow = 0, other = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = img.width() / 2; x < img.width(); ++x) { // right half: no text of "Short"
            QRgb p = img.pixel(x, y);
            if (p == qRgb(255, 255, 0))
                ++yellow;
            else if (p == qRgb(255, 0, 0))
                ++red;
            else
                ++other;
        }
    EXPECT_EQ(other + red, 0);
    EXPECT_GT(yellow, 0);
    // The text is painted in its colour at the top-left.
    bool textRed = false;
    for (int y = 0; y < img.height() && !textRed; ++y)
        for (int x = 0; x < img.width() / 4 && !textRed; ++x)
            textRed = qRed(img.pixel(x, y)) > 200 && qGreen(img.pixel(x, y)) < 120;
    EXPECT_TRUE(textRed);
    // An empty text is the background colour alone; plain text brings the frame back.
    bar->setColouredMessage("", kRed, kYellow);
    EXPECT_EQ(bar->messagePane()->grab().toImage().pixel(2, 2), qRgb(255, 255, 0));
    frame.setPaneText(0, "Ready");
    EXPECT_FALSE(bar->messagePane()->coloured());
    EXPECT_TRUE(bar->isPaneFramed(0));
}

enum : uint32_t { kLogOn = 35940, kLogOff = 35941, kZoom = 35984, kPrint = 57607 };

constexpr const char* kDot[] = { "2 2 1 1", "x c #FF0000", "xx", "xx" };
constexpr fw::IconResource kIcons[] = { { kZoom, kDot } };
const fw::ResourceSet kIconSet { "statusbar_test", {}, {}, {}, {}, kIcons };

struct CommandBarsTest : StatusBarTest {
    static void SetUpTestSuite() { fw::addResources(kIconSet); }
    std::set<uint32_t> refused;
    fw::Language lang = fw::Language::English;

    std::unique_ptr<fw::CommandBars> makeBars(fw::MainFrame& frame)
    {
        auto bars = std::make_unique<fw::CommandBars>(frame);
        bars->setTexts([this](uint32_t id) { return std::string(lang == fw::Language::English ? "Bar " : "Sáv ") + std::to_string(id); },
                       [](uint32_t id) { return "cmd " + std::to_string(id); });
        bars->setRightsFilter([this](uint32_t id) { return !refused.count(id); });
        bars->addBar({ fw::CommandBars::barIdOf(0), { kLogOn, kLogOff }, true, true });
        bars->addBar({ fw::CommandBars::barIdOf(1), { kZoom, 0, kPrint }, false, true });
        return bars;
    }
};

TEST_F(CommandBarsTest, BarsAreNamedByIdAndShownPerInterfaceWithIcons)
{
    fw::MainFrame frame;
    auto bars = makeBars(frame);
    frame.show();
    EXPECT_EQ(fw::CommandBars::barIdOf(0), 59392u);
    EXPECT_EQ(fw::CommandBars::barIdOf(2), 59398u);
    QToolBar* grid = bars->bar(59397);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->objectName(), QStringLiteral("bar59397"));
    EXPECT_EQ(grid->windowTitle(), QStringLiteral("Bar 59397"));
    EXPECT_FALSE(grid->isVisibleTo(&frame)); // logged off
    bars->setInterface(true);
    EXPECT_TRUE(grid->isVisibleTo(&frame));
    EXPECT_FALSE(frame.commandBarAction(kZoom)->icon().isNull());
    EXPECT_TRUE(frame.commandBarAction(kPrint)->icon().isNull()); // no icon in the table: text only
    // Rights cut a bar at the next interface switch; a bar left with nothing keeps a separator.
    refused = { kZoom, kPrint };
    bars->setInterface(true);
    EXPECT_EQ(bars->buttons(59397), (std::vector<uint32_t> { 0 }));
    bars->setInterface(false);
    EXPECT_FALSE(grid->isVisibleTo(&frame));
    EXPECT_TRUE(bars->bar(59392)->isVisibleTo(&frame));
}

TEST_F(CommandBarsTest, LayoutSavedInHungarianRestoresInEnglishThroughTheRightsFilter)
{
    std::vector<uint8_t> state;
    {
        lang = fw::Language::Hungarian;
        fw::MainFrame frame;
        auto bars = makeBars(frame);
        bars->setInterface(true);
        frame.addToolBar(Qt::LeftToolBarArea, bars->bar(59397)); // the user moved it
        frame.show();
        state = bars->saveState();
    }
    lang = fw::Language::English;
    refused = { kPrint }; // a user with fewer rights
    fw::MainFrame frame;
    auto bars = makeBars(frame);
    bars->setInterface(true);
    frame.show();
    ASSERT_TRUE(bars->restoreState(state));
    EXPECT_EQ(frame.toolBarArea(bars->bar(59397)), Qt::LeftToolBarArea);
    EXPECT_EQ(bars->bar(59397)->windowTitle(), QStringLiteral("Bar 59397"));
    EXPECT_EQ(bars->buttons(59397), (std::vector<uint32_t> { kZoom, 0 }));
    EXPECT_EQ(frame.commandBarAction(kPrint), nullptr);
    // Bytes that are not a saved layout change nothing.
    std::vector<uint8_t> cut(state.begin(), state.begin() + 20);
    EXPECT_FALSE(bars->restoreState(cut));
    EXPECT_FALSE(bars->restoreState({ 1, 2, 3 }));
    EXPECT_EQ(bars->buttons(59397), (std::vector<uint32_t> { kZoom, 0 }));
}

TEST_F(CommandBarsTest, ChildWindowsShowTheApplicationIconNotTheToolkits)
{
    fw::MainFrame frame;
    auto* sub = frame.mdiArea()->addSubWindow(new QWidget);
    EXPECT_FALSE(sub->windowIcon().isNull());
    EXPECT_EQ(sub->windowIcon().pixmap(32).toImage(), fw::applicationIcon().pixmap(32).toImage());
}

} // namespace
