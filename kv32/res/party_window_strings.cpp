#include "kv32/res/party_window_strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    // Users window columns.
    { 800, "User", "Felhasználó" },
    { 801, "Name", "Név" },
    { 802, "Firm", "Cég" },
    { 803, "Role", "Szerep" },
    { 804, "Status", "Állapot" },
    { 805, "Active", "Aktív" },
    { 806, "Approve", "Jóváhagyás" },
    { 807, "Gateway", "Átjáró" },
    { 808, "Workstation", "Munkaállomás" },
    { 809, "Phone Number", "Telefonszám" },
    { 810, "Free Text", "Szabad szöveg" },
    { 811, "Highest Buy Order Volume", "Legnagyobb vételi megbízás mennyisége" },
    { 812, "Highest Buy Order Value", "Legnagyobb vételi megbízás értéke" },
    { 813, "Total Buy Order Volume", "Vételi megbízások össz. mennyisége" },
    { 814, "Total Buy Order Value", "Vételi megbízások össz. értéke" },
    { 815, "Highest Sell Order Volume", "Legnagyobb eladási megbízás mennyisége" },
    { 816, "Highest Sell Order Value", "Legnagyobb eladási megbízás értéke" },
    { 817, "Total Sell Order Volume", "Eladási megbízások össz. mennyisége" },
    { 818, "Total Sell Order Value", "Eladási megbízások össz. értéke" },
    { 819, "Highest Buy Trade Volume", "Legnagyobb vételi kötés mennyisége" },
    { 820, "Highest Buy Trade Value", "Legnagyobb vételi kötés értéke" },
    { 821, "Total Buy Trade Volume", "Vételi kötések össz. mennyisége" },
    { 822, "Total Buy Trade Value", "Vételi kötések össz. értéke" },
    { 823, "Highest Sell Trade Volume", "Legnagyobb eladási kötés mennyisége" },
    { 824, "Highest Sell Trade Value", "Legnagyobb eladási kötés értéke" },
    { 825, "Total Sell Trade Volume", "Eladási kötések össz. mennyisége" },
    { 826, "Total Sell Trade Value", "Eladási kötések össz. értéke" },
    // Firms window columns.
    { 840, "Firm", "Cég" },
    { 841, "Name", "Név" },
    { 842, "Status", "Állapot" },
    { 843, "Active", "Aktív" },
    { 844, "Phone Number", "Telefonszám" },
    { 845, "Free Text", "Szabad szöveg" },
    { 846, "Highest Buy Order Volume", "Legnagyobb vételi megbízás mennyisége" },
    { 847, "Highest Buy Order Value", "Legnagyobb vételi megbízás értéke" },
    { 848, "Total Buy Order Volume", "Vételi megbízások össz. mennyisége" },
    { 849, "Total Buy Order Value", "Vételi megbízások össz. értéke" },
    { 850, "Highest Sell Order Volume", "Legnagyobb eladási megbízás mennyisége" },
    { 851, "Highest Sell Order Value", "Legnagyobb eladási megbízás értéke" },
    { 852, "Total Sell Order Volume", "Eladási megbízások össz. mennyisége" },
    { 853, "Total Sell Order Value", "Eladási megbízások össz. értéke" },
    { 854, "Highest Buy Trade Volume", "Legnagyobb vételi kötés mennyisége" },
    { 855, "Highest Buy Trade Value", "Legnagyobb vételi kötés értéke" },
    { 856, "Total Buy Trade Volume", "Vételi kötések össz. mennyisége" },
    { 857, "Total Buy Trade Value", "Vételi kötések össz. értéke" },
    { 858, "Highest Sell Trade Volume", "Legnagyobb eladási kötés mennyisége" },
    { 859, "Highest Sell Trade Value", "Legnagyobb eladási kötés értéke" },
    { 860, "Total Sell Trade Volume", "Eladási kötések össz. mennyisége" },
    { 861, "Total Sell Trade Value", "Eladási kötések össz. értéke" },
    // Control events window columns.
    { 760, "Time", "Idő" },
    { 761, "Type", "Típus" },
    { 762, "User", "Felhasználó" },
    { 763, "Subject", "Tárgy" },
    { 764, "RefPrice", "Referenciaár" },
    { 765, "Lower Limit", "Alsó határ" },
    { 766, "Upper Limit", "Felső határ" },
    { 767, "Status", "Állapot" },
    // Replies window columns.
    { 560, "Identifier", "Azonosító" },
    { 561, "Message", "Üzenet" },
};

using fw::MenuEntry;
using fw::MenuEntryKind;

