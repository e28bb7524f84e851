#include "kv32/shell/local_permissions.h"

#include <charconv>
#include <string>
#include <system_error>

#include "fw/core/profile.h"
#include "kvcore/router/kv_trace.h"

namespace {

std::optional<CKvLocalPermissions>& InForce()
{
    static std::optional<CKvLocalPermissions> permissions;
    return permissions;
}

constexpr int kMaxCode = 999; // message types and operator codes are three digits

void ReadSection(const fw::Profile& profile, const char* section, std::map<int, int>& into)
{
    for (const std::string& key : profile.keys(section)) {
        int code = -1;
        const auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), code);
        if (ec != std::errc() || end != key.data() + key.size() || code < 0 || code > kMaxCode) {
            KvTrace(profile.path().string() + ": [" + section + "] key \"" + key + "\" is not a code; ignored");
            continue;
        }
        into[code] = profile.getInt(section, key, 0);
    }
}

} // namespace

std::optional<CKvLocalPermissions> KvReadLocalPermissions(const std::filesystem::path& file)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return std::nullopt;
    const fw::Profile profile(file.string());
    CKvLocalPermissions permissions;
    ReadSection(profile, "MsgTypes", permissions.msgTypes);
    ReadSection(profile, "OprCodes", permissions.oprCodes);
    return permissions;
}

const std::optional<CKvLocalPermissions>& KvLocalPermissions()
{
    return InForce();
}

void KvLoadLocalPermissions()
{
    InForce() = KvReadLocalPermissions(fw::resolveIniPath(kKvLocalPermissionFile));
}

void KvClearLocalPermissions()
{
    InForce().reset();
}
