// The exchange's trading boards: 4-character codes, names and suspension
// state. Every security code carries a board code, so the security table and
// the board choices look boards up here. Off a Hungarian workstation the host's
// names give way to English ones from the user's "EnBoardNames.txt".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/tables/subscribed_table.h"

namespace fw {
class Archive;
}

struct BoardRec {
    int32_t nIndex = 0;
    char szCode[5] = {};
    char szName[31] = {};
    char szStatus[33] = {}; // "S" suspended, "A" active (in the user's language), else empty
    char szText[33] = {}; // the board's order-method string, set by change reports only
    int32_t nActive = 0; // -1 active, 0 suspended or unknown
};

class CBoardTable : public CSubscribedTable<CHostPtrTable<BoardRec>> {
public:
    static constexpr uint16_t kTableId = 2;
    static constexpr int kSnapshotRequest = 22;
    static constexpr int kChangeRequest = 44;
    static constexpr size_t kNamesFileBytes = 2048;
    static constexpr const char* kNamesFile = "EnBoardNames.txt";

    CBoardTable();

    int Decode(CRecordReader& reader) override;
    int DecodeUpdate(CRecordReader& reader);

    // 4 characters, stripped; -1 when none.
    int FindByCode(const char* code);
    // 30 characters, stripped; -1 when none.
    int FindByName(const char* name);
    // The board names in row order (what a board list or combo box shows).
    std::vector<std::string> FillList() const;
    int SerializeSelection(fw::Archive& ar, std::vector<int>& selection);
    // The English name of the board from the names file; none when the file
    // or the line is missing. The file is read once per run.
    std::optional<std::string> EnglishBoardName(std::string_view code);
    // Forgets the names file so that the next look-up reads it again.
    void ForgetEnglishNames();

    // The board the user works on; -1 when none.
    int m_nCurrent = -1;

protected:
    void OnLoad() override;
    void TakeChange(CRecordReader& reader) override { DecodeUpdate(reader); }

private:
    bool m_bNamesRead = false;
    bool m_bNamesCut = false; // the file is longer than what was read
    std::string m_names; // the first bytes of the names file; empty when missing
};
