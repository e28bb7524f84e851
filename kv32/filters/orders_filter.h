// The criteria of the orders window: which orders of the order table it
// shows, the text it adds to the window title, and its form in the workspace
// archive.
#pragma once

#include <cstdint>
#include <string>

#include "kv32/filters/criteria_common.h"
#include "kv32/tables/order_record.h"
#include "kvcore/values/cdatetime.h"

class COrdersFilter {
public:
    COrdersFilter();

    // Criteria off unless "MMOverWriteMode" is 2 or more; then they are on
    // and hide withdrawn and expired orders. Lists empty and ignored, every
    // other kind of order shown, no number or time bounds.
    void Reset();
    bool Match(const COrderRec& rec) const;
    // Stores the criteria, or replaces them by the stored ones (a damaged
    // archive throws fw::ArchiveError and changes nothing).
    void Serialize(fw::Archive& ar);
    // Appends the description of the criteria in force to the title.
    void GetDescription(std::string& title) const;

    // The archive form, stored or loaded by the archive's mode (Serialize
    // loads through a fresh object).
    void Exchange(fw::Archive& ar);

    criteria::RowList m_aSecurities; // security table rows
    criteria::RowList m_aBoards; // board table rows
    criteria::TextList m_aAccounts; // trading-account codes
    criteria::TextList m_aUsers; // user codes
    int32_t m_bNoFiltering;
    int32_t m_bAllSecurities;
    int32_t m_bAllBoards;
    int32_t m_bAllUsers;
    int32_t m_bAllAccounts;
    int32_t m_bShowBuy;
    int32_t m_bShowSell;
    int32_t m_bShowOpen;
    int32_t m_bShowInactive;
    int32_t m_bShowMatched;
    int32_t m_bShowAmended;
    int32_t m_bShowWithdrawn;
    int32_t m_bShowUnapproved;
    int32_t m_bShowExpired;
    int32_t m_bShowMarketMaker; // order flag 5
    int32_t m_bShowMarket; // flag 0
    int32_t m_bShowLimit; // flag 1
    int32_t m_bShowStop; // flag 12 set
    int32_t m_bShowNotStop; // flag 12 clear
    int32_t m_bShowFillOrKill; // flags 28 and 15
    int32_t m_bShowAllOrNone; // flag 15 without 28
    int32_t m_bShowFillAndCancel; // flags 28 and 17
    int32_t m_bShowFillAny; // flag 17
    int32_t m_bShowFlag13; // no control: stays 1
    int32_t m_bShowSession; // flag 24
    int32_t m_bShowDay; // flag 25
    int32_t m_bShowGoodTillCancelled; // flag 27
    int32_t m_bShowGoodTillDate; // flag 26
    int32_t m_bShowGoodTillTime; // flag 23
    // The price the book windows point at; not stored (no price: every price).
    void SetPrice(const CDouble& price) { m_dPrice = price; m_bPrice = 1; }
    int32_t m_bPrice;
    CDouble m_dPrice;
    uint32_t m_nLowestOrderNo; // 0: no bound
    uint32_t m_nHighestOrderNo; // 0: no bound
    CDateTime m_tFromTime; // time of day; invalid: no bound
    CDateTime m_tToTime;
    // Kept in the archive so that stored criteria keep their length.
    int64_t m_nReserved;
};
