// Dialog, control and string ids of the list windows' filter dialogs.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/resources.h"

enum Kv32FilterDialogId : unsigned {
    IDD_FILTER_LOG = 122,
    IDD_FILTER_ORDER = 123,
    IDD_FILTER_TRADE = 124,
    IDD_FILTER_ORDCOUNT = 125,
    IDD_FILTER_AUDIT = 153,
    IDD_FILTER_NDEAL = 190,
    IDD_FILTER_MSG = 236,
    IDD_FILTER_FIRM = 237,
    IDD_FILTER_LASTN = 254,
    IDD_FILTER_NEWS = 669,
    IDD_FILTER_CURPOS = 1540,
    IDD_FILTER_SECPOS = 1541,
    IDD_FILTER_PRIVATE_ORDER = 20525,
};

enum Kv32FilterControlId : unsigned {
    IDC_FLT_NO_FILTERING = 159,
    // Lists and their "All" boxes.
    IDC_FLT_BOARDS = 1000,
    IDC_FLT_ALL_BOARDS = 256,
    IDC_FLT_SECURITIES = 199,
    IDC_FLT_ALL_SECURITIES = 257,
    IDC_FLT_USERS = 103, // the user combo of the cash positions
    IDC_FLT_ALL_USERS = 263,
    IDC_FLT_ACCOUNTS = 122, // the account combo of the position dialogs
    IDC_FLT_ALL_ACCOUNTS = 369,
    IDC_FLT_FIRMS = 179, // the firm combo of the position dialogs
    IDC_FLT_ALL_FIRMS = 260,
    IDC_FLT_TYPES = 413, // the type combo of the last trades
    IDC_FLT_ALL_TYPES = 261,
    IDC_FLT_GROUPS = 469,
    IDC_FLT_ALL_GROUPS = 262,
    IDC_FLT_WAI = 516,
    IDC_FLT_ALL_WAI = 521,
    // Sides, statuses and kinds of order.
    IDC_FLT_BUY = 123,
    IDC_FLT_SELL = 124,
    IDC_FLT_LIMIT = 1002,
    IDC_FLT_MARKET = 126,
    IDC_FLT_OPEN = 190,
    IDC_FLT_AMENDED = 152,
    IDC_FLT_UNAPPROVED = 370,
    IDC_FLT_UNCONFIRMED = 297,
    IDC_FLT_MATCHED = 151,
    IDC_FLT_WITHDRAWN = 153,
    IDC_FLT_INACTIVE = 192,
    IDC_FLT_EXPIRED = 193,
    IDC_FLT_NEW = 517,
    IDC_FLT_COPY = 518,
    IDC_FLT_ACCEPTED = 519,
    IDC_FLT_REJECTED = 520,
    IDC_FLT_STOP = 208,
    IDC_FLT_NOT_STOP = 209,
    IDC_FLT_FILL_OR_KILL = 211,
    IDC_FLT_ALL_OR_NONE = 118,
    IDC_FLT_MARKET_MAKER = 215,
    IDC_FLT_FILL_AND_CANCEL = 186,
    IDC_FLT_FILL_ANY = 599,
    IDC_FLT_SESSION = 212,
    IDC_FLT_DAY = 213,
    IDC_FLT_GOOD_TILL_CANCELLED = 214,
    IDC_FLT_GOOD_TILL_DATE = 230,
    IDC_FLT_GOOD_TILL_TIME = 231,
    // Trades.
    IDC_FLT_TRADE_MATCHED = 278,
    IDC_FLT_TRADE_CANCELLED = 280,
    // Number ranges, times and dates.
    IDC_FLT_NUMBER_FROM = 170,
    IDC_FLT_NUMBER_TO = 172,
    IDC_FLT_TRADES_FROM = 173,
    IDC_FLT_TRADES_TO = 174,
    IDC_FLT_TIME_FROM = 156,
    IDC_FLT_TIME_TO = 157,
    IDC_FLT_DATE_FROM = 158,
    IDC_FLT_DATE_TO = 160,
    IDC_FLT_CLEAR = 415,
    // Kinds of alert-log entry.
    IDC_FLT_LOG_MM_ALERTS = 420,
    IDC_FLT_LOG_USER_ALERTS = 417,
    IDC_FLT_LOG_FIRM_ALERTS = 418,
    IDC_FLT_LOG_SEC_ALERTS = 419,
    IDC_FLT_LOG_MESSAGES = 421,
    IDC_FLT_LOG_NEWS = 422,
    IDC_FLT_LOG_ORD_COUNT = 606,
    IDC_FLT_LOG_SUPERVISOR = 607,
    // Messages: the radio group of the letter filter.
    IDC_FLT_MSG_ALL = 2700,
    IDC_FLT_MSG_SENT = 2701,
    IDC_FLT_MSG_PENDING = 2702,
    // News.
    IDC_FLT_NEWS_NO_FILTERING = 655,
    IDC_FLT_NEWS_TYPES = 656,
    IDC_FLT_NEWS_ALL_TYPES = 657,
    IDC_FLT_NEWS_LANGUAGES = 658,
    IDC_FLT_NEWS_ALL_LANGUAGES = 659,
    IDC_FLT_NEWS_SENT = 660,
    IDC_FLT_NEWS_PENDING = 661,
    IDC_FLT_NEWS_REMOVED = 662,
    // Kinds of participant.
    IDC_FLT_BROKERS = 554,
    IDC_FLT_EXCHANGES = 555,
    IDC_FLT_INSTITUTIONS = 556,
    IDC_FLT_ISSUERS = 557,
    // Labels of the cash positions' combos, shown with them.
    IDC_FLT_USER_LABEL = 1104,
    IDC_FLT_ACCOUNT_LABEL = 1105,
};

enum Kv32FilterStringId : unsigned {
    IDS_FIRM_NOT_SELECTED = 61206,
    IDS_TRADING_ACCOUNT_NOT_SELECTED = 61207,
};

// The templates of the filter dialogs (registered once, on first use).
std::span<const fw::DialogTemplate> Kv32FilterDialogTemplates();
void Kv32RegisterFilterDialogs();
// The template id, once the templates are registered (for dialog constructors).
inline std::uint32_t Kv32FilterDialog(std::uint32_t templateId)
{
    Kv32RegisterFilterDialogs();
    return templateId;
}
std::span<const fw::StringEntry> Kv32FilterDialogStrings();
// The text of one of the string ids above in the current language.
std::string Kv32FilterDialogString(std::uint32_t id);
