// Documents and templates without any window: window-less views (such as a spreadsheet kept in
// step with a table) follow the document but never keep it open.
#include "fw/core/document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
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

namespace {

// A hint against a plain set of flags and ranges: after every step of a random run, each row
// reads as the reference says, and the listed rows are exactly the flagged ones, ascending.
struct HintRun {
    unsigned seed;
    int size;
    int steps;
};

TEST(RowHint, ListAndRangesFollowTheFlagsThroughARandomRun)
{
    for (const HintRun run : { HintRun { 1, 40, 400 }, HintRun { 2, 5, 200 }, HintRun { 3, 300, 600 } }) {
        std::mt19937 rng(run.seed);
        fw::RowHint hint(run.size);
        std::set<int> flagged, ranged; // ranges are kept past the size
        int size = run.size;
        for (int step = 0; step < run.steps; ++step) {
            const int row = static_cast<int>(rng() % static_cast<unsigned>(size + 3));
            switch (rng() % 7) {
            case 0:
            case 1:
                hint.AddRow(row);
                flagged.insert(row);
                size = std::max(size, row + 1);
                break;
            case 2:
                hint.ClearRow(row);
                if (row < size) {
                    flagged.erase(row);
                    ranged.erase(row);
                }
                break;
            case 3: {
                const int last = row + static_cast<int>(rng() % 6);
                hint.AddRange(row, last);
                for (int r = row; r <= last; ++r)
                    ranged.insert(r);
                break;
            }
            case 4:
                if (rng() % 4 == 0) {
                    hint.Clear();
                    flagged.clear();
                    ranged.clear();
                }
                break;
            case 5:
                size = 1 + static_cast<int>(rng() % static_cast<unsigned>(run.size + 5));
                hint.SetSize(size);
                flagged.erase(flagged.lower_bound(size), flagged.end());
                break;
            default:
                ASSERT_EQ(hint.Rows(), std::vector<int>(flagged.begin(), flagged.end()))
                    << "seed " << run.seed << " step " << step;
            }
            ASSERT_EQ(hint.GetSize(), size);
            for (int r = -1; r <= size + 2; ++r)
                ASSERT_EQ(hint.GetRow(r), r >= 0 && r < size && (flagged.count(r) || ranged.count(r)) ? 1 : 0)
                    << "seed " << run.seed << " step " << step << " row " << r;
        }
    }
}

} // namespace
