// Order counting: per board and firm, how many orders of the trading day the
// host reports and how fast they arrive, normal and market-maker orders
// apart, with a ring of orders per minute over the counting period. Fed by
// the order table with every new order; alerts go to the alert log. The
// per-second work is done when the first order of a new minute arrives, so no
// timer is needed.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "kv32/tables/host_tables.h"
#include "kv32/tables/ord_count_records.h"

class COrdCountTable : public CHostTable<COrdCountRec> {
public:
    static constexpr uint16_t kTableId = 40;
    // View > Orders > Order counting: counting is on only for a user who may use it.
    static constexpr unsigned kPermissionCommand = 32780;
    static constexpr int kDefaultPeriod = 10;

    COrdCountTable();

    // One new order. The side and status letters are not used; flags is the
    // order's 32-character flag text (position 5: a market-maker order).
    void CountOrder(std::string_view board, std::string_view firm, char side, std::string_view flags, char status,
        std::string_view entryDate, std::string_view entryTime);
    // The trading date (YYYYMMDD); a new date starts a new count.
    void SetToday(std::string_view date);

    int Decode(CRecordReader&) override { return 0; }
    // Announces the queued rows.
    void OnPostReceive() override;
    void Free() override;
    void SerializeColors(fw::Archive& ar) override;

    int m_bFirstCall = 1;
    int m_bEnabled = 0;
    int m_nPeriod = kDefaultPeriod; // minutes, fixed at the first order
    int m_nSlot = 0;
    int m_bPeriodFull = 0;
    int m_nFirstMinute = -1; // -1: no order counted yet
    int m_nLastMinute = -1;
    char m_szToday[9] = {};
    int m_bChanged = 0;
    std::vector<int> m_pendingRows;

private:
    void RollMinute(int minute);
    void Average(COrdCountRec& rec, int kind) const;
    void Queue(int row);
    void ResetCounting();
};
