// The user's settings and workspace files: where they live and how a whole file is written
// and read. A file is written to a temporary file beside it and renamed over the old one,
// so a failed save leaves the previous file as it was; a file is applied only when all of
// it has been read.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "kvcore/session/session_record.h"

// The settings folder from "kv3userpath" (or the profile's fallback): '/' is appended unless
// it is empty or already ends with one, so "/" stays the root.
KVCORE_API std::string KvSettingsFolder(const std::string& folder);
// folder + user + ".kvs" / ".wks"; the slot file is folder + user + n + ".wks".
KVCORE_API std::string KvDefaultSettingsFile(const std::string& folder, const std::string& user);
KVCORE_API std::string KvDefaultWorkspaceFile(const std::string& folder, const std::string& user);
KVCORE_API std::string KvWorkspaceSlotFile(const std::string& folder, const std::string& user, int slot);

// What a derived session adds after the record, in the archive's direction; loading throws
// fw::ArchiveError on damaged bytes like the record does.
using KvSettingsTail = std::function<void(fw::Archive&)>;

// 0 on success, else 30110.
KVCORE_API int KvSaveSettingsFile(const std::string& path, std::uint16_t classVersion, const std::string& user,
    const KvSettingsRecord& record, const KvSettingsTail& tail = {});

inline constexpr int kSettingsFileMissing = -1;
// 0 with `record` replaced by the file's; kSettingsFileMissing when the file cannot be
// opened; 30112 or 30108 for a refused header or damaged bytes, `record` unchanged.
// `record.layouts` gives the number of table entries to read.
// The tail is read before anything is applied.
KVCORE_API int KvLoadSettingsFile(const std::string& path, std::uint16_t classVersion, const std::string& user,
    KvSettingsRecord& record, const KvSettingsTail& tail = {});
