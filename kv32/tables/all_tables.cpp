#include "kv32/tables/all_tables.h"

namespace {

// Every new order the order table takes is counted.
void ConnectOrderCounting(CKvTables& t)
{
    t.orders.SetCountOrderHook([&count = t.ordCount](const COrderRec& rec, char side, char status) {
        count.CountOrder(rec.szBoardCode, rec.szFirm, side, rec.szType, status, rec.szDate, rec.szTime);
    });
}

} // namespace

CKvTables& KvTables()
{
    static CKvTables tables;
    static const bool connected = (KvConnectAlertTables(tables), ConnectOrderCounting(tables), true);
    (void)connected;
    return tables;
}
