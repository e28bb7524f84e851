// The logged-on menu: every item reaches a handler of the program, the items of list-window
// commands leave it when no window handles them, and the options sheet carries the program's
// page after the frame's own.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fw/core/menu.h"
#include "fw/core/msgbox.h"
#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "fw/test/fwtest.h"
#include "fw/ui/propertysheet.h"
#include "kv32/dialogs/alerts/alert_openers.h"
#include "kv32/res/alert_dialog_ids.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/shell/app/kv_app.h"
#include "kv32/shell/app/main_frame.h"
#include "kv32/shell/app/main_menu.h"
#include "kv32/shell/command_bindings.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/session.h"
#include "kvcore/app/main_frame_logic.h"
#include "kvcore/res/grid_ids.h"
#include "kvcore/res/table_ids.h"
#include "support/scratch_dir.h"

namespace {

class MainMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        fw::setMessageBoxHook([](const std::string&, uint32_t) { return fw::IDOK; });
        dir.Write("kv32.ini", "[general]\nLogoPeriod=0\n");
        app = std::make_unique<CKvApp>();
        app->m_aCommandLine = { "kv32", "/NOCHECKVERSION" };
        ASSERT_TRUE(app->start());
        frame = dynamic_cast<CMainFrame*>(app->GetMainFrame());
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override
    {
        app->finish();
        app.reset();
        fw::setMessageBoxHook({});
        KvAppSettings() = CKvAppSettings();
    }
    static void Commands(const fw::Menu& menu, std::vector<uint32_t>& out)
    {
        for (const fw::Menu& item : menu.items()) {
            if (item.isPopup())
                Commands(item, out);
            else if (!item.isSeparator())
                out.push_back(item.id());
        }
    }
    static fw::Menu LoggedOnMenu()
    {
        const fw::MenuTemplate* tmpl = fw::findMenu(IDR_KV_LOGGED_ON);
        return tmpl != nullptr ? fw::buildMenu(*tmpl, fw::language()) : fw::Menu();
    }

    kvtest::ScratchIniDir dir;
    fw::test::ManualClock clock;
    std::unique_ptr<CKvApp> app;
    CMainFrame* frame = nullptr;
};

TEST_F(MainMenu, EveryItemReachesAHandlerOrLeavesWithNoWindowToHandleIt)
{
    const fw::Menu menu = LoggedOnMenu();
    std::vector<uint32_t> ids;
    Commands(menu, ids);
    ASSERT_GT(ids.size(), 60u);
    // The commands of the active list window itself.
    const std::set<uint32_t> viewCommands { ID_OPTIONS_DISPLAYORDER, ID_OPTIONS_POPUP, ID_OPTIONS_TITLE, ID_OPTIONS_COLOR };
    const std::span<const unsigned> windowOnly = KvWindowOnlyCommands();
    std::set<uint32_t> seen;
    for (const uint32_t id : ids) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(seen.insert(id).second) << "listed twice";
        fw::CmdUI ui(id, fw::CmdUI::Source::Menu);
        frame->routeUpdate(ui);
        const bool windowCommand = std::find(windowOnly.begin(), windowOnly.end(), id) != windowOnly.end();
        if (windowCommand) {
            EXPECT_TRUE(ui.removed());
            continue;
        }
        EXPECT_FALSE(ui.removed());
        EXPECT_TRUE(frame->hasCommandHandler(id) || viewCommands.count(id) == 1);
    }
    // Every list window the program opens by a command is on the menu.
    for (const CKvOpenCommand& open : KvOpenCommands())
        EXPECT_EQ(seen.count(open.commandId), 1u) << open.commandId;
}

