// The order transaction (132) as the host reads it: one fixed-width text of
// fifteen fields, built in one place for every window that enters orders (the
// order entry form, the orders window, the private order book), and the
// private order book's entry made from the same fields.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

// Positions of the 32 order flags; a security's method permission string
// uses the same positions.
enum KvOrderFlag : int {
    kFlagMarket = 0,
    kFlagLimit = 1,
    kFlagScaled = 2,
    kFlagNegDeal = 3,
    kFlagCross = 4,
    kFlagMarketMaker = 5,
    kFlagBuyIn = 9,
    kFlagYield = 10,
    kFlagHidden = 11,
    kFlagStop = 12,
    kFlagSettle = 13,
    kFlagNoAccount = 14,
    kFlagAllOrNone = 15,
    kFlagFillMinimum = 16,
    kFlagFillAny = 17,
    kFlagGoodTillTime = 23,
    kFlagSession = 24,
    kFlagDay = 25,
    kFlagGoodTillDate = 26,
    kFlagGoodTillCancelled = 27,
    kFlagImmediate = 28,
};

struct KvOrderRecord {
    static constexpr int kTransaction = 132;
    static constexpr int kFlagCount = 32;
    static constexpr size_t kLength = 211;
    // A primary-distribution amount writes the price and the trigger price in 12 digits.
    static constexpr size_t kAmountLength = 217;
    static constexpr int kUserWidth = 12;
    static constexpr int kAccountWidth = 12;
    static constexpr int kSecurityWidth = 17;
    static constexpr int kPriceWidth = 9;
    static constexpr int kAmountWidth = 12;
    static constexpr int kQuantityWidth = 16;
    static constexpr int kReferenceWidth = 40;
    // The private order book's entry: work area, 'Y' or 'P', the record from
    // the trading account on, padded.
    static constexpr int kWorkAreaWidth = 127;
    static constexpr int kEntryRecordWidth = 2036;
    static constexpr size_t kEntryLength = 127 + 1 + 2036;
};

// The field that kept a record from being built.
enum class KvOrderField {
    None,
    User,
    Account,
    Side,
    Flags,
    Security,
    Price,
    Yield,
    Quantity,
    Hidden,
    Reference,
    ExpiryDate,
    ExpiryTime,
    Trigger,
    SettleDate,
    MinFill,
    WorkArea,
};

// One order. Numbers are texts as the user sees them (the user's decimal
// separator, digit groups allowed) and are written with the decimals given
// here; an empty number text is zero.
struct KvOrderDescription {
    std::string user;
    std::string account; // empty: blanks
    char side = 'B'; // 'B' or 'S'
    std::string flags; // exactly 32 characters '0' or '1'
    std::string securityKey; // 17: kind, board code 4, instrument id 12
    int priceDecimals = 0;
    int yieldDecimals = 0;
    // The price is an amount: the price and the trigger price take 12 digits
    // and no decimals.
    bool amount = false;
    std::optional<std::string> price; // none: blanks
    std::optional<std::string> yield; // none: blanks
    std::string quantity;
    std::string hidden;
    std::string reference; // sent as given (the forms trim it)
    std::string expiryDate; // yyyymmdd or empty
    std::string expiryTime; // hhmmss or empty
    std::string trigger;
    std::string settleDate; // yyyymmdd or empty
    std::string minFill;
};

struct KvOrderRecordResult {
    std::string text; // empty when a field failed
    KvOrderField failed = KvOrderField::None;
    bool Ok() const { return failed == KvOrderField::None; }
};

// The transaction's text: 211 characters, 217 for an amount. A value that
// does not fit its field, a text that is too long, a date or time that is not
// all digits, a negative quantity or flags that are not 32 '0'/'1' build
// nothing and name the field.
KvOrderRecordResult BuildOrderRecord(const KvOrderDescription& order);

// The private order book's entry of the order (its user field left out):
// the work area left-justified in 127 characters, 'Y' when the order was
// entered as a yield else 'P', then the record in 2036 characters. An empty or
// over-long work area fails with KvOrderField::WorkArea.
KvOrderRecordResult BuildPrivateOrderEntry(
    std::string_view workArea, bool enteredAsYield, const KvOrderDescription& order);

// 32 '0' characters with '1' at the given positions.
std::string KvOrderFlags(std::initializer_list<int> positions);
// Whether position `pos` of a flag or permission string is '1' (a position
// the string does not reach counts '0').
bool KvFlagSet(std::string_view flags, int pos);
