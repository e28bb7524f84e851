// Texts, column titles, context menus and command ids of the list windows,
// English and Hungarian under one id.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/resources.h"
#include "fw/core/strings.h"

enum Kv32ListWindowStringId : unsigned {
    IDS_ORDERS_FIRST_COLUMN = 2500, // to 2525
    IDS_TRADES_FIRST_COLUMN = 2530, // to 2557
    IDS_DEALS_FIRST_COLUMN = 2560, // to 2578
    IDS_PRIVATE_ORDERS_FIRST_COLUMN = 60528, // to 60542
    IDS_FIRM_POSITIONS_FIRST_COLUMN = 30440, // to 30453
    IDS_ACCOUNT_POSITIONS_FIRST_COLUMN = 30499, // to 30508
    IDS_WITHDRAW_ALL_CONFIRM = 10246,
    IDS_WITHDRAW_CONFIRM = 10247,
    IDS_WITHDRAW_TODAY_CONFIRM = 10261,
    // Texts the list windows show without a number of their own.
    IDS_LIST_FIELD_REFUSED = 61400,
};

// Commands of the list windows' context menus and views.
enum Kv32ListCommandId : unsigned {
    ID_LIST_AMEND = 32786,
    ID_ORDER_WITHDRAW_TODAY = 32787,
    ID_ORDER_WITHDRAW_ALL = 32788,
    ID_LIST_WITHDRAW = 32789,
    ID_POSITION_TRADING_ACCOUNTS = 32790,
    ID_SUMMARY_TRADING_ACCOUNT = 32846,
    ID_SUMMARY_ORDER = 32847,
    ID_ORDER_APPROVE = 32903,
    ID_DEAL_APPROVE = 32904,
    ID_TRADE_OPERATOR_CANCEL = 32935,
    ID_VIEW_GOTO = 32958,
    ID_ORDER_METHODS = 32968,
    ID_ORDER_TRADES = 32998,
    ID_ORDER_OUTSTANDING = 33000,
    ID_DEAL_CONFIRM = 32971,
    ID_TRADE_CONFIRM_CANCEL = 33079,
    ID_TRADE_APPROVE_CANCEL = 33081,
    ID_TRADE_REJECT_CANCEL = 33083,
    ID_TRADE_REQUEST_CANCEL = 33084,
    ID_POB_MOVE = 33150,
    ID_POB_RELEASE = 33151,
    ID_POB_DELETE = 33152,
    ID_POB_AMEND = 33153,
    ID_POB_CLEAR = 33155,
    ID_ORDER_COPY_TO_POB = 33156,
    ID_ORDER_COPY_TO_ENGINE = 33158,
    ID_ORDER_MOVE_TO_POB = 33159,
    ID_ORDER_AMEND_TO_ENGINE = 33160,
    ID_LIST_EXPORT = 33164,
    ID_ACCOUNT_CASH_POSITIONS = 33174,
    ID_LIST_EXPORT_ALL = 33165,
    ID_POB_IMPORT = 33166,
    ID_OPTIONS_FILTER = 35946,
    ID_ACCOUNT_POSITIONS = 36001,
};

std::span<const fw::StringEntry> Kv32ListWindowStrings();
std::span<const fw::MenuTemplate> Kv32ListWindowMenus();
// Registers the texts and menus once; the session's popup definitions are
// made from the menus, so the program registers them before any session.
void Kv32RegisterListWindowResources();
// The text of the id in the current language (registered on first use).
std::string KvListWindowString(std::uint32_t id);
