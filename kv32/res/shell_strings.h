// Texts of the main frame, the session and the application commands, and the
// titles of the list windows by table id, English and Hungarian under one id.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/strings.h"

enum Kv32ShellStringId : unsigned {
    IDS_TRADING_END_WARNING = 10240,
    IDS_SECURITIES_SELECTION = 10242,
    IDS_USER_LOGGED_IN = 10287,
    IDS_USER_LOGGED_OFF = 10288,
    IDS_ALERTS_FILTER_SAVE = 10292,
    IDS_LOGS_FILTER_SAVE = 10293,
    IDS_SAVE_ALERTS_TITLE = 10294,
    IDS_SAVE_LOGS_TITLE = 10295,
    IDS_ALERTS_FILTER_RESTORE = 10296,
    IDS_LOGS_FILTER_RESTORE = 10297,
    IDS_RESTORE_ALERTS_TITLE = 10298,
    IDS_RESTORE_LOGS_TITLE = 10299,
    IDS_DEFAULTS_FILTER_SAVE = 10302,
    IDS_DEFAULTS_FILTER_RESTORE = 10303,
    IDS_SAVE_DEFAULTS_TITLE = 10304,
    IDS_RESTORE_DEFAULTS_TITLE = 10305,
    IDS_NO_TRADING_ACCOUNT_DEFINED = 20494,
    IDS_PRINT_LOG_ERROR = 20519,
    IDS_LOGON_NETWORK_ERROR = 20529,
    // Texts that the program shows without a number of their own.
    IDS_TRAFFIC_AVERAGE = 61300,
    IDS_ALERTS_SAVE_FAILED = 61301,
    IDS_LOGS_SAVE_FAILED = 61302,
    IDS_DEFAULTS_SAVE_FAILED = 61303,
    IDS_ALERTS_RESTORE_FAILED = 61304,
    IDS_LOGS_RESTORE_FAILED = 61305,
    IDS_DEFAULTS_RESTORE_FAILED = 61306,
};

std::span<const fw::StringEntry> Kv32ShellStrings();
// The text of the id in the current language (the table registered on first use).
std::string Kv32ShellString(std::uint32_t id);
