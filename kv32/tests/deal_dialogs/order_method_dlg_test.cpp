// The order-method viewers and the work area identifier dialog offscreen.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "deal_dialogs/deal_fixture.h"
#include "fw/core/rescheck.h"
#include "fw/test/fwtest.h"
#include "kv32/dialogs/order_method_dlg.h"
#include "kv32/dialogs/wai_dlg.h"
#include "kv32/res/deal_dialogs_ids.h"

namespace {

using namespace dealtest;

std::vector<uint32_t> Checked(fw::Dialog& d, std::initializer_list<uint32_t> ids)
{
    std::vector<uint32_t> on;
    for (uint32_t id : ids)
        if (d.isButtonChecked(id))
            on.push_back(id);
    return on;
}

constexpr std::initializer_list<uint32_t> kOrderBoxes = { 126, 1002, 212, 213, 214, 230, 116, 117, 118, 119, 120, 187,
    208, 401 };

TEST(DealDialogResources, TemplatesAndTextsAreComplete)
{
    const fw::ResourceSet set { "kv32-deal-dialogs-check", Kv32DealDialogStrings(), Kv32DealDialogTemplates() };
    const fw::ResourceReport report = fw::checkResources(std::span(&set, 1));
    EXPECT_TRUE(report.ok()) << report.text();
}

TEST(OrderMethodDialog, ShowsTheOrdersMethodsAndValues)
{
    COrderRec order {};
    // Limit, good till date, fill or kill (15 and 28), stop with its trigger.
    std::string flags(32, '0');
    for (int p : { 1, 26, 15, 28, 12 })
        flags[static_cast<size_t>(p)] = '1';
    std::strcpy(order.szType, flags.c_str());
    order.dtExpiry.SetDateTime(2026, 12, 31, 15, 30, 0);
    std::strcpy(order.szExpiryTime, "153000");
    order.dTriggerPrice = CDouble(11.75, 2);
    COrderMethodDlg dlg(order);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(Checked(d, kOrderBoxes), (std::vector<uint32_t> { 1002, 230, 119, 208 }));
        EXPECT_EQ(d.itemText(IDC_OM_EXPIRY_DATE), order.dtExpiry.FormatDate());
        EXPECT_EQ(d.itemText(IDC_OM_EXPIRY_TIME), order.dtExpiry.FormatTime());
        EXPECT_EQ(d.itemText(IDC_OM_TRIGGER), order.dTriggerPrice.Format(1, 1));
        EXPECT_EQ(d.itemText(IDC_OM_SETTLE_DATE), "");
        d.userClick(1002); // the boxes only show
        EXPECT_TRUE(d.isButtonChecked(1002));
        d.userClick(fw::kIdCancel);
    });
}

class SecurityMethodsDialog : public ::testing::Test {
protected:
    SecurityMethodsDialog() { FillMarket(); }
    ~SecurityMethodsDialog() override { ClearMarket(); }
};

TEST_F(SecurityMethodsDialog, FollowsTheBoardAndSecurityChosen)
{
    std::strcpy(SecurityTable().GetRec(kBondAlfa)->szMethods, "00010000000000000000000000000000");
    SecurityTable().GetRec(kBeta)->szMethods[0] = '\0';
    const std::initializer_list<uint32_t> boxes = { 126, 1002, 400, 137, 132, 215, 401, 402, 125, 208, 187, 118, 117,
        116, 231, 212, 213, 230, 214, 119, 120 };
    CSecOrMetDlg dlg(kAlfa);
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_OM_BOARD), "Main Board");
        EXPECT_EQ(d.itemText(IDC_OM_SECURITY), "ALFA");
        EXPECT_EQ(d.itemCount(IDC_OM_SECURITY), 5) << "every security of the board";
        // "11011100011101010110000111110100"
        EXPECT_EQ(Checked(d, boxes),
            (std::vector<uint32_t> { 126, 1002, 137, 132, 215, 401, 402, 125, 187, 118, 116, 231, 212, 213, 230, 214 }));
        d.userClick(137); // the boxes only show
        EXPECT_TRUE(d.isButtonChecked(137));
        d.userSelect(IDC_OM_SECURITY, 1); // BETA: no permission string
        EXPECT_TRUE(Checked(d, boxes).empty());
        d.userSelect(IDC_OM_SECURITY, 0);
        d.userSelect(IDC_OM_BOARD, 1); // ALFA is on the bond board too, and stays chosen
        EXPECT_EQ(d.itemText(IDC_OM_SECURITY), "ALFA");
        EXPECT_EQ(Checked(d, boxes), (std::vector<uint32_t> { 137 }));
        d.userClick(fw::kIdCancel);
    });
}

TEST(WaiDialog, OkNeedsATextAndANewNameIsOfferedNextTime)
{
    CLocalOrderTable& book = KvTables().localOrders;
    book.m_workAreas = { "Desk A" };
    CWAIDlg first;
    const int result = fw::test::runModal(first, [](fw::Dialog& d) {
        EXPECT_EQ(d.itemCount(IDC_WAI_NAME), 1);
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userType(IDC_WAI_NAME, "Desk B");
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        d.userType(IDC_WAI_NAME, "");
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userType(IDC_WAI_NAME, "Desk B");
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(first.Identifier(), "Desk B");

    CWAIDlg second;
    fw::test::runModal(second, [](fw::Dialog& d) {
        ASSERT_EQ(d.itemCount(IDC_WAI_NAME), 2);
        EXPECT_EQ(d.itemString(IDC_WAI_NAME, 1), "Desk B");
        d.userSelect(IDC_WAI_NAME, 0);
        EXPECT_TRUE(d.isItemEnabled(fw::kIdOk));
        d.userClick(fw::kIdOk);
    });
    EXPECT_EQ(second.Identifier(), "Desk A");
    EXPECT_EQ(book.m_workAreas, (std::vector<std::string> { "Desk A", "Desk B" }));
    book.m_workAreas.clear();
}

} // namespace
