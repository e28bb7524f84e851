// Templates and texts of the trading account, account group, account
// information and depository account dialogs (English and Hungarian side by side).
#include "kv32/res/supervision_b_ids.h"

namespace {

using fw::ControlDef;
using fw::ControlKind;
constexpr std::uint32_t S = fw::kStaticId;

constexpr ControlDef kTrAcc[] = {
    { S, ControlKind::Label, 0, 0, "&Trading Accounts:", "&Kereskedési számlák:" },
    { IDC_TRA_LIST, ControlKind::ListBox, 1, 0, nullptr, nullptr, 5, 1, fw::StyleNone, 16 },
    { IDC_TRA_ADD, ControlKind::Button, 1, 1, "&Add", "&Felvétel" },
    { IDC_TRA_CHANGE, ControlKind::Button, 2, 1, "&Change", "&Módosítás" },
    { IDC_TRA_DELETE, ControlKind::Button, 3, 1, "&Delete", "&Törlés" },
    { S, ControlKind::Label, 6, 0, "Comment:", "Megjegyzés:" },
    { IDC_TRA_COMMENT, ControlKind::Edit, 7, 0, nullptr, nullptr, 1, 2, fw::StyleReadOnly, 48, 48 },
    { fw::kIdOk, ControlKind::DefaultButton, 8, 0, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 8, 1, "Cancel", "Mégse" },
};

constexpr ControlDef kTrAccAdd[] = {
    { S, ControlKind::Label, 0, 0, "&Account:", "&Számla:" },
    { IDC_TRA_ACCOUNT, ControlKind::Edit, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 14, 12 },
    { S, ControlKind::Label, 1, 0, "&Comment:", "&Megjegyzés:" },
    { IDC_TRA_COMMENT, ControlKind::Edit, 1, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 48, 48 },
    { fw::kIdOk, ControlKind::DefaultButton, 2, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 2, 2, "Cancel", "Mégse" },
};

constexpr ControlDef kTrAccList[] = {
    { S, ControlKind::Label, 0, 0, "&Firm:", "&Cég:" },
    { IDC_STA_FIRM, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 28 },
    { S, ControlKind::Label, 1, 0, "&Account:", "&Számla:" },
    { IDC_STA_ACCOUNT, ControlKind::ComboList, 1, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 16 },
    { S, ControlKind::GroupBox, 2, 0, "Status", "Állapot", 1, 3 },
    { IDC_STA_SUSPENDED, ControlKind::RadioButton, 3, 0, "&Suspended", "&Felfüggesztve", 1, 1, fw::StyleGroup },
    { IDC_STA_UNSUSPENDED, ControlKind::RadioButton, 3, 1, "&Unsuspended", "&Aktív" },
    { fw::kIdOk, ControlKind::DefaultButton, 4, 1, "&OK", "&OK" },
    { fw::kIdCancel, ControlKind::Button, 4, 2, "&Close", "&Bezárás" },
};

constexpr ControlDef kDepoAccounts[] = {
    { S, ControlKind::Label, 0, 0, "Account:", "Számla:" },
    { IDC_STA_ACCOUNT, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 16 },
    { S, ControlKind::GroupBox, 1, 0, "Status", "Állapot", 1, 3 },
    { IDC_STA_SUSPENDED, ControlKind::RadioButton, 2, 0, "&Suspended", "&Felfüggesztve", 1, 1, fw::StyleGroup },
    { IDC_STA_UNSUSPENDED, ControlKind::RadioButton, 2, 1, "&Unsuspended", "&Aktív" },
    { fw::kIdOk, ControlKind::DefaultButton, 3, 1, "&OK", "&OK" },
    { fw::kIdCancel, ControlKind::Button, 3, 2, "&Close", "&Bezárás" },
};

constexpr ControlDef kAccInfo[] = {
    { S, ControlKind::Label, 0, 0, "Trading Account:", "Kereskedési számla:" },
    { IDC_INF_ACCOUNT, ControlKind::Label, 0, 1, "", "", 1, 1, fw::StyleNone, 14 },
    { S, ControlKind::Label, 1, 0, "Depository Account:", "Letéti számla:" },
    { IDC_INF_DEPOSITORY, ControlKind::Label, 1, 1, "", "", 1, 1, fw::StyleNone, 14 },
    { S, ControlKind::Label, 2, 0, "Open Position:", "Nyitó pozíció:" },
    { IDC_INF_OPEN, ControlKind::Label, 2, 1, "", "", 1, 1, fw::StyleRight, 16 },
    { S, ControlKind::Label, 3, 0, "Current Position:", "Aktuális pozíció:" },
    { IDC_INF_CURRENT, ControlKind::Label, 3, 1, "", "", 1, 1, fw::StyleRight, 16 },
    { S, ControlKind::Label, 4, 0, "Planned Buy:", "Tervezett vétel:" },
    { IDC_INF_PLANNED_BUY, ControlKind::Label, 4, 1, "", "", 1, 1, fw::StyleRight, 16 },
    { S, ControlKind::Label, 5, 0, "Planned Sell:", "Tervezett eladás:" },
    { IDC_INF_PLANNED_SELL, ControlKind::Label, 5, 1, "", "", 1, 1, fw::StyleRight, 16 },
    { fw::kIdOk, ControlKind::DefaultButton, 6, 1, "&Close", "&Bezárás" },
};

constexpr ControlDef kGroups[] = {
    { S, ControlKind::Label, 0, 0, "Groups:", "Csoportok:" },
    { IDC_GRP_GROUPS, ControlKind::ListBox, 1, 0, nullptr, nullptr, 6, 1, fw::StyleNone, 26 },
    { IDC_GRP_NEW, ControlKind::Button, 7, 0, "&New", "Ú&j" },
    { IDC_GRP_DELETE, ControlKind::Button, 8, 0, "&Delete", "&Törlés" },
    { IDC_GRP_TAB, ControlKind::Custom, 0, 1, nullptr, nullptr, 1, 3 },
    { IDC_GRP_AVAILABLE_TITLE, ControlKind::Label, 1, 1, "Available Users:", "Választható felhasználók:" },
    { IDC_GRP_SELECTED_TITLE, ControlKind::Label, 1, 3, "Selected Users:", "Kiválasztott felhasználók:" },
    { IDC_GRP_AVAILABLE, ControlKind::ListBox, 2, 1, nullptr, nullptr, 6, 1, fw::StyleMultiSelect, 36 },
    { IDC_GRP_ADD, ControlKind::Button, 2, 2, "&Add", "&Hozzáadás" },
    { IDC_GRP_ADD_ALL, ControlKind::Button, 3, 2, "Add A&ll", "&Mindet hozzá" },
    { IDC_GRP_REMOVE, ControlKind::Button, 4, 2, "&Remove", "&Eltávolítás" },
    { IDC_GRP_REMOVE_ALL, ControlKind::Button, 5, 2, "Re&move All", "Mindet e&l" },
    { IDC_GRP_SELECTED, ControlKind::ListBox, 2, 3, nullptr, nullptr, 6, 1, fw::StyleMultiSelect, 36 },
    { IDC_GRP_UNSELECT_AVAILABLE, ControlKind::Button, 8, 1, "Unselect All", "Kijelölés törlése" },
    { IDC_GRP_UNSELECT_SELECTED, ControlKind::Button, 8, 3, "Unselect All", "Kijelölés törlése" },
    { IDC_GRP_APPLY, ControlKind::Button, 9, 1, "Apply", "Alkalmaz" },
    { fw::kIdOk, ControlKind::DefaultButton, 9, 2, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 9, 3, "Cancel", "Mégse" },
};

constexpr ControlDef kNewGroup[] = {
    { S, ControlKind::Label, 0, 0, "Group name:", "Csoport neve:" },
    { IDC_GRP_NAME, ControlKind::Edit, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 16, 12 },
    { S, ControlKind::Label, 1, 0, "Firm ID:", "Cégazonosító:" },
    { IDC_GRP_FIRM, ControlKind::Edit, 1, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 16, 12 },
    { fw::kIdOk, ControlKind::DefaultButton, 2, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 2, 2, "Cancel", "Mégse" },
};

constexpr fw::DialogTemplate kTemplates[] = {
    { IDD_TRACC, "Trading Accounts", "Kereskedési számlák", kTrAcc },
    { IDD_TRACC_ADD, "Trading Account", "Kereskedési számla", kTrAccAdd },
    { IDD_TRACC_LIST, "Trading Accounts", "Kereskedési számlák", kTrAccList },
    { IDD_DEPO_ACCOUNTS, "Depository Accounts", "Letéti számlák", kDepoAccounts },
    { IDD_ACC_INFO, "Trading Account Information", "Kereskedési számla adatai", kAccInfo },
    { IDD_ACC_GROUPS, "Trading Account Groups", "Kereskedési számlacsoportok", kGroups },
    { IDD_ACC_GROUPS_NEW, "New Trading Account Group", "Új kereskedési számlacsoport", kNewGroup },
};

constexpr fw::StringEntry kStrings[] = {
    { IDS_ACC_INVALID_VALUE, "Invalid value.", "Érvénytelen érték." },
    { IDS_ACC_LIST_FULL, "Maximum number of trading accounts reached.",
        "Elérte a kereskedési számlák legnagyobb számát." },
    { IDS_ACC_TAB_USERS, "Users", "Felhasználók" },
    { IDS_ACC_TAB_ACCOUNTS, "Trading Accounts", "Kereskedési számlák" },
    { IDS_ACC_GROUP_UPDATED, "Update of group completed successfully!", "A csoport módosítása sikerült!" },
    { IDS_ACC_GROUP_FAILED, "Update of group failed!", "A csoport módosítása nem sikerült!" },
    { IDS_ACC_GROUP_DISCARD,
        "You have made modifications to group %s if you proceed you will loose your changes. Do you still wish to "
        "proceed ?",
        "Módosította a(z) %s csoportot; ha folytatja, a módosítások elvesznek. Mégis folytatja?" },
    { IDS_ACC_SELECTED_ACCOUNTS, "Selected Trading Accounts:", "Kiválasztott kereskedési számlák:" },
    { IDS_ACC_AVAILABLE_USERS, "Available Users:", "Választható felhasználók:" },
    { IDS_ACC_SELECTED_USERS, "Selected Users:", "Kiválasztott felhasználók:" },
    { IDS_ACC_AVAILABLE_ACCOUNTS, "Available Trading Accounts:", "Választható kereskedési számlák:" },
    { IDS_ACC_FILE_NOT_WRITTEN, "The trading accounts could not be saved to %s; the file keeps its earlier list.",
        "A kereskedési számlák nem menthetők ide: %s; a fájl a korábbi listát őrzi." },
};

const fw::ResourceSet kResources { "kv32-account-dialogs", {}, kTemplates };

} // namespace

std::span<const fw::DialogTemplate> Kv32AccountDialogTemplates()
{
    return kTemplates;
}

std::span<const fw::StringEntry> Kv32AccountDialogStrings()
{
    return kStrings;
}

void Kv32RegisterAccountDialogs()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::string Kv32AccountDialogString(std::uint32_t id)
{
    Kv32RegisterAccountDialogs();
    return fw::loadString(id);
}
