#include "records/bulletin_records.h"

#include "kvcore/values/field_writer.h"

namespace exchange {

std::string ExchangeMessageRecord(const ExchangeMessage& m, const std::string& senderFirm)
{
    KvFieldWriter w;
    w.Number(m.key, 8)
        .Text(senderFirm, 12)
        .Text(m.sender, 12)
        .Text(m.toFirm, 12)
        .Text(m.toUser, 12)
        .Char(m.infoFeed)
        .Text(m.sendTime, 6)
        .Char(m.display)
        .Char(m.status)
        .Text(m.text, 640)
        .Text("", 4);
    return w.Str();
}

std::string NewsHeadRecord(const NewsItem& n, const std::string& date)
{
    KvFieldWriter w;
    w.Number(n.id, 8)
        .Text(n.user, 12)
        .Text(n.type, 4)
        .Text(n.language, 2)
        .Text(n.issuer, 12)
        .Text(n.instrumentId, 12)
        .Text(date, 8)
        .Text(n.time, 6)
        .Text(n.title, 40)
        .Text(n.file, 80)
        .Char(n.infoFeed)
        .Char(n.flash)
        .Char(n.display)
        .Char(n.status);
    return w.Str();
}

std::string NewsTextRecord(const NewsItem& n)
{
    KvFieldWriter w;
    w.Number(static_cast<int64_t>(n.text.size()), 4).Raw(n.text);
    return w.Str();
}

std::string TradingEventRecord(int64_t seq, const TradingEvent& e)
{
    KvFieldWriter w;
    w.Number(seq, 10)
        .Number(e.id, 4)
        .Text(e.time, 6)
        .Char(e.type)
        .Text(e.user, 12)
        .Number(e.messageKey, 8)
        .Text(e.object, 20)
        .Char(e.kind);
    if (e.type == 'G')
        w.Number(e.price, 9).Text("", 9);
    else if (e.type == 'H')
        w.Number(e.upper, 9).Number(e.lower, 9);
    else
        w.Text("", 18);
    return w.Str();
}

std::string ScheduleRecord(int64_t seq, const ScheduleEntry& s)
{
    KvFieldWriter w;
    w.Number(seq, 10)
        .Text(s.code, 12)
        .Text(s.time, 6)
        .Number(s.priority, 2)
        .Text(s.transition, 12)
        .Text(s.board, 4)
        .Text(s.instrument, 4)
        .Text(s.instrumentId, 12)
        .Char(s.pending)
        .Char('1');
    return w.Str();
}

std::string AuditEventRecord(int64_t key, const AuditEvent& a)
{
    KvFieldWriter w;
    w.Number(key, 8)
        .Char(a.stream)
        .Text(a.group, 4)
        .Text(a.type, 4)
        .Text(a.time, 6)
        .Char(a.display)
        .Text(a.toUser, 12)
        .Text(a.toFirm, 12)
        .Text(a.fromUser, 12)
        .Text(a.board, 4)
        .Text(a.instrumentId, 12)
        .Text(a.user, 12)
        .Text(a.firm, 12)
        .Number(static_cast<int64_t>(a.text.size()), 3)
        .Raw(a.text);
    return w.Str();
}

std::string BoardChangeRecord(int64_t seq, const Board& b)
{
    KvFieldWriter w;
    w.Number(seq, 10).Text(b.code, 4).Char(b.status).Raw(b.methods);
    return w.Str();
}

std::string CodeStateChangeRecord(int64_t seq, const CodeState& c)
{
    KvFieldWriter w;
    w.Number(seq, 10).Text(c.code, 4).Char(c.state);
    return w.Str();
}

std::string ParticipantChangeRecord(int64_t seq, const Firm& f, const Statistics& stats)
{
    KvFieldWriter w;
    w.Number(seq, 10).Text(f.code, 12).Char(f.status).Number(0, 4).Char(f.logonVerify);
    for (const int64_t v : stats)
        w.Number(v, 16);
    return w.Str();
}

std::string TraderChangeRecord(int64_t seq, const Trader& t, bool active, const Statistics& stats)
{
    KvFieldWriter w;
    w.Number(seq, 10)
        .Text(t.user, 12)
        .Text(t.role, 12)
        .Char(t.status)
        .Text("", 20)
        .Text("", 20)
        .Char(t.approve)
        .Char(active ? '1' : '0')
        .Char(t.logonVerify);
    for (const int64_t v : stats)
        w.Number(v, 16);
    return w.Str();
}

} // namespace exchange
