// The application's commands that need no list window: the trading-system
// suspend and resume of the logon verification (transaction 142), the
// session's traffic average, the end of the print-log document, the
// diagnostic file, the two session toggles, and the records of the
// automation interface (order entry 132 and withdrawal 138).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

enum Kv32AppCommand : unsigned {
    ID_OPR_LOGON_VERIFY_ON = 32975,
    ID_OPR_LOGON_VERIFY_OFF = 32976,
    ID_TRAFFIC_AVERAGE = 32896,
    ID_PRINT_LOG_END = 32927,
    ID_DIAGNOSTIC_FILE = 32910,
    ID_CONFIRM_OPERATIONS = 32921,
    ID_SUSPEND_NOTIFY = 32965,
    ID_NOTHING = 57670,
};

inline constexpr int kTrOperator = 142;
inline constexpr int kTrOrder = 132;
inline constexpr int kTrOrderWithdraw = 138;
inline constexpr int kOrderRecordLength = 211;
inline constexpr int kWithdrawRecordLength = 105;

// After the confirmation, transaction 142 with operator code '6' (logon
// verification), 'Y' (on) or 'N' (off) and 'S'. 0 when refused, declined or
// without a session.
int KvSendLogonVerify(bool on);

// "Average session network traffic is %lu bytes per second" on the status
// bar: bytes sent and received over the whole seconds of the session, at
// least one. Nothing without a session.
void KvShowTrafficAverage();
// The average itself.
std::uint64_t KvTrafficAverage(std::uint64_t bytes, std::int64_t seconds);

// With a session and the print log on: ends the print-log document.
void KvEndPrintLog();

// The diagnostic file: one "Frame #n" line per child frame with its lock
// state, then each document's controls state; written through a temporary
// file into the settings folder. False when it cannot be written.
struct CKvFrameDiagnosis {
    bool locked = false;
};
std::string KvDiagnosticText(const std::vector<CKvFrameDiagnosis>& frames, std::string_view documentsState);
std::filesystem::path KvDiagnosticFile();
bool KvWriteDiagnosticFile(const std::vector<CKvFrameDiagnosis>& frames, std::string_view documentsState);

// The automation interface's order, from outside the program: every text is
// checked against its field and an unknown security, a side other than 'B'
// or 'S', a number that does not fit or a text that is too long builds
// nothing (empty result).
struct CKvAutomationOrder {
    std::string account; // trading account, 12
    double quantity = 0; // whole, 16 digits
    double price = 0; // 0: market order; else a limit price in the security's price decimals, 9
    double triggerPrice = 0; // in the security's price decimals, 9
    double hiddenQuantity = 0; // whole, 16 digits; non-zero sets the hidden-quantity flag
    std::string side; // its first character: 'B' buy or 'S' sell
    std::string security; // short name
    std::string board; // board name
};
std::string KvAutomationOrderRecord(const CKvAutomationOrder& order, std::string* why = nullptr);
// The withdrawal of an order by its number; empty for a number outside 0..999999999999.
std::string KvWithdrawOrderRecord(std::int64_t orderNumber);

// The three automation members; false without a session, for refused input,
// and while a request of the program is under way (a call that arrives from a
// message box's event loop) or another automation call runs.
bool KvAutomationSendOrder(const CKvAutomationOrder& order);
bool KvAutomationWithdrawOrder(std::int64_t orderNumber);
bool KvAutomationLoggedOn();
