#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/childframe.h"
#include "fw/ui/doctemplate.h"
#include "fw/ui/document.h"
#include "fw/ui/mainframe.h"
#include "fw/ui/view.h"

#include <QMdiArea>
#include <gtest/gtest.h>

namespace {

struct Doc : fw::Document {
    bool onNewDocument() override
    {
        setTitle("Orders");
        commands().onCommand(500, [this] { ++docCommands; });
        return true;
    }
    int docCommands = 0;
};

struct Update {
    fw::View* sender;
    intptr_t hint;
    fw::Hint* object;
};

struct RecView : fw::View {
    std::vector<Update> updates;
    void onUpdate(fw::View* sender, intptr_t hint, fw::Hint* object) override
    {
        updates.push_back({ sender, hint, object });
    }
};

struct DocViewTest : ::testing::Test {
    fw::App app;
    fw::MainFrame frame;
    fw::DocTemplate* tmpl = nullptr;
    void SetUp() override
    {
        tmpl = &app.addDocTemplate(std::make_unique<fw::DocTemplate>(
            7, [] { return std::make_unique<Doc>(); }, [] { return std::make_unique<RecView>(); }));
        frame.resize(800, 600);
        frame.show();
    }
    RecView* viewOf(fw::Document* d) { return static_cast<RecView*>(d->firstView()); }
};

TEST_F(DocViewTest, TwoDocumentsOfOneTemplateBothGetUpdates)
{
    fw::Document* a = tmpl->openDocumentFile("");
    fw::Document* b = tmpl->openDocumentFile("");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(tmpl->documentCount(), 2u);
    EXPECT_EQ(frame.childFrames().size(), 2u);
    // The initial update reached each view once.
    EXPECT_EQ(viewOf(a)->updates.size(), 1u);
    EXPECT_EQ(frame.childFrames()[0]->windowTitle(), QStringLiteral("Orders"));

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
}

TEST_F(DocViewTest, ClosingTheLastFrameDestroysTheDocument)
{
    fw::Document* a = tmpl->openDocumentFile("");
    ASSERT_TRUE(a);
    std::weak_ptr<void> life = a->lifeToken();
    a->firstView()->parentFrame()->close();
    fw::test::processEvents();
    EXPECT_EQ(tmpl->documentCount(), 0u);
    EXPECT_TRUE(life.expired());
    EXPECT_TRUE(frame.childFrames().empty());
}

TEST_F(DocViewTest, OnCloseDocumentClosesEveryFrame)
{
    fw::Document* a = tmpl->openDocumentFile("");
    tmpl->createFrame(*a);
    EXPECT_EQ(frame.childFrames().size(), 2u);
    a->onCloseDocument();
    fw::test::processEvents();
    EXPECT_TRUE(frame.childFrames().empty());
    EXPECT_EQ(tmpl->documentCount(), 0u);
}

TEST_F(DocViewTest, FrameCommandsRouteThroughActiveViewAndDocument)
{
    auto* a = static_cast<Doc*>(tmpl->openDocumentFile(""));
    auto* b = static_cast<Doc*>(tmpl->openDocumentFile(""));
    frame.mdiArea()->setActiveSubWindow(b->firstView()->parentFrame());
    EXPECT_EQ(frame.activeView(), b->firstView());
    EXPECT_TRUE(frame.onMenuCommand(500));
    EXPECT_EQ(b->docCommands, 1);
    EXPECT_EQ(a->docCommands, 0);
    int frameCommands = 0;
    frame.commands().onCommand(600, [&] { ++frameCommands; });
    EXPECT_TRUE(frame.onMenuCommand(600));
    EXPECT_EQ(frameCommands, 1);
    app.commands().onCommand(700, [&] { frameCommands += 10; });
    EXPECT_TRUE(frame.onMenuCommand(700));
    EXPECT_EQ(frameCommands, 11);
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
