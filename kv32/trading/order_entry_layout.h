// Which layout "&Buy..." and "&Sell..." open the order entry form in, and the
// commands' handlers without their window.
#pragma once

#include <functional>

namespace fw {
class CommandMap;
}

inline constexpr unsigned ID_ORDER_BUY = 32994;
inline constexpr unsigned ID_ORDER_SELL = 32995;

// True for the primary-distribution layout: the security of the active
// securities, orders, trades or negotiated deals window's selected row is a
// primary distribution, or, without such a row, every security is one (and
// there is at least one).
bool KvOrderEntryPrimaryLayout();

// Binds "&Buy..." and "&Sell..." to run the form: run(side, primary) opens the
// dialog (side 1 buy, 2 sell). They are enabled while a session exists and
// the user's rights allow order entry.
void KvBindOrderEntryCommands(fw::CommandMap& map, std::function<void(int side, bool primary)> run);
