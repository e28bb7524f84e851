#include "kv32/res/market_window_strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    // Boards, markets and instruments windows.
    { 450, "Board", "Tábla" },
    { 451, "Status", "Állapot" },
    { 490, "Instrument", "Instrumentum" },
    { 491, "Status", "Állapot" },
    { IDS_SUSPENDED_INSTRUMENTS, "Suspended instruments", "Felfüggesztett instrumentumok" },
    { 500, "Market", "Piac" },
    { 501, "Status", "Állapot" },
    { IDS_SUSPENDED_MARKETS, "Suspended markets", "Felfüggesztett piacok" },
    // Summary window columns.
    { 480, "Sector", "Szektor" },
    { 481, "Num Orders", "Megbízások" },
    { 482, "Num Trades", "Kötések" },
    { 483, "Vol. Today", "Mai forgalom" },
    { 484, "Value Today", "Mai érték" },
    { 485, "Num Price Up", "Áremelkedések" },
    { 486, "Num Price Down", "Árcsökkenések" },
    { 487, "Num No Change", "Változatlan árak" },
    { 488, "Num Open Orders", "Nyitott megbízások" },
    // Market by order columns.
    { 540, "Buyer", "Vevő" },
    { 541, "Bid Info", "Vételi info" },
    { 542, "Bid Size", "Vételi menny." },
    { 543, "Bid", "Vétel" },
    { 544, "Offer", "Eladás" },
    { 545, "Offer Size", "Eladási menny." },
    { 546, "Offer Info", "Eladási info" },
    { 547, "Seller", "Eladó" },
    // Order book columns and colours.
    { 2580, "Bid Info", "Vételi info" },
    { 2581, "User Bid Qty", "Saját vételi menny." },
    { 2582, "Bid Size", "Vételi menny." },
    { 2583, "Bid Yield", "Vételi hozam" },
    { 2584, "Bid", "Vétel" },
    { 2585, "Offer", "Eladás" },
    { 2586, "Offer Yield", "Eladási hozam" },
    { 2587, "Offer Size", "Eladási menny." },
    { 2588, "User Offer Qty", "Saját eladási menny." },
    { 2589, "Offer Info", "Eladási info" },
    { IDS_BOOK_HAS_ORDERS, "Has order(s)", "Van megbízás" },
    { IDS_BOOK_NO_ORDER, "No order", "Nincs megbízás" },
    { IDS_BOOK_TOP_PRIORITY, "Has order(s) at top priority", "Van megbízás az élen" },
    // Securities window columns.
    { 2900, "Short Name", "Rövid név" },
    { 2901, "Board", "Tábla" },
    { 2902, "Status", "Állapot" },
    { 2903, "Remarks", "Megjegyzés" },
    { 2904, "Bid", "Vétel" },
    { 2905, "Offer", "Eladás" },
    { 2906, "Last", "Utolsó" },
    { 2907, "Close", "Záró" },
    { 2908, "Chg. Last", "Utolsó vált." },
    { 2909, "High", "Max." },
    { 2910, "Low", "Min." },
    { 2911, "Open", "Nyitó" },
    { 2912, "Chg. Today", "Mai vált." },
    { 2913, "% Chg. Today", "Mai vált. %" },
    { 2914, "Vol. Today", "Mai forgalom" },
    { 2915, "Val. Today", "Mai érték" },
    { 2916, "WAP", "Súlyozott átlagár" },
    { 2917, "Prev. Price", "Előző ár" },
    { 2918, "Prev. Date", "Előző dátum" },
    { 2919, "Bid Depth", "Vételi mélység" },
    { 2920, "Bid Depth (Total)", "Vételi mélység (össz.)" },
    { 2921, "Num. Bids", "Vételi ajánlatok" },
    { 2922, "Offer Depth", "Eladási mélység" },
    { 2923, "Offer Depth (Total)", "Eladási mélység (össz.)" },
    { 2924, "Num. Offers", "Eladási ajánlatok" },
    { 2925, "Open Orders", "Nyitott megbízások" },
    { 2926, "Num. Orders", "Megbízások" },
    { 2927, "Num. Trades", "Kötések" },
    { 2928, "Qty.", "Menny." },
    { 2929, "Value", "Érték" },
    { 2930, "Time", "Idő" },
    { 2931, "Last Off Market", "Utolsó tőzsdén kívüli" },
    { 2932, "Qty. Off Market", "Tőzsdén kívüli menny." },
    { 2933, "Vol. Cum", "Halm. forgalom" },
    { 2934, "Val. Cum", "Halm. érték" },
    { 2935, "Session", "Szakasz" },
    { 2936, "IPO Price", "Kibocsátási ár" },
    { 2937, "Accrued Int.", "Felhalm. kamat" },
    { 2938, "Yield", "Hozam" },
    { 2939, "Earnings", "Eredmény" },
    { 2940, "EPS", "EPS" },
    { 2941, "Distribution", "Forgalomba hozatal" },
    { 2942, "Name", "Név" },
    { 2943, "ISIN", "ISIN" },
    { 2944, "Ref. Price", "Referenciaár" },
    { 2945, "Circuit Ceiling", "Felső küszöb" },
    { 2946, "Circuit Floor", "Alsó küszöb" },
    { 2947, "Un/Suspended Date", "Felfüggesztés dátuma" },
    { 2948, "Un/Suspended Time", "Felfüggesztés ideje" },
    { 2949, "Announcement", "Közlemény" },
    { 2950, "Upper Price Limit", "Felső árlimit" },
    { 2951, "Lower Price Limit", "Alsó árlimit" },
    { 2952, "Vol. Off Market Today", "Mai tőzsdén kívüli menny." },
    { 2953, "Val. Off Market Today", "Mai tőzsdén kívüli érték" },
    { 2954, "Vol. Off Market Traded", "Tőzsdén kívül kötött menny." },
    { 2955, "Val. Off Market Traded", "Tőzsdén kívül kötött érték" },
    { 2956, "Open Yield", "Nyitó hozam" },
    { 2957, "High Yield", "Max. hozam" },
    { 2958, "Low Yield", "Min. hozam" },
    { 2959, "Closed Yield", "Záró hozam" },
    { 2960, "Ref. Yield", "Referenciahozam" },
    { 2961, "Change Yield", "Hozamváltozás" },
    { 2962, "Change LTY", "Utolsó hozam vált." },
    { 2963, "Last Off Market Yield", "Utolsó tőzsdén kívüli hozam" },
    { 2964, "Bid Yield", "Vételi hozam" },
    { 2965, "Offer Yield", "Eladási hozam" },
    { 2966, "WA Yield", "Súlyozott átl. hozam" },
    { 2967, "Planned Issue Size", "Tervezett kibocsátás" },
    { 2968, "Maturity date", "Lejárat" },
    { 2969, "Strike price", "Kötési árfolyam" },
    { 2970, "Barrier", "Korlát" },
    { 2971, "Name of underlying product", "Alaptermék neve" },
    { 2972, "Indicative price", "Indikatív ár" },
    // Texts of the windows.
    { IDS_SECURITY_UNSUSPENDED, "Security %s has been unsuspended.", "A(z) %s értékpapír felfüggesztése feloldva." },
    { IDS_SECURITY_SUSPENDED, "Security %s has been suspended.", "A(z) %s értékpapír kereskedése felfüggesztve." },
    { IDS_SUMMARY_TOTAL, "Total", "Összes" },
    { IDS_BOOK_LAST_TRADE, "Last Trade: Price - %s, Qty - %s.", "Utolsó kötés: ár - %s, menny. - %s." },
    { IDS_BOOK_OTHER_SIDE, "Num. orders on other - %s.", "Megbízások a másik oldalon - %s." },
};

