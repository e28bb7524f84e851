// Every trade the host reports to the user in the session, one row per trade
// number, kept in step by the standing request 54. Rows are appended and
// never move; a sorted number index finds the row of a change, also of a
// late trade whose number is below the last one. Trades the host marks are
// printed on the print log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/tables/order_common.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

struct CTradeRec {
    uint32_t nRowIndex; // kept when the record is overwritten
    uint32_t nTradeNo;
    uint32_t nBuyOrderNo;
    uint32_t nSellOrderNo;
    char szSecurity[21]; // empty when the security is unknown
    char szBuyTrdAcc[13];
    char szSellTrdAcc[13];
    // The second account code that the trading dialogs read: no trade record
    // carries one, so it stays blank.
    char szTrdAcc2[13];
    CDouble dPrice; // price decimals
    CDouble dAccruedInt; // value decimals
    CDouble dQty;
    CDouble dYield; // yield decimals
    CDouble dValue; // value decimals
    char szBuyUser[13];
    char szSellUser[13];
    char szBuyFirm[13];
    char szSellFirm[13];
    char szBoardName[31]; // empty when the board is unknown
    char szBuyReference[41];
    char szSellReference[41];
    CDateTime dtTrade;
    CDateTime dtAmend; // time of day only
    CDateTime dtSettle;
    CDateTime dtDiss; // time of day only
    char szStatus[33];
    char szSecurityCode[18]; // unstripped
    char szBoardCode[5]; // empty when the board is unknown
    char szDissStatus[33];
    char szTradeSource[31]; // name of the trade source letter; empty when unknown
    char cTradeSourceFlag; // the letter's enabled flag ('Y' or other)
    uint32_t nStatusCode;
    char cTradeSourceLetter; // as received
    // The deal flag that the trading dialogs read: 'Y' for a trade that comes
    // from a negotiated deal, which the host marks with the trade source
    // letter reserved for deals; else 'N'.
    char cDealFlag;
};

class CTradeTable : public CNumberedTable<CTradeRec> {
public:
    static constexpr uint16_t kTableId = 9;
    static constexpr int kRequest = 54;
    static constexpr int kRecordLength = 320;
    // The trade source letter that the host keeps for trades from negotiated deals.
    static constexpr char kDealSourceLetter = 'N';

    CTradeTable();

    // One trade record; nonzero when it was read whole.
    int Decode(CRecordReader& reader) override;
    virtual void PrintRecord(const CTradeRec& rec);

    // The row of the trade number (a 12-digit text); -1 when absent.
    int FindRowByNumber(std::string_view number) const;

    std::string GetStatusText(char letter, uint32_t* code = nullptr) const;
    // The letter of "MPWUYLS" whose text is the given one; ' ' when none.
    char GetStatusLetter(std::string_view text) const;
    std::string GetDissStatusText(char letter) const;

private:
    void OnSessionStart() override;

    CTextSet m_statusTexts;
    CTextSet m_dissTexts;
};
