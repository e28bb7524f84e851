#include "kv32/tables/all_tables.h"

CKvTables& KvTables()
{
    static CKvTables tables;
    static const bool connected = (KvConnectAlertTables(tables), true);
    (void)connected;
    return tables;
}