using fw::MenuEntry;
using fw::MenuEntryKind;
constexpr MenuEntryKind C = MenuEntryKind::Command;
constexpr MenuEntryKind S = MenuEntryKind::Separator;
constexpr MenuEntryKind P = MenuEntryKind::Popup;

constexpr MenuEntry kBoardsMenu[] = {
    { 0, C, ID_MW_SUSPEND_BOARD, "&Suspend", "&Felfüggesztés" },
    { 0, C, ID_MW_UNSUSPEND_BOARD, "&Unsuspend", "Felfüggesztés &feloldása" },
    { 0, S },
    { 0, C, ID_MW_BOARD_METHODS, "Order &Methods...", "Megbízási &módok..." },
    { 0, C, ID_MW_SUMMARY_BY_BOARD, "Summary by &Board...", "Összesítés &táblánként..." },
};

constexpr MenuEntry kMarketsMenu[] = {
    { 0, C, ID_MW_SUSPEND_MARKET, "&Suspend", "&Felfüggesztés" },
    { 0, C, ID_MW_UNSUSPEND_MARKET, "&Unsuspend", "Felfüggesztés &feloldása" },
};

constexpr MenuEntry kInstrumentsMenu[] = {
    { 0, C, ID_MW_SUSPEND_INSTRUMENT, "&Suspend", "&Felfüggesztés" },
    { 0, C, ID_MW_UNSUSPEND_INSTRUMENT, "&Unsuspend", "Felfüggesztés &feloldása" },
};

