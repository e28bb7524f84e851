// Dialog, control and string ids of the trading account dialogs (the user's
// own list, one account, the firm's accounts and their status), the account
// groups, the account information and the depository accounts.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/resources.h"

enum Kv32AccountDialogId : unsigned {
    IDD_TRACC = 132,
    IDD_TRACC_ADD = 133,
    IDD_TRACC_LIST = 138,
    IDD_DEPO_ACCOUNTS = 139,
    IDD_ACC_INFO = 144,
    IDD_ACC_GROUPS = 231,
    IDD_ACC_GROUPS_NEW = 233,
};

enum Kv32AccountControlId : unsigned {
    // The user's own list and one of its accounts.
    IDC_TRA_LIST = 152,
    IDC_TRA_COMMENT = 153,
    IDC_TRA_ADD = 154,
    IDC_TRA_CHANGE = 155,
    IDC_TRA_DELETE = 157,
    IDC_TRA_ACCOUNT = 155,
    // The account status dialogs.
    IDC_STA_FIRM = 179,
    IDC_STA_ACCOUNT = 122,
    IDC_STA_SUSPENDED = 161,
    IDC_STA_UNSUSPENDED = 162,
    // The groups.
    IDC_GRP_GROUPS = 463,
    IDC_GRP_NEW = 360,
    IDC_GRP_DELETE = 359,
    IDC_GRP_TAB = 465,
    IDC_GRP_AVAILABLE = 3000,
    IDC_GRP_SELECTED = 3001,
    IDC_GRP_AVAILABLE_TITLE = 467,
    IDC_GRP_SELECTED_TITLE = 468,
    IDC_GRP_ADD = 466,
    IDC_GRP_ADD_ALL = 1106,
    IDC_GRP_REMOVE = 1108,
    IDC_GRP_REMOVE_ALL = 7030,
    IDC_GRP_UNSELECT_AVAILABLE = 357,
    IDC_GRP_UNSELECT_SELECTED = 358,
    IDC_GRP_APPLY = 472,
    IDC_GRP_NAME = 469,
    IDC_GRP_FIRM = 179,
    // The account information.
    IDC_INF_ACCOUNT = 171,
    IDC_INF_DEPOSITORY = 172,
    IDC_INF_OPEN = 173,
    IDC_INF_CURRENT = 174,
    IDC_INF_PLANNED_BUY = 175,
    IDC_INF_PLANNED_SELL = 176,
};

enum Kv32AccountStringId : unsigned {
    IDS_ACC_INVALID_VALUE = 20480,
    IDS_ACC_LIST_FULL = 20488,
    IDS_ACC_TAB_USERS = 60001,
    IDS_ACC_TAB_ACCOUNTS = 60011,
    IDS_ACC_GROUP_UPDATED = 60017,
    IDS_ACC_GROUP_FAILED = 60018,
    IDS_ACC_GROUP_DISCARD = 60019,
    IDS_ACC_SELECTED_ACCOUNTS = 60021,
    IDS_ACC_AVAILABLE_USERS = 60022,
    IDS_ACC_SELECTED_USERS = 60023,
    IDS_ACC_AVAILABLE_ACCOUNTS = 60024,
    IDS_ACC_FILE_NOT_WRITTEN = 61960,
};

std::span<const fw::DialogTemplate> Kv32AccountDialogTemplates();
std::span<const fw::StringEntry> Kv32AccountDialogStrings();
void Kv32RegisterAccountDialogs();
// The template id, once the templates are registered (for dialog constructors).
inline std::uint32_t Kv32AccountDialog(std::uint32_t templateId)
{
    Kv32RegisterAccountDialogs();
    return templateId;
}
// The text of one of the ids above in the current language.
std::string Kv32AccountDialogString(std::uint32_t id);
