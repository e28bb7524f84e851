// The most recent trades, in ascending trade number, trimmed to the user's
// "LastTrades" limit: the Last N Trades and Ticker windows show them.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "kv32/tables/host_tables.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

struct LastTradeRec {
    uint32_t nTradeNo = 0;
    char szShortName[21] = {}; // empty when the security is unknown
    char szBoardName[31] = {};
    CDouble dPrice;
    CDouble dSecondAmount;
    CDouble dQuantity;
    CDouble dValue;
    CDateTime dtTrade;
    char szSourceName[31] = {}; // the name of the trade's letter code
    char szParty1[13] = {};
    char szParty2[13] = {};
    char szCode[18] = {}; // as sent
    CDateTime dtSecond;
};

class CTable118 : public CHostTarget<CVorlPermTarget> {
public:
    static constexpr int kRequest = 118;
    // The windows that show last trades: Last N Trades and Ticker.
    static constexpr uint16_t kLastTradesWindow = 30;
    static constexpr uint16_t kTickerWindow = 38;

    CTable118();

    // Starts the subscription from the beginning (no snapshot: the
    // subscription delivers the trades).
    int Load() override;
    int UpdateReq() override;
    void OnPostReceive() override;
    void Free() override;
    int Decode(CRecordReader& reader) override;
    // Drops the oldest trades beyond the limit (0: no limit).
    void TrimToLimit(int limit);

    int GetCount() const { return static_cast<int>(m_rows.size()); }
    // 0 <= i < GetCount().
    const LastTradeRec* GetRec(int i) const { return &m_rows[static_cast<size_t>(i)]; }
    // Trades dropped by trimming in the last batch that the windows were told of.
    int LastBatchDrops() const { return m_nReportedDrops; }
    const std::vector<int>& PendingRows() const { return m_pending; }

private:
    void ResetKeys();
    void Note(int row);

    std::deque<LastTradeRec> m_rows;
    std::vector<int> m_pending;
    int m_nDropped = 0;
    int m_nReportedDrops = 0;
    bool m_bKeysSet = false; // subscribes after Load
    char m_szKey12[13];
    char m_cKey1 = ' ';
};
