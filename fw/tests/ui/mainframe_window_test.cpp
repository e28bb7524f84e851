#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/childframe.h"
#include "fw/ui/doctemplate.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/view.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QStatusBar>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

// A main frame whose hooks say what the user may do with it.
struct Frame : fw::MainFrame {
    std::set<fw::SysCommand> refused;
    bool keepOpen = false;
    bool keepSession = false;
    std::vector<std::string> log;
    bool onSysCommand(fw::SysCommand command) override
    {
        log.push_back("sys " + std::to_string(static_cast<int>(command)));
        return !refused.count(command);
    }
    bool onClose() override
    {
        log.push_back("close");
        return !keepOpen && fw::MainFrame::onClose();
    }
    bool onQueryEndSession() override
    {
        log.push_back("end session");
        return !keepSession;
    }
};

struct MainFrameWindowTest : ::testing::Test {
    fw::App app;
    Frame frame;
    fw::DocTemplate* tmpl = nullptr;
    void SetUp() override
    {
        tmpl = &app.addDocTemplate(std::make_unique<fw::DocTemplate>(
            7, [] { return std::make_unique<fw::Document>(); }, [] { return std::make_unique<fw::View>(); }));
        frame.resize(800, 600);
        frame.show();
    }
    void TearDown() override { app.deleteAllDocTemplates(); }
    bool enabled(uint32_t id)
    {
        fw::CmdUI ui(id, fw::CmdUI::Source::Menu);
        frame.routeUpdate(ui);
        return ui.enabled();
    }
};

constexpr uint32_t kWindowCommands[] = { fw::cmd::WindowArrange, fw::cmd::WindowCascade, fw::cmd::WindowTileHorz,
    fw::cmd::WindowTileVert, fw::cmd::WindowNext, fw::cmd::WindowCloseAll };

TEST_F(MainFrameWindowTest, WindowCommandsWorkOnlyWhileAChildIsActive)
{
    for (uint32_t id : kWindowCommands) {
        EXPECT_FALSE(enabled(id)) << id;
        EXPECT_FALSE(frame.onMenuCommand(id)) << id;
    }
    fw::Document* a = tmpl->openDocumentFile("");
    fw::Document* b = tmpl->openDocumentFile("");
    for (uint32_t id : kWindowCommands)
        EXPECT_TRUE(enabled(id)) << id;
    auto* fa = static_cast<fw::View*>(a->firstView())->parentFrame();
    auto* fb = static_cast<fw::View*>(b->firstView())->parentFrame();
    const QRect space = frame.mdiArea()->viewport()->rect();

    EXPECT_TRUE(frame.onMenuCommand(fw::cmd::WindowTileVert)); // side by side
    EXPECT_EQ(fa->geometry().height(), space.height());
    EXPECT_EQ(fa->geometry().width() + fb->geometry().width(), space.width());
    EXPECT_NE(fa->geometry().x(), fb->geometry().x());
    EXPECT_TRUE(frame.onMenuCommand(fw::cmd::WindowTileHorz)); // one above the other
    EXPECT_EQ(fa->geometry().width(), space.width());
    EXPECT_EQ(fa->geometry().height() + fb->geometry().height(), space.height());
    EXPECT_TRUE(frame.onMenuCommand(fw::cmd::WindowCascade));
    EXPECT_NE(fa->geometry().topLeft(), fb->geometry().topLeft());
    EXPECT_LT(fa->geometry().width(), space.width());

    frame.mdiArea()->setActiveSubWindow(fa);
    EXPECT_TRUE(frame.onMenuCommand(fw::cmd::WindowNext));
    EXPECT_EQ(frame.activeChild(), fb);

    EXPECT_TRUE(frame.onMenuCommand(fw::cmd::WindowCloseAll));
    fw::test::processEvents();
    EXPECT_EQ(tmpl->documentCount(), 0u);
    EXPECT_TRUE(frame.childFrames().empty());
    EXPECT_FALSE(enabled(fw::cmd::WindowCascade));
}

TEST_F(MainFrameWindowTest, AProgramsOwnHandlerReplacesTheDefault)
{
    tmpl->openDocumentFile("");
    int closeAll = 0;
    frame.commands().onCommand(fw::cmd::WindowCloseAll, [&] { ++closeAll; });
    EXPECT_TRUE(frame.onMenuCommand(fw::cmd::WindowCloseAll));
    EXPECT_EQ(closeAll, 1);
    EXPECT_EQ(tmpl->documentCount(), 1u);
}

TEST_F(MainFrameWindowTest, TheStatusBarToggles)
{
    fw::CmdUI shown(fw::cmd::ViewStatusBar, fw::CmdUI::Source::Menu);
    frame.routeUpdate(shown);
    EXPECT_TRUE(shown.enabled());
    EXPECT_EQ(shown.check(), 1);
    EXPECT_TRUE(frame.onMenuCommand(fw::cmd::ViewStatusBar));
    EXPECT_TRUE(frame.statusBar()->isHidden());
    fw::CmdUI hidden(fw::cmd::ViewStatusBar, fw::CmdUI::Source::Menu);
    frame.routeUpdate(hidden);
    EXPECT_EQ(hidden.check(), 0);
    EXPECT_TRUE(frame.onMenuCommand(fw::cmd::ViewStatusBar));
    EXPECT_FALSE(frame.statusBar()->isHidden());
}

TEST_F(MainFrameWindowTest, TheFrameMayRefuseItsOwnCloseAndWindowCommands)
{
    tmpl->openDocumentFile("");
    frame.refused = { fw::SysCommand::Close, fw::SysCommand::Maximize };
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.log, std::vector<std::string> { "sys 0" }); // refused before onClose ran
    frame.showMaximized();
    EXPECT_FALSE(frame.isMaximized());

    frame.refused.clear();
    frame.keepOpen = true;
    frame.log.clear();
    EXPECT_FALSE(frame.close());
    EXPECT_EQ(frame.log, (std::vector<std::string> { "sys 0", "close" }));
    EXPECT_EQ(tmpl->documentCount(), 1u);

    frame.keepOpen = false;
    EXPECT_TRUE(frame.close()); // the default closes every document
    fw::test::processEvents();
    EXPECT_EQ(tmpl->documentCount(), 0u);
}

TEST_F(MainFrameWindowTest, TheDesktopsSessionEndReachesTheFrame)
{
    EXPECT_TRUE(frame.endSessionRequested());
    frame.keepSession = true;
    EXPECT_FALSE(frame.endSessionRequested());
    EXPECT_EQ(frame.log, (std::vector<std::string> { "end session", "end session" }));
    // The desktop's request is wired to the frame (a session manager cannot be made in a test);
    // disconnecting finds the connection.
    EXPECT_TRUE(QObject::disconnect(qGuiApp, &QGuiApplication::commitDataRequest, &frame, nullptr));
}

} // namespace
