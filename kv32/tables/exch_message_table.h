// The exchange's text messages to the workstations (broadcast 194), shown in
// the Messages window. Each new message is announced by its display mode
// letter and logged once; a message sent again with a sequence number not
// above the last one updates the stored message with the same key.
#pragma once

#include <cstdint>
#include <string>

#include "kv32/tables/host_tables.h"
#include "kvcore/values/cdatetime.h"

struct ExchMessageRec {
    int32_t nIndex; // the table's count when the record was added
    CDateTime time; // the time of day only
    char szFromUser[13];
    char szFromFirm[13];
    char szToUser[13];
    char szToFirm[13];
    char szReceived[641]; // the text as received
    char szMessage[641]; // the received text, each CR LF pair shown as one blank
    char cDisplayMode; // 'P' pop up, 'S' status line, 'N' nothing
    char cStatus;
    char cDataFeed;
    char szKey[9]; // the sequence number as sent
    int32_t nReference; // -1 when the field is blank
};

class CExchMessageTable : public CHostTable<ExchMessageRec> {
public:
    static constexpr uint16_t kTableId = 18;
    static constexpr int kRecordLength = 709;

    CExchMessageTable();

    // One broadcast 194; nonzero when the record was read whole.
    int Decode(CRecordReader& reader) override;
    // End of a batch: the pending beep, then the windows.
    void OnPostReceive() override;
    void Free() override;

    void GetRec(int i, ExchMessageRec& out) { CopyRec(i, out); }
    using CHostTable<ExchMessageRec>::GetRec;
    // The received text of the first message with the key, else "No Message was found".
    std::string GetMessageText(const char* key);

    // Read by the receive step, one pop-up per step.
    int m_nPopupCount = 0;
    int m_nLastPopup = -1;

private:
    int m_nLastSeqNum = 0;
    bool m_bBeepPending = false;
};

// The text with every CR LF pair replaced by one blank.
std::string JoinCrLf(std::string_view text);
