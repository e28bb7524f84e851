// Templates and texts of the list windows' filter dialogs (English and
// Hungarian side by side).
#include "kv32/res/filter_dialog_ids.h"

namespace {

using fw::ControlDef;
using fw::ControlKind;
constexpr std::uint32_t S = fw::kStaticId;
constexpr std::uint32_t kMulti = fw::StyleMultiSelect;
constexpr int kListWidth = 18;

constexpr ControlDef kOrder[] = {
    { IDC_FLT_NO_FILTERING, ControlKind::CheckBox, 0, 0, "No Filterin&g", "Ni&ncs szűrés", 1, 2 },
    { S, ControlKind::Label, 1, 0, "&Boards:", "&Táblák:" },
    { S, ControlKind::Label, 1, 1, "&Securities:", "É&rtékpapírok:" },
    { S, ControlKind::Label, 1, 2, "&Users:", "&Felhasználók:" },
    { S, ControlKind::Label, 1, 3, "T&rading Accounts:", "Kereskedési s&zámlák:" },
    { IDC_FLT_BOARDS, ControlKind::ListBox, 2, 0, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_SECURITIES, ControlKind::ListBox, 2, 1, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_USERS, ControlKind::ListBox, 2, 2, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_ACCOUNTS, ControlKind::ListBox, 2, 3, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_ALL_BOARDS, ControlKind::CheckBox, 3, 0, "All", "Mind" },
    { IDC_FLT_ALL_SECURITIES, ControlKind::CheckBox, 3, 1, "All", "Mind" },
    { IDC_FLT_ALL_USERS, ControlKind::CheckBox, 3, 2, "All", "Mind" },
    { IDC_FLT_ALL_ACCOUNTS, ControlKind::CheckBox, 3, 3, "All", "Mind" },
    { S, ControlKind::GroupBox, 4, 0, "Side and Price", "Oldal és ár" },
    { S, ControlKind::GroupBox, 4, 1, "Status", "Állapot" },
    { S, ControlKind::GroupBox, 4, 2, "Conditions", "Feltételek" },
    { S, ControlKind::GroupBox, 4, 3, "Validity", "Érvényesség" },
    { IDC_FLT_BUY, ControlKind::CheckBox, 5, 0, "Bu&y", "&Vétel" },
    { IDC_FLT_SELL, ControlKind::CheckBox, 6, 0, "Sel&l", "&Eladás" },
    { IDC_FLT_LIMIT, ControlKind::CheckBox, 7, 0, "Limi&t", "&Limitáras" },
    { IDC_FLT_MARKET, ControlKind::CheckBox, 8, 0, "Mar&ket", "&Piaci" },
    { IDC_FLT_MARKET_MAKER, ControlKind::CheckBox, 9, 0, "Mark&et Maker", "Árjegy&zői" },
    { IDC_FLT_OPEN, ControlKind::CheckBox, 5, 1, "Ope&n", "N&yitott" },
    { IDC_FLT_AMENDED, ControlKind::CheckBox, 6, 1, "A&mended", "&Módosított" },
    { IDC_FLT_UNAPPROVED, ControlKind::CheckBox, 7, 1, "Unapproved", "Jóváhagyatlan" },
    { IDC_FLT_MATCHED, ControlKind::CheckBox, 8, 1, "Matc&hed", "Tel&jesült" },
    { IDC_FLT_WITHDRAWN, ControlKind::CheckBox, 9, 1, "&Withdrawn", "Visszavon&t" },
    { IDC_FLT_INACTIVE, ControlKind::CheckBox, 10, 1, "Inacti&ve", "&Inaktív" },
    { IDC_FLT_EXPIRED, ControlKind::CheckBox, 11, 1, "&Expired", "Le&járt" },
    { IDC_FLT_STOP, ControlKind::CheckBox, 5, 2, "Stop Order", "Stop megbízás" },
    { IDC_FLT_NOT_STOP, ControlKind::CheckBox, 6, 2, "Not Sto&p Order", "Nem st&op megbízás" },
    { IDC_FLT_FILL_OR_KILL, ControlKind::CheckBox, 7, 2, "Fill or Kill", "Teljesíts vagy töröld" },
    { IDC_FLT_ALL_OR_NONE, ControlKind::CheckBox, 8, 2, "All or None", "Mindent vagy semmit" },
    { IDC_FLT_FILL_AND_CANCEL, ControlKind::CheckBox, 9, 2, "Fill and Cancel", "Teljesíts és töröld" },
    { IDC_FLT_FILL_ANY, ControlKind::CheckBox, 10, 2, "Fill Any", "Bármilyen teljesítés" },
    { IDC_FLT_SESSION, ControlKind::CheckBox, 5, 3, "Session Order", "Szakaszra szóló" },
    { IDC_FLT_DAY, ControlKind::CheckBox, 6, 3, "Day &Order", "Napi megbízás" },
    { IDC_FLT_GOOD_TILL_CANCELLED, ControlKind::CheckBox, 7, 3, "Good Till Can&celled",
        "Visszavonásig érvényes" },
    { IDC_FLT_GOOD_TILL_DATE, ControlKind::CheckBox, 8, 3, "Good Till Date", "Dátumig érvényes" },
    { IDC_FLT_GOOD_TILL_TIME, ControlKind::CheckBox, 9, 3, "Good Till Time", "Időpontig érvényes" },
    { S, ControlKind::GroupBox, 12, 0, "Orders", "Megbízások", 1, 2 },
    { S, ControlKind::GroupBox, 12, 2, "Time", "Idő", 1, 2 },
    { S, ControlKind::Label, 13, 0, "From:", "Ettől:" },
    { IDC_FLT_NUMBER_FROM, ControlKind::Edit, 13, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 12, 10 },
    { S, ControlKind::Label, 14, 0, "To:", "Eddig:" },
    { IDC_FLT_NUMBER_TO, ControlKind::Edit, 14, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 12, 10 },
    { S, ControlKind::Label, 13, 2, "From:", "Ettől:" },
    { IDC_FLT_TIME_FROM, ControlKind::DateTime, 13, 3, nullptr, nullptr, 1, 1, fw::StyleTime },
    { S, ControlKind::Label, 14, 2, "To:", "Eddig:" },
    { IDC_FLT_TIME_TO, ControlKind::DateTime, 14, 3, nullptr, nullptr, 1, 1, fw::StyleTime },
    { IDC_FLT_CLEAR, ControlKind::Button, 15, 1, "&Clear", "&Törlés" },
    { fw::kIdOk, ControlKind::DefaultButton, 15, 2, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 15, 3, "Cancel", "Mégse" },
};

constexpr ControlDef kAudit[] = {
    { IDC_FLT_NO_FILTERING, ControlKind::CheckBox, 0, 0, "No Filterin&g", "Ni&ncs szűrés", 1, 2 },
    { S, ControlKind::Label, 1, 0, "&Boards:", "&Táblák:" },
    { S, ControlKind::Label, 1, 1, "&Securities:", "É&rtékpapírok:" },
    { S, ControlKind::Label, 1, 2, "&Users:", "&Felhasználók:" },
    { IDC_FLT_BOARDS, ControlKind::ListBox, 2, 0, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_SECURITIES, ControlKind::ListBox, 2, 1, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_USERS, ControlKind::ListBox, 2, 2, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_ALL_BOARDS, ControlKind::CheckBox, 3, 0, "All", "Mind" },
    { IDC_FLT_ALL_SECURITIES, ControlKind::CheckBox, 3, 1, "All", "Mind" },
    { IDC_FLT_ALL_USERS, ControlKind::CheckBox, 3, 2, "All", "Mind" },
    { S, ControlKind::Label, 4, 0, "F&irms:", "&Cégek:" },
    { S, ControlKind::Label, 4, 1, "T&ypes:", "T&ípusok:" },
    { S, ControlKind::Label, 4, 2, "Gr&oups:", "Cs&oportok:" },
    { IDC_FLT_FIRMS, ControlKind::ListBox, 5, 0, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_TYPES, ControlKind::ListBox, 5, 1, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_GROUPS, ControlKind::ListBox, 5, 2, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_ALL_FIRMS, ControlKind::CheckBox, 6, 0, "All", "Mind" },
    { IDC_FLT_ALL_TYPES, ControlKind::CheckBox, 6, 1, "All", "Mind" },
    { IDC_FLT_ALL_GROUPS, ControlKind::CheckBox, 6, 2, "All", "Mind" },
    { S, ControlKind::GroupBox, 7, 0, "Time", "Idő", 1, 2 },
    { S, ControlKind::Label, 8, 0, "From:", "Ettől:" },
    { IDC_FLT_TIME_FROM, ControlKind::DateTime, 8, 1, nullptr, nullptr, 1, 1, fw::StyleTime },
    { S, ControlKind::Label, 9, 0, "To:", "Eddig:" },
    { IDC_FLT_TIME_TO, ControlKind::DateTime, 9, 1, nullptr, nullptr, 1, 1, fw::StyleTime },
    { fw::kIdOk, ControlKind::DefaultButton, 10, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 10, 2, "Cancel", "Mégse" },
};

constexpr ControlDef kLog[] = {
    { IDC_FLT_NO_FILTERING, ControlKind::CheckBox, 0, 0, "No Filterin&g", "Ni&ncs szűrés", 1, 2 },
    { S, ControlKind::Label, 1, 0, "&Boards:", "&Táblák:" },
    { S, ControlKind::Label, 1, 1, "&Securities:", "É&rtékpapírok:" },
    { S, ControlKind::Label, 1, 2, "&Users:", "&Felhasználók:" },
    { S, ControlKind::Label, 1, 3, "F&irms:", "&Cégek:" },
    { IDC_FLT_BOARDS, ControlKind::ListBox, 2, 0, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_SECURITIES, ControlKind::ListBox, 2, 1, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_USERS, ControlKind::ListBox, 2, 2, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_FIRMS, ControlKind::ListBox, 2, 3, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_ALL_BOARDS, ControlKind::CheckBox, 3, 0, "All", "Mind" },
    { IDC_FLT_ALL_SECURITIES, ControlKind::CheckBox, 3, 1, "All", "Mind" },
    { IDC_FLT_ALL_USERS, ControlKind::CheckBox, 3, 2, "All", "Mind" },
    { IDC_FLT_ALL_FIRMS, ControlKind::CheckBox, 3, 3, "All", "Mind" },
    { IDC_FLT_LOG_MESSAGES, ControlKind::CheckBox, 4, 0, "Messages", "Üzenetek" },
    { IDC_FLT_LOG_NEWS, ControlKind::CheckBox, 4, 1, "News", "Hírek" },
    { IDC_FLT_LOG_MM_ALERTS, ControlKind::CheckBox, 4, 2, "Market Maker Alerts", "Árjegyzői riasztások" },
    { IDC_FLT_LOG_USER_ALERTS, ControlKind::CheckBox, 4, 3, "Users Alerts", "Felhasználói riasztások" },
    { IDC_FLT_LOG_FIRM_ALERTS, ControlKind::CheckBox, 5, 0, "Firms Alerts", "Céges riasztások" },
    { IDC_FLT_LOG_SEC_ALERTS, ControlKind::CheckBox, 5, 1, "Securities Alerts", "Értékpapír-riasztások" },
    { IDC_FLT_LOG_SUPERVISOR, ControlKind::CheckBox, 5, 2, "Supervisor operations", "Felügyeleti műveletek" },
    { IDC_FLT_LOG_ORD_COUNT, ControlKind::CheckBox, 5, 3, "Order counting alerts",
        "Megbízásszámlálási riasztások" },
    { S, ControlKind::GroupBox, 6, 0, "Date", "Dátum", 1, 2 },
    { S, ControlKind::GroupBox, 6, 2, "Time", "Idő", 1, 2 },
    { S, ControlKind::Label, 7, 0, "From:", "Ettől:" },
    { IDC_FLT_DATE_FROM, ControlKind::DateTime, 7, 1 },
    { S, ControlKind::Label, 8, 0, "To:", "Eddig:" },
    { IDC_FLT_DATE_TO, ControlKind::DateTime, 8, 1 },
    { S, ControlKind::Label, 7, 2, "From:", "Ettől:" },
    { IDC_FLT_TIME_FROM, ControlKind::DateTime, 7, 3, nullptr, nullptr, 1, 1, fw::StyleTime },
    { S, ControlKind::Label, 8, 2, "To:", "Eddig:" },
    { IDC_FLT_TIME_TO, ControlKind::DateTime, 8, 3, nullptr, nullptr, 1, 1, fw::StyleTime },
    { fw::kIdOk, ControlKind::DefaultButton, 9, 2, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 9, 3, "Cancel", "Mégse" },
};

constexpr ControlDef kLastN[] = {
    { IDC_FLT_NO_FILTERING, ControlKind::CheckBox, 0, 0, "No Filterin&g", "Ni&ncs szűrés", 1, 2 },
    { S, ControlKind::Label, 1, 0, "&Boards:", "&Táblák:" },
    { S, ControlKind::Label, 1, 1, "&Securities:", "É&rtékpapírok:" },
    { IDC_FLT_BOARDS, ControlKind::ListBox, 2, 0, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_SECURITIES, ControlKind::ListBox, 2, 1, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_ALL_BOARDS, ControlKind::CheckBox, 3, 0, "All", "Mind" },
    { IDC_FLT_ALL_SECURITIES, ControlKind::CheckBox, 3, 1, "All", "Mind" },
    { S, ControlKind::Label, 4, 0, "T&ype:", "T&ípus:" },
    { IDC_FLT_TYPES, ControlKind::ComboList, 4, 1, nullptr, nullptr, 1, 1, fw::StyleNone, kListWidth },
    { fw::kIdOk, ControlKind::DefaultButton, 5, 0, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 5, 1, "Cancel", "Mégse" },
};

constexpr ControlDef kMsg[] = {
    { IDC_FLT_MSG_ALL, ControlKind::RadioButton, 0, 0, "&All", "&Mind", 1, 2, fw::StyleGroup },
    { IDC_FLT_MSG_SENT, ControlKind::RadioButton, 1, 0, "&Sent", "&Elküldött", 1, 2 },
    { IDC_FLT_MSG_PENDING, ControlKind::RadioButton, 2, 0, "&Pending", "&Függő", 1, 2 },
    { fw::kIdOk, ControlKind::DefaultButton, 3, 0, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 3, 1, "Cancel", "Mégse" },
};

constexpr ControlDef kNDeal[] = {
    { IDC_FLT_NO_FILTERING, ControlKind::CheckBox, 0, 0, "No Filterin&g", "Ni&ncs szűrés", 1, 2 },
    { S, ControlKind::Label, 1, 0, "Boa&rds:", "&Táblák:" },
    { S, ControlKind::Label, 1, 1, "Securi&ties:", "É&rtékpapírok:" },
    { S, ControlKind::Label, 1, 2, "&Users:", "&Felhasználók:" },
    { S, ControlKind::Label, 1, 3, "Tradi&ng Accounts:", "Kereskedési s&zámlák:" },
    { IDC_FLT_BOARDS, ControlKind::ListBox, 2, 0, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_SECURITIES, ControlKind::ListBox, 2, 1, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_USERS, ControlKind::ListBox, 2, 2, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_ACCOUNTS, ControlKind::ListBox, 2, 3, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_ALL_BOARDS, ControlKind::CheckBox, 3, 0, "All", "Mind" },
    { IDC_FLT_ALL_SECURITIES, ControlKind::CheckBox, 3, 1, "All", "Mind" },
    { IDC_FLT_ALL_USERS, ControlKind::CheckBox, 3, 2, "All", "Mind" },
    { IDC_FLT_ALL_ACCOUNTS, ControlKind::CheckBox, 3, 3, "All", "Mind" },
    { S, ControlKind::GroupBox, 4, 0, "Side", "Oldal" },
    { S, ControlKind::GroupBox, 4, 1, "Status", "Állapot", 1, 2 },
    { IDC_FLT_BUY, ControlKind::CheckBox, 5, 0, "&Buy", "&Vétel" },
    { IDC_FLT_SELL, ControlKind::CheckBox, 6, 0, "&Sell", "&Eladás" },
    { IDC_FLT_OPEN, ControlKind::CheckBox, 5, 1, "&Open", "N&yitott" },
    { IDC_FLT_AMENDED, ControlKind::CheckBox, 6, 1, "&Amended", "&Módosított" },
    { IDC_FLT_UNAPPROVED, ControlKind::CheckBox, 7, 1, "Una&pproved", "&Jóváhagyatlan" },
    { IDC_FLT_UNCONFIRMED, ControlKind::CheckBox, 5, 2, "Un&confirmed", "Visszaigazo&latlan" },
    { IDC_FLT_MATCHED, ControlKind::CheckBox, 6, 2, "Matc&hed", "Telj&esült" },
    { IDC_FLT_WITHDRAWN, ControlKind::CheckBox, 7, 2, "&Withdrawn", "Visszavon&t" },
    { S, ControlKind::GroupBox, 8, 0, "&Deals", "Ü&gyletek", 1, 2 },
    { S, ControlKind::GroupBox, 8, 2, "Time", "Idő", 1, 2 },
    { S, ControlKind::Label, 9, 0, "From:", "Ettől:" },
    { IDC_FLT_NUMBER_FROM, ControlKind::Edit, 9, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 12, 10 },
    { S, ControlKind::Label, 10, 0, "To:", "Eddig:" },
    { IDC_FLT_NUMBER_TO, ControlKind::Edit, 10, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 12, 10 },
    { S, ControlKind::Label, 9, 2, "From:", "Ettől:" },
    { IDC_FLT_TIME_FROM, ControlKind::DateTime, 9, 3, nullptr, nullptr, 1, 1, fw::StyleTime },
    { S, ControlKind::Label, 10, 2, "To:", "Eddig:" },
    { IDC_FLT_TIME_TO, ControlKind::DateTime, 10, 3, nullptr, nullptr, 1, 1, fw::StyleTime },
    { IDC_FLT_CLEAR, ControlKind::Button, 11, 1, "&Clear", "T&örlés" },
    { fw::kIdOk, ControlKind::DefaultButton, 11, 2, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 11, 3, "Cancel", "Mégse" },
};

constexpr ControlDef kNews[] = {
    { IDC_FLT_NEWS_NO_FILTERING, ControlKind::CheckBox, 0, 0, "&No Filtering", "&Nincs szűrés", 1, 2 },
    { S, ControlKind::Label, 1, 0, "T&ypes:", "&Típusok:" },
    { S, ControlKind::Label, 1, 1, "Lan&guages:", "N&yelvek:" },
    { IDC_FLT_NEWS_TYPES, ControlKind::ListBox, 2, 0, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_NEWS_LANGUAGES, ControlKind::ListBox, 2, 1, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_NEWS_ALL_TYPES, ControlKind::CheckBox, 3, 0, "&All", "&Mind" },
    { IDC_FLT_NEWS_ALL_LANGUAGES, ControlKind::CheckBox, 3, 1, "A&ll", "M&ind" },
    { IDC_FLT_NEWS_SENT, ControlKind::CheckBox, 4, 0, "&Send", "&Elküldött" },
    { IDC_FLT_NEWS_PENDING, ControlKind::CheckBox, 4, 1, "&Pending", "&Függő" },
    { IDC_FLT_NEWS_REMOVED, ControlKind::CheckBox, 5, 0, "&Removed", "Eltá&volított" },
    { fw::kIdOk, ControlKind::DefaultButton, 6, 0, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 6, 1, "Cancel", "Mégse" },
};

constexpr ControlDef kOrdCount[] = {
    { IDC_FLT_NO_FILTERING, ControlKind::CheckBox, 0, 0, "No Filterin&g", "Ni&ncs szűrés", 1, 2 },
    { S, ControlKind::Label, 1, 0, "&Boards:", "&Táblák:" },
    { S, ControlKind::Label, 1, 1, "F&irms:", "&Cégek:" },
    { IDC_FLT_BOARDS, ControlKind::ListBox, 2, 0, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_FIRMS, ControlKind::ListBox, 2, 1, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_ALL_BOARDS, ControlKind::CheckBox, 3, 0, "All", "Mind" },
    { IDC_FLT_ALL_FIRMS, ControlKind::CheckBox, 3, 1, "All", "Mind" },
    { fw::kIdOk, ControlKind::DefaultButton, 4, 0, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 4, 1, "Cancel", "Mégse" },
};

constexpr ControlDef kPrivateOrder[] = {
    { IDC_FLT_NO_FILTERING, ControlKind::CheckBox, 0, 0, "No Filterin&g", "Ni&ncs szűrés", 1, 2 },
    { S, ControlKind::Label, 1, 0, "Work &Areas:", "M&unkaterületek:" },
    { S, ControlKind::Label, 1, 1, "&Boards:", "&Táblák:" },
    { S, ControlKind::Label, 1, 2, "&Securities:", "É&rtékpapírok:" },
    { S, ControlKind::Label, 1, 3, "T&rading Accounts:", "Kereskedési s&zámlák:" },
    { IDC_FLT_WAI, ControlKind::ListBox, 2, 0, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_BOARDS, ControlKind::ListBox, 2, 1, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_SECURITIES, ControlKind::ListBox, 2, 2, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_ACCOUNTS, ControlKind::ListBox, 2, 3, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_ALL_WAI, ControlKind::CheckBox, 3, 0, "All", "Mind" },
    { IDC_FLT_ALL_BOARDS, ControlKind::CheckBox, 3, 1, "All", "Mind" },
    { IDC_FLT_ALL_SECURITIES, ControlKind::CheckBox, 3, 2, "All", "Mind" },
    { IDC_FLT_ALL_ACCOUNTS, ControlKind::CheckBox, 3, 3, "All", "Mind" },
    { S, ControlKind::GroupBox, 4, 0, "Side and Price", "Oldal és ár" },
    { S, ControlKind::GroupBox, 4, 1, "Status", "Állapot" },
    { S, ControlKind::GroupBox, 4, 2, "Conditions", "Feltételek" },
    { S, ControlKind::GroupBox, 4, 3, "Validity", "Érvényesség" },
    { IDC_FLT_BUY, ControlKind::CheckBox, 5, 0, "Bu&y", "&Vétel" },
    { IDC_FLT_SELL, ControlKind::CheckBox, 6, 0, "Sel&l", "&Eladás" },
    { IDC_FLT_LIMIT, ControlKind::CheckBox, 7, 0, "Limi&t", "&Limitáras" },
    { IDC_FLT_MARKET, ControlKind::CheckBox, 8, 0, "Mar&ket", "&Piaci" },
    { IDC_FLT_NEW, ControlKind::CheckBox, 5, 1, "&New", "Ú&j" },
    { IDC_FLT_COPY, ControlKind::CheckBox, 6, 1, "&Copy", "Máso&lat" },
    { IDC_FLT_ACCEPTED, ControlKind::CheckBox, 7, 1, "&Accepted", "Elfo&gadott" },
    { IDC_FLT_AMENDED, ControlKind::CheckBox, 8, 1, "A&mended", "&Módosított" },
    { IDC_FLT_REJECTED, ControlKind::CheckBox, 9, 1, "&Rejected", "Elutasíto&tt" },
    { IDC_FLT_STOP, ControlKind::CheckBox, 5, 2, "Stop Order", "Stop megbízás" },
    { IDC_FLT_NOT_STOP, ControlKind::CheckBox, 6, 2, "Not Sto&p Order", "Nem st&op megbízás" },
    { IDC_FLT_FILL_OR_KILL, ControlKind::CheckBox, 7, 2, "Fill or Kill", "Teljesíts vagy töröld" },
    { IDC_FLT_ALL_OR_NONE, ControlKind::CheckBox, 8, 2, "All or None", "Mindent vagy semmit" },
    { IDC_FLT_MARKET_MAKER, ControlKind::CheckBox, 9, 2, "Mark&et Maker", "Árjegy&zői" },
    { IDC_FLT_FILL_AND_CANCEL, ControlKind::CheckBox, 10, 2, "Fill and Cancel", "Teljesíts és töröld" },
    { IDC_FLT_SESSION, ControlKind::CheckBox, 5, 3, "Session Order", "Szakaszra szóló" },
    { IDC_FLT_DAY, ControlKind::CheckBox, 6, 3, "Day &Order", "Napi megbízás" },
    { IDC_FLT_GOOD_TILL_TIME, ControlKind::CheckBox, 7, 3, "Good Till Time", "Időpontig érvényes" },
    { IDC_FLT_GOOD_TILL_CANCELLED, ControlKind::CheckBox, 8, 3, "Good Till Can&celled",
        "Visszavonásig érvényes" },
    { IDC_FLT_GOOD_TILL_DATE, ControlKind::CheckBox, 9, 3, "Good Till Date", "Dátumig érvényes" },
    { IDC_FLT_CLEAR, ControlKind::Button, 11, 1, "Clea&r", "&Törlés" },
    { fw::kIdOk, ControlKind::DefaultButton, 11, 2, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 11, 3, "Cancel", "Mégse" },
};

constexpr ControlDef kTrade[] = {
    { IDC_FLT_NO_FILTERING, ControlKind::CheckBox, 0, 0, "No Filterin&g", "Ni&ncs szűrés", 1, 2 },
    { S, ControlKind::Label, 1, 0, "&Boards:", "&Táblák:" },
    { S, ControlKind::Label, 1, 1, "&Securities:", "É&rtékpapírok:" },
    { S, ControlKind::Label, 1, 2, "&Users:", "&Felhasználók:" },
    { S, ControlKind::Label, 1, 3, "T&rading Accounts:", "Kereskedési s&zámlák:" },
    { IDC_FLT_BOARDS, ControlKind::ListBox, 2, 0, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_SECURITIES, ControlKind::ListBox, 2, 1, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_USERS, ControlKind::ListBox, 2, 2, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_ACCOUNTS, ControlKind::ListBox, 2, 3, nullptr, nullptr, 1, 1, kMulti, kListWidth },
    { IDC_FLT_ALL_BOARDS, ControlKind::CheckBox, 3, 0, "All", "Mind" },
    { IDC_FLT_ALL_SECURITIES, ControlKind::CheckBox, 3, 1, "All", "Mind" },
    { IDC_FLT_ALL_USERS, ControlKind::CheckBox, 3, 2, "All", "Mind" },
    { IDC_FLT_ALL_ACCOUNTS, ControlKind::CheckBox, 3, 3, "All", "Mind" },
    { IDC_FLT_TRADE_MATCHED, ControlKind::CheckBox, 4, 0, "Matc&hed", "Tel&jesült" },
    { IDC_FLT_TRADE_CANCELLED, ControlKind::CheckBox, 4, 1, "&Cancelled", "Tö&rölt" },
    { S, ControlKind::GroupBox, 5, 0, "&Trades", "&Kötések", 1, 2 },
    { S, ControlKind::GroupBox, 5, 2, "&Orders", "&Megbízások", 1, 2 },
    { S, ControlKind::Label, 6, 0, "From:", "Ettől:" },
    { IDC_FLT_TRADES_FROM, ControlKind::Edit, 6, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 12, 10 },
    { S, ControlKind::Label, 7, 0, "To:", "Eddig:" },
    { IDC_FLT_TRADES_TO, ControlKind::Edit, 7, 1, nullptr, nullptr, 1, 1, fw::StyleRight, 12, 10 },
    { S, ControlKind::Label, 6, 2, "From:", "Ettől:" },
    { IDC_FLT_NUMBER_FROM, ControlKind::Edit, 6, 3, nullptr, nullptr, 1, 1, fw::StyleRight, 12, 10 },
    { S, ControlKind::Label, 7, 2, "To:", "Eddig:" },
    { IDC_FLT_NUMBER_TO, ControlKind::Edit, 7, 3, nullptr, nullptr, 1, 1, fw::StyleRight, 12, 10 },
    { fw::kIdOk, ControlKind::DefaultButton, 8, 2, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 8, 3, "Cancel", "Mégse" },
};

constexpr ControlDef kFirm[] = {
    { IDC_FLT_NO_FILTERING, ControlKind::CheckBox, 0, 0, "No Filterin&g", "Ni&ncs szűrés", 1, 2 },
    { IDC_FLT_BROKERS, ControlKind::CheckBox, 1, 0, "&Broker", "&Bróker", 1, 2 },
    { IDC_FLT_EXCHANGES, ControlKind::CheckBox, 2, 0, "&Exchange", "&Tőzsde", 1, 2 },
    { IDC_FLT_INSTITUTIONS, ControlKind::CheckBox, 3, 0, "&Institution", "&Intézmény", 1, 2 },
    { IDC_FLT_ISSUERS, ControlKind::CheckBox, 4, 0, "I&ssuer", "&Kibocsátó", 1, 2 },
    { fw::kIdOk, ControlKind::DefaultButton, 5, 0, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 5, 1, "Cancel", "Mégse" },
};

constexpr ControlDef kCurPos[] = {
    { S, ControlKind::Label, 0, 0, "&Firm:", "&Cég:" },
    { IDC_FLT_FIRMS, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 20 },
    { IDC_FLT_USER_LABEL, ControlKind::Label, 1, 0, "&User:", "&Felhasználó:" },
    { IDC_FLT_USERS, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 20 },
    { IDC_FLT_ACCOUNT_LABEL, ControlKind::Label, 2, 0, "&Trading Account:", "&Kereskedési számla:" },
    { IDC_FLT_ACCOUNTS, ControlKind::ComboList, 2, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 20 },
    { fw::kIdOk, ControlKind::DefaultButton, 3, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 3, 2, "Cancel", "Mégse" },
};

constexpr ControlDef kSecPos[] = {
    { S, ControlKind::Label, 0, 0, "&Firm:", "&Cég:" },
    { IDC_FLT_FIRMS, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 24 },
    { S, ControlKind::Label, 1, 0, "&Trading Account:", "&Kereskedési számla:" },
    { IDC_FLT_ACCOUNTS, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 24 },
    { fw::kIdOk, ControlKind::DefaultButton, 2, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 2, 2, "Cancel", "Mégse" },
};

constexpr fw::DialogTemplate kTemplates[] = {
    { IDD_FILTER_ORDER, "Orders Filter", "Megbízások szűrése", kOrder },
    { IDD_FILTER_AUDIT, "Audits Filter", "Auditok szűrése", kAudit },
    { IDD_FILTER_LOG, "Alert Logs Filter", "Riasztási napló szűrése", kLog },
    { IDD_FILTER_LASTN, "Last N Trades Filter", "Utolsó N kötés szűrése", kLastN },
    { IDD_FILTER_MSG, "Messages Filter", "Üzenetek szűrése", kMsg },
    { IDD_FILTER_NDEAL, "Negotiated Deals Filter", "Tárgyalásos ügyletek szűrése", kNDeal },
    { IDD_FILTER_NEWS, "News Filter", "Hírek szűrése", kNews },
    { IDD_FILTER_ORDCOUNT, "Order-counter Filter", "Megbízásszámláló szűrése", kOrdCount },
    { IDD_FILTER_PRIVATE_ORDER, "Private Orders Filter", "Saját megbízások szűrése", kPrivateOrder },
    { IDD_FILTER_TRADE, "Trades Filter", "Kötések szűrése", kTrade },
    { IDD_FILTER_FIRM, "Firms Filter", "Cégek szűrése", kFirm },
    { IDD_FILTER_CURPOS, "Cashpositions Filter", "Pénzpozíciók szűrése", kCurPos },
    { IDD_FILTER_SECPOS, "Trading Acc. Security Position Filter",
        "Kereskedési számla értékpapír-pozícióinak szűrése", kSecPos },
};

constexpr fw::StringEntry kStrings[] = {
    { IDS_FIRM_NOT_SELECTED, "Firm not selected", "Nincs kiválasztva cég" },
    { IDS_TRADING_ACCOUNT_NOT_SELECTED, "Trading Account not selected",
        "Nincs kiválasztva kereskedési számla" },
};

const fw::ResourceSet kResources { "kv32-filter-dialogs", {}, kTemplates };

} // namespace

std::span<const fw::DialogTemplate> Kv32FilterDialogTemplates()
{
    return kTemplates;
}

void Kv32RegisterFilterDialogs()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::span<const fw::StringEntry> Kv32FilterDialogStrings()
{
    return kStrings;
}

std::string Kv32FilterDialogString(std::uint32_t id)
{
    Kv32RegisterFilterDialogs();
    return fw::loadString(id);
}
