// The alert log: every alert the workstation raises, and every exchange
// message, news heading and trading event it wants the user to notice, as
// one entry each. Kept on the workstation (file "logs.kvl" in the settings
// folder), shown in the Logs window, and the newest alert on the main
// window's status bar. It is also the sink of the broadcast tables' notes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kv32/tables/host_tables.h"
#include "kv32/tables/log_entry.h"

class CAlertLogTable : public CHostTable<CLogEntry>, public CKvAlertLog {
public:
    static constexpr uint16_t kTableId = 22;
    static constexpr uint16_t kMagic = 0x4444;
    static constexpr int kCategories = 6;

    CAlertLogTable();
    ~CAlertLogTable() override;

    // Appends a copy with its index set; with show it becomes the current
    // entry and is shown. A memory shortage shows the low-memory message.
    void AddEntry(const CLogEntry& entry, int show);
    // A log text already on the status bar: beep and draw this one over it;
    // otherwise mark the status bar taken and post WM_LOGNOTIFY.
    void ShowLogEntry(const CLogEntry& entry);
    // Tells the Logs window that the log changed.
    void UpdateViews();

    // Session start: the colour categories when there are none, then the
    // default file; 1 also when the file was damaged (its message shown).
    int Load() override;
    // A null or empty path is the default file. A missing file changes nothing (1).
    int Load(const char* path);
    // Saved by Free at session end, not with the other tables' data.
    int Save() override { return 1; }
    // 0 when the file cannot be written.
    int Save(const char* path);
    // Loading replaces the log only when the whole file was read: a wrong
    // magic or a damaged file shows its message and keeps the log as it was.
    int Serialize(fw::Archive& ar);
    // Saves to the default file when the session's SaveLogs is on, then empties the log.
    void Free() override;
    void SerializeColors(fw::Archive& ar) override;
    int Decode(CRecordReader&) override { return 0; }

    // The broadcast tables' sink.
    bool Holds(const KvLogNote& note) const override;
    void Append(const KvLogNote& note) override;

    static std::string DefaultPath();

private:
    // The news id of each entry a news note made in this run (-1: none or
    // unknown, as for entries read from a file); the file has no place for it.
    std::vector<int32_t> m_noteIds;
};

// The index of the entry last shown on the status bar; -1 none.
extern int nCurrentLog;
