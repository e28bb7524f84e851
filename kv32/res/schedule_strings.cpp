#include "kv32/res/schedule_strings.h"

#include "fw/core/resources.h"
#include "fw/core/strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { 2050, "Time", "Idő" },
    { 2051, "Priority", "Prioritás" },
    { 2052, "Transition", "Átmenet" },
    { 2053, "Board", "Tábla" },
    { 2054, "Instrument", "Instrumentum" },
    { 2055, "Security", "Értékpapír" },
    { 2056, "Pending", "Függőben" },
    { 61420, "The trading event's priority is not between 0 and 99; nothing was sent.",
        "A kereskedési esemény prioritása nem 0 és 99 közötti; semmi sem lett elküldve." },
};

using fw::MenuEntry;
using fw::MenuEntryKind;

constexpr MenuEntry kScheduleMenu[] = {
    { 0, MenuEntryKind::Command, ID_SCHEDULE_ADD, "&Add...", "&Felvétel..." },
    { 0, MenuEntryKind::Command, ID_SCHEDULE_MODIFY, "&Modify...", "&Módosítás..." },
    { 0, MenuEntryKind::Command, ID_SCHEDULE_REMOVE, "&Remove", "&Törlés" },
};

constexpr fw::MenuTemplate kMenus[] = {
    { 20, kScheduleMenu },
};

const fw::ResourceSet kResources { "kv32-schedule-window", {}, {}, kMenus };

} // namespace

void Kv32RegisterScheduleResources()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::string KvScheduleString(std::uint32_t id)
{
    Kv32RegisterScheduleResources();
    return fw::loadString(id);
}
