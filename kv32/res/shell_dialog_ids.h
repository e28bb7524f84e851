// Dialog, control and string ids of the shell's own dialogs: the supervisor
// requests, the selection and notice dialogs, setup, About and the quote window.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/resources.h"

enum Kv32ShellDialogId : unsigned {
    IDD_ABOUT = 100,
    IDD_BENCH_SETUP = 111,
    IDD_USER_PASSWORD = 140,
    IDD_AUDIT_EVENT = 151,
    IDD_AUDIT_MODE = 152,
    IDD_NET_ADDRESS = 141,
    IDD_MKT_BRD_SELECT = 169,
    IDD_GOTO = 183,
    IDD_ORDER_METHODS = 184,
    IDD_MARKET_REPLAY = 260,
    IDD_DEFAULT_ROLE = 271,
    IDD_ACCESS = 273,
    IDD_DEFAULT_SELECTION = 278,
    // The core library's password change already has 30208.
    IDD_LOGON_VERIFY = 30230,
};

enum Kv32ShellControlId : unsigned {
    // Shared by several dialogs.
    IDC_USER_COMBO = 121, // also the Go To label and the Logon Verify combo
    IDC_ENTRY_LABEL = 135,
    IDC_TARGET_USER = 103, // also About's current user
    IDC_ROLE = 588,
    // Access.
    IDC_GROUP = 469,
    IDC_ACCESS_LEVEL = 591,
    // Logon Verify.
    IDC_SECURITY_ON = 338,
    IDC_SECURITY_OFF = 339,
    // Market Replay.
    IDC_STAT_TRANSACTIONS = 538,
    IDC_STAT_REJECTED = 539,
    IDC_STAT_ORDERS = 540,
    IDC_STAT_TRADES = 541,
    IDC_STAT_LAST_TIME = 542,
    IDC_MODE_COUNT = 543,
    IDC_REPLAY_COUNT = 544,
    IDC_MODE_INTERVAL = 545,
    IDC_REPLAY_INTERVAL = 546,
    IDC_MODE_STOP_AT = 547,
    IDC_EXECUTE = 548,
    IDC_REPLAY_STOP_AT = 549,
    // Network Address.
    IDC_ADDRESS_LIST = 153,
    IDC_ADDRESS_ADD = 154,
    IDC_ADDRESS_MODIFY = 155,
    IDC_ADDRESS_DELETE = 157,
    IDC_ADDRESS_FROM = 210,
    IDC_ADDRESS_TO = 211,
    // Password.
    IDC_NEW_PASSWORD = 105,
    // Go To.
    IDC_GOTO_TEXT = 292,
    // Market and board selection.
    IDC_MARKET_LIST = 234,
    IDC_BOARD_LIST = 107,
    // Order methods.
    IDC_METHOD_BOARD = 1000,
    // About.
    IDC_ABOUT_ICON = 101,
    IDC_ABOUT_TEXT = 149,
    IDC_ABOUT_TREE = 1102,
    // Audit display mode and audit event.
    IDC_AUDIT_TIME = 172,
    IDC_AUDIT_FIRM = 179,
    IDC_AUDIT_SECURITY = 199,
    IDC_AUDIT_TYPE = 413,
    IDC_AUDIT_STATUS_LINE = 558,
    IDC_AUDIT_POP_UP = 559,
    IDC_AUDIT_NO_DISPLAY = 560,
    IDC_AUDIT_TO_USER = 590,
    // Default selection page.
    IDC_DEFSEL_ADD = 457,
    IDC_DEFSEL_ACCOUNT_CHECK = 610,
    IDC_DEFSEL_ACCOUNTS = 611,
    IDC_DEFSEL_BROKER_CHECK = 612,
    IDC_DEFSEL_BROKERS = 613,
    IDC_DEFSEL_DELETE = 614,
    IDC_DEFSEL_ADD_NEW = 615,
    IDC_DEFSEL_NEW_REFERENCE = 616,
};

enum Kv32ShellDialogStringId : unsigned {
    IDS_USER = 800,
    IDS_FIRM = 840,
    IDS_QUOTE_BID = 2904,
    IDS_QUOTE_OFFER = 2905,
    IDS_QUOTE_LAST = 2906,
    IDS_QUOTE_HIGH = 2909,
    IDS_QUOTE_LOW = 2910,
    IDS_QUOTE_BID_TIME = 8230,
    IDS_QUOTE_OFFER_TIME = 8231,
    IDS_GOTO_SHORT_NAME = 10277,
    IDS_GOTO_ORDER = 10278,
    IDS_GOTO_TRADE = 10279,
    IDS_GOTO_DEAL = 10280,
    IDS_INVALID_NUMBER = 20481,
    IDS_NO_SECURITIES = 20498,
    // Items of the access level list, "None" to "Full".
    IDS_ACCESS_NONE = 20600,
    IDS_ACCESS_PUBLIC = 20601,
    IDS_ACCESS_USER = 20602,
    IDS_ACCESS_FIRM = 20603,
    IDS_ACCESS_FULL = 20604,
    IDS_ABOUT_NO_USER = 20605,
    IDS_ABOUT_USER_SETTINGS = 20606,
};

// The templates of these dialogs (registered once, on first use).
std::span<const fw::DialogTemplate> Kv32ShellDialogTemplates();
void Kv32RegisterShellDialogs();
// The template id, once the templates are registered (for dialog constructors).
inline std::uint32_t Kv32ShellDialog(std::uint32_t templateId)
{
    Kv32RegisterShellDialogs();
    return templateId;
}
std::span<const fw::StringEntry> Kv32ShellDialogStrings();
// The text of one of the ids above in the current language.
std::string Kv32ShellDialogString(std::uint32_t id);
