// The tick up or down dialog offscreen over the scripted router: its record,
// when OK may be pressed, the "All" boxes and the presets of the windows.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "deal_dialogs/deal_fixture.h"
#include "fw/test/fwtest.h"
#include "fw/core/command.h"
#include "kv32/dialogs/market_commands.h"
#include "kv32/dialogs/mm_tick_dlg.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/market_dialogs_ids.h"
#include "kv32/tables/right_table.h"
#include "kv32/trading/tick_form.h"
#include "support/kv32_fixture.h"

namespace {

using namespace dealtest;
using kv32test::Msg;

const std::string kUser = "TRADER01    ";

std::string Pad(std::string text, size_t width)
{
    text.resize(width, ' ');
    return text;
}

void Choose(fw::Dialog& d, uint32_t id, const std::string& text)
{
    d.userSelect(id, d.findStringExact(id, -1, text));
}

class TickDialog : public kv32test::Kv32Fixture {
protected:
    TickDialog() { FillMarket(); }
    ~TickDialog() override { ClearMarket(); }
    std::vector<std::string> Ticks() const
    {
        std::vector<std::string> sent;
        for (const Msg& m : router.Requests())
            if (m.type == kTickTransaction)
                sent.push_back(m.bytes);
        return sent;
    }
    DealSession deal;
};

TEST(TickRules, OkNeedsDirectionTicksAndASide)
{
    struct Case {
        int direction;
        const char* ticks;
        bool buy, sell;
        bool ok;
    };
    const Case cases[] = {
        { kTickNone, "3", true, true, false },
        { kTickUp, "", true, true, false },
        { kTickDown, "3", false, false, false },
        { kTickUp, "3", true, false, true },
        { kTickDown, "3", false, true, true },
        { kTickDown, "0", true, true, true },
    };
    for (const Case& c : cases)
        EXPECT_EQ(TickOkEnabled(c.direction, c.ticks, c.buy, c.sell), c.ok)
            << c.direction << " '" << c.ticks << "' " << c.buy << c.sell;
    KvTickInput tooMany;
    tooMany.direction = kTickUp;
    tooMany.ticks = "12345";
    EXPECT_EQ(BuildTickRecord(tooMany), "") << "more than four digits is refused, not cut";
}

TEST_F(TickDialog, SendsTheRecordOfTheChosenSelectors)
{
    struct Case {
        const char* name;
        std::function<void(fw::Dialog&)> fill;
        std::string golden;
    };
    const Case cases[] = {
        { "defaults: both sides, every account, up 1",
            [](fw::Dialog& d) {
                Choose(d, IDC_TK_BOARD, "Main Board");
                Choose(d, IDC_TK_SECURITY, "ALFA");
                d.userClick(IDC_TK_UP);
                d.userType(IDC_TK_TICKS, "1");
            },
            kUser + Pad("BRK1", 12) + Pad("TRADER01", 12) + "0MAINALFA00000001" + std::string(12, ' ') + " +0001" },
        { "down 3, sell only, one account",
            [](fw::Dialog& d) {
                Choose(d, IDC_TK_FIRM, "BRK2");
                Choose(d, IDC_TK_USER, "BRK2T1");
                Choose(d, IDC_TK_BOARD, "Bond Board");
                Choose(d, IDC_TK_SECURITY, "GOVT");
                d.userClick(IDC_TK_BUY);
                d.userClick(IDC_TK_ALL_ACCOUNTS);
                Choose(d, IDC_TK_ACCOUNT, "ACC2");
                d.userClick(IDC_TK_DOWN);
                d.userType(IDC_TK_TICKS, "3");
            },
            kUser + Pad("BRK2", 12) + Pad("BRK2T1", 12) + "0BONDGOVT00000001" + Pad("ACC2", 12) + "S-0003" },
        { "all firms, users and securities",
            [](fw::Dialog& d) {
                d.userClick(IDC_TK_ALL_FIRMS);
                d.userClick(IDC_TK_ALL_USERS);
                d.userClick(IDC_TK_ALL_SECURITIES);
                d.userClick(IDC_TK_SELL);
                d.userType(IDC_TK_TICKS, "12");
                d.userClick(IDC_TK_UP);
            },
            kUser + std::string(12 + 12 + 17 + 12, ' ') + "B+0012" },
    };
    for (const Case& c : cases) {
        router.Reply({ { 193, std::string("Orders moved.") + '\0' } });
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        const size_t before = Ticks().size();
        CMMkrTickDlg dlg;
        const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_FALSE(d.isItemEnabled(fw::kIdOk)) << c.name << ": no direction yet";
            c.fill(d);
            EXPECT_TRUE(d.isItemEnabled(fw::kIdOk)) << c.name;
            d.userClick(fw::kIdOk);
        });
        EXPECT_EQ(result, fw::IDOK) << c.name;
        ASSERT_EQ(Ticks().size(), before + 1) << c.name;
        EXPECT_EQ(Ticks().back(), c.golden) << c.name;
        EXPECT_EQ(Ticks().back().size(), kTickLength) << c.name;
    }
}

