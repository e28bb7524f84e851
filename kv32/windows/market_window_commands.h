// The main menu's commands that open a market window after a choice: the
// summary of the market and board the user selects; and the securities
// window's share of the security selection command (the chosen securities
// join the window's own).
#pragma once

namespace fw {
class CommandMap;
}

void KvBindMarketWindowCommands(fw::CommandMap& map);