constexpr MenuEntry kSecuritiesMenu[] = {
    { 0, C, ID_MW_BUY, "&Buy...", "&Vétel..." },
    { 0, C, ID_MW_SELL, "&Sell...", "&Eladás..." },
    { 0, C, ID_MW_DEAL, "&Deal...", "&Ügylet..." },
    { 0, C, ID_MW_MARKET_MAKER, "&Market Maker...", "&Árjegyzés..." },
    { 0, C, ID_MW_TICK, "T&ick Up/Down...", "Ár&lépés fel/le..." },
    { 0, C, ID_MW_PRIMARY_AUCTION, "Primary Auction Window...", "Elsődleges aukció ablak..." },
    { 0, C, ID_MW_BUYBACK_AUCTION, "&Buy-back Auction Window...", "&Visszavásárlási aukció ablak..." },
    { 0, S },
    { 0, C, ID_MW_ORDER_BOOK, "O&rder Book", "&Ajánlati könyv" },
    { 0, C, ID_MW_MARKET_BY_ORDER, "Mar&ket by Order", "&Piac megbízásonként" },
    { 0, C, ID_MW_ALL_BOARDS, "A&ll Boards", "Összes &tábla" },
    { 0, S },
    { 0, C, ID_MW_ORDERS, "&Orders", "&Megbízások" },
    { 0, C, ID_MW_TRADES, "&Trades", "&Kötések" },
    { 0, C, ID_MW_LAST_N_TRADES, "Last &N Trades", "&Utolsó N kötés" },
    { 0, C, ID_MW_NEG_DEALS, "&Negotiated Deals", "Tárgyalásos ü&gyletek" },
    { 0, S },
    { 0, C, ID_MW_SECURITY_METHODS, "Order &Methods...", "Megbízási mó&dok..." },
    { 0, C, ID_MW_ALERTS, "Al&erts...", "&Riasztások..." },
    { 0, C, ID_MW_ALERTS_VIEW, "Alerts View", "Riasztások nézet" },
    { 0, C, ID_MW_SUMMARY_BY_BOARD, "Summary by &Board...", "Összesítés tá&blánként..." },
    { 0, S },
    { 0, P, 0, "&Suspend", "&Felfüggesztés" },
    { 1, C, ID_MW_SUSPEND_SECURITY, "&Security", "&Értékpapír" },
    { 0, P, 0, "&Unsuspend", "Felfüggesztés &feloldása" },
    { 1, C, ID_MW_UNSUSPEND_SECURITY, "&Security", "&Értékpapír" },
};

constexpr MenuEntry kSummaryMenu[] = {
    { 0, C, ID_MW_SUMMARY_BY_BOARD, "Summary by &Board...", "Összesítés &táblánként..." },
};

constexpr MenuEntry kOrderBookMenu[] = {
    { 0, C, ID_MW_BUY, "&Buy...", "&Vétel..." },
    { 0, C, ID_MW_SELL, "&Sell...", "&Eladás..." },
    { 0, C, ID_MW_TICK, "T&ick Up/Down...", "Ár&lépés fel/le..." },
    { 0, S },
    { 0, C, ID_MW_ORDERS, "&Orders", "&Megbízások" },
    { 0, C, ID_MW_LAST_N_TRADES, "Last &N Trades", "&Utolsó N kötés" },
};

constexpr MenuEntry kMarketOrdersMenu[] = {
    { 0, C, ID_MW_BUY, "&Buy...", "&Vétel..." },
    { 0, C, ID_MW_SELL, "&Sell...", "&Eladás..." },
    { 0, C, ID_MW_TICK, "T&ick Up/Down...", "Ár&lépés fel/le..." },
};

// The Securities on Boards window's commands are the application's or stay off.
constexpr MenuEntry kSecBoardsMenu[] = {
    { 0, C, ID_MW_BUY, "&Buy...", "&Vétel..." },
    { 0, C, ID_MW_SELL, "&Sell...", "&Eladás..." },
    { 0, C, ID_MW_DEAL, "&Deal...", "&Ügylet..." },
    { 0, S },
    { 0, C, ID_MW_ORDER_BOOK, "O&rder Book", "&Ajánlati könyv" },
    { 0, C, ID_MW_MARKET_BY_ORDER, "Mar&ket by Order", "&Piac megbízásonként" },
    { 0, S },
    { 0, C, ID_MW_ORDERS, "&Orders", "&Megbízások" },
    { 0, C, ID_MW_TRADES, "&Trades", "&Kötések" },
    { 0, C, ID_MW_NEG_DEALS, "&Negotiated Deals", "Tárgyalásos ü&gyletek" },
};

constexpr fw::MenuTemplate kMenus[] = {
    { 2, kBoardsMenu },
    { 3, kMarketsMenu },
    { 5, kInstrumentsMenu },
    { 6, kSecuritiesMenu },
    { 7, kSummaryMenu },
    { 11, kOrderBookMenu },
    { 12, kMarketOrdersMenu },
    { 21, kSecBoardsMenu },
};

const fw::ResourceSet kResources { "kv32-market-windows", {}, {}, kMenus };

} // namespace

std::span<const fw::StringEntry> Kv32MarketWindowStrings()
{
    return kStrings;
}

std::span<const fw::MenuTemplate> Kv32MarketWindowMenus()
{
    return kMenus;
}

void Kv32RegisterMarketWindowResources()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::string KvMarketWindowString(std::uint32_t id)
{
    Kv32RegisterMarketWindowResources();
    return fw::loadString(id);
}
