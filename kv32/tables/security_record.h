// One security on one board: reference data from the snapshot, running
// market figures from the change reports (the tag that sets a field is named
// beside it), and the change indication's state.
#pragma once

#include <cstdint>

#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

struct SecurityRec {
    // What a change report reads and writes comes first, so that a report
    // touches few cache lines; the reference data follows.
    int32_t nAlertLink; // index of the security's alert definition, -1 none
    char szCode[18]; // kind character, board code 4, instrument id 12; kept unstripped
    int32_t nPriceDec;
    int32_t nValueDec;
    int32_t nYieldDec;
    char szDistribution[9]; // "Yes" in the user's language for a primary distribution, else empty
    // Change indication: colour -1 none, 0 negative, 1 positive, 2 any change, 3 suspended.
    int32_t nColor;
    int32_t nChangeColor;
    int32_t nColorTicks;
    int32_t nFlashTicks;
    int32_t nPending;
    char cStatusKind; // kind letter of the status that szStatus names ('A' active, 'S' suspended), 0 none
    CDouble dYield; // c
    CDouble dEps; // m
    CDouble dPrevPrice; // Y; the second fallback price of the order dialogs
    CDouble dValueCum; // g
    CDouble dVolumeCum; // f
    CDouble dOneDecimal; // 9 characters at 350 (the lot's first byte leads it)
    CDouble dBid; // C
    CDouble dOffer; // G
    CDouble dOpen; // K
    CDouble dHigh; // L
    CDouble dLow; // M
    CDouble dLast; // N
    CDouble dQuantity; // Q: the last trade's volume (alert figure "last trade volume")
    CDouble dValue; // b: the last trade's value (alert figure "last trade value")
    CDouble dWap; // l
    CDouble dChangeToday; // P
    CDouble dPctChangeToday; // j
    CDouble dChangeLast; // V
    CDouble dBidDepth; // D
    CDouble dBidDepthTotal; // E
    CDouble dLastOffMarket; // O
    CDouble dNumBids; // F: buy orders in the book (alert figure "buy order count")
    CDouble dNumOffers; // J: sell orders in the book (alert figure "sell order count")
    CDouble dOfferDepth; // H
    CDouble dOfferDepthTotal; // I
    CDouble dRefPrice; // e; the third fallback price of the order dialogs
    CDouble dVolumeToday; // S
    CDouble dValueToday; // T
    CDouble dQtyOffMarket; // d
    CDouble dNumTrades; // h
    CDouble dNumOrders; // i
    CDouble dOpenOrders; // k
    CDouble dCircuitCeiling; // v
    CDouble dCircuitFloor; // w
    CDouble dClose; // z; the first fallback price of the order dialogs
    CDouble dUpperLimit; // t
    CDouble dLowerLimit; // u
    CDouble dVolOffToday; // 0
    CDouble dValOffToday; // 1
    CDouble dVolOffTraded; // 2
    CDouble dValOffTraded; // 3
    CDouble dOpenYield; // 4
    CDouble dHighYield; // 5
    CDouble dLowYield; // 6
    CDouble dClosedYield; // 7
    CDouble dRefYield; // 8
    CDouble dChangeYield; // 9
    CDouble dChangeLty; // W
    CDouble dLastOffYield; // Z
    CDouble dBidYield; // x
    CDouble dOfferYield; // y
    CDouble dWaYield; // !
    CDouble dIndicative; // %
    char szShortName[21];
    CDouble dAccruedInterest;
    char szStatus[33]; // the status name of the status letter (B)
    char szBoardName[31];
    char szName[41];
    char szRemarks[9]; // A
    char szSession[31]; // a
    CDouble dIpoPrice;
    CDouble dEarnings;
    CDateTime dtPrevDate; // X
    CDateTime dtTime; // R
    char szMarket[5];
    char szSector[5];
    char szText3[4];
    // U: the order-method permission string, one '0'/'1' per method. The
    // one-letter flags below are taken from its positions whenever it arrives.
    char szMethods[33];
    char cOneChar; // n
    CDouble dAvgVolumeLastMonth; // 16 at 275: last month's average volume (alert figure)
    CDouble dPlannedIssueSize; // 16 at 259: the listed quantity (alert figure)
    CDouble dNumber316;
    char szInstrCode[13];
    char szE[2];
    char szD[2];
    char szText10[11];
    char szText1[2]; // the character at 392; also the own-firm flag below
    CDouble dPrice393;
    int32_t nIndexFlag; // 1: the security is an index
    char szText409[13];
    char szIsin[13];
    char szText433[13];
    CDateTime dtDate447;
    CDateTime dtDate455;
    CDateTime dtMaturity;
    char szStrike[256];
    char szBarrier[256];
    char szUnderlying[121];
    char szAnnouncement[2]; // s
    CDouble dLot; // the lot multiplier of the order dialogs
    char szSectorName[31];
    CDouble dTheoreticalPrice;
    CDateTime dtSuspension; // o (date), p (time)
    CDateTime dtSecond; // q (date), r (time)
    // What the trading dialogs read, taken from the permission string (U):
    char cYieldFlag; // position 10: '1' quoted by yield
    char cNegDealFlag; // position 3: '1' negotiated deals allowed
    char cTopUpFlag; // position 11: '1' top-up quantity allowed
    char cSettleDateFlag; // position 13: '1' a settlement date may be given
    char cTrdAccFlag; // position 14: '0' a trading account may be entered
    char cSessionOrderFlag; // position 24: '1' session orders allowed
    char cDayOrderFlag; // position 25: '1' day orders allowed
    char cSideFlag; // 'E' either side (no source restricts it yet)
    char cOwnFirmFlag; // the character at 392: '1' deals only with the user's own firm
    char szStateKey[41]; // the full status name of the status letter (snapshot, B)
    // The last quote the market-maker form sent for this security, kept in
    // memory only: price, quantity and top-up texts and the "Use Top up"
    // state, buy side then sell side.
    char szMemoBuyPrice[10];
    char szMemoBuyQty[17];
    char szMemoBuyTopUp[17];
    int32_t nMemoBuyUseTopUp;
    char szMemoSellPrice[10];
    char szMemoSellQty[17];
    char szMemoSellTopUp[17];
    int32_t nMemoSellUseTopUp;
    // Per column of the Securities window (position = column id - 2900): the
    // colour an alert condition gives the cell, 0x00BBGGRR; 0 none.
    uint32_t aAlertColors[73];
};
