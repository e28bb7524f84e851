#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "kv32/res/order_entry_ids.h"
#include "kv32/trading/order_entry_form.h"
#include "trading/order_entry_fixture.h"

namespace {

using kv32test::Methods;

class PrimaryOrderEntry : public kv32test::OrderEntryFixture {
protected:
    PrimaryOrderEntry()
    {
        AddSecurity("SEC1", kv32test::PlainMethods());
        const int row = AddSecurity("PD1", kv32test::PlainMethods());
        std::strcpy(SecurityTable().GetRec(row)->szDistribution, "Yes");
    }
};

TEST_F(PrimaryOrderEntry, OnlyItsOwnLayoutListsAPrimaryDistribution)
{
    for (bool primary : { false, true }) {
        COrderEntryForm form(1, primary);
        form.convert = nullptr;
        form.Init();
        form.SelectBoard(0);
        const auto& items = form.Control(IDC_OE_SECURITY).items;
        EXPECT_EQ(std::find(items.begin(), items.end(), "PD1") != items.end(), primary) << primary;
    }
}

TEST_F(PrimaryOrderEntry, QuantityZeroSendsThePriceAsAnAmount)
{
    struct Case {
        const char* quantity;
        const char* price;
        size_t length;
        std::string priceField;
    };
    const Case cases[] = {
        { "0", "1234567890", 217, "001234567890" },
        { "10", "98.75", 211, "000009875" },
    };
    for (const Case& c : cases) {
        router.ClearRecord();
        COrderEntryForm form(1, true);
        form.Init();
        Choose(form, "PD1");
        form.SelectAccount(0);
        form.Click(IDC_OE_LIMIT);
        form.Click(IDC_OE_DAY);
        form.Type(IDC_OE_PRICE, c.price);
        form.Type(IDC_OE_QUANTITY, c.quantity);
        router.Reply({ { 193, std::string("ok") + '\0' } });
        ASSERT_EQ(form.Ok(), KvOrderOkResult::Sent) << c.quantity;
        const auto orders = Orders();
        ASSERT_EQ(orders.size(), 1u);
        EXPECT_EQ(orders[0].bytes.size(), c.length) << c.quantity;
        EXPECT_EQ(orders[0].bytes.substr(74, c.priceField.size()), c.priceField) << c.quantity;
        EXPECT_EQ(orders[0].bytes.substr(25, 32), Methods({ kFlagLimit, kFlagDay })) << c.quantity;
    }
}

} // namespace
