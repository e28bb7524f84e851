// The orders window's document and records: its rows over the order table,
// which commands the current order's status allows, and the golden approve
// and withdraw texts (one order, today's, all).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "kv32/lists/orders_list.h"
#include "kv32/res/list_window_strings.h"
#include "security_test_fixture.h"
#include "support/trading_records.h"

namespace kv32test {
namespace {

class OrdersList : public SecurityFixture {
protected:
    OrdersList()
    {
        Clear();
        SecuritySpec spec; // 0BRD1INSTR0000001
        AddSecurity(spec);
    }
    ~OrdersList() override { Clear(); }
    static void Clear()
    {
        OrderTable().Free();
        OrderTable().m_nMaxOrderNo = 0; // what a new session's first request clears
        std::memcpy(OrderTable().m_szLastOrderNo, "000000000000", 13);
    }
    const COrderRec& Order(long long number, char status)
    {
        OrderSpec s;
        s.seq = ++seq;
        s.number = number;
        s.status = status;
        Feed(OrderTable(), COrderTable::kRequest, OrderRecord(s));
        return *OrderTable().GetRec(OrderTable().FindRow(static_cast<std::uint32_t>(number)));
    }
    long long seq = 0;
};

TEST_F(OrdersList, CommandsFollowTheStatusOfTheCurrentOrder)
{
    struct Case {
        char status;
        bool amendAndWithdraw;
        bool approve;
    };
    // Open, Inactive, Matched, Amended, Withdraw, Unappr., Expired.
    const Case cases[] = { { 'O', true, false }, { 'I', true, false }, { 'M', false, false }, { 'A', false, false },
        { 'W', false, false }, { 'U', true, true }, { 'S', false, false } };
    long long number = 1;
    for (const Case& c : cases) {
        const COrderRec& order = Order(number++, c.status);
        SCOPED_TRACE(order.szStatus);
        EXPECT_EQ(OrderCommandAllowed(ID_LIST_AMEND, &order), c.amendAndWithdraw);
        EXPECT_EQ(OrderCommandAllowed(ID_LIST_WITHDRAW, &order), c.amendAndWithdraw);
        EXPECT_EQ(OrderCommandAllowed(ID_ORDER_APPROVE, &order), c.approve);
        EXPECT_TRUE(OrderCommandAllowed(ID_ORDER_WITHDRAW_ALL, &order));
    }
    EXPECT_FALSE(OrderCommandAllowed(ID_LIST_AMEND, nullptr));
    EXPECT_TRUE(OrderCommandAllowed(ID_ORDER_WITHDRAW_TODAY, nullptr));
}

TEST_F(OrdersList, GoldenApproveAndWithdrawTexts)
{
    const COrderRec& order = Order(4711, 'U');
    const auto approve = OrderTransaction(ID_ORDER_APPROVE, order);
    ASSERT_TRUE(approve.has_value());
    EXPECT_EQ(approve->code, 133);
    EXPECT_EQ(approve->text, "TRADER01    000000004711            ");
    EXPECT_EQ(approve->identifier, "        4711");

    const auto withdraw = OrderTransaction(ID_LIST_WITHDRAW, order);
    ASSERT_TRUE(withdraw.has_value());
    EXPECT_EQ(withdraw->code, 138);
    const std::string expected = "TRADER01    A 000000004711=" + std::string(30, ' ') + "BRD1INSTR0000001"
        + std::string(32, ' ');
    EXPECT_EQ(withdraw->text, expected);
    EXPECT_EQ(withdraw->text.size(), 105u);
    EXPECT_EQ(withdraw->text.substr(57, 16), "BRD1INSTR0000001");

    const std::string today = BuildWithdrawTodayText();
    // The same record as every withdrawal: '=' at 26, both sides, any order.
    EXPECT_EQ(today, "TRADER01    A " + std::string(12, ' ') + "=" + std::string(46, ' ') + "TODAY   " + std::string(24, ' '));
    EXPECT_EQ(today.substr(73, 5), "TODAY");
    EXPECT_FALSE(OrderTransaction(ID_TRADE_REQUEST_CANCEL, order).has_value());
}

TEST_F(OrdersList, RowsTitleAndColumns)
{
    Order(1, 'O');
    Order(2, 'M');
    COrdersDoc doc;
    doc.ApplyFilter(true);
    EXPECT_EQ(doc.GetRowCount(), 2);
    EXPECT_EQ(doc.GetRowRecord(1)->nOrderNo, 2u);
    EXPECT_EQ(doc.GetRowData(2), nullptr);
    EXPECT_EQ(doc.GetMaxColumns(), 26);
    EXPECT_EQ(doc.GetFirstColumnID(), 2500);
    doc.SetDocDescription();
    EXPECT_EQ(doc.m_offset[0], offsetof(COrderRec, nOrderNo));
    EXPECT_EQ(doc.m_type[25], kvcore::kGXDouble);
    EXPECT_EQ(KvListWindowString(2500), "Order");
}

} // namespace
} // namespace kv32test
