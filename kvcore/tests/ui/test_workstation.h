// The smallest workstation on the library's bases: an application, a main frame
// with a logged-off and a logged-on interface, a session that completes a logon,
// one host table, and a call log of what the bases ask of them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "kvcore/app/session_core.h"
#include "kvcore/frame/app_core.h"
#include "kvcore/frame/main_frame_core.h"
#include "kvcore/frame/table_template.h"
#include "kvcore/router/vorl_target.h"

namespace kvtest {

inline constexpr unsigned kLoggedOffIDR = 200;
inline constexpr unsigned kLoggedOnIDR = 201;
// Commands of the test interface; the user may never use kRefusedCommand.
inline constexpr unsigned kBuyCommand = 40001;
inline constexpr unsigned kRefusedCommand = 40002;
inline constexpr unsigned kHostTableRequest = 77;
// Table ids with a template.
inline constexpr unsigned kOrdersTable = 3;
inline constexpr unsigned kTradesTable = 4;

std::vector<std::string>& CallLog();
void Call(const std::string& entry);

class WorkstationSession : public CSessionCore {
public:
    // With real files the session keeps kTableCount layout entries and reads and writes the
    // user's settings and workspace files as the library's session does.
    static inline bool realFiles = false;
    static constexpr int kTableCount = 5;
    ~WorkstationSession() override;
    int GetTableSize() override { return realFiles ? kTableCount : 0; }
    int RequestTETime() override;
    int GetUserFirm() override;
    int OnNewDocument() override;
    int BCMessagesSwitch() override;
    int RestoreSettings(const char* path) override;
    int SaveSettings(const char* path) override;
};

class WorkstationFrame : public CMainFrameCore {
    Q_OBJECT
public:
    std::unique_ptr<CSessionCore> CreateSession() override;
    void ResetTables() override { Call("ResetTables"); }
    void OnPollEvent() override { Call("OnPollEvent"); }
    unsigned GetLoggedOnIDR() const override { return kLoggedOnIDR; }
    unsigned GetLoggedOffIDR() const override { return kLoggedOffIDR; }
    void SetButtonGroups() override;
    void EndSession(int bLogoff) override;
};

class HostTable : public CVorlPermTarget {
public:
    int UpdateReq() override;
    int Decode(CRecordReader& reader) override;
    int Load() override;
    int Save() override;
    void Free() override;
    std::vector<std::string> rows;
};

class TableDoc : public CTDoc {
public:
    void UpdateDocument(intptr_t hint, fw::Hint* object) override;
    int updates = 0;
};

class WorkstationApp : public CKvAppCore {
    Q_OBJECT
public:
    std::unique_ptr<CMainFrameCore> CreateMainFrame() override;
    CTDocTemplate* AddDocTemplateID(uint32_t id) override;
    int CanAccess(unsigned id, unsigned param) override;
    int VORLTransactionRecv(int code, char* text, int len, int flag) override;
    int VORLInfoReqRecv() override;
    int VORLBlockedInfoReqEnd(CVorlTarget* target) override;
    void DoRequest() override;
    void DoReceive() override;

    WorkstationFrame* Frame() const { return static_cast<WorkstationFrame*>(GetMainFrame()); }
    HostTable table;
    std::vector<unsigned> refused { kRefusedCommand }; // the user's rights
    // The table windows are the library's list windows (placement, caption, on-top state)
    // rather than bare views.
    static inline bool listWindows = false;
};

} // namespace kvtest
