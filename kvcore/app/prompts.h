// Common prompts: the confirmation that honours the user's confirm-operations
// setting, and the table-overflow message.
#pragma once

#include <string>
#include <string_view>

#include "kvcore/kvcore_api.h"

// Message-box type of the confirmation: Yes and No, question icon, No the default.
inline constexpr unsigned kConfirmBoxType = 0x124;
inline constexpr unsigned kExclamationIcon = 0x30;

// IDYES at once while the session does not ask for confirmations (or there is no
// session); else the box's answer. Text id 0 asks string 30101.
KVCORE_API int AreYouShure(unsigned textId);
KVCORE_API int AreYouShure(std::string_view text);
// The same, asking only when ask is set.
KVCORE_API int AreYouShureEx(bool ask, unsigned textId);
KVCORE_API int AreYouShureEx(bool ask, std::string_view text);

// "<table name> table overflow..." with the exclamation icon; the box's answer.
KVCORE_API int TableLimitError(unsigned nameId);
