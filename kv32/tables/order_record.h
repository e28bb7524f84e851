// One order as the order table keeps it: the host's fields decoded with the
// security's decimals, the texts of its letters in the user's language, and
// the names found in the security and board tables.
#pragma once

#include <cstdint>

#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

struct COrderRec {
    uint32_t nRowIndex; // the row it was stored in; kept when a record overwrites it
    uint32_t nOrderNo;
    CDateTime dtEntry;
    char szDate[9]; // entry date as received, YYYYMMDD
    char szTime[7]; // entry time as received, HHMMSS
    CDateTime dtExpiry; // with the expiry time unless that is "000000"
    char szSecurity[21]; // the security's short name; empty when unknown
    char szTrdAcc[13];
    // The second account code that the trading dialogs read: no order record
    // carries one, so it stays blank.
    char szTrdAcc2[13];
    char szTrdAccName[31];
    char szBuySell[9]; // side text of the side letter
    char szTypeLetters[33]; // the flags as letters
    char szStatus[33]; // status text of the status letter
    CDouble dPrice; // price decimals
    CDouble dYield; // yield decimals
    CDouble dAccruedInt; // value decimals
    CDouble dQty;
    CDouble dHidden;
    CDouble dBalance;
    char szReference[41];
    char szUser[13];
    char szFirm[13];
    uint32_t nPrevLinkOrderNo; // the order this one follows, 0 none
    uint32_t nChainOrderNo; // the first order of its chain of linked orders
    CDouble dValue; // value decimals
    char szBoardName[31]; // empty when the board is unknown
    char szValidity[11];
    char szExpiryDate[9]; // as received
    char szExpiryTime[7]; // as received
    CDateTime dtSettle;
    char szSettleDate[9]; // as received
    char szSecurityCode[18]; // kind, board code 4, instrument id 12; unstripped
    char szBoardCode[5]; // empty when the board is unknown
    uint32_t nNextLinkOrderNo; // the order that follows this one, 0 none
    char szType[33]; // the flags: 32 characters '0' or '1'
    CDouble dTriggerPrice; // price decimals
    CDouble dAvgPrice; // price decimals + 2
    CDouble dFillMinQty;
    uint32_t nStatusCode; // 0-8 (the status letters' codes)
};
