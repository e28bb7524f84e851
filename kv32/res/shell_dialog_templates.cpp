// Templates and texts of the shell's own dialogs (English and Hungarian side by side).
#include "kv32/res/shell_dialog_ids.h"

namespace {

using fw::ControlDef;
using fw::ControlKind;
constexpr std::uint32_t S = fw::kStaticId;

constexpr ControlDef kAccess[] = {
    { S, ControlKind::Label, 0, 0, "Group:", "Csoport:" },
    { IDC_GROUP, ControlKind::Edit, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 14, 12 },
    { S, ControlKind::Label, 1, 0, "Role:", "Szerepkör:" },
    { IDC_ROLE, ControlKind::Edit, 1, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 14, 12 },
    { S, ControlKind::Label, 2, 0, "Access Level:", "Hozzáférési szint:" },
    { IDC_ACCESS_LEVEL, ControlKind::ComboList, 2, 1, nullptr, nullptr, 1, 2 },
    { fw::kIdOk, ControlKind::DefaultButton, 3, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 3, 2, "Cancel", "Mégse" },
};

constexpr ControlDef kDefaultRole[] = {
    { S, ControlKind::Label, 0, 0, "User:", "Felhasználó:" },
    { IDC_TARGET_USER, ControlKind::Label, 0, 1, "", "", 1, 2, fw::StyleNone, 14 },
    { S, ControlKind::Label, 1, 0, "Role:", "Szerepkör:" },
    { IDC_ROLE, ControlKind::Edit, 1, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 14, 12 },
    { fw::kIdOk, ControlKind::DefaultButton, 2, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 2, 2, "Cancel", "Mégse" },
};

constexpr ControlDef kLogonVerify[] = {
    { IDC_ENTRY_LABEL, ControlKind::Label, 0, 0, "User:", "Felhasználó:" },
    { IDC_USER_COMBO, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 20 },
    { IDC_SECURITY_OFF, ControlKind::RadioButton, 1, 1, "Security O&ff", "Ellenőrzés &ki", 1, 2, fw::StyleGroup },
    { IDC_SECURITY_ON, ControlKind::RadioButton, 2, 1, "Security O&n", "Ellenőrzés &be", 1, 2 },
    { fw::kIdOk, ControlKind::DefaultButton, 3, 1, "&OK", "&OK" },
    { fw::kIdCancel, ControlKind::Button, 3, 2, "&Close", "&Bezárás" },
};

constexpr ControlDef kMarketReplay[] = {
    { S, ControlKind::GroupBox, 0, 0, "Market Statistics", "Piaci statisztika", 1, 4 },
    { S, ControlKind::Label, 1, 0, "Number of Transaction:", "Tranzakciók száma:" },
    { IDC_STAT_TRANSACTIONS, ControlKind::Label, 1, 1, "", "", 1, 1, fw::StyleRight, 14 },
    { S, ControlKind::Label, 1, 2, "Rejected Transaction:", "Elutasított tranzakciók:" },
    { IDC_STAT_REJECTED, ControlKind::Label, 1, 3, "", "", 1, 1, fw::StyleRight, 14 },
    { S, ControlKind::Label, 2, 0, "Number of Orders:", "Megbízások száma:" },
    { IDC_STAT_ORDERS, ControlKind::Label, 2, 1, "", "", 1, 1, fw::StyleRight, 14 },
    { S, ControlKind::Label, 2, 2, "Number of Trades:", "Kötések száma:" },
    { IDC_STAT_TRADES, ControlKind::Label, 2, 3, "", "", 1, 1, fw::StyleRight, 14 },
    { S, ControlKind::Label, 3, 0, "Time of Last Transaction:", "Utolsó tranzakció ideje:" },
    { IDC_STAT_LAST_TIME, ControlKind::Label, 3, 1, "", "", 1, 1, fw::StyleRight, 14 },
    { S, ControlKind::GroupBox, 4, 0, "Transaction Log Replay", "Tranzakciónapló visszajátszása", 1, 4 },
    { IDC_MODE_COUNT, ControlKind::RadioButton, 5, 0, "Execute the &next", "Következő &végrehajtása:",
        1, 1, fw::StyleGroup },
    { IDC_REPLAY_COUNT, ControlKind::Edit, 5, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 16, 16 },
    { S, ControlKind::Label, 5, 2, "transaction(s)", "tranzakció" },
    { IDC_MODE_INTERVAL, ControlKind::RadioButton, 6, 0, "Stop executing a&fter", "Leállítás ennyi &idő után:" },
    { IDC_REPLAY_INTERVAL, ControlKind::DateTime, 6, 1, nullptr, nullptr, 1, 1, fw::StyleTime },
    { S, ControlKind::Label, 6, 2, "interval has elapsed", "eltelt időtartam" },
    { IDC_MODE_STOP_AT, ControlKind::RadioButton, 7, 0, "Stop a&t", "Leállítás &ekkor:" },
    { IDC_REPLAY_STOP_AT, ControlKind::DateTime, 7, 1, nullptr, nullptr, 1, 1, fw::StyleTime },
    { S, ControlKind::Label, 7, 2, "time", "időpont" },
    { IDC_EXECUTE, ControlKind::Button, 8, 2, "&Execute", "&Végrehajtás" },
    { fw::kIdCancel, ControlKind::Button, 8, 3, "Close", "Bezárás" },
};

constexpr ControlDef kNetAddress[] = {
    { S, ControlKind::Label, 0, 0, "&User:", "&Felhasználó:" },
    { IDC_USER_COMBO, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 3, fw::StyleNone, 20 },
    { IDC_ADDRESS_LIST, ControlKind::ListBox, 1, 0, nullptr, nullptr, 4, 4, fw::StyleNone, 36 },
    { S, ControlKind::Label, 5, 0, "&From:", "&Kezdete:" },
    { IDC_ADDRESS_FROM, ControlKind::Edit, 5, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 15, 15 },
    { S, ControlKind::Label, 5, 2, "&To:", "&Vége:" },
    { IDC_ADDRESS_TO, ControlKind::Edit, 5, 3, nullptr, nullptr, 1, 1, fw::StyleNone, 15, 15 },
    { IDC_ADDRESS_ADD, ControlKind::Button, 6, 0, "&Add", "&Hozzáadás" },
    { IDC_ADDRESS_MODIFY, ControlKind::Button, 6, 1, "&Modify", "&Módosítás" },
    { IDC_ADDRESS_DELETE, ControlKind::Button, 6, 2, "&Delete", "&Törlés" },
    { fw::kIdCancel, ControlKind::Button, 6, 3, "Close", "Bezárás" },
};

constexpr ControlDef kUserPassword[] = {
    { S, ControlKind::Label, 0, 0, "&User:", "&Felhasználó:" },
    { IDC_USER_COMBO, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 20 },
    { S, ControlKind::Label, 1, 0, "&Password:", "&Jelszó:" },
    { IDC_NEW_PASSWORD, ControlKind::Edit, 1, 1, nullptr, nullptr, 1, 2, fw::StylePassword, 20, 64 },
    { fw::kIdOk, ControlKind::DefaultButton, 2, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 2, 2, "&Close", "&Bezárás" },
};

constexpr ControlDef kGoto[] = {
    { IDC_USER_COMBO, ControlKind::Label, 0, 0, "", "", 1, 1, fw::StyleNone, 12 },
    { IDC_GOTO_TEXT, ControlKind::Edit, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 20, 20 },
    { fw::kIdOk, ControlKind::DefaultButton, 1, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 1, 2, "Cancel", "Mégse" },
};

constexpr ControlDef kMktBrd[] = {
    { S, ControlKind::Label, 0, 0, "&Markets:", "&Piacok:" },
    { S, ControlKind::Label, 0, 1, "&Boards:", "&Táblák:" },
    { IDC_MARKET_LIST, ControlKind::ListBox, 1, 0, nullptr, nullptr, 1, 1, fw::StyleNone, 22 },
    { IDC_BOARD_LIST, ControlKind::ListBox, 1, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 22 },
    { fw::kIdOk, ControlKind::DefaultButton, 2, 0, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 2, 1, "Cancel", "Mégse" },
};

constexpr ControlDef kOrderMethods[] = {
    { S, ControlKind::Label, 0, 0, "&Board:", "&Tábla:" },
    { IDC_METHOD_BOARD, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 1, fw::StyleNone, 24 },
    { 126, ControlKind::CheckBox, 1, 0, "Market Order", "Piaci megbízás" },
    { 1002, ControlKind::CheckBox, 2, 0, "Limit Order", "Limitáras megbízás" },
    { 400, ControlKind::CheckBox, 3, 0, "Scaled Order", "Lépcsőzetes megbízás" },
    { 137, ControlKind::CheckBox, 4, 0, "Negotiated Deal", "Tárgyalásos ügylet" },
    { 132, ControlKind::CheckBox, 5, 0, "Cross Order", "Keresztmegbízás" },
    { 215, ControlKind::CheckBox, 6, 0, "Market Maker Order", "Árjegyzői megbízás" },
    { 401, ControlKind::CheckBox, 7, 0, "Buyin Order", "Kényszervételi megbízás" },
    { 402, ControlKind::CheckBox, 8, 0, "Yield Price Field", "Hozammező" },
    { 125, ControlKind::CheckBox, 9, 0, "Hidden Quantity", "Rejtett mennyiség" },
    { 208, ControlKind::CheckBox, 10, 0, "Stop Order", "Stop megbízás" },
    { 187, ControlKind::CheckBox, 11, 0, "Settle Date", "Elszámolási nap" },
    { 118, ControlKind::CheckBox, 1, 1, "All or None Order", "Mindent vagy semmit megbízás" },
    { 117, ControlKind::CheckBox, 2, 1, "Fill Minimum Order", "Minimum-teljesítésű megbízás" },
    { 116, ControlKind::CheckBox, 3, 1, "Fill Any Order", "Bármilyen teljesítésű megbízás" },
    { 119, ControlKind::CheckBox, 4, 1, "Fill or Kill Order", "Teljesíts vagy töröld megbízás" },
    { 120, ControlKind::CheckBox, 5, 1, "Fill and Kill Order", "Teljesíts és töröld megbízás" },
    { 231, ControlKind::CheckBox, 6, 1, "Good Till Time Order", "Időpontig érvényes megbízás" },
    { 212, ControlKind::CheckBox, 7, 1, "Session Order", "Szakaszra szóló megbízás" },
    { 213, ControlKind::CheckBox, 8, 1, "Day Order", "Napi megbízás" },
    { 230, ControlKind::CheckBox, 9, 1, "Good Till Date Order", "Dátumig érvényes megbízás" },
    { 214, ControlKind::CheckBox, 10, 1, "Good Till Cancel Order", "Visszavonásig érvényes megbízás" },
    { fw::kIdCancel, ControlKind::Button, 12, 1, "&Close", "&Bezárás" },
};

constexpr ControlDef kBenchSetup[] = {
    { S, ControlKind::Label, 0, 0, "Time Slice:", "Időszelet:" },
    { 120, ControlKind::Edit, 0, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 4, 2 },
    { S, ControlKind::Label, 0, 2, "sec.", "mp" },
    { S, ControlKind::Label, 1, 0, "Higher Speed after:", "Gyorsítás ennyi után:" },
    { 122, ControlKind::Edit, 1, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 4, 2 },
    { S, ControlKind::Label, 1, 2, "sec. idle", "mp tétlenség" },
    { S, ControlKind::Label, 2, 0, "Trading End at:", "Kereskedés vége:" },
    { 123, ControlKind::DateTime, 2, 1, nullptr, nullptr, 1, 2, fw::StyleTime },
    { S, ControlKind::Label, 3, 0, "Inform by:", "Figyelmeztetés előtte:" },
    { 125, ControlKind::Edit, 3, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 4, 2 },
    { S, ControlKind::Label, 3, 2, "min.", "perc" },
    { S, ControlKind::Label, 4, 0, "Number of Beeps:", "Sípszók száma:" },
    { 127, ControlKind::Edit, 4, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 4, 2 },
    { S, ControlKind::Label, 5, 0, "Show Logo Screen:", "Nyitókép mutatása:" },
    { 121, ControlKind::Edit, 5, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 4, 2 },
    { S, ControlKind::Label, 5, 2, "sec.", "mp" },
    { S, ControlKind::Label, 6, 0, "Show Last", "Utolsó" },
    { 126, ControlKind::Edit, 6, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 6, 6 },
    { S, ControlKind::Label, 6, 2, "Trades", "kötés mutatása" },
    { S, ControlKind::Label, 7, 0, "Show Price Changes:", "Árváltozás jelzése:" },
    { 128, ControlKind::Edit, 7, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 4, 2 },
    { S, ControlKind::Label, 7, 2, "slice(s)", "időszelet" },
    { S, ControlKind::Label, 8, 0, "Show Any Changes:", "Egyéb változás jelzése:" },
    { 129, ControlKind::Edit, 8, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 4, 2 },
    { S, ControlKind::Label, 8, 2, "slice(s)", "időszelet" },
    { S, ControlKind::Label, 9, 0, "Page Width for Direct Printing:", "Oldalszélesség közvetlen nyomtatáskor:" },
    { 130, ControlKind::Edit, 9, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 4, 2 },
    { S, ControlKind::Label, 10, 0, "Font Size for Windows Printing:", "Betűméret Windows-nyomtatáskor:" },
    { 131, ControlKind::Edit, 10, 1, nullptr, nullptr, 1, 1, fw::StyleNumber | fw::StyleRight, 4, 2 },
    { 268, ControlKind::RadioButton, 0, 3, "Background", "Háttér", 1, 2, fw::StyleGroup },
    { 269, ControlKind::RadioButton, 1, 3, "Foreground", "Előtér", 1, 2 },
    { 267, ControlKind::RadioButton, 2, 3, "None", "Nincs", 1, 2 },
    { 270, ControlKind::CheckBox, 3, 3, "Use Color for Buy/Sell Order Indication",
        "Vételi/eladási megbízás színes jelzése", 1, 2 },
    { 289, ControlKind::Button, 4, 3, "Buy Color", "Vételi szín" },
    { 290, ControlKind::Button, 4, 4, "Sell Color", "Eladási szín" },
    { 293, ControlKind::CheckBox, 5, 3, "E&xit Order Entry Form After Entering An Order",
        "Megbízás&beviteli ablak bezárása a megbízás után", 1, 2 },
    { 271, ControlKind::RadioButton, 6, 3, "Change Today", "Napi változás", 1, 1, fw::StyleGroup },
    { 272, ControlKind::RadioButton, 6, 4, "Change LTP", "Változás az utolsó árhoz" },
    { 273, ControlKind::CheckBox, 7, 3, "Print Orders/Trades/Deals Log", "Megbízás-/kötés-/ügyletnapló nyomtatása",
        1, 2 },
    { 274, ControlKind::CheckBox, 8, 3, "Print Directly to Printer", "Közvetlen nyomtatás", 1, 2 },
    { 346, ControlKind::RadioButton, 9, 3, "&TE Default", "&KE alapértelmezés", 1, 1, fw::StyleGroup },
    { 343, ControlKind::RadioButton, 9, 4, "&Urgent", "&Sürgős" },
    { 344, ControlKind::RadioButton, 10, 3, "&Regular", "&Normál" },
    { 345, ControlKind::RadioButton, 10, 4, "&Non-Display", "&Nem jelenik meg" },
    { 294, ControlKind::CheckBox, 11, 3, "&Copy Last Window Position on Opening",
        "Az utolsó ablak&pozíció átvétele megnyitáskor", 1, 2 },
    { fw::kIdOk, ControlKind::DefaultButton, 12, 3, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 12, 4, "Cancel", "Mégse" },
};

constexpr ControlDef kAbout[] = {
    { IDC_ABOUT_ICON, ControlKind::Picture, 0, 0, nullptr, nullptr, 2, 1 },
    { IDC_ABOUT_TEXT, ControlKind::Label, 0, 1, "", "", 1, 2, fw::StyleNone, 40 },
    { S, ControlKind::Label, 1, 1, "Current User:", "Jelenlegi felhasználó:" },
    { IDC_TARGET_USER, ControlKind::Label, 1, 2, "none", "nincs" },
    { S, ControlKind::Label, 2, 0, "Configuration:", "Konfiguráció:", 1, 3 },
    { IDC_ABOUT_TREE, ControlKind::Custom, 3, 0, nullptr, nullptr, 1, 3 },
    { fw::kIdOk, ControlKind::DefaultButton, 4, 2, "OK", "OK" },
};

constexpr ControlDef kDefaultSelection[] = {
    { IDC_DEFSEL_ACCOUNT_CHECK, ControlKind::CheckBox, 0, 0, "Trading acc.", "Kereskedési számla" },
    { IDC_DEFSEL_ACCOUNTS, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 20 },
    { IDC_DEFSEL_BROKER_CHECK, ControlKind::CheckBox, 1, 0, "Broker ref.", "Brókerhivatkozás" },
    { IDC_DEFSEL_BROKERS, ControlKind::ListBox, 1, 1, nullptr, nullptr, 3, 2, fw::StyleNone, 30 },
    { IDC_DEFSEL_NEW_REFERENCE, ControlKind::Edit, 4, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 30, 40 },
    { IDC_DEFSEL_ADD, ControlKind::Button, 5, 1, "Add", "Hozzáadás" },
    { IDC_DEFSEL_DELETE, ControlKind::Button, 5, 2, "Delete", "Törlés" },
    { IDC_DEFSEL_ADD_NEW, ControlKind::CheckBox, 6, 0,
        "Add the new entered Broker Ref. on the order entry form to the list",
        "A megbízásbeviteli ablakban megadott új brókerhivatkozás felvétele a listába", 1, 3 },
};

constexpr ControlDef kAuditMode[] = {
    { S, ControlKind::Label, 0, 0, "&Group:", "&Csoport:" },
    { IDC_GROUP, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 30 },
    { S, ControlKind::Label, 1, 0, "&Type:", "&Típus:" },
    { IDC_AUDIT_TYPE, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 30 },
    { IDC_AUDIT_STATUS_LINE, ControlKind::RadioButton, 2, 1, "&Status Line", "Á&llapotsor", 1, 2, fw::StyleGroup },
    { IDC_AUDIT_POP_UP, ControlKind::RadioButton, 3, 1, "&Pop Up", "&Felugró ablak", 1, 2 },
    { IDC_AUDIT_NO_DISPLAY, ControlKind::RadioButton, 4, 1, "&No Display", "&Nem jelenik meg", 1, 2 },
    { fw::kIdOk, ControlKind::DefaultButton, 5, 1, "&OK", "&OK" },
    { fw::kIdCancel, ControlKind::Button, 5, 2, "&Close", "&Bezárás" },
};

constexpr ControlDef kAuditEvent[] = {
    { S, ControlKind::Label, 0, 0, "Time:", "Idő:" },
    { IDC_AUDIT_TIME, ControlKind::Label, 0, 1, "", "", 1, 3, fw::StyleNone, 30 },
    { S, ControlKind::Label, 1, 0, "Group:", "Csoport:" },
    { IDC_GROUP, ControlKind::Label, 1, 1, "", "", 1, 3 },
    { S, ControlKind::Label, 2, 0, "Type:", "Típus:" },
    { IDC_AUDIT_TYPE, ControlKind::Label, 2, 1, "", "", 1, 3 },
    { S, ControlKind::Label, 3, 0, "User:", "Felhasználó:" },
    { IDC_TARGET_USER, ControlKind::Label, 3, 1, "", "", 1, 1, fw::StyleNone, 16 },
    { S, ControlKind::Label, 3, 2, "Firm:", "Cég:" },
    { IDC_AUDIT_FIRM, ControlKind::Label, 3, 3, "", "", 1, 1, fw::StyleNone, 16 },
    { S, ControlKind::Label, 4, 0, "To User:", "Címzett felhasználó:" },
    { IDC_AUDIT_TO_USER, ControlKind::Label, 4, 1, "", "" },
    { S, ControlKind::Label, 4, 2, "To Firm:", "Címzett cég:" },
    { IDC_ACCESS_LEVEL, ControlKind::Label, 4, 3, "", "" },
    { S, ControlKind::Label, 5, 0, "Board:", "Tábla:" },
    { IDC_METHOD_BOARD, ControlKind::Label, 5, 1, "", "" },
    { S, ControlKind::Label, 5, 2, "Security:", "Értékpapír:" },
    { IDC_AUDIT_SECURITY, ControlKind::Label, 5, 3, "", "" },
    { S, ControlKind::Label, 6, 0, "Description:", "Leírás:" },
    { IDC_ENTRY_LABEL, ControlKind::Label, 6, 1, "", "", 1, 3, fw::StyleNone, 40 },
    { fw::kIdCancel, ControlKind::DefaultButton, 7, 3, "&Close", "&Bezárás" },
};

constexpr fw::DialogTemplate kTemplates[] = {
    { IDD_ACCESS, "Access", "Hozzáférés", kAccess },
    { IDD_DEFAULT_ROLE, "Default Role", "Alapértelmezett szerepkör", kDefaultRole },
    { IDD_LOGON_VERIFY, "Logon Verify", "Bejelentkezés-ellenőrzés", kLogonVerify },
    { IDD_MARKET_REPLAY, "Market Replay", "Piac visszajátszása", kMarketReplay },
    { IDD_NET_ADDRESS, "Network Address", "Hálózati cím", kNetAddress },
    { IDD_USER_PASSWORD, "Password", "Jelszó", kUserPassword },
    { IDD_GOTO, "Go To", "Ugrás", kGoto },
    { IDD_MKT_BRD_SELECT, "Market and Board Selection", "Piac és tábla kiválasztása", kMktBrd },
    { IDD_ORDER_METHODS, "Order Methods", "Megbízási módok", kOrderMethods },
    { IDD_BENCH_SETUP, "Bench Setup", "Munkahely beállítása", kBenchSetup },
    { IDD_ABOUT, "About kv32", "A kv32 névjegye", kAbout },
    { IDD_AUDIT_MODE, "Audit Display Mode", "Audit megjelenítési mód", kAuditMode },
    { IDD_AUDIT_EVENT, "Audit Event Message", "Auditesemény üzenete", kAuditEvent },
    { IDD_DEFAULT_SELECTION, "Default selection", "Alapértelmezett választás", kDefaultSelection },
};

constexpr fw::StringEntry kStrings[] = {
    { IDS_USER, "User", "Felhasználó" },
    { IDS_FIRM, "Firm", "Cég" },
    { IDS_QUOTE_BID, "Bid", "Vétel" },
    { IDS_QUOTE_OFFER, "Offer", "Eladás" },
    { IDS_QUOTE_LAST, "Last", "Utolsó" },
    { IDS_QUOTE_HIGH, "High", "Legmagasabb" },
    { IDS_QUOTE_LOW, "Low", "Legalacsonyabb" },
    { IDS_QUOTE_BID_TIME, "Bid Dt", "Vétel ideje" },
    { IDS_QUOTE_OFFER_TIME, "Offer Dt", "Eladás ideje" },
    { IDS_GOTO_SHORT_NAME, "&Short Name:", "&Rövid név:" },
    { IDS_GOTO_ORDER, "&Order:", "&Megbízás:" },
    { IDS_GOTO_TRADE, "&Trade:", "&Kötés:" },
    { IDS_GOTO_DEAL, "&Deal:", "Ü&gylet:" },
    { IDS_INVALID_NUMBER, "Invalid number format.", "Érvénytelen számformátum." },
    { IDS_NO_SECURITIES, "No securities on selected market/board combination.",
        "A kiválasztott piac és tábla együttesén nincs értékpapír." },
    { IDS_ACCESS_NONE, "None", "Nincs" },
    { IDS_ACCESS_PUBLIC, "Public", "Nyilvános" },
    { IDS_ACCESS_USER, "User", "Felhasználó" },
    { IDS_ACCESS_FIRM, "Firm", "Cég" },
    { IDS_ACCESS_FULL, "Full", "Teljes" },
    { IDS_ABOUT_NO_USER, "none", "nincs" },
    { IDS_ABOUT_USER_SETTINGS, "\n User settings: ", "\n Felhasználói beállítások: " },
};

const fw::ResourceSet kResources { "kv32-shell-dialogs", {}, kTemplates };

} // namespace

std::span<const fw::DialogTemplate> Kv32ShellDialogTemplates()
{
    return kTemplates;
}

void Kv32RegisterShellDialogs()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::span<const fw::StringEntry> Kv32ShellDialogStrings()
{
    return kStrings;
}

std::string Kv32ShellDialogString(std::uint32_t id)
{
    Kv32RegisterShellDialogs();
    return fw::loadString(id);
}
