// The logged-on user's session in this program: kvcore's session with the
// user's firm, the user's settings of section "general" (the application
// profile) and of the desktop profile "kv32desk.ini", the program's tail of
// the settings file, the workspace check word, the host-time request and the
// user's local trading accounts ("<user>.tra").
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "fw/core/records.h"
#include "kv32/shell/tr_acc_local.h"
#include "kvcore/app/session_core.h"

// The desktop profile: the indication and form settings of section "general".
inline constexpr const char* kKvDesktopProfile = "kv32desk.ini";
// The check word of a workspace file written by this session class.
inline constexpr std::uint16_t kKvSessionSchema = 1;
// Table ids run from 0 to 41.
inline constexpr int kKvTableCount = 42;
// Information request: the host's trading-system time.
inline constexpr int kKvHostTimeRequest = 32;

// The program's tail of the settings file, in file order.
struct CKvSessionTail {
    char cDisplayType = ' ';
    std::int32_t nFlashDelay = 1;
    std::int32_t nPriceChange = 0;
    std::int32_t nColorDelay = 3;
    std::int32_t nETNotify = 10;
    std::int32_t nETBeeps = 3;
    std::int32_t nETHour = 0;
    std::int32_t nETMinute = 0;
    std::int32_t bSaveAlerts = 1;
    std::int32_t bSaveLogs = 1;
    bool operator==(const CKvSessionTail&) const = default;
};
void WriteSessionTail(fw::Archive& ar, const CKvSessionTail& tail);
// Throws fw::ArchiveError when the bytes run out.
CKvSessionTail ReadSessionTail(fw::Archive& ar);

// The program-wide display-type letter of the setup dialog (' ', 'P', 'S', 'N').
char& KvDisplayType();
// The path of the logged-on user's local trading accounts file (the trading
// accounts dialog saves there).
std::string& KvTrAccFilePath();

class CSession : public CSessionCore {
public:
    // `user` names the local trading accounts file; it is read here.
    explicit CSession(const std::string& user);
    ~CSession() override;

    // The user settings, then the base.
    int OnNewDocument() override;
    // The logged-on user's firm from the trader table; 10259 when the user has no record.
    int GetUserFirm() override;
    // Information request 32 with the user code; the reply moves the program's clock offset.
    int RequestTETime() override;
    int GetTableSize() override { return kKvTableCount; }
    int PreSerializeWorkspace(fw::Archive& ar) override;
    void SerializeSettingsTail(fw::Archive& ar) override;
    void ApplySettingsTail() override;

    // What the tail carries, gathered from where each value lives.
    CKvSessionTail CurrentTail() const;
    void ApplyTail(const CKvSessionTail& tail);

    CTrAccLocalArray* GetTrAccLocal() { return m_pTrAccLocal.get(); }
    // The main window's logged-on bitmap; 0 without a main window.
    static unsigned GetLoggedOnBitmapId();

    fw::Color m_colour1 = fw::Color::rgb(255, 128, 128);
    fw::Color m_colour2 = fw::Color::rgb(0, 255, 128);
    std::string m_sUserFirm;
    int m_nPOBStoreCount = 0; // polls since the local order book was last stored
    int m_nETNotify = 10; // minutes before the trading end of the warning
    int m_nETBeeps = 3;
    int m_nBeepCount = 0; // beeps of the warning still to give
    int m_bSaveAlerts = 1;
    int m_bSaveLogs = 1;
    int m_bOrderExit = 1;
    int m_bCopyWindowPos = 0;
    int m_bSuspendNotify = 1; // 'Y' in the suspend records of users and firms while set

private:
    std::unique_ptr<CTrAccLocalArray> m_pTrAccLocal;
    std::optional<CKvSessionTail> m_pendingTail;
};

// The current session as this program's, or null.
CSession* KvSession();
// The local trading accounts of the current session, or null without one.
CTrAccLocalArray* GetCurrentSessionData();
