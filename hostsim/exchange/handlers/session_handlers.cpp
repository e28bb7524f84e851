// Logon (129), client version (182), logon checks (152, 153), password change
// (131), logoff (130), host time (32) and the log-printing reset (68).
#include "core/exchange.h"
#include "handlers/notices.h"

namespace exchange {

namespace {

constexpr std::size_t kDigestWidth = 64;
constexpr int kHostTime = 32;

bool isDigest(std::string_view text)
{
    return text.size() == kDigestWidth
        && text.find_first_not_of("0123456789ABCDEF") == std::string_view::npos;
}

Verdict logon(Exchange& ex, int clientSlot, const RequestText& text)
{
    const auto digest = text.raw(kUserWidth, kDigestWidth);
    if (!digest)
        return Refuse("The logon text is too short.");
    Trader* t = ex.trader(text.user());
    // One text for an unknown user and a wrong password: nothing to probe.
    if (t == nullptr || *digest != t->digest)
        return Refuse("Unknown user or wrong password.");
    if (t->status == 'S')
        return Refuse("The user is suspended.");
    const Firm* f = ex.firm(t->firm);
    if (f != nullptr && f->status == 'S')
        return Refuse("The user's firm is suspended.");
    const bool repeated = text.at(kUserWidth + kDigestWidth) == 'R';
    ex.sessions().logon(clientSlot, t->user, repeated);
    RecordAudit(ex, t->user, "SESS", "LOGN", t->user + (repeated ? " logged on again." : " logged on."));
    return Accept("Logged on.");
}

Verdict clientVersion(Call& call)
{
    const auto product = call.text.raw(12, 3);
    if (!product || *product != "Kv-" || call.text.text(15, 20).empty())
        return Refuse("This workstation version is not accepted; please install the current version.");
    return Accept("Version accepted.");
}

Verdict logonCheck(Exchange& ex, Call& call)
{
    const Trader* t = ex.trader(call.session.user);
    if (t == nullptr)
        return Refuse("Unknown user.");
    return Accept(t->check);
}

Verdict securityCode(Exchange& ex, Call& call)
{
    const Trader* t = ex.trader(call.session.user);
    const auto code = call.text.raw(12, 20);
    if (t == nullptr || !code)
        return Refuse("The security code is missing.");
    if (t->check != "YES" || call.text.text(12, 20) != t->securityCode)
        return Refuse("Wrong security code.");
    return Accept("Security code accepted.");
}

Verdict passwordChange(Exchange& ex, Call& call)
{
    Trader* t = ex.trader(call.session.user);
    const auto current = call.text.raw(12, kDigestWidth);
    const auto next = call.text.raw(12 + kDigestWidth, kDigestWidth);
    if (t == nullptr || !current || !next || !isDigest(*next))
        return Refuse("The password change text is malformed.");
    if (*current != t->digest)
        return Refuse("The current password is wrong.");
    if (*next == t->digest)
        return Refuse("The new password must differ from the current one.");
    t->digest = std::string(*next);
    if (t->check == "PW")
        t->check = "NO";
    return Accept("Password changed.");
}

void hostTime(Exchange& ex, Call&, ReplyBuilder& reply)
{
    reply.add(kHostTime, ex.now() + ex.data().tradingDate);
}

} // namespace

void RegisterSessionHandlers(Exchange& ex)
{
    Dispatcher& d = ex.dispatcher();
    d.onLogon([&ex](int slot, const RequestText& text) { return logon(ex, slot, text); });
    d.onTransaction(182, clientVersion);
    d.onTransaction(152, [&ex](Call& call) { return logonCheck(ex, call); });
    d.onTransaction(153, [&ex](Call& call) { return securityCode(ex, call); });
    d.onTransaction(131, [&ex](Call& call) { return passwordChange(ex, call); });
    d.onTransaction(130, [&ex](Call& call) {
        ex.sessions().logoff(call.session.clientSlot);
        return Accept("Logged off.");
    });
    d.onInfo(kHostTime, [&ex](Call& call, ReplyBuilder& reply) { hostTime(ex, call, reply); });
    d.onInfo(68, [](Call&, ReplyBuilder&) {});
}

} // namespace exchange
