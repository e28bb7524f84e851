#include "kv32/res/audit_window_strings.h"

#include "fw/core/resources.h"
#include "fw/core/strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { 5580, "Time", "Idő" },
    { 5581, "Type", "Típus" },
    { 5582, "Group", "Csoport" },
    { 5583, "User", "Felhasználó" },
    { 5584, "Firm", "Cég" },
    { 5585, "To User", "Címzett felhasználó" },
    { 5586, "To Firm", "Címzett cég" },
    { 5587, "From User", "Feladó felhasználó" },
    { 5588, "Board", "Tábla" },
    { 5589, "Security", "Értékpapír" },
    { 5590, "Text", "Szöveg" },
    { 5600, "Type", "Típus" },
    { 5601, "Group", "Csoport" },
    { 5602, "Display Mode", "Megjelenítési mód" },
    { 5603, "Override Display Mode", "Felülírt megjelenítési mód" },
};

using fw::MenuEntry;
using fw::MenuEntryKind;

constexpr MenuEntry kAuditTypesMenu[] = {
    { 0, MenuEntryKind::Command, ID_AUDIT_OVERRIDE_MODE, "&Override Mode...", "Mód &felülírása..." },
};

constexpr fw::MenuTemplate kMenus[] = {
    { 34, kAuditTypesMenu },
};

const fw::ResourceSet kResources { "kv32-audit-windows", {}, {}, kMenus };

} // namespace

void Kv32RegisterAuditWindowResources()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}
