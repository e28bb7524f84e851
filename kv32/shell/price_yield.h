// Asks the host to turn an entered price into a yield or a yield into a
// price for a security, as the order forms do when either field changes.
#pragma once

#include <string>

#include "kvcore/values/cdouble.h"

struct PriceYieldInput {
    bool yieldEntered = false; // the value is a yield (the host returns the price)
    std::string securityKey; // 17 bytes
    std::string board; // only to tell a repeated conversion
    std::string date; // yyyymmdd, or empty for blanks
    CDouble value; // with the decimals of its field
    unsigned priceDecimals = 0;
    unsigned yieldDecimals = 0;
};

enum class PriceYieldResult {
    NoOperation, // the value is the host's "no value"
    Unchanged, // the same conversion as last time: nothing asked
    NotSent, // the value or a key field does not fit the request
    Failed, // the request failed or its reply held no conversion
    Converted,
};

// Requests 95 (price entered) or 94 (yield entered) and, on success, sets
// `converted` to the other value with its field's decimals. The last inputs
// are remembered program-wide for the repeat test.
PriceYieldResult PriceYieldConversion(const PriceYieldInput& input, CDouble& converted);
// Forgets the last conversion (a new session).
void ResetPriceYieldConversion();
