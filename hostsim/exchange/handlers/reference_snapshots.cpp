// Snapshot loops of the reference tables, the participants, the traders and
// the rights.
#include "core/exchange.h"
#include "handlers/operator_settings.h"
#include "handlers/paging.h"
#include "records/reference_records.h"

namespace exchange {

namespace {

// A table whose records page by position.
template <typename Vector, typename Build>
void table(Exchange& ex, int code, Vector DataSet::*member, Build build)
{
    ex.dispatcher().onInfo(code, [&ex, code, member, build](Call& call, ReplyBuilder& reply) {
        const auto start = ResumeKey(call.text);
        if (!start)
            return;
        const auto& rows = ex.data().*member;
        PageRecords(reply, code, rows.size(), *start,
            [&](std::size_t i, const std::string& key, bool last) { return build(key, rows[i], last); });
    });
}

// Rights of the session's user, resumed after the (type, operator code) of
// the last record received.
void rights(Exchange& ex, Call& call, ReplyBuilder& reply)
{
    const auto type = call.text.number(12, 3);
    const auto op = call.text.number(15, 3);
    const Trader* t = ex.trader(call.session.user);
    if (!type || !op || t == nullptr)
        return;
    const std::vector<Right> list = RightsOf(ex, *t);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Right& r = list[i];
        if (r.type < *type || (r.type == *type && r.operatorCode <= *op))
            continue;
        if (!reply.add(93, RightRecord(r, i + 1 == list.size())))
            return;
    }
}

} // namespace

void RegisterReferenceSnapshots(Exchange& ex)
{
    table(ex, 22, &DataSet::boards, BoardRecord);
    table(ex, 20, &DataSet::markets, CodeStateRecord);
    table(ex, 21, &DataSet::instruments, CodeStateRecord);
    table(ex, 23, &DataSet::sectors, SectorRecord);
    table(ex, 115, &DataSet::statuses, StatusRecord);
    table(ex, 65, &DataSet::languages, LanguageRecord);
    table(ex, 66, &DataSet::drafts, DraftRecord);
    table(ex, 73, &DataSet::newsTypes, NewsTypeRecord);
    table(ex, 116, &DataSet::tradeSources, TradeSourceRecord);
    table(ex, 77, &DataSet::auditGroups, AuditGroupRecord);
    table(ex, 76, &DataSet::auditTypes, AuditTypeRecord);
    table(ex, 19, &DataSet::firms, ParticipantRecord);
    table(ex, 18, &DataSet::traders, TraderRecord);
    ex.dispatcher().onInfo(93, [&ex](Call& call, ReplyBuilder& reply) { rights(ex, call, reply); });
}

} // namespace exchange
