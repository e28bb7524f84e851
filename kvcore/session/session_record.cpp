#include "kvcore/session/session_record.h"

#include "fw/core/archive.h"

namespace {

// Flags travel as words holding the int's low 16 bits and come back zero-extended.
void writeFlag(fw::Archive& ar, int value)
{
    ar.writeWord(static_cast<std::uint16_t>(value));
}

int readFlag(fw::Archive& ar)
{
    return ar.readWord();
}

} // namespace

void WriteSettingsHeader(fw::Archive& ar, std::uint16_t classVersion, const std::string& user)
{
    ar.writeWord(classVersion);
    ar.writeString(user);
}

int ReadSettingsHeader(fw::Archive& ar, std::uint16_t classVersion, const std::string& user)
{
    try {
        if (ar.readWord() != classVersion)
            return IDS_SETTINGS_RESTORE_FAILED;
        if (ar.readString() != user)
            return IDS_SETTINGS_OTHER_USER;
        return 0;
    } catch (const fw::ArchiveError&) {
        return IDS_SETTINGS_RESTORE_FAILED;
    }
}

void WriteSettingsRecord(fw::Archive& ar, const KvSettingsRecord& record)
{
    fw::writeAccelTable(ar, record.shortcuts);
    fw::storeGridProperties(ar, record.grid);
    const KvSessionOptions& o = record.options;
    ar.writeLong(o.colorMethod);
    for (int flag : { o.mouse, o.windowsManipulation, o.autosave, o.confirm, o.option1, o.option2,
             o.restorePositions })
        writeFlag(ar, flag);
    ar.writeLong(o.ts);
    ar.writeLong(o.highSpeedDelay);
    writeFlag(ar, o.ticker);
    ar.writeLong(o.orderColor);
    fw::writeColor(ar, o.colour1);
    fw::writeColor(ar, o.colour2);
    for (fw::Color c : o.customColours)
        fw::writeColor(ar, c);
    for (const KvLayoutEntry& e : record.layouts) {
        ar.writeWordArray(e.popup);
        ar.writeDWordArray(e.colours);
        fw::writeColor(ar, e.defaultBack);
        fw::writeColor(ar, e.defaultText);
        for (const auto& set : e.columnSets)
            ar.writeWordArray(set);
    }
    ar.writeString(o.autosave ? record.workspaceFile : std::string());
}

void ReadSettingsRecord(fw::Archive& ar, KvSettingsRecord& record)
{
    record.shortcuts = fw::readAccelTable(ar);
    fw::loadGridProperties(ar, record.grid);
    KvSessionOptions& o = record.options;
    o.colorMethod = ar.readLong();
    for (int* flag : { &o.mouse, &o.windowsManipulation, &o.autosave, &o.confirm, &o.option1, &o.option2,
             &o.restorePositions })
        *flag = readFlag(ar);
    o.ts = ar.readLong();
    o.highSpeedDelay = ar.readLong();
    o.ticker = readFlag(ar);
    o.orderColor = ar.readLong();
    o.colour1 = fw::readColor(ar);
    o.colour2 = fw::readColor(ar);
    for (fw::Color& c : o.customColours)
        c = fw::readColor(ar);
    for (KvLayoutEntry& e : record.layouts) {
        e.popup = ar.readWordArray();
        e.colours = ar.readDWordArray();
        e.defaultBack = fw::readColor(ar);
        e.defaultText = fw::readColor(ar);
        for (auto& set : e.columnSets)
            set = ar.readWordArray();
    }
    record.workspaceFile = ar.readString();
}

void WriteWorkspaceLayouts(fw::Archive& ar, std::span<const KvLayoutEntry> layouts)
{
    for (const KvLayoutEntry& e : layouts) {
        writeFlag(ar, e.open);
        writeFlag(ar, e.fixed);
        ar.writeDWordArray(e.sortKeys);
        writeFlag(ar, e.zoom);
        writeFlag(ar, e.fit);
        ar.writeWordArray(e.selected);
        ar.writeWordArray(e.widths);
        fw::writePlacement(ar, e.placement);
        writeFlag(ar, e.spare);
    }
}

void ReadWorkspaceLayouts(fw::Archive& ar, std::span<KvLayoutEntry> layouts)
{
    for (KvLayoutEntry& e : layouts) {
        e.open = readFlag(ar);
        e.fixed = readFlag(ar);
        e.sortKeys = ar.readDWordArray();
        e.zoom = readFlag(ar);
        e.fit = readFlag(ar);
        e.selected = ar.readWordArray();
        e.widths = ar.readWordArray();
        e.placement = fw::readPlacement(ar);
        e.spare = readFlag(ar);
    }
}