// OK with the defaults moves the logged-on user's own orders, never those of the first firm
// and user of the lists; a list left without a choice is refused, not sent as "All".
TEST_F(TickDialog, OpensOnTheLoggedOnFirmAndUser)
{
    struct Case {
        const char* user;
        const char* sessionFirm; // empty: looked up in the traders table
        const char* firm;
    } const cases[] = {
        { "BRK2T2", "", "BRK2" },
        { "EXCHT1", "EXCH", "EXCH" },
    };
    for (const Case& c : cases) {
        deal.session.m_sUser = c.user;
        deal.session.m_sUserFirm = c.sessionFirm;
        router.Reply({ { 193, std::string("Orders moved.") + '\0' } });
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        CMMkrTickDlg dlg;
        fw::test::runModal(dlg, [&](fw::Dialog& d) {
            EXPECT_EQ(d.itemText(IDC_TK_FIRM), c.firm) << c.user;
            EXPECT_EQ(d.itemText(IDC_TK_USER), c.user) << c.user;
            d.userClick(IDC_TK_ALL_SECURITIES);
            d.userClick(IDC_TK_UP);
            d.userType(IDC_TK_TICKS, "1");
            d.userClick(fw::kIdOk);
        });
        ASSERT_FALSE(Ticks().empty()) << c.user;
        EXPECT_EQ(Ticks().back().substr(12, 24), Pad(c.firm, 12) + Pad(c.user, 12)) << c.user;
    }
    deal.session.m_sUser = "nobody"; // not in the lists: nothing is chosen
    deal.session.m_sUserFirm.clear();
    fw::test::Script boxes;
    boxes.answerMessageBox(fw::IDOK);
    boxes.answerMessageBox(fw::IDOK);
    const size_t before = Ticks().size();
    CMMkrTickDlg dlg;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.curSel(IDC_TK_FIRM), -1);
        EXPECT_EQ(d.curSel(IDC_TK_USER), -1);
        d.userClick(IDC_TK_ALL_SECURITIES);
        d.userClick(IDC_TK_UP);
        d.userType(IDC_TK_TICKS, "1");
        d.userClick(fw::kIdOk);
        d.userClick(IDC_TK_ALL_FIRMS);
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible());
        d.userClick(fw::kIdCancel);
    });
    EXPECT_EQ(boxes.messageBoxes(),
        (std::vector<std::string> { "Choose a firm or tick All.", "Choose a user or tick All." }));
    EXPECT_EQ(Ticks().size(), before);
}

TEST_F(TickDialog, AllBoxesEmptyAndDisableTheirLists)
{
    CMMkrTickDlg dlg;
    fw::test::runModal(dlg, [](fw::Dialog& d) {
        EXPECT_TRUE(d.isButtonChecked(IDC_TK_ALL_ACCOUNTS));
        EXPECT_FALSE(d.isItemEnabled(IDC_TK_ACCOUNT));
        EXPECT_TRUE(d.isButtonChecked(IDC_TK_BUY));
        EXPECT_TRUE(d.isButtonChecked(IDC_TK_SELL));
        for (uint32_t box : { IDC_TK_ALL_FIRMS, IDC_TK_ALL_USERS, IDC_TK_ALL_BOARDS }) {
            const uint32_t list = box == IDC_TK_ALL_FIRMS ? IDC_TK_FIRM : box == IDC_TK_ALL_USERS ? IDC_TK_USER
                                                                                               : IDC_TK_BOARD;
            d.userClick(box);
            EXPECT_FALSE(d.isItemEnabled(list)) << box;
            EXPECT_EQ(d.curSel(list), -1) << box;
            d.userClick(box);
            EXPECT_TRUE(d.isItemEnabled(list)) << box;
        }
        Choose(d, IDC_TK_BOARD, "Main Board");
        d.userClick(IDC_TK_ALL_SECURITIES);
        EXPECT_FALSE(d.isItemEnabled(IDC_TK_SECURITY));
        EXPECT_TRUE(d.isButtonChecked(IDC_TK_ALL_BOARDS)) << "every security means every board";
        EXPECT_FALSE(d.isItemEnabled(IDC_TK_ALL_BOARDS));
        EXPECT_FALSE(d.isItemEnabled(IDC_TK_BOARD));
        d.userClick(IDC_TK_ALL_SECURITIES);
        EXPECT_TRUE(d.isItemEnabled(IDC_TK_SECURITY));
        EXPECT_TRUE(d.isItemEnabled(IDC_TK_ALL_BOARDS));
        EXPECT_FALSE(d.isButtonChecked(IDC_TK_ALL_BOARDS));
        EXPECT_TRUE(d.isItemEnabled(IDC_TK_BOARD));
        d.userClick(fw::kIdCancel);
    });
}

