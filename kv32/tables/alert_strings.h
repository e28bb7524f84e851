// Texts of the alert definitions, the alert log and order counting: figure
// names, operator texts, the sentences of the percentage figures, the log's
// colour categories, order-counting alerts and the messages of their files.
// English and Hungarian under one id.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/strings.h"

enum Kv32AlertStringId : unsigned {
    IDS_ORDCOUNT_OK = 5159,
    IDS_ORDCOUNT_LIMIT_ALERT = 5160,
    IDS_USER_FIGURE_FIRST = 5222, // 16 names, 5222-5237
    IDS_FIRM_FIGURE_FIRST = 5333, // the same 16 names, 5333-5348
    IDS_ORDCOUNT_ALERT_FIRST = 5390, // 5390 + which + 2 * kind
    IDS_SEC_FIGURE_FIRST = 5444, // 15 names, 5444-5458
    IDS_OPERATOR_BASE = 5465, // 5466-5470 are the operators 1 to 5
    IDS_LOG_CATEGORY_FIRST = 5480, // 6 categories, 5480-5485
    IDS_SENTENCE_LAST_FROM_PREVIOUS = 5487,
    IDS_SENTENCE_OPEN_FROM_PREVIOUS = 5488,
    IDS_SENTENCE_VOLUME_FROM_LISTED = 5489,
    IDS_SENTENCE_VOLUME_FROM_AVERAGE = 5490,
    IDS_SENTENCE_RANGE_FROM_OPEN = 5492,
    IDS_SENTENCE_MOVEMENT_STEPS = 5493,
    IDS_SENTENCE_CHANGE_STEPS = 5494,
    IDS_SENTENCE_SKEW = 5495,
    IDS_CANNOT_SAVE_ALERTS = 20506,
    IDS_CANNOT_SAVE_LOGS = 20508,
    IDS_CANNOT_SAVE_DEFAULTS = 20509,
    IDS_CANNOT_RESTORE_ALERTS = 20510,
    IDS_CANNOT_RESTORE_DEFAULTS = 20511,
    IDS_CANNOT_RESTORE_LOGS = 20512,
    IDS_INVALID_ALERTS_FILE = 20513,
    IDS_INVALID_LOGS_FILE = 20514,
    IDS_INVALID_DEFAULTS_FILE = 20516,
};

std::span<const fw::StringEntry> Kv32AlertStrings();
// The text of the id in the current language (the table registered on first use).
std::string Kv32AlertString(std::uint32_t id);
