// Every security on every board: reference data from a snapshot (request 17)
// headed by the list stamp (request 25), running figures from a standing
// subscription whose replies are tagged change reports (33), and the short
// colour indication of changed rows that the securities windows show.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "kv32/tables/host_tables.h"
#include "kv32/tables/security_record.h"

namespace fw {
class Archive;
}

class CSecurityTable : public CHostTable<SecurityRec> {
public:
    static constexpr uint16_t kTableId = 6;
    static constexpr int kListStampRequest = 25;
    static constexpr int kSnapshotRequest = 17;
    static constexpr int kChangeRequest = 33;
    static constexpr size_t kSnapshotLength = 1102;
    static constexpr size_t kCodeWidth = 17;
    static constexpr size_t kReportSearchLimit = 30000;
    static constexpr const char* kDumpFile = "secsdump.te";
    // Colours of the change indication (indices of m_aColors).
    enum : int32_t { kNoColor = -1, kNegative = 0, kPositive = 1, kAnyChange = 2, kSuspended = 3 };
    static constexpr int32_t kIdleTicks = 32767;

    CSecurityTable();

    int Load() override;
    int UpdateReq() override;
    void Free() override;
    void SerializeColors(fw::Archive& ar) override;
    int StoreDataItem(tagTMSG* message) override;
    // A snapshot record (kept only for kind '0'); nonzero when it was read.
    int Decode(CRecordReader& reader) override;
    int DecodeSnapshot(std::string_view record);
    // A change report; nonzero when it was read to its end.
    int DecodeUpdate(std::string_view report);
    void TakeListStamp(std::string_view reply);
    // The permission string (tag 'U') and the one-letter flags taken from it.
    static void TakeMethods(SecurityRec& rec, std::string_view methods);

    int FindByCode(std::string_view code) const;
    int FindByName(std::string_view shortName) const;
    int FindByInstrument(std::string_view instrumentId) const;
    int FindOnBoard(std::string_view shortName, const char* boardName) const;
    int FindOnBoardOrInstrument(std::string_view text, const char* boardName) const;
    int FindOnBoardOrCode(std::string_view text, const char* boardName) const
    {
        return FindOnBoardOrInstrument(text, boardName);
    }
    static void SetBoardInCode(char* code, const char* boardCode);
    static bool CodeHasBoard(const char* code, const char* boardCode);
    // Moves the price text 0.1 up or down in the row's price decimals; 0 and
    // the text unchanged when the result would fall below 0.
    int StepPrice(std::string& priceText, int row, bool up) const;
    int StepPrice(int row, std::string& priceText, bool up) const { return StepPrice(priceText, row, up); }
    // The securities of the current board and market; nothing while either is unset.
    void ListOnCurrentBoard(std::vector<std::string>& names, std::vector<int>& rows);
    // The first row of each distinct short name.
    const std::vector<int>& GetDistinctList();
    bool IsActive(const SecurityRec& rec) const;
    bool IsSuspended(const SecurityRec& rec) const;
    std::string StatusText(char statusLetter) const;
    int SerializeSelection(fw::Archive& ar, std::vector<int>& selection);

    // Links each row to its alert definition: find(code) gives the
    // definition's index or -1; link(definition, row) tells the definition
    // its row. Rows without a definition get -1.
    void LinkAlerts(const std::function<int(std::string_view code)>& find, const std::function<void(int definition, int row)>& link);

    // One tick of the change indication.
    void ApplyPendingChanges();
    const std::vector<int>& PendingRows() const { return m_pending; }

    // The security alert test of a changed figure: (alert link, figure number,
    // value). Set by the security alert table.
    std::function<void(int32_t alertLink, int figure, const CDouble& value)> m_alertTest;

    char m_szListStamp[11];
    // A table subscribes once its snapshot is loaded: changes to rows it does
    // not hold yet would be dropped.
    bool m_bLoaded = false;

private:
    void DefaultColors();
    // The status name of the letter as the status text and the state key.
    void TakeStatus(SecurityRec& rec, char statusLetter) const;
    void AddSecurity(const SecurityRec& rec);
    int LocateReportRow(int row, std::string_view code) const;
    // Applies one item; false for a tag the table does not know.
    bool ApplyItem(SecurityRec& rec, char tag, std::string_view value, bool& statusChange, bool& priceChange);
    void RunAlerts(const SecurityRec& rec, char tag, const CDouble& previousLast);
    // One row's tick: sets repaint, returns true when the row's indication is over.
    bool RowStep(SecurityRec& rec, bool& repaint) const;
    void WriteDump() const;

    std::unordered_map<std::string, int> m_byCode; // first row of each code
    std::vector<int> m_distinct;
    std::vector<int> m_pending;
};

// The program's security table.
CSecurityTable& SecurityTable();
