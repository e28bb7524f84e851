#include "kv32/tables/all_tables.h"

CKvTables& KvTables()
{
    static CKvTables tables;
    return tables;
}
