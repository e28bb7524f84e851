#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/childframe.h"
#include "fw/ui/doctemplate.h"
#include "fw/ui/document.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/view.h"

#include <QAction>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMenu>
#include <QShortcutEvent>
#include "fw/core/resources.h"
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

namespace {

// What happened, in order, across documents, frames and views.
std::vector<std::string> g_log;

struct Doc : fw::Document {
    Doc() { g_log.push_back("document"); }
    bool onNewDocument() override
    {
        // The windows exist already, none updated yet.
        g_log.push_back("onNewDocument views=" + std::to_string(views().size()));
        setTitle("Orders");
        commands().onCommand(500, [this] { ++docCommands; });
        return refuse == 0;
    }
    void onCloseDocument() override;
    int docCommands = 0;
    int refuse = 0;
};

struct Update {
    fw::View* sender;
    intptr_t hint;
    fw::Hint* object;
};

struct RecView : fw::View {
    RecView() { g_log.push_back("view"); }
    std::vector<Update> updates;
    void onInitialUpdate() override
    {
        g_log.push_back("initial update, frame shown=" + std::to_string(parentFrame()->isVisible()));
        fw::View::onInitialUpdate();
    }
    void onUpdate(fw::View* sender, intptr_t hint, fw::Hint* object) override
    {
        updates.push_back({ sender, hint, object });
    }
};

void Doc::onCloseDocument()
{
    // Frame and view still exist while the document closes.
    auto* view = static_cast<RecView*>(firstView());
    g_log.push_back(std::string("onCloseDocument ") + title() + (view && view->parentFrame() ? " with window" : " without window"));
    fw::Document::onCloseDocument();
}

// A frame whose hooks say what the user may do.
struct Frame : fw::ChildFrame {
    explicit Frame(std::unique_ptr<fw::View> view) : fw::ChildFrame(std::move(view)) { g_log.push_back("frame"); }
    bool allowSysCommand(fw::SysCommand command) override { return !refused.count(command); }
    void onActivate(bool active) override { activations.push_back(active); }
    void onMinimize(bool minimized) override { minimizes.push_back(minimized); }
    std::set<fw::SysCommand> refused;
    std::vector<bool> activations;
    std::vector<bool> minimizes;
};

struct DocViewTest : ::testing::Test {
    fw::App app;
    fw::MainFrame frame;
    fw::DocTemplate* tmpl = nullptr;
    void SetUp() override
    {
        g_log.clear();
        tmpl = &app.addDocTemplate(std::make_unique<fw::DocTemplate>(
            7, [] { return std::make_unique<Doc>(); }, [] { return std::make_unique<RecView>(); },
            [](std::unique_ptr<fw::View> view) { return std::make_unique<Frame>(std::move(view)); }));
        frame.resize(800, 600);
        frame.show();
    }
    void TearDown() override { app.deleteAllDocTemplates(); }
    static RecView* viewOf(fw::Document* d) { return static_cast<RecView*>(d->firstView()); }
    static Frame* frameOf(fw::Document* d) { return static_cast<Frame*>(viewOf(d)->parentFrame()); }
    Doc* open() { return static_cast<Doc*>(tmpl->openDocumentFile("")); }
};

TEST_F(DocViewTest, ADocumentIsMadeThenItsWindowsThenOpenedThenUpdated)
{
    Doc* a = open();
    ASSERT_TRUE(a);
    EXPECT_EQ(g_log, (std::vector<std::string> { "document", "view", "frame", "onNewDocument views=1",
                         "initial update, frame shown=0" }));
    EXPECT_TRUE(frameOf(a)->isVisible());
    EXPECT_EQ(frameOf(a)->windowTitle(), QStringLiteral("Orders"));
}

TEST_F(DocViewTest, ADocumentThatRefusesToOpenTakesItsWindowsWithIt)
{
    struct Refusing : fw::DocTemplate {
        using fw::DocTemplate::DocTemplate;
        std::unique_ptr<fw::Document> createNewDocument() override
        {
            auto doc = fw::DocTemplate::createNewDocument();
            static_cast<Doc*>(doc.get())->refuse = 1;
            ++created;
            return doc;
        }
        int created = 0;
    };
    auto& refusing = static_cast<Refusing&>(app.addDocTemplate(std::make_unique<Refusing>(
        8, [] { return std::make_unique<Doc>(); }, [] { return std::make_unique<RecView>(); })));
    EXPECT_EQ(refusing.openDocumentFile(""), nullptr);
    fw::test::processEvents();
    EXPECT_EQ(refusing.created, 1);
    EXPECT_EQ(refusing.documentCount(), 0u);
    EXPECT_TRUE(frame.childFrames().empty());
    // It never opened, so it never closes.
    EXPECT_EQ(std::count_if(g_log.begin(), g_log.end(), [](const std::string& s) { return s.starts_with("onCloseDocument"); }), 0);
}

TEST_F(DocViewTest, TwoDocumentsOfOneTemplateBothGetUpdates)
{
    fw::Document* a = open();
    fw::Document* b = open();
    ASSERT_TRUE(a && b);
    EXPECT_EQ(tmpl->documentCount(), 2u);
    EXPECT_EQ(frame.childFrames().size(), 2u);
    // The initial update reached each view once.
    EXPECT_EQ(viewOf(a)->updates.size(), 1u);

    fw::RowHint hint(3);
    hint.AddRow(1);
    tmpl->updateAllViews(nullptr, 5, &hint);
    for (fw::Document* d : { a, b }) {
        ASSERT_EQ(viewOf(d)->updates.size(), 2u);
        EXPECT_EQ(viewOf(d)->updates.back().hint, 5);
        EXPECT_EQ(viewOf(d)->updates.back().object, &hint);
    }
    // The sender is left out.
    tmpl->createFrame(*a);
    ASSERT_EQ(a->views().size(), 2u);
    auto* second = static_cast<RecView*>(a->views()[1]);
    a->updateAllViews(viewOf(a), 9, nullptr);
    EXPECT_EQ(viewOf(a)->updates.back().hint, 5);
    EXPECT_EQ(second->updates.back().hint, 9);
    EXPECT_EQ(second->updates.back().sender, viewOf(a));
}

TEST_F(DocViewTest, ClosingTheLastWindowClosesTheDocumentWhileItsWindowExists)
{
    Doc* a = open();
    tmpl->createFrame(*a);
    std::weak_ptr<void> life = a->lifeToken();
    g_log.clear();
    // The first of two windows: the document stays.
    static_cast<RecView*>(a->views()[1])->parentFrame()->close();
    fw::test::processEvents();
    EXPECT_TRUE(g_log.empty());
    EXPECT_EQ(tmpl->documentCount(), 1u);
    // The last one closes it, with frame and view still there.
    frameOf(a)->close();
    fw::test::processEvents();
    EXPECT_EQ(g_log, (std::vector<std::string> { "onCloseDocument Orders with window" }));
    EXPECT_EQ(tmpl->documentCount(), 0u);
    EXPECT_TRUE(life.expired());
    EXPECT_TRUE(frame.childFrames().empty());
}

TEST_F(DocViewTest, OnCloseDocumentClosesEveryWindow)
{
    fw::Document* a = open();
    tmpl->createFrame(*a);
    EXPECT_EQ(frame.childFrames().size(), 2u);
    a->onCloseDocument();
    fw::test::processEvents();
    EXPECT_TRUE(frame.childFrames().empty());
    EXPECT_EQ(tmpl->documentCount(), 0u);
}

TEST_F(DocViewTest, CloseAllDocumentsClosesTheFirstOpenedFirst)
{
    for (const char* title : { "A", "B", "C" })
        open()->setTitle(title);
    g_log.clear();
    app.closeAllDocuments();
    EXPECT_EQ(g_log, (std::vector<std::string> { "onCloseDocument A with window", "onCloseDocument B with window",
                         "onCloseDocument C with window" }));
    EXPECT_EQ(tmpl->documentCount(), 0u);
    tmpl->closeAllDocuments(); // nothing left: nothing happens
}

TEST_F(DocViewTest, AFrameHookRefusesWindowCommands)
{
    Doc* a = open();
    Frame* f = frameOf(a);
    f->refused = { fw::SysCommand::Close, fw::SysCommand::Minimize, fw::SysCommand::Maximize };
    // Close from the button, the window menu or the keys all arrive as a close request.
    EXPECT_FALSE(f->close());
    EXPECT_FALSE(f->sysCommand(fw::SysCommand::Close));
    fw::test::processEvents();
    EXPECT_EQ(tmpl->documentCount(), 1u);
    ASSERT_EQ(frame.childFrames().size(), 1u);
    EXPECT_TRUE(f->isVisible());
    // The title bar buttons change the state directly; a refused change is undone.
    f->showMinimized();
    EXPECT_FALSE(f->isMinimized());
    EXPECT_FALSE(f->sysCommand(fw::SysCommand::Maximize));
    f->showMaximized();
    EXPECT_FALSE(f->isMaximized());
    EXPECT_TRUE(f->minimizes.empty());

    // Allowed again, the same requests work and the minimise hook sees them.
    f->refused.clear();
    EXPECT_TRUE(f->sysCommand(fw::SysCommand::Minimize));
    EXPECT_TRUE(f->isMinimized());
    EXPECT_TRUE(f->sysCommand(fw::SysCommand::Restore));
    EXPECT_FALSE(f->isMinimized());
    EXPECT_EQ(f->minimizes, (std::vector<bool> { true, false }));
    EXPECT_TRUE(f->sysCommand(fw::SysCommand::Close));
    fw::test::processEvents();
    EXPECT_EQ(tmpl->documentCount(), 0u);
}

// The window menu greys out what the hook refuses, and its keys do nothing.
TEST_F(DocViewTest, TheWindowMenuAsksTheHookToo)
{
    Frame* f = frameOf(open());
    f->refused = { fw::SysCommand::Minimize, fw::SysCommand::Move };
    QMenu* menu = f->systemMenu();
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    std::map<QString, bool> enabled;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            enabled[a->text().remove(QLatin1Char('&'))] = a->isEnabled();
    EXPECT_FALSE(enabled.at("Minimize"));
    EXPECT_FALSE(enabled.at("Move"));
    EXPECT_TRUE(enabled.at("Close"));
    EXPECT_FALSE(enabled.count("Stay on Top")); // staying on top is the frame's own
    for (QAction* a : menu->actions())
        if (a->text().remove(QLatin1Char('&')) == "Minimize") {
            QShortcutEvent key(a->shortcut(), 0);
            QCoreApplication::sendEvent(a, &key);
        }
    EXPECT_FALSE(f->isMinimized());
}

constexpr const char* kDot[] = { "2 2 1 1", "x c #00FF00", "xx", "xx" };
constexpr fw::IconResource kIcons[] = { { 7, kDot } };
const fw::ResourceSet kIconSet { "docview_test", {}, {}, {}, {}, kIcons };

TEST_F(DocViewTest, FramesShowTheIconOfTheirTemplate)
{
    fw::addResources(kIconSet);
    Frame* f = frameOf(open());
    ASSERT_FALSE(f->windowIcon().isNull());
    EXPECT_EQ(f->windowIcon().pixmap(2, 2).toImage().pixel(0, 0), qRgb(0, 255, 0));
}

TEST_F(DocViewTest, AlwaysOnTopHoldsAcrossActivation)
{
    Doc* a = open();
    Doc* b = open();
    Doc* c = open();
    frameOf(a)->setAlwaysOnTop(true);
    EXPECT_TRUE(frameOf(a)->isAlwaysOnTop());
    for (Doc* d : { b, c, b }) {
        frame.mdiArea()->setActiveSubWindow(frameOf(d));
        EXPECT_EQ(frame.activeChild(), frameOf(d));
        EXPECT_EQ(frame.childFrames(true).front(), frameOf(a));
        EXPECT_EQ(frame.childFrames(true)[1], frameOf(d)); // next under the one on top
    }
    EXPECT_EQ(frameOf(b)->activations.back(), true);
    // Another frame takes the state over; closing it leaves none on top.
    frameOf(c)->setAlwaysOnTop(true);
    EXPECT_FALSE(frameOf(a)->isAlwaysOnTop());
    frame.mdiArea()->setActiveSubWindow(frameOf(a));
    EXPECT_EQ(frame.childFrames(true).front(), frameOf(c));
    frameOf(c)->close();
    fw::test::processEvents();
    EXPECT_EQ(fw::ChildFrame::alwaysOnTopFrame(), nullptr);
}

TEST_F(DocViewTest, TheCaptionGoesAndComesBack)
{
    Frame* f = frameOf(open());
    EXPECT_TRUE(f->hasCaption());
    f->setCaption(false);
    EXPECT_FALSE(f->hasCaption());
    EXPECT_TRUE(f->isVisible());
    f->setCaption(true);
    EXPECT_TRUE(f->hasCaption());
}

TEST_F(DocViewTest, CommandsRouteThroughViewDocumentFrameMainFrameAndApplication)
{
    Doc* a = open();
    Doc* b = open();
    frame.mdiArea()->setActiveSubWindow(frameOf(b));
    EXPECT_EQ(frame.activeView(), b->firstView());
    EXPECT_TRUE(frame.onMenuCommand(500));
    EXPECT_EQ(b->docCommands, 1);
    EXPECT_EQ(a->docCommands, 0);
    std::vector<std::string> ran;
    frameOf(b)->commands().onCommand(500, [&] { ran.push_back("child frame"); });
    frameOf(b)->commands().onCommand(550, [&] { ran.push_back("child frame"); });
    frame.commands().onCommand(550, [&] { ran.push_back("main frame"); });
    frame.commands().onCommand(600, [&] { ran.push_back("main frame"); });
    app.commands().onCommand(700, [&] { ran.push_back("application"); });
    for (uint32_t id : { 500u, 550u, 600u, 700u })
        EXPECT_TRUE(frame.onMenuCommand(id));
    EXPECT_EQ(b->docCommands, 2); // the document comes before its frame
    EXPECT_EQ(ran, (std::vector<std::string> { "child frame", "main frame", "application" }));
    // The frame's own route is the same.
    EXPECT_EQ(frameOf(b)->route().front(), static_cast<fw::CmdTarget*>(viewOf(b)));
}

TEST(RowHint, FlagsGrowAndReadBeyondTheEndAsUnchanged)
{
    fw::RowHint h(2);
    EXPECT_EQ(h.GetRow(5), 0);
    h.AddRow(5);
    EXPECT_EQ(h.GetSize(), 6);
    EXPECT_EQ(h.GetRow(5), 1);
    h.ClearRow(5);
    h.ClearRow(100);
    EXPECT_EQ(h.GetRow(5), 0);
    h.AddRow(0);
    h.Clear();
    EXPECT_EQ(h.GetRow(0), 0);
    EXPECT_EQ(h.GetSize(), 6);
}

} // namespace
