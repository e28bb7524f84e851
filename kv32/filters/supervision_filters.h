// The criteria of the audit trail, alert log and order counting windows.
// Each offers Reset, Match, Serialize (a damaged archive throws
// fw::ArchiveError and changes nothing) and GetDescription (appends the
// description of the criteria in force to the title); after Reset the
// criteria are off, every list ignored, every kind shown and no time bound.
#pragma once

#include <cstdint>
#include <string>

#include "kv32/filters/criteria_common.h"
#include "kv32/tables/audit_table.h"
#include "kv32/tables/log_entry.h"
#include "kv32/tables/ord_count_records.h"
#include "kvcore/values/cdatetime.h"

class CAuditsFilter {
public:
    CAuditsFilter();
    void Reset();
    bool Match(const AuditEventRec& rec) const;
    void Serialize(fw::Archive& ar);
    void GetDescription(std::string& title) const;
    // The archive form, stored or loaded by the archive's mode.
    void Exchange(fw::Archive& ar);

    int32_t m_bNoFiltering;
    int32_t m_bAllBoards;
    int32_t m_bAllSecurities;
    int32_t m_bAllUsers;
    int32_t m_bAllFirms;
    int32_t m_bAllTypes;
    int32_t m_bAllGroups;
    criteria::RowList m_aBoards;
    criteria::RowList m_aSecurities;
    criteria::TextList m_aUsers;
    criteria::TextList m_aFirms;
    criteria::TextList m_aTypes; // audit event type texts
    criteria::TextList m_aGroups; // audit group names
    CDateTime m_tFromTime; // time of day; invalid: no bound
    CDateTime m_tToTime;
};

// Alert-log entries of a kind that no switch names are hidden while the
// criteria are on. Date and time bounds are inclusive.
class CLogsFilter {
public:
    // The kind of the market-maker alerts.
    static constexpr int32_t kMarketMakerAlertKind = 49;

    CLogsFilter();
    void Reset();
    bool Match(const CLogEntry& entry) const;
    void Serialize(fw::Archive& ar);
    void GetDescription(std::string& title) const;
    void Exchange(fw::Archive& ar);

    int32_t m_bNoFiltering;
    int32_t m_bShowMessages;
    int32_t m_bShowNews;
    int32_t m_bShowMarketMakerAlerts;
    int32_t m_bShowUserAlerts;
    int32_t m_bShowFirmAlerts;
    int32_t m_bShowSecurityAlerts;
    int32_t m_bShowSupervisorOperations;
    int32_t m_bShowOrderCountingAlerts;
    int32_t m_bAllBoards;
    int32_t m_bAllSecurities;
    int32_t m_bAllUsers;
    int32_t m_bAllFirms;
    criteria::RowList m_aBoards;
    criteria::RowList m_aSecurities;
    criteria::TextList m_aUsers;
    criteria::TextList m_aFirms;
    CDateTime m_tFromDate; // a moment; invalid: no bound
    CDateTime m_tToDate;
    CDateTime m_tFromTime; // time of day; invalid: no bound
    CDateTime m_tToTime;
};

class COrdCountFilter {
public:
    COrdCountFilter();
    void Reset();
    bool Match(const COrdCountRec& rec) const;
    void Serialize(fw::Archive& ar);
    void GetDescription(std::string& title) const;
    void Exchange(fw::Archive& ar);

    criteria::RowList m_aBoards;
    criteria::TextList m_aFirms;
    int32_t m_bNoFiltering;
    int32_t m_bAllBoards;
    int32_t m_bAllFirms;
};
