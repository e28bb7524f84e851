// The trading schedule that the Times window shows: one record per scheduled
// transition, delivered whole and kept current by the standing request 85.
#pragma once

#include <cstdint>
#include <string_view>

#include "kv32/tables/host_tables.h"
#include "kvcore/values/cdatetime.h"

struct ScheduleRec {
    int32_t nIndex = 0;
    char szCode[13] = {}; // event code, the record's identity
    CDateTime time;
    char szTime[7] = {};
    int32_t nPriority = 0;
    char szTransition[13] = {};
    char szBoard[5] = {};
    char szBoardName[31] = {};
    char szInstrument[5] = {};
    char szInstrumentName[31] = {};
    char szSecurity[13] = {}; // instrument id
    char szSecurityName[21] = {}; // short name of the first security of that instrument id
    char szPending[9] = {}; // "Yes" / "No"
    int32_t nSecondFlag = 0;
};

class CFlagTable2 : public CHostPtrTable<ScheduleRec> {
public:
    static constexpr uint16_t kTableId = 20;
    static constexpr int kRequest = 85;

    CFlagTable2();
    // Empties the table and starts the subscription from the beginning; the
    // subscription then delivers the whole schedule.
    int Load() override;
    int UpdateReq() override;
    void Free() override;
    void OnPostReceive() override;
    int Decode(CRecordReader& reader) override;
    int FindByCode(std::string_view code);

    bool m_bLoaded = false;

protected:
    void TakeRecord(int type, CRecordReader& reader) override;
};
