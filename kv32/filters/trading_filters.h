// The criteria of the negotiated deals, trades and last-trades windows.
// Each offers Reset, Match, Serialize (a damaged archive throws
// fw::ArchiveError and changes nothing) and GetDescription (appends the
// description of the criteria in force to the title); after Reset the
// criteria are off, every list ignored and every value shown.
#pragma once

#include <cstdint>
#include <string>

#include "kv32/filters/criteria_common.h"
#include "kv32/tables/last_trade_table.h"
#include "kv32/tables/neg_deal_table.h"
#include "kv32/tables/trade_table.h"
#include "kvcore/values/cdatetime.h"

class CNDealsFilter {
public:
    CNDealsFilter();
    void Reset();
    bool Match(const CNegDealRec& rec) const;
    void Serialize(fw::Archive& ar);
    void GetDescription(std::string& title) const;
    // The archive form, stored or loaded by the archive's mode.
    void Exchange(fw::Archive& ar);

    criteria::RowList m_aSecurities;
    criteria::RowList m_aBoards;
    criteria::TextList m_aAccounts;
    criteria::TextList m_aUsers;
    int32_t m_bNoFiltering;
    int32_t m_bAllSecurities;
    int32_t m_bAllBoards;
    int32_t m_bAllUsers;
    int32_t m_bAllAccounts;
    int32_t m_bShowBuy;
    int32_t m_bShowSell;
    int32_t m_bShowOpen;
    int32_t m_bShowAmended;
    int32_t m_bShowUnapproved;
    int32_t m_bShowUnconfirmed;
    int32_t m_bShowMatched;
    int32_t m_bShowWithdrawn;
    uint32_t m_nLowestDealNo; // 0: no bound
    uint32_t m_nHighestDealNo;
    CDateTime m_tFromTime; // time of day; invalid: no bound
    CDateTime m_tToTime;
};

class CTradesFilter {
public:
    CTradesFilter();
    // Leaves the two time texts as they are.
    void Reset();
    bool Match(const CTradeRec& rec) const;
    // The time texts are not stored.
    void Serialize(fw::Archive& ar);
    void GetDescription(std::string& title) const;
    void Exchange(fw::Archive& ar);

    criteria::RowList m_aSecurities;
    criteria::RowList m_aBoards;
    criteria::TextList m_aAccounts; // passes when either side's account is listed
    criteria::TextList m_aUsers; // passes when either side's user is listed
    int32_t m_bNoFiltering;
    int32_t m_bAllSecurities;
    int32_t m_bAllBoards;
    int32_t m_bAllUsers;
    int32_t m_bAllAccounts;
    int32_t m_bShowMatched;
    int32_t m_bShowCancelled;
    uint32_t m_nLowestOrderNo; // passes when the buy or the sell order is in range
    uint32_t m_nHighestOrderNo;
    uint32_t m_nLowestTradeNo;
    uint32_t m_nHighestTradeNo;
    // Times of day as six digits HHMMSS; any other text is no bound.
    std::string m_strFromTime;
    std::string m_strToTime;
};

class CLastNFilter {
public:
    CLastNFilter();
    void Reset();
    bool Match(const LastTradeRec& rec) const;
    void Serialize(fw::Archive& ar);
    void GetDescription(std::string& title) const;
    void Exchange(fw::Archive& ar);

    criteria::RowList m_aSecurities;
    criteria::RowList m_aBoards;
    int32_t m_bNoFiltering;
    int32_t m_bAllSecurities;
    int32_t m_bAllBoards;
    std::string m_strType; // a letter code's name; empty: every type
};
