#include "kv32/trading/active_row.h"

namespace {
KvActiveRow* g_active = nullptr;
} // namespace

void KvSetActiveRow(KvActiveRow* row)
{
    g_active = row;
}

KvActiveRow* KvActiveListRow()
{
    return g_active;
}

std::string& KvLastTradingAccount()
{
    static std::string account;
    return account;
}
