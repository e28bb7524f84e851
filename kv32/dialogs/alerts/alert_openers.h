// How the windows and the application open the alert, order counting and
// security selection dialogs. Each takes what its opener has: the subject's
// host row from the current row (-1 none), the order counting row (-1 none),
// or the caller's array of security indices.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class CTDoc;
class QWidget;

// The alert dialogs (commands 33004 user, 33005 firm, 33006 security). On OK
// every criterion the dialog changed is tested again against its subject.
// The security dialog without a security says so and is cancelled.
int KvRunTraderAlertDialog(int userRow, QWidget* parent = nullptr);
int KvRunFirmAlertDialog(int firmRow, QWidget* parent = nullptr);
int KvRunSecAlertDialog(int securityRow, QWidget* parent = nullptr);
// The order counting limits (command 33190) on a counting row.
int KvRunOrdCountAlertDialog(int countingRow, QWidget* parent = nullptr);
// The security selection on the caller's array: IDOK with the chosen indices in it.
int KvRunAlertSelectDialog(
    std::vector<uint32_t>& indices, QWidget* parent = nullptr, bool singleChoice = false);
// Command 32796: the selection; on OK the securities window is opened (by
// `openSecurities`) and given the chosen securities, appended to its own.
int KvRunSecuritiesSelectionCommand(const std::function<CTDoc*()>& openSecurities, QWidget* parent = nullptr);

// The command ids.
inline constexpr unsigned ID_SECURITIES_SELECTION = 32796;
inline constexpr unsigned ID_USER_ALERTS = 33004;
inline constexpr unsigned ID_FIRM_ALERTS = 33005;
inline constexpr unsigned ID_SECURITY_ALERTS = 33006;
inline constexpr unsigned ID_ORDCOUNT_ALERTS = 33190;

// Installs the four window commands' dialogs for the list windows; the
// command's argument is the row named above.
void KvInstallAlertDialogs();
