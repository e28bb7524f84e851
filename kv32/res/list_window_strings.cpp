#include "kv32/res/list_window_strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    // Orders window columns.
    { 2500, "Order", "Megbízás" },
    { 2501, "Security", "Értékpapír" },
    { 2502, "Board", "Tábla" },
    { 2503, "B/S", "V/E" },
    { 2504, "Status", "Állapot" },
    { 2505, "Price", "Ár" },
    { 2506, "Qty", "Mennyiség" },
    { 2507, "Balance", "Egyenleg" },
    { 2508, "Hidden Qty", "Rejtett menny." },
    { 2509, "Trading Acc.", "Keresk. számla" },
    { 2510, "Trading Acc. Name", "Keresk. számla neve" },
    { 2511, "Value", "Érték" },
    { 2512, "Accrued Int.", "Felhalm. kamat" },
    { 2513, "Expiry Day", "Lejárat napja" },
    { 2514, "Expiry Time", "Lejárat ideje" },
    { 2515, "Entry Time", "Beadás ideje" },
    { 2516, "Order Date", "Megbízás dátuma" },
    { 2517, "Settle Date", "Elszámolás napja" },
    { 2518, "Broker Ref.", "Bróker hiv." },
    { 2519, "Audit Trail", "Előzmény" },
    { 2520, "Orig. Order", "Eredeti megbízás" },
    { 2521, "User", "Felhasználó" },
    { 2522, "Firm", "Cég" },
    { 2523, "Yield", "Hozam" },
    { 2524, "Trigger Price", "Aktiválási ár" },
    { 2525, "Avg. Price", "Átlagár" },
    // Trades window columns.
    { 2530, "Trade", "Kötés" },
    { 2531, "Buy Order", "Vételi megbízás" },
    { 2532, "Sell Order", "Eladási megbízás" },
    { 2533, "Security", "Értékpapír" },
    { 2534, "Board", "Tábla" },
    { 2535, "Date", "Dátum" },
    { 2536, "Time", "Idő" },
    { 2537, "Amend Time", "Módosítás ideje" },
    { 2538, "Status", "Állapot" },
    { 2539, "Buy Trading Acc.", "Vételi keresk. szla." },
    { 2540, "Sell Trading Acc.", "Eladási keresk. szla." },
    { 2541, "Buy User", "Vevő felhasználó" },
    { 2542, "Buy Firm", "Vevő cég" },
    { 2543, "Sell User", "Eladó felhasználó" },
    { 2544, "Sell Firm", "Eladó cég" },
    { 2545, "Price", "Ár" },
    { 2546, "Qty", "Mennyiség" },
    { 2547, "Yield", "Hozam" },
    { 2548, "Value", "Érték" },
    { 2549, "Accrued Int.", "Felhalm. kamat" },
    { 2550, "Buy Broker Ref.", "Vételi bróker hiv." },
    { 2551, "Sell Broker Ref.", "Eladási bróker hiv." },
    { 2552, "Settle Date", "Elszámolás napja" },
    { 2553, "Diss. Time", "Közzététel ideje" },
    { 2554, "Diss. Status", "Közzététel állapota" },
    { 2555, "Trade Source", "Kötés forrása" },
    { 2556, " orders", " megbízás" },
    { 2557, " trades", " kötés" },
    // Negotiated deals window columns.
    { 2560, "Deal", "Ügylet" },
    { 2561, "Time", "Idő" },
    { 2562, "Security", "Értékpapír" },
    { 2563, "Board", "Tábla" },
    { 2564, "B/S", "V/E" },
    { 2565, "Status", "Állapot" },
    { 2566, "Price", "Ár" },
    { 2567, "Qty", "Mennyiség" },
    { 2568, "Yield", "Hozam" },
    { 2569, "Account", "Számla" },
    { 2570, "Settle Date", "Elszámolás napja" },
    { 2571, "Broker Ref.", "Bróker hiv." },
    { 2572, "User", "Felhasználó" },
    { 2573, "Firm", "Cég" },
    { 2574, "CP User", "Partner felhasználó" },
    { 2575, "CP Firm", "Partner cég" },
    { 2576, "Diss. Time", "Közzététel ideje" },
    { 2577, "Diss. Status", "Közzététel állapota" },
    { 2578, "Trade Source", "Kötés forrása" },
    // Trading accounts columns.
    { 320, "Trading Acc", "Keresk. számla" },
    { 321, "Client", "Ügyfél" },
    { 322, "Depository Acc", "Letéti számla" },
    { 323, "Open", "Nyitó" },
    { 324, "Current", "Aktuális" },
    { 325, "Planned Buy", "Tervezett vétel" },
    { 326, "Planned Sell", "Tervezett eladás" },
    // Security positions columns (firm, then trading account).
    { 30440, "Security", "Értékpapír" },
    { 30441, "Open", "Nyitó" },
    { 30442, "Current", "Aktuális" },
    { 30443, "Planned Buy", "Tervezett vétel" },
    { 30444, "Planned Sell", "Tervezett eladás" },
    { 30445, "Buy Qty", "Vételi menny." },
    { 30446, "Sell Qty", "Eladási menny." },
    { 30447, "Nett Qty", "Nettó menny." },
    { 30448, "Buy Value", "Vételi érték" },
    { 30449, "Sell Value", "Eladási érték" },
    { 30450, "Nett Value", "Nettó érték" },
    { 30451, "Buy WAP", "Vételi átlagár" },
    { 30452, "Sell WAP", "Eladási átlagár" },
    { 30453, "WAP", "Átlagár" },
    { 30499, "Security", "Értékpapír" },
    { 30500, "Buy Qty", "Vételi menny." },
    { 30501, "Sell Qty", "Eladási menny." },
    { 30502, "Nett Qty", "Nettó menny." },
    { 30503, "Buy Value", "Vételi érték" },
    { 30504, "Sell Value", "Eladási érték" },
    { 30505, "Nett Value", "Nettó érték" },
    { 30506, "Buy WAP", "Vételi átlagár" },
    { 30507, "Sell WAP", "Eladási átlagár" },
    { 30508, "WAP", "Átlagár" },
    // Private order book columns.
    { 60528, "WAI", "Munkaterület" },
    { 60529, "Status", "Állapot" },
    { 60530, "Security", "Értékpapír" },
    { 60531, "Board", "Tábla" },
    { 60532, "B/S", "V/E" },
    { 60533, "Price", "Ár" },
    { 60534, "Qty", "Mennyiség" },
    { 60535, "Hidden Qty", "Rejtett menny." },
    { 60536, "Trading Acc.", "Keresk. számla" },
    { 60537, "Expiry Date", "Lejárat dátuma" },
    { 60538, "ExpiryTime", "Lejárat ideje" },
    { 60539, "Settle Date", "Elszámolás napja" },
    { 60540, "Broker Ref.", "Bróker hiv." },
    { 60541, "Yield", "Hozam" },
    { 60542, "Trigger Price", "Aktiválási ár" },

    { IDS_WITHDRAW_ALL_CONFIRM, "Do you really want to withdraw all orders?",
        "Valóban vissza akarja vonni az összes megbízást?" },
    { IDS_WITHDRAW_TODAY_CONFIRM, "Do you really want to withdraw all today orders?",
        "Valóban vissza akarja vonni az összes mai megbízást?" },
    { IDS_WITHDRAW_CONFIRM, "Do you really want to withdraw one or more orders?",
        "Valóban vissza akar vonni egy vagy több megbízást?" },
    { IDS_LIST_FIELD_REFUSED,
        "A value of a selected row does not fit its field of the request.\n\nNothing was sent.",
        "Egy kijelölt sor egyik értéke nem fér el a kérés mezőjében.\n\nSemmi sem lett elküldve." },
};

