#include "kv32/shell/reply_partners.h"

#include "kv32/tables/broadcast_partners.h"

namespace {
CKvBroadcastPartners g_defaults;
CKvReplyPartners* g_partners = nullptr;
} // namespace

void KvSetReplyPartners(CKvReplyPartners* partners)
{
    g_partners = partners;
}

CKvReplyPartners& KvReplyPartners()
{
    return g_partners != nullptr ? *g_partners : g_defaults;
}
