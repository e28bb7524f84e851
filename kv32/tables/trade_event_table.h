// The market-control events of the trading day as the host sends them
// (security, issuer and all-trading suspensions and their lifting, reference
// price and price limit changes). No snapshot: filled by its standing
// subscription only, emptied at session end. Each new event id is logged once.
#pragma once

#include <cstdint>
#include <string>

#include "kv32/tables/host_tables.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"

struct TradeEventRec {
    int32_t nIndex = 0; // the table's count when the record was added
    int32_t nEventId = 0;
    CDateTime time; // the time of day only
    char cEventType = 0; // 'A' to 'H'
    char szEventText[31] = {};
    char szText12[13] = {};
    char szMessageKey[9] = {};
    char szObjectCode[21] = {}; // a security's short name, or a participant code
    char szObjectName[31] = {};
    char szKind[2] = {};
    CDouble dRefPrice; // type 'G', in the security's price decimals
    CDouble dUpperLimit; // type 'H', 3 decimals
    CDouble dLowerLimit; // type 'H', 3 decimals
};

class CTradeEventTable : public CHostPtrTable<TradeEventRec> {
public:
    static constexpr uint16_t kTableId = 28;
    static constexpr int kRequest = 64;
    static constexpr int kRecordLength = 80;

    CTradeEventTable();

    // No snapshot: loading starts the session's subscription.
    int Load() override;
    int UpdateReq() override;
    // One event record; nonzero when it was read whole.
    int Decode(CRecordReader& reader) override;
    void OnPostReceive() override;
    void Free() override;

    // The text of a kind letter: "F"/"f", "P"/"p", "R"/"r", else "S", in the user's language.
    static std::string KindText(char letter);
    // The text of an event type; empty outside 'A' to 'H'.
    static std::string EventText(char type);
    // The row of the security an event names by its short name; -1 when none.
    static int FindEventSecurity(const TradeEventRec& rec);

private:
    bool m_bStarted = false; // loaded in this session, until Free
    void FillObject(TradeEventRec& rec, CRecordReader& reader);
};
