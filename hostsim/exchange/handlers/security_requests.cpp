// The security snapshot (17) and the market status / replay statistics (25).
#include "core/exchange.h"
#include "handlers/operator_settings.h"
#include "handlers/paging.h"
#include "records/security_records.h"

namespace exchange {

void RegisterSecurityRequests(Exchange& ex)
{
    ex.dispatcher().onInfo(17, [&ex](Call& call, ReplyBuilder& reply) {
        const auto start = ResumeKey(call.text);
        if (!start)
            return;
        const auto& all = ex.data().securities;
        PageRecords(reply, 17, all.size(), *start, [&](std::size_t i, const std::string& key, bool last) {
            return SecuritySnapshotRecord(key, all[i], last);
        });
    });
    ex.dispatcher().onInfo(25, [&ex](Call&, ReplyBuilder& reply) {
        reply.add(25, MarketStatusRecord(ex.data().listStamp, MarketStatistics(ex)));
    });
}

} // namespace exchange