TEST_F(MainMenu, TheEditMenuKeepsOnlyWhatNoWindowIsNeededForWhenShown)
{
    frame->SetInterface(IDR_KV_LOGGED_ON);
    fw::Menu* edit = frame->menuModel().findPopup("Edit");
    ASSERT_NE(edit, nullptr);
    const fw::Menu shown = frame->preparePopup(*edit);
    std::vector<uint32_t> ids;
    Commands(shown, ids);
    EXPECT_EQ(ids, (std::vector<uint32_t> { 33097, 33098, 32975, 32976 }));
    // Both languages name every item.
    for (const fw::Language language : { fw::Language::English, fw::Language::Hungarian }) {
        const fw::Menu built = fw::buildMenu(*fw::findMenu(IDR_KV_LOGGED_ON), language);
        std::vector<uint32_t> all;
        Commands(built, all);
        for (const uint32_t id : all)
            EXPECT_FALSE(built.find(id)->plainText().empty()) << id;
    }
}

TEST_F(MainMenu, TheCustomizeSheetEndsWithTheDefaultSelectionPage)
{
    fw::PropertySheet sheet("Customize", frame);
    std::vector<uint32_t> pages;
    fw::Dialog::setModalHook([&](fw::Dialog& d) {
        auto& shown = dynamic_cast<fw::PropertySheet&>(d);
        for (int i = 0; i < shown.pageCount(); ++i)
            pages.push_back(shown.page(i)->templateId());
        shown.userClick(fw::kIdCancel);
    });
    frame->DoCustomize(sheet);
    fw::Dialog::setModalHook({});
    ASSERT_EQ(pages.size(), 5u);
    EXPECT_EQ(pages.back(), IDD_DEFAULT_SELECTION);
}

// About opens at any time; the bench setup only within a session.
TEST_F(MainMenu, AboutAndBenchSetupOpenTheirDialogs)
{
    std::vector<uint32_t> shown;
    fw::Dialog::setModalHook([&](fw::Dialog& d) {
        shown.push_back(d.templateId());
        d.onCancel();
    });
    for (const unsigned idr : { IDR_KV_LOGGED_OFF, IDR_KV_LOGGED_ON }) {
        frame->SetInterface(idr);
        EXPECT_NE(frame->menuModel().find(ID_KV_APP_ABOUT), nullptr) << idr;
    }
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, ID_KV_APP_ABOUT));
    fw::App::runCommandIfEnabled(frame, ID_KV_BENCH_SETUP);
    fw::Dialog::setModalHook({});
    EXPECT_EQ(shown, (std::vector<uint32_t> { IDD_ABOUT }));
}

TEST_F(MainMenu, SecuritiesRunsTheSecuritySelection)
{
    std::vector<uint32_t> shown;
    fw::Dialog::setModalHook([&](fw::Dialog& d) {
        shown.push_back(d.templateId());
        d.onCancel();
    });
    frame->SetInterface(IDR_KV_LOGGED_ON);
    EXPECT_NE(frame->menuModel().find(ID_SECURITIES_SELECTION), nullptr);
    EXPECT_TRUE(fw::App::runCommandIfEnabled(frame, ID_SECURITIES_SELECTION));
    fw::Dialog::setModalHook({});
    EXPECT_EQ(shown, (std::vector<uint32_t> { IDD_ALERT_SELECT }));
}

} // namespace

namespace {

// The supervisors' commands of the Edit menu open their dialogs within a session.
TEST_F(MainMenu, SuspendReferencePriceAndTradingEventOpenTheirDialogs)
{
    std::vector<uint32_t> shown;
    fw::Dialog::setModalHook([&](fw::Dialog& d) {
        shown.push_back(d.templateId());
        d.onCancel();
    });
    const uint32_t commands[] = { 32880, 32881, 33097, 33098, 33077, 33187, 33188, 32882 };
    for (uint32_t id : commands)
        (*app->commands().findCommand(id))(id);
    EXPECT_TRUE(shown.empty()) << "no session";
    CSession session("SUPER1");
    ps = &session;
    const fw::Menu menu = LoggedOnMenu();
    for (uint32_t id : commands) {
        EXPECT_NE(menu.find(id), nullptr) << id;
        (*app->commands().findCommand(id))(id);
    }
    ps = nullptr;
    fw::Dialog::setModalHook({});
    EXPECT_EQ(shown, (std::vector<uint32_t> { 242, 242, 242, 242, 235, 235, 235, 148 }));
}

} // namespace
