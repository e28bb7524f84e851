#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "kv32/tables/account_group_tables.h"
#include "kv32/tables/record_arrays.h"
#include "security_test_fixture.h"

namespace {

using namespace kv32test;

std::string Pad(const std::string& s, size_t width)
{
    std::string out = s.substr(0, width);
    out.resize(width, ' ');
    return out;
}

std::string Count(int n)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08d", n);
    return text;
}

class AccountGroups : public SecurityFixture {
protected:
    AccountGroups()
    {
        TraderTable().Free();
        Feed(TraderTable(), 18, "00000001" + Pad("TRADER01", 12) + Pad("Anna", 30) + Pad("FIRM1", 12) + std::string(96, ' '));
    }
    ~AccountGroups() override { TraderTable().Free(); }
    std::vector<std::string> Keys(int code) const { return RequestKeys(router, code); }
};

TEST_F(AccountGroups, GroupsOfTheFirmInOneMessage)
{
    // 0:8 key, 8:12 owner, 20:1 end byte, 21:8 count, 29: entries of 12 + 30.
    router.Reply({ { 60,
                       "00000007" + Pad("FIRM1", 12) + "1" + Count(2) + Pad("GRP1", 12) + Pad("Clients", 30)
                           + Pad("GRP2", 12) + Pad("House", 30) },
        End() });
    CCodeTable60 groups;
    EXPECT_EQ(groups.Request(), 1);
    EXPECT_EQ(Keys(60), std::vector<std::string> { "TRADER01    00000000FIRM1       " });
    ASSERT_EQ(groups.GetCount(), 2);
    EXPECT_STREQ(groups.GetRec(1)->szCode, "GRP2");
    EXPECT_STREQ(groups.GetRec(1)->szName, "House");
    EXPECT_STREQ(groups.GetRec(1)->szOwner, "FIRM1");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(AccountGroups, CountsAreClampedAndOnlyActiveUsersKept)
{
    // Requests 61 and 62: 0:8 key, 8:24 echo, 32:1 end byte, 33:8 count, 41: entries.
    const std::string head = "00000001" + std::string(24, ' ');
    router.Reply({ { 61, head + "1" + Count(5) + Pad("ACC1", 12) + Pad("Account one", 30) }, End() });
    CCodeTable61 accounts;
    accounts.Request("GRP1");
    EXPECT_EQ(Keys(61), std::vector<std::string> { "TRADER01    00000000FIRM1       GRP1        " });
    ASSERT_EQ(accounts.GetCount(), 1) << "a count above what the message holds is cut to it";
    EXPECT_STREQ(accounts.GetRec(0)->szName, "Account one");

    router.Reply({ { 62, head + "1" + Count(3) + Pad("U1", 12) + "A" + Pad("U2", 12) + "S" + Pad("U3", 12) + "A" }, End() });
    CCodeTable62 users;
    users.Request("GRP1");
    ASSERT_EQ(users.GetCount(), 2);
    EXPECT_STREQ(users.GetRec(1)->szCode, "U3");

    router.Reply({ { 62, head + "1" + Count(0) }, End() });
    CCodeTable62 none;
    none.Request("G");
    EXPECT_EQ(none.GetCount(), 0);
}

TEST_F(AccountGroups, UnknownUserFirmIsReportedAndTheRequestStillSent)
{
    TraderTable().Free();
    router.Reply({ { 60, "00000001" + Pad("", 12) + "1" + Count(0) }, End() });
    CCodeTable60 groups;
    groups.Request();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Cannot determine firm currently registering user belongs to.");
    EXPECT_EQ(Keys(60), std::vector<std::string> { "TRADER01    00000000            " });
}

TEST(RecordArrays, AppendAndSetGrowTheArray)
{
    CRecArray<SummaryRec> rows(4);
    SummaryRec rec {};
    rec.aAmounts[7] = CDouble(1.5, 1);
    EXPECT_EQ(rows.AddRec(rec), 0);
    rows.SetRec(6, rec);
    EXPECT_EQ(rows.GetCount(), 7);
    EXPECT_DOUBLE_EQ(rows.GetAt(6)->aAmounts[7], 1.5);
    EXPECT_DOUBLE_EQ(rows.GetAt(3)->aAmounts[7], 0.0);
}

} // namespace
