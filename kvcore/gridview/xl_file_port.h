#pragma once
// The spreadsheet behind a list window's link on Linux: an .xlsx workbook in the user's settings
// folder, "<program>_<sheet>.xlsx", holding the one sheet. Ranges change the sheet in memory;
// the file is rewritten when an update is complete, at most once a second (a later update within
// the second is written when the second is over), and once more when the link ends, so the file
// always ends up matching the table.
#include "fw/core/command.h"
#include "fw/ui/spreadsheet.h"
#include "kvcore/grid/xl_view.h"
#include "kvcore/kvcore_api.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kvcore {

class KVCORE_API XLFilePort : public XLSheetPort, public fw::CmdTarget {
public:
    static constexpr int kMinIntervalMs = 1000;

    // folder ends with '/'; an empty program name gives "kv32".
    XLFilePort(std::string folder, std::string program);
    ~XLFilePort() override;

    bool OpenSheet(const std::string& sheetName) override;
    void PutRange(const XLRange& range, const std::vector<std::vector<std::string>>& values) override;
    void MarkSaved() override;
    void onTimer(uint32_t timerId) override;

    const std::string& Path() const { return m_path; }
    int Syncs() const { return m_syncs; }

private:
    void Sync();

    std::string m_folder;
    std::string m_program;
    std::string m_path;
    std::unique_ptr<fw::SpreadsheetLink> m_link;
    int64_t m_lastSyncMs = 0;
    bool m_synced = false; // written at least once
    bool m_pending = false; // changes waiting for the next allowed write
    int m_syncs = 0;
};

} // namespace kvcore
