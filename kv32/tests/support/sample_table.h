// A small host data table of the pointer family, as the tests, the fuzz
// target and the benchmark use it: a snapshot of coded, named, priced rows
// with resume keys and a last-record flag, and a standing request whose
// change reports carry a sequence number and the row they change.
//
// Snapshot record (request 22):  0:8 resume key, 8:4 code, 12:30 name,
//                                42:12 price (2 decimals), 54:1 last flag.
// Change report (request 44):    0:10 sequence, 10:8 row, 18:4 code,
//                                22:12 price (2 decimals), 34:12 volume, 46:1 status.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fw/core/document.h"
#include "kv32/tables/host_tables.h"
#include "kvcore/values/cdouble.h"

namespace fw {
class Archive;
}

namespace kv32test {

struct SampleRec {
    int32_t nIndex = 0;
    char szCode[5] = {};
    char szName[31] = {};
    CDouble dPrice;
    int64_t nVolume = 0;
    char cStatus = ' ';
};

class CSampleTable : public CHostPtrTable<SampleRec> {
public:
    static constexpr uint16_t kTableId = 2;
    static constexpr int kSnapshotRequest = 22;
    static constexpr int kChangeRequest = 44;
    static constexpr int kSnapshotLength = 55;
    static constexpr int kChangeLength = 47;

    CSampleTable();

    int Load() override;
    int UpdateReq() override;
    void OnPostReceive() override;

    int Decode(CRecordReader& reader) override;
    int DecodeUpdate(CRecordReader& reader);
    int FindByCode(const char* code);
    int SerializeSelection(fw::Archive& ar, std::vector<int>& selection);

protected:
    void TakeRecord(int type, CRecordReader& reader) override;

private:
    void NoteChanged(int row);
    fw::RowHint m_hint; // the rows changed since the windows were last told
    std::vector<int> m_pending; // the same rows, to clear the hint after telling
};

// Wire texts of the two records.
std::string SampleSnapshotRecord(
    int key, const std::string& code, const std::string& name, int64_t priceCents, bool last);
std::string SampleChangeRecord(
    int64_t seq, int row, const std::string& code, int64_t priceCents, int64_t volume, char status);

} // namespace kv32test
