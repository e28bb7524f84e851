#include "kvcore/session/session_files.h"

#include "fw/core/archive.h"

std::string KvSettingsFolder(const std::string& folder)
{
    if (folder.empty() || folder.back() == '/')
        return folder;
    return folder + '/';
}

std::string KvDefaultSettingsFile(const std::string& folder, const std::string& user)
{
    return folder + user + ".kvs";
}

std::string KvDefaultWorkspaceFile(const std::string& folder, const std::string& user)
{
    return folder + user + ".wks";
}

std::string KvWorkspaceSlotFile(const std::string& folder, const std::string& user, int slot)
{
    return folder + user + std::to_string(slot) + ".wks";
}

int KvSaveSettingsFile(const std::string& path, std::uint16_t classVersion, const std::string& user,
    const KvSettingsRecord& record, const KvSettingsTail& tail)
{
    try {
        fw::Archive ar;
        WriteSettingsHeader(ar, classVersion, user);
        WriteSettingsRecord(ar, record);
        if (tail)
            tail(ar);
        return ar.saveFile(path) ? 0 : IDS_SETTINGS_SAVE_FAILED;
    } catch (const fw::ArchiveError&) {
        return IDS_SETTINGS_SAVE_FAILED;
    }
}

int KvLoadSettingsFile(const std::string& path, std::uint16_t classVersion, const std::string& user,
    KvSettingsRecord& record, const KvSettingsTail& tail)
{
    auto ar = fw::Archive::loadFile(path);
    if (!ar)
        return kSettingsFileMissing;
    if (int refused = ReadSettingsHeader(*ar, classVersion, user))
        return refused;
    KvSettingsRecord staged;
    staged.layouts.resize(record.layouts.size());
    try {
        ReadSettingsRecord(*ar, staged);
        if (tail)
            tail(*ar);
    } catch (const fw::ArchiveError&) {
        return IDS_SETTINGS_RESTORE_FAILED;
    }
    // Only the settings fields came from the file; the workspace fields stay the session's.
    for (std::size_t i = 0; i < staged.layouts.size(); ++i) {
        KvLayoutEntry& mine = record.layouts[i];
        KvLayoutEntry& read = staged.layouts[i];
        mine.popup = std::move(read.popup);
        mine.colours = std::move(read.colours);
        mine.defaultBack = read.defaultBack;
        mine.defaultText = read.defaultText;
        mine.columnSets = std::move(read.columnSets);
    }
    record.shortcuts = std::move(staged.shortcuts);
    record.grid = staged.grid;
    record.options = staged.options;
    if (record.options.autosave)
        record.workspaceFile = std::move(staged.workspaceFile);
    return 0;
}
