#include "kv32/tables/table_settings.h"

CKvTableSettings& KvTableSettings()
{
    static CKvTableSettings settings;
    return settings;
}
