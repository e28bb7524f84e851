// The session of a logged-on user: created by the main frame at logon, reached
// through `ps`, deleted at logoff. This is the part the application core and
// the main frame rely on; the settings and workspace files build on it.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "fw/core/archive.h"

#include "kvcore/kvcore_api.h"
#include "kvcore/session/session_record.h"

class CTDoc;

class KVCORE_API CSessionCore {
public:
    CSessionCore();
    virtual ~CSessionCore();
    CSessionCore(const CSessionCore&) = delete;
    CSessionCore& operator=(const CSessionCore&) = delete;

    // Logon-time steps, in the order the main frame calls them.
    virtual int RequestTETime() { return 0; } // asks the host for the trading-system time
    int GetUserPermissions() { return 1; }
    virtual int GetUserFirm() { return 0; }
    virtual int GetTableSize() { return 0; } // the number of table ids
    // Makes one layout entry per table id.
    virtual int OnNewDocument();
    // Information request 29 with the user name: the host starts sending the
    // user's broadcast messages.
    virtual int BCMessagesSwitch();
    // The user's settings file; null means the default one.
    virtual int RestoreSettings(const char* path);
    virtual int SaveSettings(const char* path);
    std::string DefaultSettingsFile() const;
    // The workspace file (null or empty: the user's default one); the file used becomes
    // the current workspace file.
    int SaveWorkspace(const char* path);
    int RestoreWorkspace(const char* path);
    std::string DefaultWorkspaceFile() const;
    // The file of workspace slot 1-5, and whether it is the current workspace.
    std::string WorkspaceSlotFile(int slot) const;
    bool IsCurrentWorkspaceSlot(int slot) const;
    // A derived session's part of the settings file, after the core's record. Loading reads
    // it aside (throwing fw::ArchiveError on damaged bytes); ApplySettingsTail puts it in
    // force once the whole file has been read.
    virtual void SerializeSettingsTail(fw::Archive& /*ar*/) { }
    virtual void ApplySettingsTail() { }
    // After a settings file was applied: the ticker window opens again when it was open.
    virtual void PostSerialize();
    // Whether the ticker window is open now; stored in the settings file. The base keeps
    // what the last settings file said.
    virtual int TickerWindowOpen() { return m_settings.options.ticker; }
    // The workspace header; the base writes none.
    virtual int PreSerializeWorkspace(fw::Archive& /*ar*/) { return 1; }
    // The workspace record: the targets' colours, the layout part of every entry, the open
    // windows and the main window's record. Throws fw::ArchiveError on damaged bytes.
    virtual void SerializeWorkspace(fw::Archive& ar);
    // After a workspace was read (whole or not): the windows show again.
    virtual void PostSerializeWorkspace();
    // Sets sSettingsPath; the constructor calls it.
    static void FindSettingsFolder();

    std::string m_sUser;
    std::string m_sPassword;
    int m_bMouse = 1; // the mouse may be used (option "Mouse")
    int m_bWindowsManipulation = 1;
    int m_nPollTicks = 0; // timer ticks since the last poll
    int m_nIdleTicks = 0; // timer ticks without key or mouse input
    int m_bConfirm = 0; // AreYouShure asks only while set
    // The layout entry of a table id; null for an id beyond the session's tables.
    KvLayoutEntry* GetLayout(uint32_t id);
    // The entry's open flag (0 without an entry), and the open document whose layout the
    // entry reflects (null: none).
    int IsTable(uint32_t id) const;
    CTDoc* GetTableDoc(uint32_t id) const;
    void SetTableDoc(uint32_t id, CTDoc* doc);

    // The version word of the settings file (a derived session puts its own here).
private:
    std::unordered_map<uint32_t, CTDoc*> m_tableDocs; // layout owners by table id
    int ReadSettings(const char* path);

public:
    std::uint16_t m_nClassVersion = kSessionClassVersion;
    // What the settings file carries beside the flags above: shortcuts, grid look, the
    // other options, one layout entry per table id and the current workspace file.
    KvSettingsRecord m_settings;
};

// The user's settings folder: "kv3userpath", else the start-up folder; ends with '/'.
KVCORE_API extern std::string sSettingsPath;

// The session of the logged-on user; null while logged off.
KVCORE_API extern CSessionCore* ps;
