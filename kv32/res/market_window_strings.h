// Texts, column titles, context menus and command ids of the market windows:
// securities, order book, market by order, summary, boards, markets and
// instruments. English and Hungarian under one id.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/resources.h"
#include "fw/core/strings.h"

enum Kv32MarketWindowStringId : unsigned {
    IDS_BOARDS_FIRST_COLUMN = 450, // 450, 451
    IDS_SUMMARY_FIRST_COLUMN = 480, // to 488
    IDS_INSTRUMENTS_FIRST_COLUMN = 490, // 490, 491
    IDS_SUSPENDED_INSTRUMENTS = 492,
    IDS_MARKETS_FIRST_COLUMN = 500, // 500, 501
    IDS_SUSPENDED_MARKETS = 502,
    IDS_MARKET_ORDERS_FIRST_COLUMN = 540, // to 547
    IDS_ORDER_BOOK_FIRST_COLUMN = 2580, // to 2589
    IDS_BOOK_HAS_ORDERS = 2590,
    IDS_BOOK_NO_ORDER = 2591,
    IDS_BOOK_TOP_PRIORITY = 2592,
    IDS_SECURITIES_FIRST_COLUMN = 2900, // to 2972
    IDS_SECURITY_UNSUSPENDED = 8260,
    IDS_SECURITY_SUSPENDED = 8261,
    IDS_SUMMARY_TOTAL = 10260,
    IDS_BOOK_LAST_TRADE = 10310,
    IDS_BOOK_OTHER_SIDE = 10327,
};

// Commands of the market windows' context menus and views.
enum Kv32MarketCommandId : unsigned {
    ID_MW_ORDER_BOOK = 32799,
    ID_MW_SUSPEND_SECURITY = 32862,
    ID_MW_UNSUSPEND_SECURITY = 32863,
    ID_MW_SECURITY_METHODS = 32866,
    ID_MW_SUSPEND_BOARD = 32912,
    ID_MW_UNSUSPEND_BOARD = 32913,
    ID_MW_SUMMARY_BY_BOARD = 32933,
    ID_MW_ALL_BOARDS = 32934,
    ID_MW_SUSPEND_MARKET = 32948,
    ID_MW_UNSUSPEND_MARKET = 32949,
    ID_MW_SUSPEND_INSTRUMENT = 32950,
    ID_MW_UNSUSPEND_INSTRUMENT = 32951,
    ID_MW_BOARD_METHODS = 32959,
    ID_MW_DEAL = 32970,
    ID_MW_MARKET_BY_ORDER = 32977,
    ID_MW_BUY = 32994,
    ID_MW_SELL = 32995,
    ID_MW_ORDERS = 32997,
    ID_MW_TRADES = 32998,
    ID_MW_NEG_DEALS = 32999,
    ID_MW_ALERTS = 33006,
    ID_MW_ALERTS_VIEW = 33028,
    ID_MW_MARKET_MAKER = 33091,
    ID_MW_SUSPEND_ISSUER = 33097,
    ID_MW_UNSUSPEND_ISSUER = 33098,
    ID_MW_LAST_N_TRADES = 33147,
    ID_MW_TICK = 33161,
    ID_MW_PRIMARY_AUCTION = 33169,
    ID_MW_BUYBACK_AUCTION = 33186,
    // Main menu: the Summary window of a chosen market and board.
    ID_MW_NEW_SUMMARY = 32932,
};

std::span<const fw::StringEntry> Kv32MarketWindowStrings();
std::span<const fw::MenuTemplate> Kv32MarketWindowMenus();
// Registers the texts and menus once (before any session: the session makes
// each table's popup from its menu).
void Kv32RegisterMarketWindowResources();
// The text of the id in the current language (registered on first use).
std::string KvMarketWindowString(std::uint32_t id);
