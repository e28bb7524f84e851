// The local permission file "KvUsrPrm.ini" (a bare INI name): when it exists
// at logon it stands in for the host's rights table for the whole session.
// Section "MsgTypes" holds one key per permitted message type, its value the
// rights bits of that type; section "OprCodes" one key per permitted operator
// code of the operator transaction. A key that is not a number in 0..999 is
// reported on the trace and ignored.
#pragma once

#include <filesystem>
#include <map>
#include <optional>

inline constexpr const char* kKvLocalPermissionFile = "KvUsrPrm.ini";

struct CKvLocalPermissions {
    std::map<int, int> msgTypes; // message type -> rights value
    std::map<int, int> oprCodes; // operator code -> value
};

// Reads the file; nullopt when there is none.
std::optional<CKvLocalPermissions> KvReadLocalPermissions(const std::filesystem::path& file);

// The permissions in force instead of the rights table, if any.
const std::optional<CKvLocalPermissions>& KvLocalPermissions();
// At logon: the file, when it exists, comes in force; at logoff it goes.
void KvLoadLocalPermissions();
void KvClearLocalPermissions();
