// The replies of a command sent for several selected rows at once: the list
// window empties the table, adds one record per row with the row's
// identifier, and the reply dispatch writes the host's answer to each into
// the message of the record at its count. No request of its own.
#pragma once

#include <cstdint>
#include <string_view>

#include "kv32/tables/host_tables.h"

struct RepliesRec {
    int32_t nIndex;
    char szIdentifier[33]; // order number, user code or firm name of the row
    char szMessage[259]; // the host's reply
};

class CRepliesTable : public CHostTable<RepliesRec> {
public:
    static constexpr uint16_t kTableId = 29;

    CRepliesTable();

    int Decode(CRecordReader&) override { return 0; }

    // Appends a record with the next index and the identifier (cut to its
    // field); the new index.
    int AddReply(std::string_view identifier);
    // The reply text of record i (cut to its field); nothing when i is not a record.
    void SetMessage(int i, std::string_view text);
};
