#include <gtest/gtest.h>

#include <set>
#include <string>

#include "kv32/shell/msgtypes.h"
#include "kv32/shell/permissions.h"
#include "kv32/tables/right_table.h"

namespace {

// Fills the program's rights table with (type, code) records.
class Rights {
public:
    Rights() { RightTable().Free(); }
    ~Rights() { RightTable().Free(); }
    Rights& Grant(int type, int code = 0, int value = 0)
    {
        RightRec rec { RightTable().GetCount(), type, code, value };
        RightTable().AddRec(rec);
        return *this;
    }
};

TEST(CommandPermissions, EveryRowFollowsTheRightsItNames)
{
    std::set<unsigned> seen;
    for (const CommandPermission& row : CommandPermissionTable()) {
        SCOPED_TRACE("command " + std::to_string(row.commandId));
        ASSERT_TRUE(seen.insert(row.commandId).second) << "a second row would never take effect";
        {
            Rights none;
            const bool alwaysAllowed = row.msgType == 0 && row.oprCode == 0;
            EXPECT_EQ(IsCommandAllowed(row.commandId), alwaysAllowed);
        }
        if (row.msgType == -1) {
            // Never allowed, whatever the user holds.
            EXPECT_EQ(row.oprCode, -1);
            Rights all;
            for (int type = 1; type < 200; ++type)
                all.Grant(type);
            for (int code = 0; code < 100; ++code)
                all.Grant(MSGTYPE_OPERATOR, code);
            EXPECT_FALSE(IsCommandAllowed(row.commandId));
        } else if (row.msgType == MSGTYPE_OPERATOR) {
            Rights right;
            right.Grant(MSGTYPE_OPERATOR, row.oprCode);
            EXPECT_TRUE(IsCommandAllowed(row.commandId));
            Rights other;
            other.Grant(MSGTYPE_OPERATOR, row.oprCode + 1).Grant(row.oprCode == 0 ? 1 : row.oprCode);
            EXPECT_FALSE(IsCommandAllowed(row.commandId)) << "needs the operator code, not a type";
        } else if (row.msgType != 0) {
            EXPECT_EQ(row.oprCode, 0);
            Rights right;
            right.Grant(row.msgType);
            EXPECT_TRUE(IsCommandAllowed(row.commandId));
            Rights other;
            other.Grant(row.msgType + 1).Grant(MSGTYPE_OPERATOR, row.msgType);
            EXPECT_FALSE(IsCommandAllowed(row.commandId)) << "needs the message type, not an operator code";
        }
    }
    EXPECT_EQ(seen.size(), 170u);
}

TEST(CommandPermissions, RowsThatMatter)
{
    Rights rights;
    rights.Grant(39).Grant(MSGTYPE_OPERATOR, 0).Grant(MSGTYPE_OPERATOR, 55);
    EXPECT_FALSE(IsCommandAllowed(33076)); // Price Entry
    EXPECT_FALSE(IsCommandAllowed(33100)); // Company Disclosure
    EXPECT_TRUE(IsCommandAllowed(32877)); // Network Address: type 39
    EXPECT_TRUE(IsCommandAllowed(32780)); // Order counting: operator code 0
    EXPECT_TRUE(IsCommandAllowed(33077)); // Change Reference Price: code 55
    EXPECT_FALSE(IsCommandAllowed(32994)); // Buy: type 132 not held
    EXPECT_TRUE(IsCommandAllowed(12345)); // not in the table

    Rights codeOnly;
    codeOnly.Grant(MSGTYPE_OPERATOR, 32);
    EXPECT_FALSE(IsCommandAllowed(32877)) << "the network address command needs type 39, not code 32";
    EXPECT_FALSE(IsCommandAllowed(32780)) << "operator code 0 needs a record (142, 0)";
    EXPECT_TRUE(IsCommandAllowed(0));
}

TEST(CommandPermissions, QuestionsToTheRightsTable)
{
    Rights rights;
    rights.Grant(132, 0, 1).Grant(MSGTYPE_OPERATOR, 9).Grant(132, 0, 2);
    EXPECT_TRUE(IsMsgTypePermitted(132));
    EXPECT_TRUE(IsMsgTypePermitted(MSGTYPE_OPERATOR));
    EXPECT_FALSE(IsMsgTypePermitted(133));
    EXPECT_TRUE(IsOprCodePermitted(9));
    EXPECT_FALSE(IsOprCodePermitted(0));
    EXPECT_EQ(RightTable().GetValue(132), 1) << "the first record of a type answers";
    EXPECT_EQ(RightTable().GetValue(18), -1);
    EXPECT_NE(RightTable().GetValue(18) & 8, 0) << "an absent type reads as every bit set";
}

} // namespace
