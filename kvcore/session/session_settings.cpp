// The session's settings file: the flags the rest of the library reads live as members of
// the session and as program-wide globals; they travel through the session's record.
#include <algorithm>
#include <cstdlib>

#include "fw/core/msgbox.h"
#include "kvcore/app/main_frame_logic.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/session_core.h"
#include "kvcore/session/popup_items.h"
#include "kvcore/session/session_files.h"
#include "kvcore/session/shortcut_table.h"

std::string sSettingsPath;

namespace {

std::string SettingsFolderAtStart()
{
    const char* env = std::getenv("kv3userpath");
    return KvSettingsFolder(env != nullptr ? std::string(env) : sDefaultPath);
}


} // namespace

void CSessionCore::FindSettingsFolder()
{
    sSettingsPath = SettingsFolderAtStart();
}

int CSessionCore::OnNewDocument()
{
    m_settings.layouts.assign(static_cast<std::size_t>(std::max(0, std::min(GetTableSize(), kMaxTableCount))),
        KvLayoutEntry {});
    // Each table's popup shows the items of its menu that the user may use, in menu order,
    // until the user arranges it otherwise.
    for (std::size_t id = 1; id < m_settings.layouts.size(); ++id) {
        KvLayoutEntry& entry = m_settings.layouts[id];
        entry.popup.clear();
        if (const std::optional<fw::Menu> menu = KvTableMenu(static_cast<unsigned>(id))) {
            for (std::size_t i = 0; i < menu->itemCount() && i <= 0xFFFF; ++i)
                entry.popup.push_back(static_cast<std::uint16_t>(i));
        }
        entry.placement = fw::WindowPlacement {};
    }
    return 1;
}

std::string CSessionCore::DefaultSettingsFile() const
{
    return KvDefaultSettingsFile(sSettingsPath, m_sUser);
}

int CSessionCore::SaveSettings(const char* path)
{
    KvSessionOptions& o = m_settings.options;
    o.mouse = m_bMouse;
    o.windowsManipulation = m_bWindowsManipulation;
    o.confirm = m_bConfirm;
    o.ts = iTS;
    o.highSpeedDelay = iHighSpeedDelay;
    o.ticker = TickerWindowOpen() ? 1 : 0;
    if (const CMainFrameCoreLogic* frame = CMainFrameCoreLogic::Current())
        m_settings.shortcuts = frame->GetShortcutTable();
    const std::string file = path != nullptr ? std::string(path) : DefaultSettingsFile();
    const int failed = KvSaveSettingsFile(
        file, m_nClassVersion, m_sUser, m_settings, [this](fw::Archive& ar) { SerializeSettingsTail(ar); });
    if (failed)
        KvMessageBoxId(static_cast<std::uint32_t>(failed), fw::MB_ICONSTOP);
    if (m_settings.options.autosave)
        SaveWorkspace(m_settings.workspaceFile.c_str());
    return failed ? 0 : 1;
}

int CSessionCore::RestoreSettings(const char* path)
{
    const int restored = ReadSettings(path);
    if (m_settings.options.autosave)
        RestoreWorkspace(m_settings.workspaceFile.c_str());
    return restored;
}

int CSessionCore::ReadSettings(const char* path)
{
    const std::string file = path != nullptr ? std::string(path) : DefaultSettingsFile();
    const int result = KvLoadSettingsFile(
        file, m_nClassVersion, m_sUser, m_settings, [this](fw::Archive& ar) { SerializeSettingsTail(ar); });
    if (result == kSettingsFileMissing) {
        // A user's first logon has no settings file: nothing to say then.
        if (path != nullptr)
            KvMessageBoxId(IDS_SETTINGS_RESTORE_FAILED, fw::MB_ICONSTOP);
        return 0;
    }
    if (result != 0) {
        KvMessageBoxId(static_cast<std::uint32_t>(result), fw::MB_ICONSTOP);
        return 0;
    }
    // No key may reach a command the user's rights hide.
    KvShortcutTable shortcuts { std::move(m_settings.shortcuts) };
    shortcuts.Permission();
    m_settings.shortcuts = std::move(shortcuts.m_entries);
    if (CMainFrameCoreLogic* frame = CMainFrameCoreLogic::Current(); frame != nullptr && !m_settings.shortcuts.empty())
        frame->SetShortcutTable(m_settings.shortcuts);
    ApplySettingsTail();
    const KvSessionOptions& o = m_settings.options;
    m_bMouse = o.mouse;
    m_bWindowsManipulation = o.windowsManipulation;
    m_bConfirm = o.confirm;
    iTS = o.ts;
    iHighSpeedDelay = o.highSpeedDelay;
    PostSerialize();
    return 1;
}

void CSessionCore::PostSerialize()
{
    if (!m_settings.options.ticker)
        return;
    if (CMainFrameCoreLogic* frame = CMainFrameCoreLogic::Current())
        frame->PostCommand(ID_KV_TICKER_WINDOW);
}
