// The operator transactions (142) of the supervisor dialogs as fixed-width
// texts: the logged-on user in 12 characters, the operator code as one raw
// character, then the fields. Each builder gives the empty text when a field
// does not fit, so nothing is sent then. Window-free.
#pragma once

#include <string>
#include <string_view>

inline constexpr int kTrOperator = 142;

enum KvSupervisorOperator : char {
    kOprAccessLevel = 7,
    kOprUserPassword = 31,
    kOprUserNetAddress = 32,
    kOprDefaultRole = 33,
    kOprLogonVerify = 54,
    kOprStepLog = 57,
};

// The user the requests are sent for: the session's user, else the router session's.
std::string KvRequestUser();

// Access level items "None", "Public", "User", "Firm", "Full" (index 0..4):
// 0, then 1, 2, 4, 8; -1 for an index outside them.
int AccessLevelDigit(int index);
// 38 bytes: user, 7, group 12, role 12, the level digit.
std::string BuildAccessRequest(std::string_view user, std::string_view group, std::string_view role, int levelIndex);
// 37 bytes: user, 33, target user 12, role 12.
std::string BuildDefaultRoleRequest(std::string_view user, std::string_view target, std::string_view role);
// 27 bytes: user, 54, 'Y' or 'N', 'U' or 'F', code 12.
std::string BuildLogonVerifyRequest(std::string_view user, bool on, bool firm, std::string_view code);

// Market replay modes: execute a number of transactions, stop after an
// interval, stop at a time.
enum class KvReplayMode { Count = 0, Interval = 1, StopAt = 2 };
inline constexpr int kReplayRequestLength = 30;
// 30 bytes: user, 57, 'T' with the count in 16 zero-padded digits, or 'A' / 'S'
// with the time HHMMSS; zero bytes after the value.
std::string BuildReplayRequest(std::string_view user, KvReplayMode mode, std::string_view value);

// Network address actions: add, modify, delete.
// 106 bytes: user, 32, target user 12, action letter, new from 20, new to 20, old from 20, old to 20.
std::string BuildNetAddressRequest(std::string_view user, std::string_view target, char action,
    std::string_view newFrom, std::string_view newTo, std::string_view oldFrom, std::string_view oldTo);
// 89 bytes: user, 31, target user 12, password digest 64.
std::string BuildUserPasswordRequest(std::string_view user, std::string_view target, std::string_view digest);

// Sends a built text as transaction 142; 0 when the text is empty (a field did
// not fit) or the router refused it.
int SendOperatorRequest(const std::string& text);

// Request keys of the two dialogs that ask the host for lists.
inline constexpr int kReplayStatisticsRequest = 25;
inline constexpr int kNetAddressListRequest = 39;
std::string NetAddressListKey(std::string_view user, std::string_view target);

// One line of the address list ("from\tto") out of a reply record: characters
// 8-27 and 28-47, blanks stripped; empty when the record is too short.
std::string NetAddressLine(std::string_view record);

struct KvReplayStatistics {
    std::string orders, trades, transactions, rejected, lastTime;
};
// The figures of a statistics reply, formatted for display; false when the
// record is too short to hold them.
bool DecodeReplayStatistics(std::string_view record, KvReplayStatistics& out);
