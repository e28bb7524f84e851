// Documents and templates without any window: window-less views (such as a spreadsheet kept in
// step with a table) follow the document but never keep it open.
#include "fw/core/document.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

struct Doc : fw::Document {
    bool onNewDocument() override
    {
        g_log.push_back("new");
        return true;
    }
    void onCloseDocument() override
    {
        g_log.push_back("close " + title());
        fw::Document::onCloseDocument();
    }
};

struct SheetView : fw::DocumentView {
    std::vector<intptr_t> hints;
    void onDocumentUpdate(fw::DocumentView*, intptr_t hint, fw::Hint*) override { hints.push_back(hint); }
};

// A window as far as the document is concerned.
struct WindowView : SheetView {
    bool isWindow() const override { return true; }
};

struct Template : fw::DocTemplateBase {
    Template() : fw::DocTemplateBase(1, [] { return std::make_unique<Doc>(); }) {}
    std::vector<std::unique_ptr<SheetView>> sheets;
    bool createWindows(fw::Document& doc, bool) override
    {
        sheets.push_back(std::make_unique<SheetView>());
        sheets.back()->setDocument(&doc);
        g_log.push_back("windows");
        return true;
    }
};

TEST(Document, AWindowLessTemplateOpensUpdatesAndClosesDocuments)
{
    g_log.clear();
    Template t;
    fw::Document* a = t.openDocumentFile("");
    ASSERT_NE(a, nullptr);
    a->setTitle("A");
    t.openDocumentFile("")->setTitle("B");
    EXPECT_EQ(g_log, (std::vector<std::string> { "windows", "new", "windows", "new" }));
    // The initial update, then the template's.
    t.updateAllViews(nullptr, 4, nullptr);
    EXPECT_EQ(t.sheets[0]->hints, (std::vector<intptr_t> { 0, 4 }));
    g_log.clear();
    t.closeAllDocuments();
    EXPECT_EQ(g_log, (std::vector<std::string> { "close A", "close B" }));
    EXPECT_EQ(t.documentCount(), 0u);
    // Closing the document let its window-less views go.
    EXPECT_EQ(t.sheets[0]->document(), nullptr);
}

TEST(Document, TheLastWindowLeavingClosesTheDocument)
{
    g_log.clear();
    Template t;
    fw::Document* doc = t.openDocumentFile("");
    doc->setTitle("A");
    auto first = std::make_unique<WindowView>();
    auto second = std::make_unique<WindowView>();
    first->setDocument(doc);
    second->setDocument(doc);
    EXPECT_TRUE(doc->hasWindow());
    g_log.clear();
    first.reset();
    EXPECT_TRUE(g_log.empty());
    // The window-less view is still there, yet the last window takes the document with it.
    second.reset();
    EXPECT_EQ(g_log, std::vector<std::string> { "close A" });
    EXPECT_EQ(t.documentCount(), 0u);
    EXPECT_EQ(t.sheets[0]->document(), nullptr);
}

} // namespace
