// The exchange's audit trail for supervisors: the events of the standing
// subscription, each stored with the names of its type, board and security,
// and announced by its display mode: queued for the pop-up display and
// announced to the main window, shown on the status line with one beep at the
// end of the batch, or not at all.
#pragma once

#include <cstdint>
#include <string>

#include "fw/core/document.h"
#include "kv32/tables/host_tables.h"
#include "kvcore/values/cdatetime.h"

struct AuditEventRec {
    int32_t nIndex; // the table's count when the record was added
    CDateTime time; // the time of day only
    char szGroupCode[5];
    char szGroupName[41]; // from the event's type
    char szTypeCode[5];
    char szTypeText[41]; // from the event's type
    char szUser[13];
    char szFirm[13];
    char szToUser[13];
    char szToFirm[13];
    char szFromUser[13];
    char szSecurityCode[18]; // "0", the board code and the instrument code as sent
    char szBoardName[31];
    char szSecurity[21]; // short name of the first security of that instrument
    char szText[257];
    char szDisplayMode[2]; // as sent
};

class CAuditTable : public CHostTable<AuditEventRec> {
public:
    static constexpr uint16_t kTableId = 33;
    static constexpr int kRequest = 72;
    static constexpr int kHeadLength = 103;
    static constexpr int kMaxText = 256;
    static constexpr int kKeyWidth = 8;

    CAuditTable();

    // No snapshot: loading starts the session's subscription.
    int Load() override;
    // The user, then both resume keys, each 8 digits ("00000000" when empty).
    int UpdateReq() override;
    // One event; nonzero when it was read and stored.
    int Decode(CRecordReader& reader) override;
    // End of a batch: the pending beep, then the windows, told which events
    // the batch appended.
    void OnPostReceive() override;
    // Both resume keys emptied, the subscription stopped, the table emptied.
    void Free() override;

    // The event key of the last event of stream "Y", and of every other stream.
    char m_szKeyY[kKeyWidth + 1] = {};
    char m_szKeyOther[kKeyWidth + 1] = {};

private:
    void Announce(int row, char mode);

    bool m_bStarted = false;
    bool m_bBeepPending = false;
    int m_nFirstNew = -1; // the first event of the batch, -1 before one came
    fw::RowHint m_newRows;
};
