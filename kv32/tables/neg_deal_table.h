// Every negotiated deal the host reports to the user in the session, one row
// per deal number, kept in step by the standing request 52; shaped as the
// trade table: appended rows, a sorted number index for changes, and the
// print-log line of the deals the host marks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/tables/order_common.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

struct CNegDealRec {
    uint32_t nRowIndex; // kept when the record is overwritten
    uint32_t nDealNo;
    CDateTime dtDeal; // time of day only
    char szTime[7]; // as received
    char szSecurity[21]; // empty when the security is unknown
    char szTrdAcc[13];
    // The second account code that the trading dialogs read: no deal record
    // carries one, so it stays blank.
    char szTrdAcc2[13];
    char szBuySell[9]; // side text of the side letter
    char szStatus[33];
    CDouble dPrice; // price decimals
    CDouble dQty;
    char szReference[41];
    char szUser[13];
    char szFirm[13];
    char szBoardName[31]; // empty when the board is unknown
    char szSettleDate[9]; // as received
    CDateTime dtSettle;
    char szCPFirm[13];
    char szCPUser[13];
    char szSecurityCode[18]; // unstripped
    char szBoardCode[5]; // empty when the board is unknown
    int32_t nTimeout; // confirmation period
    int32_t nWarningTimeout;
    CDouble dYield; // yield decimals
    char szDissTime[7]; // as received
    CDateTime dtDiss; // time of day only; invalid when the host sent blanks
    char szDissStatus[33]; // the dissemination letter itself
    char cTradeSourceLetter;
    char szTradeSource[31]; // name of the letter; empty when unknown
    uint32_t nStatusCode;
    // The 32 characters at the record's end, kept as received. They are also
    // the deal's flag string that the trading dialogs read (position 10 a
    // yield deal, 13 a settlement date given).
    char szDealText[33];
};

class CNegDealTable : public CNumberedTable<CNegDealRec> {
public:
    static constexpr uint16_t kTableId = 10;
    static constexpr int kRequest = 52;
    static constexpr int kRecordLength = 251;

    CNegDealTable();

    // One deal record; nonzero when it was read whole.
    int Decode(CRecordReader& reader) override;
    virtual void PrintRecord(const CNegDealRec& rec);

    // The row of the deal number; -1 when absent.
    int FindRowByNumber(uint32_t dealNo) const { return FindRow(dealNo); }

    std::string GetStatusText(char letter, uint32_t* code = nullptr) const;
    // The letter of "OIMAWCUS" whose text is the given one; ' ' when none.
    char GetStatusLetter(std::string_view text) const;
    std::string GetSideText(char letter) const;

    char m_cPrevSide = 0; // the side letter of the last deal received

private:
    void OnSessionStart() override;

    CTextSet m_statusTexts;
    CTextSet m_sideTexts;
};