TEST_F(TickDialog, RefusalsLeaveTheDialogOpen)
{
    struct Case {
        const char* name;
        bool chooseSecurity;
        std::string box;
        size_t sent;
    };
    const Case cases[] = {
        { "no security chosen", false, "Invalid security.", 0 },
        { "the host refuses", true, "No orders to move.", 1 },
    };
    for (const Case& c : cases) {
        if (c.sent != 0)
            router.Reply({ { 192, std::string("No orders to move.") + '\0' } });
        fw::test::Script boxes;
        boxes.answerMessageBox(fw::IDOK);
        const size_t before = Ticks().size();
        CMMkrTickDlg dlg;
        const int result = fw::test::runModal(dlg, [&](fw::Dialog& d) {
            Choose(d, IDC_TK_BOARD, "Main Board");
            if (c.chooseSecurity)
                Choose(d, IDC_TK_SECURITY, "BETA");
            d.userClick(IDC_TK_DOWN);
            d.userType(IDC_TK_TICKS, "1");
            d.userClick(fw::kIdOk);
            EXPECT_TRUE(d.isVisible()) << c.name;
            EXPECT_EQ(d.itemText(IDC_TK_TICKS), "1") << c.name;
            d.userClick(fw::kIdCancel);
        });
        EXPECT_EQ(result, fw::IDCANCEL) << c.name;
        EXPECT_EQ(boxes.messageBoxes(), std::vector<std::string> { c.box }) << c.name;
        EXPECT_EQ(Ticks().size(), before + c.sent) << c.name;
    }
}

TEST_F(TickDialog, TheWindowsCommandPresetsItsSecurity)
{
    KvInstallTickDialog();
    const KvCommandDialog* run = KvFindCommandDialog(33161);
    ASSERT_NE(run, nullptr);
    struct Case {
        uint32_t table;
        int record;
        std::string bookKey;
        const char* board;
        const char* security;
    };
    const Case cases[] = {
        { kListSecurities, kBeta, "", "Main Board", "BETA" },
        { kListOrderBook, -1, "0BONDGOVT00000001", "Bond Board", "GOVT" },
        { kListMarketOrders, 0, "0MAINALFA00000001", "Main Board", "ALFA" },
        { kListTrades, 0, "", "", "" },
    };
    for (const Case& c : cases) {
        FakeActiveRow window(c.table, c.record);
        window.bookKey = c.bookKey;
        fw::test::Script script;
        script.expectDialog(IDD_MM_TICK, [&](fw::Dialog& d) {
            EXPECT_EQ(d.itemText(IDC_TK_BOARD), c.board) << c.table;
            EXPECT_EQ(d.itemText(IDC_TK_SECURITY), c.security) << c.table;
            d.userClick(fw::kIdCancel);
        });
        EXPECT_EQ((*run)(0), fw::IDCANCEL);
    }
    KvSetCommandDialog(33161, nullptr);
}

TEST_F(TickDialog, EditTickUpDownOpensTheDialogWhenTheRightsAllow)
{
    fw::CommandMap map;
    KvBindMarketCommands(map);
    RightTable().Free();
    fw::test::Script script;
    const auto enabled = [&map] {
        fw::CmdUI ui(ID_TICK_UP_DOWN);
        (*map.findUpdate(ID_TICK_UP_DOWN))(ui);
        return ui.enabled();
    };
    EXPECT_FALSE(enabled()) << "no rights for transaction 178";
    (*map.findCommand(ID_TICK_UP_DOWN))(ID_TICK_UP_DOWN);
    EXPECT_TRUE(script.dialogsShown().empty());
    RightTable().AddRec(RightRec { 0, 178, 0, 1 });
    EXPECT_TRUE(enabled());
    script.expectDialog(IDD_MM_TICK, [](fw::Dialog& d) { d.userClick(fw::kIdCancel); });
    (*map.findCommand(ID_TICK_UP_DOWN))(ID_TICK_UP_DOWN);
    EXPECT_EQ(script.dialogsShown(), std::vector<uint32_t> { IDD_MM_TICK });
    RightTable().Free();
}

} // namespace
