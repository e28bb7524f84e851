// The quote of one security as the quote window shows it: seven rows of a
// label and a value. Window-free.
#pragma once

#include <array>
#include <string>

struct SecurityRec;

struct KvQuoteRow {
    std::string label;
    std::string value; // empty for zero
};
inline constexpr int kQuoteRows = 7;
using KvQuoteRows = std::array<KvQuoteRow, kQuoteRows>;

// Bid, bid depth total, offer, offer depth total, last, high, low; the
// labels in the current language.
KvQuoteRows QuoteRowsOf(const SecurityRec& rec);
// The rows of a row of the security table; labels with empty values for a
// row the table does not have.
KvQuoteRows QuoteRowsOfRow(int securityRow);

// The refresh period of a quote window for a time slice in seconds: never
// faster than once a second.
int QuoteTimerPeriodMs(int timeSliceSeconds);
