// Texts of the messages, news and trading event tables and of the alert
// operators, English and Hungarian under one id.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/strings.h"

enum Kv32NewsStringId : unsigned {
    IDS_KIND_S = 681,
    IDS_KIND_P = 682,
    IDS_KIND_F = 683,
    IDS_KIND_R = 684,
    IDS_EVENT_REF_PRICE_CHANGE = 750,
    IDS_EVENT_PRICE_LIMIT_CHANGE = 751,
    IDS_ALL = 8239,
    IDS_EVENT_SEC_SUSPEND = 8253,
    IDS_EVENT_SEC_UNSUSPEND = 8254,
    IDS_EVENT_ISSUER_SUSPEND = 8255,
    IDS_EVENT_ISSUER_UNSUSPEND = 8256,
    IDS_EVENT_ALL_SUSPEND = 8257,
    IDS_EVENT_ALL_UNSUSPEND = 8258,
    IDS_NO_MESSAGE_FOUND = 8271,
};

std::span<const fw::StringEntry> Kv32NewsStrings();
// The text of the id in the current language (the table registered on first use).
std::string Kv32NewsString(std::uint32_t id);
