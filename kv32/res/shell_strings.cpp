#include "kv32/res/shell_strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    // Titles of the list windows by table id.
    { 2, "Boards", "Táblák" },
    { 3, "Markets", "Piacok" },
    { 4, "Sectors", "Szektorok" },
    { 5, "Instruments", "Instrumentumok" },
    { 6, "Securities", "Értékpapírok" },
    { 7, "Summary", "Összesítés" },
    { 8, "Orders", "Megbízások" },
    { 9, "Trades", "Kötések" },
    { 10, "Negotiated Deals", "Tárgyalásos ügyletek" },
    { 11, "Order Book", "Ajánlati könyv" },
    { 12, "Market By Order", "Piac megbízásonként" },
    { 13, "Cash Position", "Pénzpozíció" },
    { 14, "Firm Security Position", "Cég értékpapír-pozíciója" },
    { 15, "Trading Accounts", "Kereskedési számlák" },
    { 16, "Users", "Felhasználók" },
    { 17, "Firms", "Cégek" },
    { 18, "Broadcast Messages", "Körüzenetek" },
    { 19, "News", "Hírek" },
    { 20, "Trading Events", "Kereskedési események" },
    { 21, "Securities on Boards", "Értékpapírok a táblákon" },
    { 22, "Alert Logs", "Riasztási napló" },
    { 23, "Indices", "Indexek" },
    { 25, "Firms Alerts", "Cégriasztások" },
    { 26, "Security Alerts", "Értékpapír-riasztások" },
    { 27, "Users Alerts", "Felhasználói riasztások" },
    { 28, "Control Events", "Felügyeleti események" },
    { 29, "Replies", "Válaszok" },
    { 30, "Last N Trades", "Utolsó N kötés" },
    { 31, "Trade Source", "Kötés forrása" },
    { 32, "Private Order Book", "Saját ajánlati könyv" },
    { 33, "Audit Events", "Auditesemények" },
    { 34, "Audit Event Types", "Auditeseménytípusok" },
    { 35, "Audit Event Groups", "Auditeseménycsoportok" },
    { 36, "Security States", "Értékpapír-állapotok" },
    { 37, "User Permissions", "Felhasználói jogosultságok" },
    { 38, "Ticker", "Futószalag" },
    { 39, "Trading Account Security Position", "Kereskedési számla értékpapír-pozíciója" },
    { 40, "Order counting", "Megbízásszámlálás" },
    { 41, "Order counting alerts", "Megbízásszámlálási riasztások" },

    { IDS_TRADING_END_WARNING, "You have only %d minutes before trading end.",
        "Már csak %d perc van hátra a kereskedés végéig." },
    { IDS_SECURITIES_SELECTION, "Securities Selection", "Értékpapírok kiválasztása" },
    { IDS_USER_LOGGED_IN, "User %s logged in on %s.", "%s felhasználó bejelentkezett: %s." },
    { IDS_USER_LOGGED_OFF, "User %s logged off on %s.", "%s felhasználó kijelentkezett: %s." },
    { IDS_ALERTS_FILTER_SAVE, "Alerts Files (*.kva)|*.kva|All Files (*.*)|*.*||",
        "Riasztásfájlok (*.kva)|*.kva|Minden fájl (*.*)|*.*||" },
    { IDS_LOGS_FILTER_SAVE, "Alert Logs Files (*.kvl)|*.kvl|All Files (*.*)|*.*||",
        "Riasztásinapló-fájlok (*.kvl)|*.kvl|Minden fájl (*.*)|*.*||" },
    { IDS_SAVE_ALERTS_TITLE, "Save %s Alerts", "%s riasztások mentése" },
    { IDS_SAVE_LOGS_TITLE, "Save Alert Logs", "Riasztási napló mentése" },
    { IDS_ALERTS_FILTER_RESTORE, "Alerts Files (*.kva)|*.kva|All Files (*.*)|*.*||",
        "Riasztásfájlok (*.kva)|*.kva|Minden fájl (*.*)|*.*||" },
    { IDS_LOGS_FILTER_RESTORE, "Alert Logs Files (*.kvl)|*.kvl|All Files (*.*)|*.*||",
        "Riasztásinapló-fájlok (*.kvl)|*.kvl|Minden fájl (*.*)|*.*||" },
    { IDS_RESTORE_ALERTS_TITLE, "Restore %s Alerts", "%s riasztások visszaállítása" },
    { IDS_RESTORE_LOGS_TITLE, "Restore Alert Logs", "Riasztási napló visszaállítása" },
    { IDS_DEFAULTS_FILTER_SAVE, "Default Selections Files (*.kvd)|*.kvd|All Files (*.*)|*.*||",
        "Alapértelmezett kiválasztások fájljai (*.kvd)|*.kvd|Minden fájl (*.*)|*.*||" },
    { IDS_DEFAULTS_FILTER_RESTORE, "Default Selections Files (*.kvd)|*.kvd|All Files (*.*)|*.*||",
        "Alapértelmezett kiválasztások fájljai (*.kvd)|*.kvd|Minden fájl (*.*)|*.*||" },
    { IDS_SAVE_DEFAULTS_TITLE, "Save default selections", "Alapértelmezett kiválasztások mentése" },
    { IDS_RESTORE_DEFAULTS_TITLE, "Restore default selections", "Alapértelmezett kiválasztások visszaállítása" },
    { IDS_NO_TRADING_ACCOUNT_DEFINED,
        "No trading account defined.\n\nUse \"Trading Accounts\" command from \"Session\" menu.",
        "Nincs kereskedési számla megadva.\n\nHasználja a \"Munkamenet\" menü \"Kereskedési számlák\" parancsát." },
    { IDS_PRINT_LOG_ERROR,
        "Error during Orders and Trades log printing.\n\n Log printing turned off. Check your  printer and use "
        "Ctrl-O to turn log printing on.",
        "Hiba a megbízások és kötések naplójának nyomtatása közben.\n\n A naplónyomtatás kikapcsolva. Ellenőrizze a "
        "nyomtatót, és a Ctrl-O billentyűkkel kapcsolja vissza a naplónyomtatást." },
    { IDS_LOGON_NETWORK_ERROR, "A network error occured, you could not be logged in.",
        "Hálózati hiba történt, a bejelentkezés nem sikerült." },
    { IDS_TRAFFIC_AVERAGE, "Average session network traffic is %lu bytes per second",
        "A munkamenet átlagos hálózati forgalma %lu bájt másodpercenként" },
    { IDS_ALERTS_SAVE_FAILED, "Alerts Save Options failed", "A riasztások mentése nem sikerült" },
    { IDS_LOGS_SAVE_FAILED, "Logs Save Options failed", "A napló mentése nem sikerült" },
    { IDS_DEFAULTS_SAVE_FAILED, "Defaults Save Options failed", "Az alapértelmezések mentése nem sikerült" },
    { IDS_ALERTS_RESTORE_FAILED, "Alerts Restore Options failed", "A riasztások visszaállítása nem sikerült" },
    { IDS_LOGS_RESTORE_FAILED, "Logs Restore Options failed", "A napló visszaállítása nem sikerült" },
    { IDS_DEFAULTS_RESTORE_FAILED, "Defaults Restore Options failed",
        "Az alapértelmezések visszaállítása nem sikerült" },
};

void RegisterOnce()
{
    static const bool registered = [] {
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

} // namespace

std::span<const fw::StringEntry> Kv32ShellStrings()
{
    return kStrings;
}

std::string Kv32ShellString(std::uint32_t id)
{
    RegisterOnce();
    return fw::loadString(id);
}