constexpr MenuEntry kUsersMenu[] = {
    { 0, MenuEntryKind::Command, ID_USER_ORDERS, "&Orders", "&Megbízások" },
    { 0, MenuEntryKind::Command, ID_USER_TRADES, "&Trades", "&Kötések" },
    { 0, MenuEntryKind::Command, ID_USER_DEALS, "&Negotiated Deals", "&Egyedi ügyletek" },
    { 0, MenuEntryKind::Command, ID_USER_CASH_POSITIONS, "&Cash Positions", "&Pénzpozíciók" },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, ID_USER_PASSWORD, "&Password...", "&Jelszó..." },
    { 0, MenuEntryKind::Command, ID_USER_NET_ADDRESS, "Network A&ddress...", "&Hálózati cím..." },
    { 0, MenuEntryKind::Command, ID_USER_LOGOFF, "&Logoff", "&Kiléptetés" },
    { 0, MenuEntryKind::Command, ID_USER_LOGON_VERIFY, "Logon &Verify...", "Belépés &ellenőrzése..." },
    { 0, MenuEntryKind::Command, ID_USER_ALERT_DEFS, "Al&erts...", "&Riasztások..." },
    { 0, MenuEntryKind::Command, ID_USER_ALERTS_VIEW, "Alerts View", "Riasztások megtekintése" },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, ID_USER_SUSPEND, "&Suspend", "&Felfüggesztés" },
    { 0, MenuEntryKind::Command, ID_USER_UNSUSPEND, "&Unsuspend", "Felfüggesztés &feloldása" },
    { 0, MenuEntryKind::Popup, 0, "Permissions", "Jogosultságok" },
    { 1, MenuEntryKind::Command, ID_PERMISSION_ROLE, "Role...", "Szerep..." },
    { 1, MenuEntryKind::Command, ID_PERMISSION_SET, "Set...", "Beállítás..." },
    { 1, MenuEntryKind::Command, ID_PERMISSION_DELETE, "Delete...", "Törlés..." },
    { 1, MenuEntryKind::Command, ID_PERMISSION_ACCESS, "Set Access Group...", "Hozzáférési csoport..." },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, ID_USER_APPROVE_ON, "&Approve On", "&Jóváhagyás be" },
    { 0, MenuEntryKind::Command, ID_USER_APPROVE_OFF, "Approve O&ff", "Jóváhagyás &ki" },
};

constexpr MenuEntry kFirmsMenu[] = {
    { 0, MenuEntryKind::Command, ID_FIRM_CASH_POSITIONS, "&Cash Positions", "&Pénzpozíciók" },
    { 0, MenuEntryKind::Command, ID_FIRM_SECURITY_HOLDINGS, "Security &Holdings", "Értékpapír-&állomány" },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, ID_FIRM_TRADING_ACCOUNTS, "Trading &Accounts...", "Kereskedési &számlák..." },
    { 0, MenuEntryKind::Command, ID_FIRM_LOGON_VERIFY, "Logon &Verify...", "Belépés &ellenőrzése..." },
    { 0, MenuEntryKind::Command, ID_FIRM_ALERT_DEFS, "Al&erts...", "&Riasztások..." },
    { 0, MenuEntryKind::Command, ID_FIRM_ALERTS_VIEW, "Alerts View", "Riasztások megtekintése" },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, ID_FIRM_SUSPEND, "&Suspend", "&Felfüggesztés" },
    { 0, MenuEntryKind::Command, ID_FIRM_UNSUSPEND, "&Unsuspend", "Felfüggesztés &feloldása" },
    { 0, MenuEntryKind::Command, ID_ISSUER_SUSPEND, "&Suspend Issuer and its securities",
        "&Kibocsátó és értékpapírjai felfüggesztése" },
    { 0, MenuEntryKind::Command, ID_ISSUER_UNSUSPEND, "&Unsuspend Issuer and its securities",
        "Kibocsátó és értékpapírjai felfüggesztésének &feloldása" },
    { 0, MenuEntryKind::Popup, 0, "Permissions", "Jogosultságok" },
    { 1, MenuEntryKind::Command, ID_PERMISSION_SET, "Set...", "Beállítás..." },
    { 1, MenuEntryKind::Command, ID_PERMISSION_DELETE, "Delete...", "Törlés..." },
};

constexpr MenuEntry kEventsMenu[] = {
    { 0, MenuEntryKind::Command, ID_EVENT_VIEW, "&View", "&Megtekintés" },
    { 0, MenuEntryKind::Command, ID_EVENT_DELETE, "&Delete", "&Törlés" },
};

constexpr fw::MenuTemplate kMenus[] = {
    { 16, kUsersMenu },
    { 17, kFirmsMenu },
    { 28, kEventsMenu },
};

const fw::ResourceSet kResources { "kv32-party-windows", {}, {}, kMenus };

} // namespace

std::span<const fw::StringEntry> Kv32PartyWindowStrings()
{
    return kStrings;
}

std::span<const fw::MenuTemplate> Kv32PartyWindowMenus()
{
    return kMenus;
}

void Kv32RegisterPartyWindowResources()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}
