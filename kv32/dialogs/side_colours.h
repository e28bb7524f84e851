// The side colour of the order and deal dialogs: the session's buy or sell
// colour on the dialog's background and buttons, and the account name shown on
// the status bar while an account list has the focus.
#pragma once

#include <cstdint>
#include <string>

class QWidget;
namespace fw {
class Dialog;
}

// Paints the dialog in the side's colour (1 buy, else sell) when the session
// says so; `always` paints the background and buttons whatever the setting,
// and then the static texts keep the plain background unless the setting is on.
void KvPaintSide(QWidget& dialog, int side, bool always = false);

// The name of one of the user's trading accounts; empty when unknown.
std::string KvAccountName(const std::string& account);
// Lists the user's trading accounts in the dialog's list `id`.
void KvFillTradingAccounts(fw::Dialog& dialog, std::uint32_t id);
