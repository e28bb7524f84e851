#include "kv32/shell/session.h"

#include "fw/core/archive.h"
#include "fw/core/msgbox.h"
#include "fw/core/profile.h"
#include "kv32/res/table_strings.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/host_time.h"
#include "kv32/shell/local_orders_port.h"
#include "kv32/shell/local_permissions.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_settings.h"
#include "kvcore/app/app_core_logic.h"
#include "kvcore/app/main_frame_logic.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/grid/gx_doc.h"
#include "kvcore/router/info_req.h"
#include "kvcore/session/session_record.h"
#include "kvcore/values/field_writer.h"

CKvLocalOrdersPort& KvLocalOrdersPort()
{
    static CKvLocalOrdersPort port;
    return port;
}

char& KvDisplayType()
{
    static char letter = ' ';
    return letter;
}

std::string& KvTrAccFilePath()
{
    static std::string path;
    return path;
}

void WriteSessionTail(fw::Archive& ar, const CKvSessionTail& t)
{
    // The letter travels sign-extended to 16 bits.
    ar.writeWord(static_cast<std::uint16_t>(static_cast<std::int16_t>(static_cast<signed char>(t.cDisplayType))));
    for (std::int32_t v : { t.nFlashDelay, t.nPriceChange, t.nColorDelay, t.nETNotify, t.nETBeeps, t.nETHour,
             t.nETMinute, t.bSaveAlerts, t.bSaveLogs })
        ar.writeLong(v);
}

CKvSessionTail ReadSessionTail(fw::Archive& ar)
{
    CKvSessionTail t;
    t.cDisplayType = static_cast<char>(ar.readWord() & 0xFF);
    for (std::int32_t* v : { &t.nFlashDelay, &t.nPriceChange, &t.nColorDelay, &t.nETNotify, &t.nETBeeps, &t.nETHour,
             &t.nETMinute, &t.bSaveAlerts, &t.bSaveLogs })
        *v = ar.readLong();
    return t;
}

CSession::CSession(const std::string& user)
    : m_pTrAccLocal(std::make_unique<CTrAccLocalArray>())
{
    m_sUser = user;
    m_nClassVersion = kSessionClassVersion;
    // The path is glued to the folder as it stands (the folder ends with '/').
    KvTrAccFilePath() = sSettingsPath + user + ".tra";
    m_pTrAccLocal->LoadFile(KvTrAccFilePath());
    KvLoadLocalPermissions();
}

CSession::~CSession()
{
    m_pTrAccLocal.reset();
    KvClearLocalPermissions();
    if (const auto& discard = KvLocalOrdersPort().discard)
        discard();
}

int CSession::OnNewDocument()
{
    const fw::Profile app(kKvAppProfile);
    constexpr const char* kGeneral = "general";
    m_nETNotify = app.getInt(kGeneral, "ETNotify", 10);
    m_nETBeeps = app.getInt(kGeneral, "ETBeeps", 3);
    m_settings.options.autosave = app.getInt(kGeneral, "SaveWorkspace", 1);
    m_bSaveAlerts = app.getInt(kGeneral, "SaveAlerts", 1);
    m_bSaveLogs = app.getInt(kGeneral, "SaveLogs", 1);
    kvcore::CTGXDoc::m_iColorMethod = app.getInt(kGeneral, "ColorMethod", 0);
    m_settings.options.colorMethod = kvcore::CTGXDoc::m_iColorMethod;
    m_settings.options.orderColor = app.getInt(kGeneral, "OrderColor", 1);

    const fw::Profile desk(kKvDesktopProfile);
    CKvTableSettings& table = KvTableSettings();
    table.nFlashDelay = desk.getInt(kGeneral, "FlashDelay", 1);
    table.nPriceChange = desk.getInt(kGeneral, "PriceChange", 0);
    table.nColorDelay = desk.getInt(kGeneral, "ColorDelay", 3);
    m_bOrderExit = desk.getInt(kGeneral, "OrderExit", 1);
    m_bCopyWindowPos = desk.getInt(kGeneral, "CopyWindowPos", 0);
    table.settingsPath = sSettingsPath;
    return CSessionCore::OnNewDocument() != 0 ? 1 : 0;
}

int CSession::GetUserFirm()
{
    const CTraderTable& traders = TraderTable();
    const int row = traders.FindByCode(m_sUser.c_str());
    if (row < 0) {
        m_sUserFirm.clear();
        KvMessageBox(Kv32TableString(IDS_NO_USER_FIRM), fw::MB_ICONSTOP);
        return 0;
    }
    m_sUserFirm = traders.GetRec(row)->szFirm;
    return 1;
}

int CSession::RequestTETime()
{
    const std::string key = KvFieldWriter().TextCut(m_sUser, 12).Str();
    KvMarkHostTimeRequest();
    return VORLInfoReq(kKvHostTimeRequest, key.c_str(), static_cast<int>(key.size()), nullptr);
}

int CSession::PreSerializeWorkspace(fw::Archive& ar)
{
    if (ar.isStoring()) {
        ar.writeWord(kKvSessionSchema);
        return 1;
    }
    if (ar.readWord() != kKvSessionSchema) {
        KvMessageBoxId(IDS_WORKSPACE_RESTORE_FAILED, fw::MB_ICONSTOP);
        return 0;
    }
    return 1;
}

CKvSessionTail CSession::CurrentTail() const
{
    const CKvTableSettings& table = KvTableSettings();
    const CKvAppSettings& app = KvAppSettings();
    CKvSessionTail t;
    t.cDisplayType = KvDisplayType();
    t.nFlashDelay = table.nFlashDelay;
    t.nPriceChange = table.nPriceChange;
    t.nColorDelay = table.nColorDelay;
    t.nETNotify = m_nETNotify;
    t.nETBeeps = m_nETBeeps;
    t.nETHour = app.nETHour;
    t.nETMinute = app.nETMinute;
    t.bSaveAlerts = m_bSaveAlerts;
    t.bSaveLogs = m_bSaveLogs;
    return t;
}

void CSession::ApplyTail(const CKvSessionTail& t)
{
    CKvTableSettings& table = KvTableSettings();
    KvDisplayType() = t.cDisplayType;
    table.nFlashDelay = t.nFlashDelay;
    table.nPriceChange = t.nPriceChange;
    table.nColorDelay = t.nColorDelay;
    m_nETNotify = t.nETNotify;
    m_nETBeeps = t.nETBeeps;
    KvSetTradingEnd(KvAppSettings(), t.nETHour, t.nETMinute);
    m_bSaveAlerts = t.bSaveAlerts;
    m_bSaveLogs = t.bSaveLogs;
}

void CSession::SerializeSettingsTail(fw::Archive& ar)
{
    if (ar.isStoring()) {
        WriteSessionTail(ar, CurrentTail());
        return;
    }
    m_pendingTail.reset();
    m_pendingTail = ReadSessionTail(ar);
}

void CSession::ApplySettingsTail()
{
    if (m_pendingTail)
        ApplyTail(*m_pendingTail);
    m_pendingTail.reset();
}

unsigned CSession::GetLoggedOnBitmapId()
{
    const CKvAppCoreLogic* app = CKvAppCoreLogic::CurrentLogic();
    const CMainFrameCoreLogic* frame = app != nullptr ? app->MainFrameLogic() : nullptr;
    return frame != nullptr ? frame->GetLoggedOnIDR() : 0;
}

CSession* KvSession()
{
    return dynamic_cast<CSession*>(ps);
}

CTrAccLocalArray* GetCurrentSessionData()
{
    CSession* session = KvSession();
    return session == nullptr ? nullptr : session->GetTrAccLocal();
}
