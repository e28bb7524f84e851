#include "kv32/shell/permissions.h"

#include "kv32/shell/local_permissions.h"
#include "kv32/shell/msgtypes.h"
#include "kv32/tables/right_table.h"

namespace {

// One row per command, first match wins. Type 0 / code 0: always allowed;
// -1 / -1: never; type 142: the operator code is needed; else the type.
constexpr CommandPermission kCommandPermissions[] = {
    // Commands bound to what they send or need.
    { 60020, 60, 0 }, // Session, Trading Accounts, Groups...
    { 32994, 132, 0 }, // Buy...
    { 32995, 132, 0 }, // Sell...
    { 33091, 140, 0 }, // Market Maker...
    { 32786, 155, 0 }, // Amend...
    { 32789, 139, 0 }, // Withdraw...
    { 32847, 49, 0 }, // Summary Order...
    { 32846, 47, 0 }, // Summary Trading Account...
    { 32932, 27, 0 }, // View, Summaries, Equities
    { 32780, 142, 0 }, // View, Orders, Order counting
    { 32799, 36, 0 }, // Order Book
    { 32977, 70, 0 }, // Market by Order
    { 32895, 45, 0 }, // Security Holdings
    { 36001, 126, 0 }, // View, Security Position, Trading Account
    { 32790, 47, 0 }, // Trading Accounts
    { 32981, 85, 0 }, // View, Events, Trading Events
    { 33172, 46, 0 }, // View, Cash Position, Firm
    { 33170, 90, 0 }, // View, Cash Position, User
    { 33171, 86, 0 }, // View, Cash Position, Trading Account
    { 32912, 142, 5 }, // Suspend
    { 32913, 142, 6 }, // Unsuspend
    { 32882, 142, 42 }, // Add...
    { 32883, 142, 70 }, // Modify...
    { 32884, 142, 43 }, // Remove
    { 32948, 142, 1 }, // Suspend
    { 32949, 142, 2 }, // Unsuspend
    { 32950, 142, 3 }, // Suspend
    { 32951, 142, 4 }, // Unsuspend
    { 32862, 142, 9 }, // Suspend, Security
    { 32863, 142, 10 }, // Unsuspend, Security
    { 32871, 142, 25 }, // Suspend
    { 32872, 142, 26 }, // Unsuspend
    { 32893, 88, 0 }, // Trading Accounts...
    { 32973, 142, 54 }, // Logon Verify...
    { 32880, 142, 44 }, // Edit, Suspend, All Trading
    { 32881, 142, 45 }, // Edit, Unsuspend, All Trading
    { 32894, 89, 0 }, // Edit, Depository Accounts...
    { 32874, 142, 29 }, // Suspend
    { 32875, 142, 30 }, // Unsuspend
    { 32876, 142, 31 }, // Password...
    { 32877, 39, 0 }, // Network Address...
    { 32878, 142, 35 }, // Logoff
    { 32974, 142, 54 }, // Logon Verify...
    { 32970, 134, 0 }, // Deal...
    { 33176, 156, 0 }, // Set Trader Limits...
    { 33177, 165, 0 }, // Set Account Limits...
    { 33178, 150, 0 }, // Set Firm Limits...
    { 33173, 90, 0 }, // Cash Positions
    { 33174, 86, 0 }, // context command
    { 33175, 46, 0 }, // Cash Positions
    { 32903, 133, 0 }, // Approve
    { 32904, 135, 0 }, // Approve
    { 32971, 134, 0 }, // Confirm...
    { 33076, -1, -1 }, // Price Entry...
    { 33077, 142, 55 }, // Reference Price, Change Reference Price...
    { 33187, 142, 55 }, // Reference Price, Ref. price to upper limit...
    { 33188, 142, 55 }, // Reference Price, Ref. price to lower limit...
    { 32788, 138, 0 }, // Edit, Withdraw, All Orders
    { 32787, 138, 0 }, // Edit, Withdraw, Today Orders
    { 32901, 147, 0 }, // Approve On
    { 32902, 148, 0 }, // Approve Off
    { 32935, 142, 53 }, // Cancel...
    { 33084, 151, 0 }, // Request cancel
    { 33079, 160, 0 }, // Confirm cancel
    { 33081, 162, 0 }, // Approve cancel
    { 33083, 161, 0 }, // Reject cancel
    { 33185, 142, 33 }, // Permissions, Role...
    { 33182, 142, 27 }, // Permissions, Set...
    { 33183, 142, 28 }, // Permissions, Delete...
    { 33184, 142, 7 }, // Permissions, Set Access Group...
    { 33100, -1, -1 }, // Edit, Company Disclosure...
    { 33192, 142, 0 }, // Options, Save, Alerts, Order counting...
    { 33193, 142, 0 }, // Options, Restore, Alerts, Order counting...
    { 33029, 72, 0 }, // View, Events, Audit Events
    { 33030, 76, 0 }, // View, Events, Audit Types
    { 32892, 76, 0 }, // Override Mode...
    { 33161, 178, 0 }, // Tick Up/Down...
    { 33163, 142, 57 }, // Edit, Market Replay...
    { 33169, 136, 0 }, // Primary Auction Window...
    { 33186, 179, 0 }, // Buy-back Auction Window...
    { 33190, 142, 0 }, // Alerts...
    { 33191, 142, 0 }, // Alerts View
    { 33000, 50, 0 }, // Outstanding
    { 32967, 195, 0 }, // News, List
    { 32966, 154, 0 }, // News, Send...
    { 572, 69, 0 }, // News Text...
    { 571, 69, 0 }, // News File....
    { 573, 171, 0 }, // Edit
    { 574, 172, 0 }, // Delete
    { 32920, 194, 0 }, // Messages, List
    { 32802, 144, 0 }, // Messages, Send...
    { 32919, 17, 0 }, // View, Summaries, Indices
    { 36000, 64, 0 }, // View, Events, Control Events
    // Commands that are always allowed.
    { 0, 0, 0 },
    { 35940, 0, 0 },
    { 32911, 0, 0 },
    { 32944, 0, 0 },
    { 32945, 0, 0 },
    { 32796, 0, 0 },
    { 32934, 0, 0 },
    { 32983, 0, 0 },
    { 32933, 0, 0 },
    { 32797, 0, 0 },
    { 32798, 0, 0 },
    { 32946, 0, 0 },
    { 32841, 0, 0 },
    { 32842, 0, 0 },
    { 33144, 0, 0 },
    { 32959, 0, 0 },
    { 32866, 0, 0 },
    { 32921, 0, 0 },
    { 32965, 0, 0 },
    { 32997, 0, 0 },
    { 32998, 0, 0 },
    { 32999, 0, 0 },
    { 35946, 0, 0 },
    { 35948, 0, 0 },
    { 35975, 0, 0 },
    { 32958, 0, 0 },
    { 35968, 0, 0 },
    { 35985, 0, 0 },
    { 35984, 0, 0 },
    { 35963, 0, 0 },
    { 35964, 0, 0 },
    { 35965, 0, 0 },
    { 35966, 0, 0 },
    { 35967, 0, 0 },
    { 35961, 0, 0 },
    { 35942, 0, 0 },
    { 35953, 0, 0 },
    { 35960, 0, 0 },
    { 33002, 0, 0 },
    { 33003, 0, 0 },
    { 57607, 0, 0 },
    { 57608, 0, 0 },
    { 35962, 0, 0 },
    { 35992, 0, 0 },
    { 35986, 0, 0 },
    { 35987, 0, 0 },
    { 35989, 0, 0 },
    { 35994, 0, 0 },
    { 35995, 0, 0 },
    { 35998, 0, 0 },
    { 33007, 0, 0 },
    { 33008, 0, 0 },
    { 33009, 0, 0 },
    { 33011, 0, 0 },
    { 33012, 0, 0 },
    { 33013, 0, 0 },
    { 33015, 0, 0 },
    { 33010, 0, 0 },
    { 33014, 0, 0 },
    { 33194, 0, 0 },
    { 33195, 0, 0 },
    { 33016, 0, 0 },
    { 33017, 0, 0 },
    { 33004, 0, 0 },
    { 33005, 0, 0 },
    { 33006, 0, 0 },
    { 33026, 0, 0 },
    { 33027, 0, 0 },
    { 33028, 0, 0 },
    { 33146, 0, 0 },
    { 33147, 0, 0 },
    { 32968, 0, 0 },
    { 33151, 0, 0 },
    { 33150, 0, 0 },
    { 33152, 0, 0 },
    { 33153, 0, 0 },
    { 33155, 0, 0 },
};

} // namespace

