// The users window's document and rules: the users of the trader table that
// the logged-on user's rights show, their columns, which commands the current
// user's state allows, and the texts of the logoff, suspend, unsuspend and
// approval transactions.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "kv32/lists/list_actions.h"
#include "kv32/lists/table_index_doc.h"
#include "kv32/tables/trader_table.h"

class CTradersDoc : public CTableIndexDocT<CTraderTable, TraderRec> {
public:
    static constexpr std::uint32_t kTableId = CTraderTable::kTableId;
    static constexpr int kFirstColumn = 800;
    static constexpr int kColumns = 27;

    CTradersDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
    int ColorIndexOffset() const override;
};

// The criteria of a users window: the rights decide, nothing is asked.
std::unique_ptr<CListCriteria> KvMakeUsersCriteria();

// The operator codes of the user transactions.
enum KvUserOperator : char { kOprUserSuspend = 29, kOprUserUnsuspend = 30, kOprUserLogoff = 35 };
inline constexpr int kTrUserOperator = 142;
inline constexpr int kTrApproveOn = 147;
inline constexpr int kTrApproveOff = 148;

// Whether a record's text field reads as the table string of the id: the
// tables fill the state and yes/no columns from these strings.
bool KvTableTextIs(const char* field, std::uint32_t stringId);

// The suspend record's flag: 'Y' while the session tells the suspended, else 'N'.
char KvSuspendNotifyFlag();

// Whether the current user's state allows the command (null: no current
// user); permission is not asked here.
bool UserCommandAllowed(unsigned commandId, const TraderRec* user);

// 27 characters: the logged-on user in 12, the operator code as one byte, the
// target user in 12, then "YN" for a logoff or the notify flag and the
// display type letter for a suspension. Empty when a code does not fit.
std::string BuildUserOperatorText(char operatorCode, std::string_view target, char notify, char display);
// The suspend or unsuspend text of a user or a firm: the session's notify flag
// and display type letter.
std::string BuildSuspendText(char operatorCode, std::string_view target);
// 24 characters: the logged-on user in 12, the target user in 12.
std::string BuildApproveText(std::string_view target);
// The transaction of a multi-user command for one user; the reply line
// carries the user's code.
std::optional<KvRowTransaction> UserTransaction(unsigned commandId, const TraderRec& user);
