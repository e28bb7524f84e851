// A locally kept (private) order, and its form in the user's private order
// book file: a 16-bit count, then 486 bytes per order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

struct CLocalOrderRec {
    uint32_t nRowIndex = 0;
    char szWorkArea[128] = {}; // the work area identifier (WAI)
    char szStatus[33] = {}; // the local state text
    char szSecurityCode[18] = {};
    char szSecurity[21] = {}; // short name
    char szBoardName[31] = {};
    char szTrdAcc[13] = {};
    char szBuySell[9] = {}; // the side text
    char szTypeLetters[33] = {}; // the flags as letters
    CDouble dPrice;
    CDouble dYield;
    CDouble dQty;
    CDouble dHidden;
    char szReference[41] = {};
    CDateTime dtExpiry;
    CDouble dTriggerPrice;
    CDateTime dtSettle;
    char szType[33] = {}; // the order flags, '0' or '1' each
    char szValidity[11] = {};
    char szExpiryTimeText[7] = {}; // as entered
    // Not in the file: after a reload the three texts are made again from
    // the date-times and the entered expiry time; the fill minimum and the
    // entry mark are 0.
    char szExpiryDate[9] = {};
    char szExpiryTime[7] = {};
    char szSettleDate[9] = {};
    CDouble dFillMinQty;
    uint32_t nEntryMark = 0; // 1 when the entry text marked the order 'Y'
};

inline constexpr size_t kLocalOrderFileRecord = 486;

// Appends the file's 486 bytes of the record.
void WriteLocalOrderRecord(const CLocalOrderRec& rec, std::vector<uint8_t>& out);
// Reads one record from its 486 bytes. Texts end within their fields; false
// for bytes that no record writes (a number that is not finite, a date-time
// of an unknown status or out of range).
bool ReadLocalOrderRecord(std::span<const uint8_t, kLocalOrderFileRecord> bytes, CLocalOrderRec& rec);

// The whole file. Writing refuses (false) more records than the count
// carries; reading refuses a count that the bytes cannot hold and any damaged
// record, and leaves out nothing silently.
bool WriteLocalOrderFile(std::span<const CLocalOrderRec* const> records, std::vector<uint8_t>& out);
bool ReadLocalOrderFile(std::span<const uint8_t> bytes, std::vector<CLocalOrderRec>& out);
