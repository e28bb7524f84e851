// What the user's settings file and workspace files hold, and their byte records. Qt-free:
// the session document and the main frame fill these structures and apply what a file
// brought; the records here only turn them into bytes and back.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "fw/core/gridprops.h"
#include "fw/core/records.h"
#include "kvcore/kvcore_api.h"

namespace fw {
class Archive;
}

inline constexpr std::uint16_t kSessionClassVersion = 1231;
inline constexpr int kColumnSetCount = 9;
inline constexpr int kCustomColourCount = 16;
// No workstation has anywhere near this many tables; a file that claims more is damaged.
inline constexpr int kMaxTableCount = 1024;

// Message ids of the settings and workspace files.
enum KvSessionMessage : int {
    IDS_SETTINGS_OTHER_USER = 30108,
    IDS_SETTINGS_SAVE_FAILED = 30110,
    IDS_WORKSPACE_SAVE_FAILED = 30111,
    IDS_SETTINGS_RESTORE_FAILED = 30112,
    IDS_WORKSPACE_RESTORE_FAILED = 30113,
};

// Everything the user sets on the windows of one table.
struct KVCORE_API KvLayoutEntry {
    std::vector<std::uint16_t> popup; // menu positions in the order the popup shows them
    int open = 0;
    std::array<std::vector<std::uint16_t>, kColumnSetCount> columnSets;
    int spare = 0; // kept in the workspace record only
    std::vector<std::uint16_t> selected;
    std::vector<std::uint16_t> widths;
    int fixed = 0;
    std::vector<std::uint32_t> sortKeys;
    int zoom = 100;
    int fit = 0;
    std::vector<std::uint32_t> colours;
    fw::Color defaultBack = fw::Color::rgb(255, 255, 255);
    fw::Color defaultText = fw::Color::rgb(0, 0, 0);
    fw::WindowPlacement placement; // normal position (-1,-1,-1,-1): none stored
    bool operator==(const KvLayoutEntry&) const = default;
};

// The options of the session that the settings file carries.
struct KVCORE_API KvSessionOptions {
    std::int32_t colorMethod = 0;
    int mouse = 1;
    int windowsManipulation = 1;
    int autosave = 1;
    int confirm = 0;
    int option1 = 1;
    int option2 = 1;
    int restorePositions = 0;
    std::int32_t ts = 3;
    std::int32_t highSpeedDelay = 10;
    int ticker = 0;
    std::int32_t orderColor = 1;
    fw::Color colour1 = fw::Color::rgb(100, 100, 240);
    fw::Color colour2 = fw::Color::rgb(220, 100, 100);
    std::array<fw::Color, kCustomColourCount> customColours;
    KvSessionOptions() { customColours.fill(fw::Color::rgb(255, 255, 255)); }
    bool operator==(const KvSessionOptions&) const = default;
};

// The whole settings file after its header.
struct KVCORE_API KvSettingsRecord {
    std::vector<fw::AccelRecord> shortcuts; // the table in force
    fw::GridProperties grid;
    KvSessionOptions options;
    std::vector<KvLayoutEntry> layouts; // one per table id; only the settings fields travel
    std::string workspaceFile; // stored empty while autosave is off
    bool operator==(const KvSettingsRecord&) const = default;
};

// The header: the class version word and the user name.
KVCORE_API void WriteSettingsHeader(fw::Archive& ar, std::uint16_t classVersion, const std::string& user);
// 0 when the header fits, else the message to show: 30112 another version, 30108 another
// user or a damaged header.
KVCORE_API int ReadSettingsHeader(fw::Archive& ar, std::uint16_t classVersion, const std::string& user);

// The record after the header. Loading reads into `layouts` as many entries as it already
// holds (the session's table count); it throws fw::ArchiveError on damaged bytes.
KVCORE_API void WriteSettingsRecord(fw::Archive& ar, const KvSettingsRecord& record);
KVCORE_API void ReadSettingsRecord(fw::Archive& ar, KvSettingsRecord& record);

// The layout part of a workspace: for every entry, open flag, fixed columns, sort keys, zoom,
// fit flag, selected columns, widths, placement and the spare int.
KVCORE_API void WriteWorkspaceLayouts(fw::Archive& ar, std::span<const KvLayoutEntry> layouts);
KVCORE_API void ReadWorkspaceLayouts(fw::Archive& ar, std::span<KvLayoutEntry> layouts);
