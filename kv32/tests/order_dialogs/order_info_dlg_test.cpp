// The order information dialog offscreen: both sides of a trade, a missing
// side, and a negotiated deal's trade.
#include <gtest/gtest.h>

#include "fw/test/fwtest.h"
#include "kv32/dialogs/order_info_dlg.h"
#include "kv32/lists/list_dialogs.h"
#include "kv32/res/list_window_strings.h"
#include "kv32/res/order_dialogs_ids.h"
#include "kv32/trading/active_row.h"
#include "order_dialogs/order_dialogs_support.h"

namespace kv32test {
namespace {

class OrderInfoDialog : public OrderDialogTest {
protected:
    static int AddTrade(long long buyOrder, long long sellOrder, char source = 'E')
    {
        TradeSpec t;
        t.number = KvTables().trades.GetCount() + 1;
        t.seq = t.number;
        t.buyOrder = buyOrder;
        t.sellOrder = sellOrder;
        t.source = source;
        Feed(KvTables().trades, CTradeTable::kRequest, TradeRecord(t));
        return KvTables().trades.GetCount() - 1;
    }
};

TEST_F(OrderInfoDialog, ShowsTheBuyAndTheSellOrder)
{
    OrderSpec sell = DayOrder(12, 'S');
    sell.user = "TRADER03";
    sell.firm = "BRK2";
    sell.account = "ACC9";
    sell.price = 1300;
    sell.quantity = 2500;
    sell.balance = 0;
    sell.reference = "SELLREF";
    AddOrder(DayOrder(11, 'B'));
    AddOrder(sell);
    const int trade = AddTrade(11, 12);
    std::vector<const COrderRec*> opened;
    COrderInfoDlg::SetMethodsOpener([&](const COrderRec& order, QWidget*) { opened.push_back(&order); });
    COrderInfoDlg dlg(trade);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        struct Side {
            const char *number, *user, *firm, *account, *price, *quantity, *balance, *reference;
            int buy, sell;
        } const sides[] = {
            { "11", "TRADER01", "FIRM1", "ACC1", "12.50", "100", "60", "REF1", 1, 0 },
            { "12", "TRADER03", "BRK2", "ACC9", "13.00", "2,500", "0", "SELLREF", 0, 1 },
        };
        EXPECT_TRUE(d.isItemEnabled(IDC_INFO_OTHER_SIDE));
        for (const Side& s : sides) {
            EXPECT_EQ(d.itemText(IDC_ORD_NUMBER), s.number);
            EXPECT_EQ(d.itemText(IDC_ORD_USER), s.user) << s.number;
            EXPECT_EQ(d.itemText(IDC_ORD_FIRM), s.firm) << s.number;
            EXPECT_EQ(d.itemText(IDC_ORD_BOARD), "Main board") << s.number;
            EXPECT_EQ(d.itemText(IDC_INFO_SECURITY), "SEC1") << s.number;
            EXPECT_EQ(d.itemText(IDC_ORD_ACCOUNT), s.account) << s.number;
            EXPECT_EQ(d.itemText(IDC_INFO_PRICE), s.price) << s.number;
            EXPECT_EQ(d.itemText(IDC_INFO_QUANTITY), s.quantity) << s.number;
            EXPECT_EQ(d.itemText(IDC_INFO_BALANCE), s.balance) << s.number;
            EXPECT_EQ(d.itemText(IDC_INFO_REFERENCE), s.reference) << s.number;
            EXPECT_EQ(d.isButtonChecked(IDC_ORD_BUY), s.buy) << s.number;
            EXPECT_EQ(d.isButtonChecked(IDC_ORD_SELL), s.sell) << s.number;
            d.userClick(IDC_INFO_METHODS);
            d.userClick(IDC_INFO_OTHER_SIDE);
        }
        EXPECT_EQ(d.itemText(IDC_ORD_NUMBER), "11") << "and back";
        d.userClick(fw::kIdOk);
    });
    COrderInfoDlg::SetMethodsOpener(nullptr);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0]->nOrderNo, 11u);
    EXPECT_EQ(opened[1]->nOrderNo, 12u);
}

TEST_F(OrderInfoDialog, AMissingOtherSideKeepsOtherSideDisabled)
{
    AddOrder(DayOrder(12, 'S'));
    COrderInfoDlg dlg(AddTrade(11, 12));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_ORD_NUMBER), "12");
        EXPECT_FALSE(d.isItemEnabled(IDC_INFO_OTHER_SIDE));
        EXPECT_EQ(d.isButtonChecked(IDC_ORD_SELL), 1);
        d.userClick(fw::kIdOk);
    });
}

TEST_F(OrderInfoDialog, ADealsTradeHidesOrderMethodsAndTheBalance)
{
    DealSpec deal;
    deal.number = 11;
    Feed(KvTables().deals, CNegDealTable::kRequest, DealRecord(deal));
    COrderInfoDlg dlg(AddTrade(11, 12, 'N'));
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        ASSERT_NE(dlg.Form(), nullptr);
        EXPECT_TRUE(dlg.Form()->IsDeal());
        EXPECT_EQ(d.itemText(IDC_ORD_NUMBER), "11");
        EXPECT_EQ(d.itemText(IDC_INFO_BALANCE), "");
        EXPECT_TRUE(d.item(IDC_INFO_METHODS)->isHidden());
        d.userClick(fw::kIdOk);
    });
}

class ActiveTrades : public KvActiveRow {
public:
    uint32_t TableId() const override { return tableId; }
    int RecordIndex() const override { return row; }
    int CurrentColumn() const override { return 0; }
    uint32_t tableId = kListTrades;
    int row = -1;
};

TEST_F(OrderInfoDialog, SummaryOrderOpensOnTheActiveTradesWindowsTrade)
{
    AddOrder(DayOrder(11, 'B'));
    AddOrder(DayOrder(12, 'S'));
    AddTrade(21, 22);
    ActiveTrades active;
    active.row = AddTrade(11, 12);
    KvSetActiveRow(&active);
    KvInstallOrderInfoDialog();
    const KvCommandDialog* runner = KvFindCommandDialog(ID_SUMMARY_ORDER);
    ASSERT_NE(runner, nullptr);
    std::vector<std::string> shown;
    fw::Dialog::setModalHook([&](fw::Dialog& d) {
        shown.push_back(d.itemText(IDC_ORD_NUMBER));
        d.onCancel();
    });
    (*runner)(0);
    active.tableId = kListOrders; // another window: nothing opens
    (*runner)(0);
    fw::Dialog::setModalHook(nullptr);
    KvSetActiveRow(nullptr);
    KvSetCommandDialog(ID_SUMMARY_ORDER, nullptr);
    EXPECT_EQ(shown, (std::vector<std::string> { "11" }));
}

} // namespace
} // namespace kv32test
