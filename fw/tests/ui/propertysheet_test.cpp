#include "fw/core/resources.h"
#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/dataexchange.h"
#include "fw/ui/propertysheet.h"

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

enum : uint32_t { kPageA = 64101, kPageB = 64102, kEdit = 1001 };
constexpr fw::ControlDef kPageControls[] = { { kEdit, fw::ControlKind::Edit, 0, 0 } };
constexpr fw::DialogTemplate kPages[] = { { kPageA, "General", "Általános", kPageControls },
                                          { kPageB, "Colors", "Színek", kPageControls } };
const fw::ResourceSet kSet { "fw_ui_tests_sheet", {}, kPages };

struct Page : fw::PropertyPage {
    explicit Page(uint32_t id) : fw::PropertyPage(id)
    {
        commands().onNotify(kEdit, fw::Notify::Change, [this] {
            if (ready)
                setModified();
        });
    }
    bool onInitDialog() override
    {
        fw::PropertyPage::onInitDialog();
        ready = true;
        return true;
    }
    void doDataExchange(fw::DataExchange& dx) override { dx.integer(kEdit, value, 0, 100); }
    bool onApply() override
    {
        ++applied;
        return true;
    }
    bool ready = false;
    int32_t value = 5;
    int applied = 0;
};

struct PropertySheetTest : ::testing::Test {
    fw::App app;
    static void SetUpTestSuite() { fw::addResources(kSet); }
};

TEST_F(PropertySheetTest, ApplyIsEnabledByChangesAndAppliesShownPagesOnly)
{
    Page a(kPageA), b(kPageB);
    fw::PropertySheet sheet("Customize");
    sheet.addPage(a);
    sheet.addPage(b);
    int result = fw::test::runModal(sheet, [&](fw::Dialog&) {
        EXPECT_EQ(sheet.activeIndex(), 0);
        EXPECT_FALSE(b.activated());
        EXPECT_FALSE(sheet.isApplyEnabled());
        a.userType(kEdit, "42");
        EXPECT_TRUE(sheet.isApplyEnabled());
        sheet.userClick(fw::kIdApplyNow);
        EXPECT_EQ(a.value, 42);
        EXPECT_EQ(a.applied, 1);
        EXPECT_FALSE(sheet.isApplyEnabled());
        sheet.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(a.applied, 1) << "nothing changed since Apply";
    EXPECT_EQ(b.applied, 0);
}

TEST_F(PropertySheetTest, AnInvalidPageCannotBeLeft)
{
    Page a(kPageA), b(kPageB);
    fw::PropertySheet sheet("Customize");
    sheet.addPage(a);
    sheet.addPage(b);
    fw::test::Script script;
    script.answerMessageBox(fw::IDOK);
    fw::test::runModal(sheet, [&](fw::Dialog&) {
        a.userType(kEdit, "500");
        EXPECT_FALSE(sheet.setActivePage(1));
        EXPECT_EQ(sheet.activeIndex(), 0);
        a.userType(kEdit, "50");
        EXPECT_TRUE(sheet.setActivePage(1));
        EXPECT_TRUE(b.activated());
        sheet.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(script.messageBoxes().size(), 1u);
    EXPECT_EQ(a.applied, 0);
}

TEST_F(PropertySheetTest, EnterInsideAPageClosesTheSheetNotThePage)
{
    Page a(kPageA);
    fw::PropertySheet sheet("Customize");
    sheet.addPage(a);
    int result = fw::test::runModal(sheet, [&](fw::Dialog&) {
        a.userType(kEdit, "7");
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&a, &enter);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(a.value, 7);
    EXPECT_EQ(a.applied, 1);
}

} // namespace

namespace {

// A sheet built in one place from pages that live in several: pages put in front keep their
// place, and a page that goes before the sheet leaves it.
TEST_F(PropertySheetTest, InsertedPagesComeFirstAndAGonePageLeavesTheSheet)
{
    Page a(kPageA);
    fw::PropertySheet sheet("Customize");
    sheet.addPage(a);
    {
        Page b(kPageB), c(kPageB);
        sheet.insertPage(0, b);
        sheet.insertPage(1, c);
        ASSERT_EQ(sheet.pageCount(), 3);
        EXPECT_EQ(sheet.page(0), &b);
        EXPECT_EQ(sheet.page(1), &c);
        EXPECT_EQ(sheet.page(2), &a);
        sheet.insertPage(99, c); // moved to the end
        ASSERT_EQ(sheet.pageCount(), 3);
        EXPECT_EQ(sheet.page(1), &a);
        EXPECT_EQ(sheet.page(2), &c);
    }
    ASSERT_EQ(sheet.pageCount(), 1);
    EXPECT_EQ(sheet.page(0), &a);
    int result = fw::test::runModal(sheet, [&](fw::Dialog&) {
        EXPECT_EQ(sheet.activeIndex(), 0);
        sheet.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(result, fw::IDCANCEL);
}

} // namespace
