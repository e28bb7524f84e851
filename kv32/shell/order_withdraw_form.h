// The rules of the withdraw dialog without its window: which controls the
// "All" boxes leave enabled, the side letter of the two side boxes, and how
// the names chosen on screen turn into the criteria of the withdrawal. A name
// chosen on screen must resolve: an unknown firm, user or security would go
// out as blanks, which the host reads as "All".
#pragma once

#include <string>
#include <vector>

#include "kv32/shell/order_withdraw_record.h"

// The five criteria that can be "All".
enum KvWithdrawAll { kAllBoard, kAllSecurity, kAllAccount, kAllFirm, kAllUser, kWithdrawAllCount };

// What the dialog shows when OK is pressed.
struct CWithdrawScreen {
    bool all[kWithdrawAllCount] = {};
    std::string boardName;
    std::string security; // a short name or a 12-character instrument id
    std::string account;
    std::string firmName;
    std::string userName;
    std::string orderNo; // digits or empty
    bool buy = false;
    bool sell = false;
};

enum class KvWithdrawError {
    None,
    InvalidSecurity, // the board or the security chosen is not known
    UnknownFirm,
    UnknownUser,
    NoSide,
    InvalidValue, // an order number or account that does not fit its field
};

// The control of the dialog that a refusal puts the focus on.
enum class KvWithdrawField { None, Board, Security, Account, Firm, User, OrderNo, Buy };

struct CWithdrawResolution {
    KvWithdrawError error = KvWithdrawError::None;
    KvWithdrawField focus = KvWithdrawField::None;
    COrderWithdrawCriteria criteria;
};

// The order number may be given only while every criterion is specific.
bool WithdrawOrderNumberEnabled(const bool (&all)[kWithdrawAllCount]);
// A specific trading account implies its firm: "All" firms is then not offered.
bool WithdrawAllFirmsEnabled(bool allAccounts, const std::string& account);
char WithdrawSide(bool buy, bool sell);

// The short names of the securities on the board (by board table row), in table order.
std::vector<std::string> WithdrawSecurityNames(int boardRow);

// Looks the chosen names up in the host data tables; the first refusal wins,
// in the order board, security, account, firm, user, order number, side.
CWithdrawResolution ResolveWithdraw(const CWithdrawScreen& screen);
