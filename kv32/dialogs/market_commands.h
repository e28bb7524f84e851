// Where the market maker form, the tick dialog, the permission dialog and the
// price control event viewer are reached: the main frame's Edit commands and
// the runners the list windows look up by command.
#pragma once

namespace fw {
class CommandMap;
}

inline constexpr unsigned ID_MARKET_MAKER = 33091;
inline constexpr unsigned ID_TICK_UP_DOWN = 33161;
inline constexpr unsigned ID_NEG_DEAL = 32970;

// Edit > Order > Market Maker..., Edit > Tick Up/Down... and the windows'
// Deal..., each allowed by the user's rights for its transaction.
void KvBindMarketCommands(fw::CommandMap& map);
// The runners of the list windows' commands (market maker, tick, permissions).
void KvInstallMarketDialogs();
