// Document templates by table id: built once per id on the first opening, and
// an id without a window opens nothing and says so.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fw/core/codepage.h"
#include "fw/core/msgbox.h"
#include "fw/test/fwtest.h"
#include "fw/ui/view.h"
#include "kv32/shell/app/kv_app.h"
#include "kv32/shell/app_settings.h"
#include "kvcore/app/session_core.h"
#include "support/scratch_dir.h"

namespace {

class TestDoc : public CTDoc { };
class TestView : public fw::View { };

class DocTemplates : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::setMessageBoxHook([this](const std::string& text, uint32_t) {
            boxes.push_back(fw::cp1250ToUtf8(text));
            return fw::IDOK;
        });
        dir.Write("kv32.ini", "[general]\nLogoPeriod=0\n");
        rows = { { 8, [this] {
                      ++documentsMade;
                      return std::make_unique<TestDoc>();
                  },
            [] { return std::make_unique<TestView>(); } } };
        app = std::make_unique<CKvApp>();
        app->m_aCommandLine = { "kv32", "/NOCHECKVERSION" };
        app->m_templateRows = rows;
        ASSERT_TRUE(app->start());
        ps = &session;
    }
    void TearDown() override
    {
        ps = nullptr;
        app->finish();
        app.reset();
        fw::setMessageBoxHook({});
        KvAppSettings() = CKvAppSettings();
    }

    kvtest::ScratchIniDir dir;
    fw::test::ManualClock clock;
    CSessionCore session;
    std::vector<CKvTemplateRow> rows;
    int documentsMade = 0;
    std::vector<std::string> boxes;
    std::unique_ptr<CKvApp> app;
};

TEST_F(DocTemplates, TemplateIsBuiltOnceAndKeptForItsId)
{
    EXPECT_EQ(app->FindDocTemplateID(8), nullptr) << "nothing is built before the first opening";
    CTDoc* first = app->OpenTable(8, true, true, nullptr);
    ASSERT_NE(first, nullptr);
    CTDocTemplate* tmpl = app->FindDocTemplateID(8);
    ASSERT_NE(tmpl, nullptr);
    EXPECT_EQ(tmpl->GetDocTemplateID(), 8u);
    EXPECT_NE(dynamic_cast<CKvDocTemplate*>(tmpl), nullptr);
    EXPECT_EQ(first->GetTableID(), 8u);
    // Opening again activates the window; opening a second one reuses the template.
    EXPECT_EQ(app->OpenTable(8, true, true, nullptr), first);
    CTDoc* second = app->OpenTable(8, false, true, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(app->GetDocTemplate(8), tmpl);
    size_t templatesOf8 = 0;
    for (const auto& t : app->docTemplates()) {
        if (auto* table = dynamic_cast<CTDocTemplate*>(t.get()); table != nullptr && table->GetDocTemplateID() == 8)
            ++templatesOf8;
    }
    EXPECT_EQ(templatesOf8, 1u);
    EXPECT_EQ(documentsMade, 2);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DocTemplates, IdWithoutAWindowOpensNothing)
{
    for (uint32_t id : { 0u, 1u, 4u, 24u, 31u, 35u, 36u, 37u, 42u, 6u }) {
        boxes.clear();
        EXPECT_EQ(app->OpenTable(id, true, true, nullptr), nullptr) << id;
        ASSERT_EQ(boxes.size(), 1u) << id;
        EXPECT_EQ(boxes[0].rfind("Can not open window due to low on Windows resources.", 0), 0u) << boxes[0];
        EXPECT_EQ(app->FindDocTemplateID(id), nullptr);
    }
    EXPECT_EQ(documentsMade, 0);
}

} // namespace

#include "kv32/shell/session.h"

namespace {

TEST_F(DocTemplates, SessionNamesTheMainWindowsLoggedOnBitmap)
{
    EXPECT_EQ(CSession::GetLoggedOnBitmapId(), 51u);
}

} // namespace
