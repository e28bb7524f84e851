// The criteria of the private (locally kept) orders window: which orders of
// the private order book it shows, the text it adds to the window title, and
// its form in the workspace archive.
#pragma once

#include <cstdint>
#include <string>

#include "kv32/filters/criteria_common.h"
#include "kv32/tables/local_order_record.h"

class CPrivateOrderFilter {
public:
    CPrivateOrderFilter();
    // Criteria off, lists empty and ignored, every switch 1.
    void Reset();
    bool Match(const CLocalOrderRec& rec) const;
    // A damaged archive throws fw::ArchiveError and changes nothing.
    void Serialize(fw::Archive& ar);
    void GetDescription(std::string& title) const;
    // The archive form, stored or loaded by the archive's mode.
    void Exchange(fw::Archive& ar);

    criteria::TextList m_aWAI; // work area identifiers
    criteria::RowList m_aSecurities;
    criteria::RowList m_aBoards;
    criteria::TextList m_aAccounts;
    int32_t m_bNoFiltering;
    int32_t m_bAllWAI;
    int32_t m_bAllSecurities;
    int32_t m_bAllBoards;
    int32_t m_bAllAccounts;
    int32_t m_bShowBuy;
    int32_t m_bShowSell;
    int32_t m_bShowNew;
    int32_t m_bShowCopy;
    int32_t m_bShowAccepted;
    int32_t m_bShowAmended;
    int32_t m_bShowRejected;
    int32_t m_bShowMarketMaker; // order flag 5
    int32_t m_bShowMarket; // flag 0
    int32_t m_bShowLimit; // flag 1
    int32_t m_bShowStop; // flag 12 set
    int32_t m_bShowNotStop; // flag 12 clear
    int32_t m_bShowFillOrKill; // flags 28 and 15
    int32_t m_bShowAllOrNone; // flag 15 without 28
    int32_t m_bShowFillAndCancel; // flags 28 and 17
    int32_t m_bShowFlag13;
    int32_t m_bShowSession; // flag 24
    int32_t m_bShowDay; // flag 25
    int32_t m_bShowGoodTillCancelled; // flag 27
    int32_t m_bShowGoodTillDate; // flag 26
    int32_t m_bShowGoodTillTime; // flag 23
};
