// The three tables of alert definitions: firms ("firms.kva"), users
// ("users.kva") and securities ("secs.kva") in the settings folder. Never
// sent to the host: each is loaded at session start and linked both ways to
// the host entries it watches, saved at session end when the session's
// SaveAlerts is on, and saved or restored through the main frame's option
// commands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "kv32/tables/alert_limits.h"
#include "kv32/tables/host_tables.h"

// What a loading Serialize found; Damaged and BadMagic have shown their message.
enum class KvAlertFileRead { Loaded, BadMagic, Damaged };

// The firm and the user alert tables: one class, two files.
class CPartyAlertTable : public CHostTable<CAlertLimits> {
public:
    CPartyAlertTable(uint16_t tableId, uint16_t magic, const char* fileName, bool firms);

    // Session start: the default file. A damaged file has shown its message
    // and leaves the table empty; the session starts all the same.
    int Load() override
    {
        Load(nullptr);
        return 1;
    }
    // A null or empty path is the default file. A missing file changes
    // nothing (1); else the result of Serialize. Links the definitions after
    // a load.
    int Load(const char* path);
    // Saved by Free at session end, not with the other tables' data.
    int Save() override { return 1; }
    // 0 when the file cannot be written.
    int Save(const char* path);
    // Loading replaces the table only when the whole file was read: a wrong
    // magic ("Invalid alerts file.", result 1) or a damaged file ("Can not
    // restore alerts.", result 0) keeps the table as it was.
    int Serialize(fw::Archive& ar);
    void Free() override;
    int Decode(CRecordReader&) override { return 0; }

    // The code's trailing blanks stripped, compared exactly; -1 when none.
    int FindByCode(std::string_view code);
    // Links every host entry to its definition and each definition to its entry.
    void LinkAlerts();
    // The test of one figure of the definition at `link`, as the host table's decoder asks it.
    void TestFigure(int32_t link, int figure, const CDouble& value);
    void UpdateViews();

    std::string DefaultPath() const;
    bool IsFirms() const { return m_bFirms; }

private:
    uint16_t m_nMagic;
    const char* m_pszFileName;
    bool m_bFirms;
};

class CFirmAlertTable : public CPartyAlertTable {
public:
    static constexpr uint16_t kTableId = 25;
    static constexpr uint16_t kMagic = 0x2222;
    CFirmAlertTable()
        : CPartyAlertTable(kTableId, kMagic, "firms", true)
    {
    }
};

class CUserAlertTable : public CPartyAlertTable {
public:
    static constexpr uint16_t kTableId = 27;
    static constexpr uint16_t kMagic = 0x1111;
    CUserAlertTable()
        : CPartyAlertTable(kTableId, kMagic, "users", false)
    {
    }
};

class CSecAlertTable : public CHostPtrTable<CSecAlertLimits> {
public:
    // The Securities Alerts window that shows it; the table has no id of its own.
    static constexpr uint16_t kWindowId = 26;
    static constexpr uint16_t kMagic = 0x3333;

    CSecAlertTable();

    int Load() override { return Load(nullptr); }
    // Always 1; a wrong magic or a damaged file
    // shows its message and keeps the table.
    int Load(const char* path);
    int Save() override { return 1; }
    int Save(const char* path);
    int Serialize(fw::Archive& ar);
    void Free() override;
    int Decode(CRecordReader&) override { return 0; }

    // The 17 characters taken as they are; -1 when none.
    int FindByCode(std::string_view code);
    void LinkAlerts();
    // The test of one figure of the definition at `link` on its security.
    void TestFigure(int32_t link, int figure);
    void UpdateViews();

    static std::string DefaultPath();
};

// After a definitions dialog closes with OK: every figure the dialog changed
// is tested at once against its firm, user or security, so a bound the
// figure already crosses logs without waiting for the next host report.
// Leaves no changed flag set.
void KvRetestChangedAlerts(CPartyAlertTable& table);
void KvRetestChangedAlerts(CSecAlertTable& table);

// Connects the host tables' alert tests to the definitions, and the main
// frame's option-file commands to the alert tables, the alert log and the
// order-count and default-selection tables.
struct CKvTables;
void KvConnectAlertTables(CKvTables& tables);
