// The criteria of the firms, news, users and position windows.
#pragma once

#include <cstdint>
#include <string>

#include "kv32/filters/criteria_common.h"
#include "kv32/tables/news_table.h"
#include "kv32/tables/participant_table.h"
#include "kv32/tables/trader_table.h"

// Firms by participant type ("BROK", "EXCH", "INST" or "TULC", "ISSR"); any
// other type is hidden while the criteria are on. Reset: all five switches 1.
class CFirmsFilter {
public:
    CFirmsFilter();
    void Reset();
    bool Match(const ParticipantRec& rec) const;
    // A damaged archive throws fw::ArchiveError and changes nothing.
    void Serialize(fw::Archive& ar);
    void GetDescription(std::string& title) const;
    // The archive form, stored or loaded by the archive's mode.
    void Exchange(fw::Archive& ar);

    int32_t m_bNoFiltering;
    int32_t m_bShowBrokers;
    int32_t m_bShowExchanges;
    int32_t m_bShowInstitutions;
    int32_t m_bShowIssuers;
};

// News heads by type, language and status; never stored. Reset: criteria
// off, both lists ignored, every status shown.
class CNewsFilter {
public:
    CNewsFilter();
    void Reset();
    bool Match(const NewsRec& rec) const;
    void GetDescription(std::string& title) const;

    criteria::TextList m_aTypes; // news type texts
    criteria::TextList m_aLanguages; // language texts
    int32_t m_bNoFiltering;
    int32_t m_bAllTypes;
    int32_t m_bAllLanguages;
    int32_t m_bShowSent;
    int32_t m_bShowPending;
    int32_t m_bShowRemoved;
};

// The users window shows users by the user's rights for message type 18
// (bit 0x8 every user, else 0x4 only the own firm's, and 0x2 only himself);
// turned on (no filtering 0), the text further limits it to the firm it
// names. Reset: no filtering 1, text empty.
class CTradersFilter {
public:
    CTradersFilter();
    void Reset();
    bool Match(const TraderRec& rec) const;
    void Serialize(fw::Archive& ar);
    // The window's title says nothing of these criteria: the title stays.
    void GetDescription(std::string& title) const;
    void Exchange(fw::Archive& ar);

    int32_t m_bNoFiltering;
    std::string m_strText;
};

// The cash positions window's request: kind (0 firms, 1 users, 2 trading
// accounts) and the codes it asks for. No match: the window requests what
// the codes name. Reset: kind 0, texts empty.
class CCurPosFilter {
public:
    enum : int32_t { kFirms = 0, kUsers = 1, kTradingAccounts = 2 };

    CCurPosFilter();
    void Reset();
    void Serialize(fw::Archive& ar);
    // Replaces the title by " ", the kind's name and each code after a blank.
    void GetDescription(std::string& title) const;
    void Exchange(fw::Archive& ar);
    bool operator==(const CCurPosFilter& other) const = default;

    int32_t m_nKind;
    std::string m_strFirm;
    std::string m_strUser;
    std::string m_strAccount;
};

// The firm and trading account whose security positions a window shows;
// never stored. Reset: both empty.
class CSecPosFilter {
public:
    CSecPosFilter();
    void Reset();

    std::string m_strFirm;
    std::string m_strAccount;
};
