// The rules of the reference price dialog without its window: the typed price
// in the security's decimals, when OK is offered, the question for a value far
// from the one sent before, and the records: the operator action (142, code 55,
// tagged fields) and the two announcements to the exchange (144).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The dialog's modes: a typed value, the upper limit, the lower limit.
enum KvRefPriceMode : int { kRefPriceTyped = 0, kRefPriceUpper = 1, kRefPriceLower = -1 };

inline constexpr int kRefPriceWireWidth = 9;
inline constexpr int kRefPriceRecordLength = 44;
// The length the operator action is passed with; the bytes after the record are blanks.
inline constexpr int kRefPriceSendLength = 2048;

// The price as the wire carries it: nine digits with the decimals implied.
// nullopt for anything but digits with at most one decimal point ('.' or ','),
// more decimals than the security has, or a value that does not fit.
std::optional<std::string> RefPriceWire(std::string_view text, int decimals);
// The wire digits as the edit shows them: the decimals after a point, no grouping.
std::string RefPriceDisplay(std::string_view wire, int decimals);

// OK is offered for a text other than the value sent last, and in the limit
// modes not for a value of zero; a text that is no price is refused by OK.
bool RefPriceOkEnabled(int mode, std::string_view text, std::string_view previous, int decimals);

// Both wire values of one security: the new one is more than 15% above or
// below the previous one (the bounds themselves pass). Never before a value
// has been sent (previous empty or zero).
bool RefPriceRemarkable(std::string_view previousWire, std::string_view newWire);
// The change in percent with two decimals ("20.00", "-16.00").
std::string RefPricePercent(std::string_view previousWire, std::string_view newWire);

// The operator action, 44 bytes: user, 55, the 17-byte security code, "01",
// 'v', the price, "##". Empty when a field does not fit.
std::string BuildRefPriceRecord(std::string_view user, std::string_view securityCode, std::string_view wire);
// The record in the buffer it is sent in: blanks up to 2048 bytes.
std::string RefPriceSendBuffer(const std::string& record);

std::string RefPriceNewsText(std::string_view securityCode);
std::string RefPriceChangeText(std::string_view securityCode);
// The 684-byte message to the exchange with this text (the message
// transactions' own record), and its transaction code.
std::string BuildRefPriceMessage(const std::string& text, int& code);

// Sends the change: the operator action, and when the host accepts it the
// news message (limit modes only) and the change message, without boxes of
// their own. 0 when the host refused the action: then nothing more is sent.
int SendRefPriceChange(int mode, std::string_view user, std::string_view securityCode, std::string_view wire);

// The securities whose code carries the board's code, by short name with
// their rows, in table order; empty for an unknown board row.
struct CBoardSecurity {
    std::string name;
    int row = -1;
};
std::vector<CBoardSecurity> BoardSecurities(int boardRow);