using fw::MenuEntry;
using fw::MenuEntryKind;

constexpr MenuEntry kOrdersMenu[] = {
    { 0, MenuEntryKind::Command, ID_ORDER_TRADES, "T&rades", "&Kötések" },
    { 0, MenuEntryKind::Command, ID_ORDER_OUTSTANDING, "O&utstanding", "&Nyitott megbízások" },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, ID_LIST_AMEND, "&Amend...", "&Módosítás..." },
    { 0, MenuEntryKind::Command, ID_LIST_WITHDRAW, "&Withdraw...", "&Visszavonás..." },
    { 0, MenuEntryKind::Command, ID_ORDER_APPROVE, "A&pprove", "&Jóváhagyás" },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Popup, 0, "Withdraw &Orders", "Megbízások v&isszavonása" },
    { 1, MenuEntryKind::Command, ID_ORDER_WITHDRAW_TODAY, "&Today Orders", "&Mai megbízások" },
    { 1, MenuEntryKind::Command, ID_ORDER_WITHDRAW_ALL, "&All Orders", "&Összes megbízás" },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, ID_SUMMARY_TRADING_ACCOUNT, "Summary &Trading Account...",
        "&Kereskedési számla összesítése..." },
    { 0, MenuEntryKind::Command, ID_ORDER_METHODS, "Order &Methods...", "Megbízási &módok..." },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, ID_LIST_EXPORT, "E&xport...", "E&xportálás..." },
    { 0, MenuEntryKind::Command, ID_LIST_EXPORT_ALL, "Export A&ll...", "Az összes e&xportálása..." },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, ID_ORDER_COPY_TO_ENGINE, "&Copy to Trading Engine",
        "Másolás a &kereskedési rendszerbe" },
    { 0, MenuEntryKind::Command, ID_ORDER_AMEND_TO_ENGINE, "Am&end to Trading Engine",
        "Módosítás a keres&kedési rendszerbe" },
    { 0, MenuEntryKind::Command, ID_ORDER_COPY_TO_POB, "Copy to &Private Order Book...",
        "Másolás a &saját ajánlati könyvbe..." },
    { 0, MenuEntryKind::Command, ID_ORDER_MOVE_TO_POB, "Mo&ve to Private Order Book...",
        "Áthe&lyezés a saját ajánlati könyvbe..." },
};

