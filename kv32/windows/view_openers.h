// The main frame's View openers that set up their window's criteria: the
// cash positions window by firm, trading account or user, and the users
// window limited to the logged-on user's firm unless his rights show all.
#pragma once

namespace fw {
class CommandMap;
}

inline constexpr unsigned ID_VIEW_USERS = 32842;
inline constexpr unsigned ID_VIEW_CASH_USER = 33170;
inline constexpr unsigned ID_VIEW_CASH_ACCOUNT = 33171;
inline constexpr unsigned ID_VIEW_CASH_FIRM = 33172;

void KvBindViewOpeners(fw::CommandMap& map);
