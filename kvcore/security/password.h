// The password digest sent at logon and password change, and the rules a new
// password must meet. Passwords and user names are Windows-1250 bytes.
#pragma once

#include <string>
#include <string_view>

#include "kvcore/kvcore_api.h"

// SHA-256 of "QDRX4", the user cut to 12 and blank-padded to 12, and the
// password blank-padded to 64 (a longer one whole), as 64 upper-case hex digits.
KVCORE_API std::string PasswordDigest(std::string_view password, std::string_view user);

// At least 8 characters from at least three of: A-Z, a-z, 0-9, anything else.
KVCORE_API bool IsValidPassword(std::string_view password);

// Different enough from the previous entry: at least 2 characters longer, or
// at least 2 differing positions among those both have.
KVCORE_API bool IsDifferent(std::string_view newText, std::string_view previous);

// The check a new password passes before it is digested: 0 when it may be
// used, else the id of the message to show (30118 too like the previous entry,
// checked only when the user is not given by the caller; 30117 the rules).
KVCORE_API unsigned PasswordRuleBreach(std::string_view newText, std::string_view previous, bool userGiven);