constexpr MenuEntry kPrivateOrdersMenu[] = {
    { 0, MenuEntryKind::Command, ID_POB_RELEASE, "&Release", "&Beküldés" },
    { 0, MenuEntryKind::Command, ID_POB_MOVE, "&Move...", "Át&helyezés..." },
    { 0, MenuEntryKind::Command, ID_POB_DELETE, "&Delete", "&Törlés" },
    { 0, MenuEntryKind::Command, ID_POB_AMEND, "&Amend...", "&Módosítás..." },
    { 0, MenuEntryKind::Command, ID_POB_CLEAR, "&Clear", "Ki&ürítés" },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, ID_LIST_EXPORT, "E&xport...", "E&xportálás..." },
    { 0, MenuEntryKind::Command, ID_LIST_EXPORT_ALL, "Export A&ll...", "Az összes e&xportálása..." },
    { 0, MenuEntryKind::Command, ID_POB_IMPORT, "&Import...", "&Importálás..." },
};

constexpr MenuEntry kTradesMenu[] = {
    { 0, MenuEntryKind::Command, ID_TRADE_REQUEST_CANCEL, "&Request cancel", "&Törlés kérése" },
    { 0, MenuEntryKind::Command, ID_TRADE_CONFIRM_CANCEL, "&Confirm cancel", "Törlés &megerősítése" },
    { 0, MenuEntryKind::Command, ID_TRADE_APPROVE_CANCEL, "&Approve cancel", "Törlés &jóváhagyása" },
    { 0, MenuEntryKind::Command, ID_TRADE_REJECT_CANCEL, "&Reject cancel", "Törlés &elutasítása" },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, ID_TRADE_OPERATOR_CANCEL, "&Cancel...", "&Sztornó..." },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, ID_SUMMARY_ORDER, "Summary &Order...", "&Megbízás összesítése..." },
    { 0, MenuEntryKind::Command, ID_SUMMARY_TRADING_ACCOUNT, "Summary &Trading Account...",
        "&Kereskedési számla összesítése..." },
};

constexpr MenuEntry kDealsMenu[] = {
    { 0, MenuEntryKind::Command, ID_LIST_AMEND, "&Amend...", "&Módosítás..." },
    { 0, MenuEntryKind::Command, ID_LIST_WITHDRAW, "&Withdraw", "&Visszavonás" },
    { 0, MenuEntryKind::Command, ID_DEAL_APPROVE, "&Approve", "&Jóváhagyás" },
    { 0, MenuEntryKind::Command, ID_DEAL_CONFIRM, "Con&firm...", "Me&gerősítés..." },
    { 0, MenuEntryKind::Command, ID_LIST_EXPORT, "E&xport...", "E&xportálás..." },
    { 0, MenuEntryKind::Command, ID_LIST_EXPORT_ALL, "Export A&ll...", "Az összes e&xportálása..." },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, ID_SUMMARY_TRADING_ACCOUNT, "&Summary Trading Account",
        "&Kereskedési számla összesítése" },
};

constexpr MenuEntry kFirmPositionsMenu[] = {
    { 0, MenuEntryKind::Command, ID_POSITION_TRADING_ACCOUNTS, "Trading &Accounts", "Kereskedési &számlák" },
};

constexpr MenuEntry kTradingAccountsMenu[] = {
    { 0, MenuEntryKind::Command, ID_ACCOUNT_CASH_POSITIONS, "&Cash Positions", "&Pénzpozíciók" },
};

constexpr fw::MenuTemplate kMenus[] = {
    { 8, kOrdersMenu },
    { 9, kTradesMenu },
    { 10, kDealsMenu },
    { 14, kFirmPositionsMenu },
    { 15, kTradingAccountsMenu },
    { 32, kPrivateOrdersMenu },
};

const fw::ResourceSet kResources { "kv32-list-windows", {}, {}, kMenus };

} // namespace

std::span<const fw::StringEntry> Kv32ListWindowStrings()
{
    return kStrings;
}

std::span<const fw::MenuTemplate> Kv32ListWindowMenus()
{
    return kMenus;
}

void Kv32RegisterListWindowResources()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::string KvListWindowString(std::uint32_t id)
{
    Kv32RegisterListWindowResources();
    return fw::loadString(id);
}
