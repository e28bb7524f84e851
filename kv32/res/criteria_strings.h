// Texts that the list windows' filter criteria add to a window title,
// English and Hungarian under one id.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/strings.h"

enum Kv32CriteriaStringId : unsigned {
    IDS_FIRM_TYPE_BROKERS = 1003,
    IDS_FIRM_TYPE_EXCHANGES = 1004,
    IDS_FIRM_TYPE_INSTITUTIONS = 1005,
    IDS_FIRM_TYPE_ISSUERS = 1006,
    IDS_CRITERIA_ORDERS = 2556,
    IDS_CRITERIA_TRADES = 2557,
    // "%ld" stands for the bound (a number, a date or a time).
    IDS_CRITERIA_FROM = 2558,
    IDS_CRITERIA_TO = 2559,
    IDS_CRITERIA_BY_TYPE = 2560,
    IDS_FILTERED = 8301,
};

std::span<const fw::StringEntry> Kv32CriteriaStrings();
// The text of the id in the current language (the table registered on first use).
std::string Kv32CriteriaString(std::uint32_t id);
