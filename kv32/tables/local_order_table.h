// The user's private order book: orders prepared on the workstation before,
// or instead of, sending them, grouped by a free-text work area name, each
// with a local state. Kept in "<user>.pob" in the settings folder: read at
// logon, stored on the main frame's timer and at the end of the session,
// when the table is emptied so that the next user of the program never sees
// the book.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/tables/local_order_record.h"

namespace fw {
class Archive;
}

enum class LocalOrderState { New, Copy, Amended, Accepted, Rejected };

class CLocalOrderTable {
public:
    static constexpr uint16_t kTableId = 32;
    static constexpr const char* kFileExtension = "pob";
    // The order entry text: its length and the offsets of its fields.
    static constexpr size_t kEntryLength = 327;

    CLocalOrderTable();
    ~CLocalOrderTable();
    CLocalOrderTable(const CLocalOrderTable&) = delete;
    CLocalOrderTable& operator=(const CLocalOrderTable&) = delete;

    // Makes the shell's local-orders calls reach this table; the constructor
    // puts in only the calls that nobody has put in yet.
    void InstallPort(bool replace = true);

    int GetSize() const { return static_cast<int>(m_records.size()); }
    // 0 <= i < GetSize().
    CLocalOrderRec* GetAt(int i) { return m_records[static_cast<size_t>(i)].get(); }
    // Grows (new records start empty) or shrinks (records are freed) to n;
    // the pointer array grows by growBy, or by an eighth of its size (4 to
    // 1024) when growBy is 0.
    void SetSize(int n, int growBy = 0);
    void RemoveAll() { SetSize(0); }

    // An order from the order entry dialog's text: appended in state "New"
    // with row -1, else replacing the order at that row in state "Amended"
    // (its row index kept). The row, announced; -1 and nothing changed when
    // the text is shorter than an entry or the row is not an order.
    int AddFromEntry(std::string_view text, int row);
    // A copy of a prepared record, appended in state "Copy"; its row, announced.
    int Insert(const CLocalOrderRec& rec);
    static void CopyRec(CLocalOrderRec& dst, const CLocalOrderRec& src) { dst = src; }

    // The text of a state in the user's language.
    const std::string& StateText(LocalOrderState state);
    void LoadStateTexts();

    // Appends a non-empty name not yet in the list.
    void AddWorkArea(std::string_view name);
    // What a combo or list box shows: every work area name in order.
    const std::vector<std::string>& FillWorkAreas() const { return m_workAreas; }

    // The file's bytes: storing writes every record; loading replaces the
    // table and throws fw::ArchiveError, changing nothing, on a damaged file.
    void Serialize(fw::Archive& ar);
    // The user's file in the settings folder.
    static std::filesystem::path UserFile(std::string_view user);
    // Reads the user's file, remembered as the book's file: a missing file
    // loads nothing; a damaged one is renamed aside, reported, and nothing
    // is loaded. True when the table holds the file's orders.
    bool Load(std::string_view user);
    // Writes the book's file through a temporary file; false, with the file
    // as it was, when it cannot be written or no book was loaded.
    bool Save();
    // The session ends: the book is stored, then emptied and forgotten. A
    // book that cannot be stored is reported before it goes.
    void EndSession();

    // Tells the windows of the private order book which rows changed.
    void Announce();

    bool m_bChanged = false;
    bool m_bSaved = false;
    std::vector<int> m_pendingRows;
    std::vector<std::string> m_workAreas;

private:
    int Place(std::unique_ptr<CLocalOrderRec> rec, int row);

    std::vector<std::unique_ptr<CLocalOrderRec>> m_records;
    std::filesystem::path m_file; // the book's file; empty before a Load
    std::vector<std::string> m_stateTexts;
    int m_nTextsLanguage = -1;
};

CLocalOrderTable& LocalOrderTable();
