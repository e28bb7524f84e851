// Arbitrary bytes as a settings file and as a workspace layout record: the readers must
// refuse or accept without a crash, a read past the end or an allocation driven by a forged
// count, and a settings record they accept must write back to bytes that read the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fw/core/archive.h"
#include "kvcore/session/session_record.h"

namespace {

constexpr std::size_t kTables = 3;

void settings(const std::vector<std::uint8_t>& bytes)
{
    fw::Archive in(bytes);
    if (ReadSettingsHeader(in, kSessionClassVersion, "ANNA") != 0)
        return;
    KvSettingsRecord record;
    record.layouts.resize(kTables);
    try {
        ReadSettingsRecord(in, record);
    } catch (const fw::ArchiveError&) {
        return;
    }
    if (!record.options.autosave)
        record.workspaceFile.clear();
    fw::Archive out;
    WriteSettingsHeader(out, kSessionClassVersion, "ANNA");
    WriteSettingsRecord(out, record);
    fw::Archive again(out.bytes());
    KvSettingsRecord back;
    back.layouts.resize(kTables);
    if (ReadSettingsHeader(again, kSessionClassVersion, "ANNA") != 0)
        std::abort();
    ReadSettingsRecord(again, back);
    if (!(back == record))
        std::abort();
}

void workspace(const std::vector<std::uint8_t>& bytes)
{
    fw::Archive in(bytes);
    std::vector<KvLayoutEntry> layouts(kTables);
    try {
        ReadWorkspaceLayouts(in, layouts);
    } catch (const fw::ArchiveError&) {
        return;
    }
    fw::Archive out;
    WriteWorkspaceLayouts(out, layouts);
    fw::Archive again(out.bytes());
    std::vector<KvLayoutEntry> back(kTables);
    ReadWorkspaceLayouts(again, back);
    if (back != layouts)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    settings(bytes);
    workspace(bytes);
    return 0;
}