std::span<const CommandPermission> CommandPermissionTable()
{
    return kCommandPermissions;
}

const CommandPermission* FindCommandPermission(unsigned commandId)
{
    for (const CommandPermission& row : kCommandPermissions) {
        if (row.commandId == commandId)
            return &row;
    }
    return nullptr;
}

bool IsMsgTypePermitted(unsigned msgType)
{
    if (const auto& local = KvLocalPermissions())
        return local->msgTypes.contains(static_cast<int>(msgType));
    return RightTable().FindByType(static_cast<int>(msgType)) >= 0;
}

bool IsOprCodePermitted(unsigned oprCode)
{
    if (const auto& local = KvLocalPermissions())
        return local->oprCodes.contains(static_cast<int>(oprCode));
    return RightTable().FindTrans142(static_cast<int>(oprCode)) >= 0;
}

bool IsCommandAllowed(unsigned commandId)
{
    const CommandPermission* row = FindCommandPermission(commandId);
    if (row == nullptr)
        return true;
    if (row->msgType == 0 && row->oprCode == 0)
        return true;
    if (row->msgType == -1 && row->oprCode == -1)
        return false;
    if (row->msgType != MSGTYPE_OPERATOR)
        return IsMsgTypePermitted(static_cast<unsigned>(row->msgType));
    return IsOprCodePermitted(static_cast<unsigned>(row->oprCode));
}
