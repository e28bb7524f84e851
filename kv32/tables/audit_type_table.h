// The exchange's audit groups and audit event types, each loaded once per
// session by its snapshot loop, and the user's own display mode for each type,
// kept in "audits.kv" in the settings folder: read back after every load of
// the types, written at every session end.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/tables/snapshot_table.h"

struct AuditGroupRec {
    int32_t nIndex; // the table's count when the record was added
    char szCode[5];
    char szName[41];
};

struct AuditTypeRec {
    int32_t nIndex;
    char szGroupCode[5];
    char szGroupName[41]; // from the audit group of that code; empty when unknown
    char szTypeCode[5];
    char szTypeText[41];
    char cDisplayMode; // as the host sends it
    char szOverride[2]; // the user's letter, or zero for none
};

// "S" status line (with a beep), "P" pop up, "N" not shown.
bool IsDisplayModeLetter(char letter);
// The mode an event is announced with: its own letter when that is a display
// mode letter; else, when its type is known, the type's override when that is
// one, else the host's letter for the type; 0 for none.
char EffectiveDisplayMode(char eventLetter, const AuditTypeRec* type);

class CAuditGroupTable : public CSnapshotTable<CHostTable<AuditGroupRec>> {
public:
    static constexpr uint16_t kTableId = 35;
    static constexpr int kRequest = 77;

    CAuditGroupTable();

    int Decode(CRecordReader& reader) override;
    void Free() override;

    // 4 characters, stripped; -1 when none.
    int FindByCode(std::string_view code);
    // The group names in row order.
    std::vector<std::string> FillList();
};

// One entry of "audits.kv": group and type codes and the override letter.
struct AuditOverride {
    std::string group;
    std::string type;
    char letter = 0;
    bool operator==(const AuditOverride&) const = default;
};

// The file's form: a 16-bit count, then per entry the group code and the type
// code (5 bytes each, zero-terminated and zero-filled) and the override (the
// letter or zero, then a zero byte). Reading refuses (false) a file whose
// count claims more entries than its bytes hold; a code is read up to its
// first zero within its field; an entry whose letter is neither a display
// mode letter nor zero is left out. Writing refuses (false) more entries than
// the count can carry and codes longer than 4 bytes.
bool ReadAuditOverrides(std::span<const uint8_t> bytes, std::vector<AuditOverride>& out);
bool WriteAuditOverrides(const std::vector<AuditOverride>& entries, std::vector<uint8_t>& out);

class CAuditEventTypeTable : public CSnapshotTable<CHostTable<AuditTypeRec>> {
public:
    static constexpr uint16_t kTableId = 34;
    static constexpr int kRequest = 76;
    static constexpr const char* kOverridesFile = "audits.kv";

    CAuditEventTypeTable();

    // The snapshot, then the user's overrides from the default file.
    int Load() override;
    int Decode(CRecordReader& reader) override;
    void OnPostReceive() override;
    // With a session, the overrides are saved to the default file first.
    void Free() override;

    // Group and type codes, each 4 characters, stripped; -1 when none.
    int FindByKeys(std::string_view group, std::string_view type);
    // 40 characters, stripped; -1 when none.
    int FindByName(std::string_view text);
    // The type texts in row order.
    std::vector<std::string> FillList();

    // An empty path is the default file in the user's settings folder. A file
    // that cannot be opened changes nothing and counts as read (1); a damaged
    // one shows the restore error and gives 0, changing nothing. Entries of
    // types the table does not hold are left out.
    int LoadOverrides(const std::filesystem::path& path = {});
    // Writes one entry per type, through a temporary file; a failure shows
    // the save error and gives 0.
    int SaveOverrides(const std::filesystem::path& path = {});

    static std::filesystem::path DefaultOverridesPath();
};
