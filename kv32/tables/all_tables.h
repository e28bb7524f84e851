// Every host data table of the program, constructed together so that their
// order in the list of permanent targets is fixed: a table's decoder looks
// up tables constructed before it, and the session start loads them in this
// order. Tables join at their place:
//   boards, statuses, sectors, markets, instruments, letter codes, languages,
//   news types, message texts, rights;
//   securities, participants, traders;
//   firm, user and security alert tables;
//   audit groups, audit types, audit events;
//   alert log, order-count definitions and statistics, default selections, schedule, orders, trades, deals, last trades,
//   messages, news, trading events.
#pragma once

#include "kv32/tables/alert_log_table.h"
#include "kv32/tables/alert_tables.h"
#include "kv32/tables/audit_table.h"
#include "kv32/tables/audit_type_table.h"
#include "kv32/tables/board_table.h"
#include "kv32/tables/def_sel_table.h"
#include "kv32/tables/exch_message_table.h"
#include "kv32/tables/flag_table.h"
#include "kv32/tables/language_table.h"
#include "kv32/tables/last_trade_table.h"
#include "kv32/tables/local_order_table.h"
#include "kv32/tables/market_table.h"
#include "kv32/tables/message_text_table.h"
#include "kv32/tables/neg_deal_table.h"
#include "kv32/tables/news_table.h"
#include "kv32/tables/news_type_table.h"
#include "kv32/tables/ord_count_alert_table.h"
#include "kv32/tables/ord_count_table.h"
#include "kv32/tables/order_table.h"
#include "kv32/tables/participant_table.h"
#include "kv32/tables/replies_table.h"
#include "kv32/tables/right_table.h"
#include "kv32/tables/schedule_table.h"
#include "kv32/tables/sector_table.h"
#include "kv32/tables/security_table.h"
#include "kv32/tables/status_table.h"
#include "kv32/tables/trade_event_table.h"
#include "kv32/tables/trade_table.h"
#include "kv32/tables/trader_table.h"

struct CKvTables {
    // Reference tables.
    CBoardTable boards;
    CStatusTable statuses;
    CSectorTable sectors;
    CTable20 markets;
    CTable21 instruments;
    CFlagTable letterCodes;
    CTable65 languages;
    CSubTable73 newsTypes;
    CMessageTextTable messageTexts;
    CRightTable rights;
    // Market data.
    CSecurityTable securities;
    CParticipantTable participants;
    CTraderTable traders;
    // Alert definitions.
    CFirmAlertTable firmAlerts;
    CUserAlertTable userAlerts;
    CSecAlertTable secAlerts;
    // Audit trail: types take their group names, events their type texts.
    CAuditGroupTable auditGroups;
    CAuditEventTypeTable auditTypes;
    CAuditTable audits;
    // The alert log and order counting.
    CAlertLogTable alertLog;
    COrdCountAlertTable ordCountAlerts;
    COrdCountTable ordCount;
    CDefSelTable defSel;
    // Trading.
    CFlagTable2 schedule;
    COrderTable orders;
    CTradeTable trades;
    CNegDealTable deals;
    CTable118 lastTrades;
    CExchMessageTable messages;
    CNewsTable news;
    CTradeEventTable tradeEvents;
    // The replies of a multi-row command.
    CRepliesTable replies;
    // Kept on the workstation, no host request of its own.
    CLocalOrderTable localOrders;
};

// The program's tables, built on first use and kept until the process ends.
CKvTables& KvTables();
inline CBoardTable& BoardTable() { return KvTables().boards; }
inline CStatusTable& StatusTable() { return KvTables().statuses; }
inline CSectorTable& SectorTable() { return KvTables().sectors; }
inline CTable20& MarketTable() { return KvTables().markets; }
inline CTable21& InstrumentTable() { return KvTables().instruments; }
inline CFlagTable& FlagTable() { return KvTables().letterCodes; }
inline CTable65& LanguageTable() { return KvTables().languages; }
inline CSubTable73& NewsTypeTable() { return KvTables().newsTypes; }
inline CMessageTextTable& MessageTextTable() { return KvTables().messageTexts; }
inline CFlagTable2& ScheduleTable() { return KvTables().schedule; }
inline COrderTable& OrderTable() { return KvTables().orders; }
inline CTradeTable& TradeTable() { return KvTables().trades; }
inline CNegDealTable& NegDealTable() { return KvTables().deals; }
inline CTable118& LastTradeTable() { return KvTables().lastTrades; }
inline CExchMessageTable& ExchMessageTable() { return KvTables().messages; }
inline CNewsTable& NewsTable() { return KvTables().news; }
inline CTradeEventTable& TradeEventTable() { return KvTables().tradeEvents; }
inline CParticipantTable& ParticipantTable() { return KvTables().participants; }
inline CTraderTable& TraderTable() { return KvTables().traders; }
inline CFirmAlertTable& FirmAlertTable() { return KvTables().firmAlerts; }
inline CUserAlertTable& UserAlertTable() { return KvTables().userAlerts; }
inline CSecAlertTable& SecAlertTable() { return KvTables().secAlerts; }
inline CAlertLogTable& AlertLogTable() { return KvTables().alertLog; }
inline COrdCountAlertTable& OrdCountAlertTable() { return KvTables().ordCountAlerts; }
inline COrdCountTable& OrdCountTable() { return KvTables().ordCount; }
inline CDefSelTable& DefSelTable() { return KvTables().defSel; }
inline CRepliesTable& RepliesTable() { return KvTables().replies; }
inline CAuditGroupTable& AuditGroupTable() { return KvTables().auditGroups; }
inline CAuditEventTypeTable& AuditEventTypeTable() { return KvTables().auditTypes; }
inline CAuditTable& AuditTable() { return KvTables().audits; }
