// Exchange messages: send (144), change (169) and withdraw (170) a waiting
// one; news: publish (154), amend (171) and remove (172) a pending head.
#include "engine/order_entry.h"
#include "handlers/broadcasts.h"
#include "handlers/notices.h"
#include "handlers/transaction_support.h"

namespace exchange {

namespace {

bool knownFirm(Exchange& ex, const std::string& code)
{
    return code.empty() || ex.firm(code) != nullptr;
}

// The receivers, flags, time and text shared by 144 and 169 (text at `textAt`).
std::optional<MessageFields> readMessage(Exchange& ex, Call& call, std::size_t textAt, Verdict& refusal)
{
    const RequestText& t = call.text;
    if (!t.has(0, textAt + 1)) {
        refusal = Refuse("The message text is too short.");
        return std::nullopt;
    }
    MessageFields m { call.session.user, t.text(12, 12), t.text(24, 12), t.at(36), t.at(37),
        std::string(*t.raw(38, 6)), t.text(textAt, 640) };
    if (!m.toUser.empty() && ex.trader(m.toUser) == nullptr) {
        refusal = Refuse("Unknown receiving user.");
        return std::nullopt;
    }
    if (!ValidTime(m.time)) {
        refusal = Refuse("Invalid send time.");
        return std::nullopt;
    }
    return m;
}

Verdict send(Exchange& ex, Call& call)
{
    Verdict refusal;
    auto m = readMessage(ex, call, 44, refusal);
    if (!m)
        return refusal;
    // The reference price dialog's notices to "EXCHANGE" are for the host, not for users.
    if (m->toFirm == "EXCHANGE" && m->text.rfind("NREFPRICECHG", 0) == 0)
        return Accept("Command sent.");
    if (!knownFirm(ex, m->toFirm))
        return Refuse("Unknown receiving firm.");
    const int64_t key = PostMessage(ex, *m);
    return Accept("Message " + std::to_string(key) + " sent.");
}

ExchangeMessage* ownWaiting(Exchange& ex, Call& call, std::size_t keyAt)
{
    const auto key = call.text.number(keyAt, 8);
    for (ExchangeMessage& m : ex.data().messages) {
        if (key && m.key == *key && m.sender == call.session.user && m.status == 'P')
            return &m;
    }
    return nullptr;
}

Verdict change(Exchange& ex, Call& call)
{
    Verdict refusal;
    auto fields = readMessage(ex, call, 52, refusal);
    if (!fields)
        return refusal;
    ExchangeMessage* m = ownWaiting(ex, call, 44);
    if (m == nullptr)
        return Refuse("No waiting message of yours under this key.");
    m->toUser = fields->toUser;
    m->toFirm = fields->toFirm;
    m->infoFeed = fields->infoFeed;
    m->display = fields->display;
    m->sendTime = fields->time;
    m->text = fields->text;
    m->status = AtOnce(ex, m->sendTime) ? 'S' : 'P';
    DeliverMessage(ex, *m);
    return Accept("Message changed.");
}

Verdict withdrawMessage(Exchange& ex, Call& call)
{
    ExchangeMessage* m = ownWaiting(ex, call, 12);
    if (m == nullptr)
        return Refuse("No waiting message of yours under this key.");
    m->status = 'W';
    DeliverMessage(ex, *m);
    return Accept("Message withdrawn.");
}

// The news fields of 154, or of 171 shifted by the news id (`at` = 12 or 20).
Verdict readNews(Exchange& ex, Call& call, std::size_t at, NewsItem& n)
{
    const RequestText& t = call.text;
    if (!t.has(0, at + 163))
        return Refuse("The news text is too short.");
    n.user = call.session.user;
    n.type = t.text(at, 4);
    n.language = t.text(at + 4, 2);
    n.issuer = t.text(at + 6, 12);
    n.instrumentId = t.text(at + 18, 12);
    n.time = std::string(*t.raw(at + 30, 6));
    n.title = t.text(at + 36, 40);
    n.file = t.text(at + 76, 80);
    n.infoFeed = t.at(at + 156);
    n.flash = t.at(at + 157);
    n.display = t.at(at + 158);
    const auto length = t.number(at + 159, 4);
    const DataSet& d = ex.data();
    const auto has = [](const auto& list, const std::string& code) {
        return std::any_of(list.begin(), list.end(), [&](const CodeName& c) { return c.code == code; });
    };
    if (!has(d.newsTypes, n.type) || !has(d.languages, n.language))
        return Refuse("Unknown news type or language.");
    const Firm* issuer = ex.firm(n.issuer);
    if (!n.issuer.empty() && (issuer == nullptr || issuer->type != "ISSR"))
        return Refuse("Unknown issuer.");
    if (!ValidTime(n.time))
        return Refuse("Invalid time.");
    if (!length || *length < 0 || *length > 5000 || !t.has(at + 163, static_cast<std::size_t>(*length)))
        return Refuse("Invalid text length.");
    n.text = std::string(*t.raw(at + 163, static_cast<std::size_t>(*length)));
    n.status = AtOnce(ex, n.time) ? 'S' : 'P';
    return Accept("");
}

Verdict publish(Exchange& ex, Call& call)
{
    if (!Holds(ex, call.session.user, 154))
        return Refuse("You may not publish news.");
    NewsItem n;
    if (Verdict v = readNews(ex, call, 12, n); !v.accepted)
        return v;
    n.id = ex.state().nextNews++;
    ex.data().news.push_back(n);
    DeliverNews(ex, n);
    return Accept("News " + std::to_string(n.id) + " published.");
}

NewsItem* pendingNews(Exchange& ex, Call& call)
{
    const auto id = call.text.number(12, 8);
    for (NewsItem& n : ex.data().news) {
        if (id && n.id == *id && n.status == 'P')
            return &n;
    }
    return nullptr;
}

Verdict amendNews(Exchange& ex, Call& call)
{
    NewsItem* old = pendingNews(ex, call);
    if (old == nullptr || !Holds(ex, call.session.user, 171))
        return Refuse("No pending news item under this id.");
    NewsItem n;
    if (Verdict v = readNews(ex, call, 20, n); !v.accepted)
        return v;
    n.id = old->id;
    *old = n;
    DeliverNews(ex, *old);
    return Accept("News amended.");
}

Verdict removeNews(Exchange& ex, Call& call)
{
    NewsItem* n = pendingNews(ex, call);
    if (n == nullptr || !Holds(ex, call.session.user, 172))
        return Refuse("No pending news item under this id.");
    n->status = 'R';
    DeliverNews(ex, *n);
    return Accept("News removed.");
}

} // namespace

void RegisterBulletinTransactions(Exchange& ex)
{
    Dispatcher& d = ex.dispatcher();
    d.onTransaction(144, Counted(ex, send));
    d.onTransaction(169, Counted(ex, change));
    d.onTransaction(170, Counted(ex, withdrawMessage));
    d.onTransaction(154, Counted(ex, publish));
    d.onTransaction(171, Counted(ex, amendNews));
    d.onTransaction(172, Counted(ex, removeNews));
}

} // namespace exchange
