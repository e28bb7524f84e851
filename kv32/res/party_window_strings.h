// Column titles, context menus and command ids of the users, firms, control
// events and replies windows, English and Hungarian under one id.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/resources.h"
#include "fw/core/strings.h"

enum Kv32PartyWindowStringId : unsigned {
    IDS_USERS_FIRST_COLUMN = 800, // to 826
    IDS_FIRMS_FIRST_COLUMN = 840, // to 861
    IDS_EVENTS_FIRST_COLUMN = 760, // to 767
    IDS_REPLIES_FIRST_COLUMN = 560, // to 561
};

enum Kv32PartyCommandId : unsigned {
    ID_FIRM_SUSPEND = 32871,
    ID_FIRM_UNSUSPEND = 32872,
    ID_USER_SUSPEND = 32874,
    ID_USER_UNSUSPEND = 32875,
    ID_USER_PASSWORD = 32876,
    ID_USER_NET_ADDRESS = 32877,
    ID_USER_LOGOFF = 32878,
    ID_FIRM_TRADING_ACCOUNTS = 32893,
    ID_FIRM_SECURITY_HOLDINGS = 32895,
    ID_USER_APPROVE_ON = 32901,
    ID_USER_APPROVE_OFF = 32902,
    ID_FIRM_LOGON_VERIFY = 32973,
    ID_USER_LOGON_VERIFY = 32974,
    ID_USER_ORDERS = 32997,
    ID_USER_TRADES = 32998,
    ID_USER_DEALS = 32999,
    ID_USER_ALERT_DEFS = 33004,
    ID_FIRM_ALERT_DEFS = 33005,
    ID_USER_ALERTS_VIEW = 33026,
    ID_FIRM_ALERTS_VIEW = 33027,
    ID_EVENT_VIEW = 33094,
    ID_EVENT_DELETE = 33096,
    ID_ISSUER_SUSPEND = 33097,
    ID_ISSUER_UNSUSPEND = 33098,
    ID_USER_CASH_POSITIONS = 33173,
    ID_FIRM_CASH_POSITIONS = 33175,
    ID_PERMISSION_SET = 33182,
    ID_PERMISSION_DELETE = 33183,
    ID_PERMISSION_ACCESS = 33184,
    ID_PERMISSION_ROLE = 33185,
};

std::span<const fw::StringEntry> Kv32PartyWindowStrings();
std::span<const fw::MenuTemplate> Kv32PartyWindowMenus();
// Registers the texts and menus once (before any session: its popups are made
// from the menus).
void Kv32RegisterPartyWindowResources();
