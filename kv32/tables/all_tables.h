// Every host data table of the program, constructed together so that their
// order in the list of permanent targets is fixed: a table's decoder looks
// up tables constructed before it, and the session start loads them in this
// order. Tables join at their place:
//   boards, statuses, sectors, markets, instruments, letter codes, languages,
//   news types, message texts, rights;
//   securities, participants, traders;
//   firm, user and security alert tables;
//   audit groups, audit types, audit events;
//   alert log, order counting, schedule, orders, trades, deals, last trades,
//   messages, news, trading events.
#pragma once

#include "kv32/tables/right_table.h"

struct CKvTables {
    // Reference tables.
    CRightTable rights;
};

// The program's tables, built on first use and kept until the process ends.
CKvTables& KvTables();
