#include "records/reference_records.h"

#include "kvcore/values/field_writer.h"

namespace exchange {

namespace {

// Key, a code and a name: the shape most reference records share.
KvFieldWriter codeName(
    const std::string& key, const std::string& code, int codeWidth, const std::string& name, int nameWidth)
{
    KvFieldWriter w;
    w.Text(key, 8).Text(code, codeWidth).Text(name, nameWidth);
    return w;
}

} // namespace

std::string BoardRecord(const std::string& key, const Board& b, bool last)
{
    return codeName(key, b.code, 4, b.name, 30).Char(b.status).Char(LastFlag(last)).Str();
}

std::string CodeStateRecord(const std::string& key, const CodeState& c, bool last)
{
    return codeName(key, c.code, 4, c.name, 30).Char(c.state).Char(LastFlag(last)).Str();
}

std::string SectorRecord(const std::string& key, const CodeName& s, bool last)
{
    return codeName(key, s.code, 4, s.name, 30).Char(LastFlag(last)).Str();
}

std::string StatusRecord(const std::string& key, const SecurityStatus& s, bool last)
{
    KvFieldWriter w = codeName(key, s.code, 3, std::string(1, s.kind), 1);
    w.Text(s.name, 40).Char(LastFlag(last)).Unsigned(s.transitions.size(), 2).Raw(s.transitions);
    return w.Str();
}

std::string LanguageRecord(const std::string& key, const CodeName& l, bool last)
{
    return codeName(key, l.code, 2, l.name, 30).Char(LastFlag(last)).Str();
}

std::string DraftRecord(const std::string& key, const MessageDraft& m, bool last)
{
    return codeName(key, m.title, 30, m.text, 255).Char(LastFlag(last)).Str();
}

std::string NewsTypeRecord(const std::string& key, const CodeName& n, bool last)
{
    return codeName(key, n.code, 4, n.name, 30).Char(LastFlag(last)).Str();
}

std::string TradeSourceRecord(const std::string& key, const TradeSource& t, bool last)
{
    KvFieldWriter w;
    w.Text(key, 8).Char(t.code).Char(t.second).Char(t.enabled).Text(t.name, 30).Char(LastFlag(last));
    return w.Str();
}

std::string AuditGroupRecord(const std::string& key, const CodeName& g, bool last)
{
    return codeName(key, g.code, 4, g.name, 40).Char(LastFlag(last)).Str();
}

std::string AuditTypeRecord(const std::string& key, const AuditType& t, bool last)
{
    KvFieldWriter w = codeName(key, t.group, 4, t.code, 4);
    w.Text(t.text, 40).Char(t.display).Char(LastFlag(last));
    return w.Str();
}

std::string ParticipantRecord(const std::string& key, const Firm& f, bool last)
{
    KvFieldWriter w = codeName(key, f.code, 12, f.name, 30);
    w.Char(f.status)
        .Number(0, 16)
        .Number(0, 16)
        .Char(f.logonVerify)
        .Text(f.type, 4)
        .Text(f.phone, 30)
        .Text(f.note, 50)
        .Char(LastFlag(last));
    return w.Str();
}

std::string TraderRecord(const std::string& key, const Trader& t, bool last)
{
    KvFieldWriter w = codeName(key, t.user, 12, t.name, 30);
    w.Text(t.firm, 12)
        .Text(t.role, 12)
        .Char(t.status)
        .Char(t.approve)
        .Char(t.logonVerify)
        .Text(t.phone, 30)
        .Text(t.note, 50)
        .Char(LastFlag(last));
    return w.Str();
}

std::string RightRecord(const Right& r, bool last)
{
    KvFieldWriter w;
    w.Unsigned(static_cast<uint64_t>(r.type), 3)
        .Unsigned(static_cast<uint64_t>(r.operatorCode), 3)
        .Number(r.value, 16)
        .Char(LastFlag(last));
    return w.Str();
}

} // namespace exchange
