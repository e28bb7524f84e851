#include "kv32/dialogs/supervisor_requests.h"

#include "kvcore/app/app_core_base.h"
#include "kvcore/app/session_core.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/values/cdatetime.h"
#include "kvcore/values/cdouble.h"
#include "kvcore/values/digit_text.h"
#include "kvcore/values/field_writer.h"
#include "kvcore/values/number_text.h"

namespace {

constexpr int kUserWidth = 12;
constexpr int kCodeWidth = 12;
constexpr int kAddressWidth = 20;
constexpr int kDigestWidth = 64;
constexpr int kReplayCountWidth = 16;

KvFieldWriter Head(std::string_view user, char opr)
{
    KvFieldWriter w;
    w.TextCut(user, kUserWidth).Char(opr);
    return w;
}

std::string Stripped(std::string_view s)
{
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const size_t last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

} // namespace

std::string KvRequestUser()
{
    if (ps != nullptr && !ps->m_sUser.empty())
        return ps->m_sUser;
    return pvorl == nullptr ? std::string() : pvorl->User();
}

int AccessLevelDigit(int index)
{
    if (index < 0 || index > 4)
        return -1;
    return index == 0 ? 0 : 1 << (index - 1);
}

std::string BuildAccessRequest(std::string_view user, std::string_view group, std::string_view role, int levelIndex)
{
    const int digit = AccessLevelDigit(levelIndex);
    if (digit < 0)
        return {};
    KvFieldWriter w = Head(user, kOprAccessLevel);
    w.Text(group, kCodeWidth).Text(role, kCodeWidth).Char(static_cast<char>('0' + digit));
    return w.Str();
}

std::string BuildDefaultRoleRequest(std::string_view user, std::string_view target, std::string_view role)
{
    KvFieldWriter w = Head(user, kOprDefaultRole);
    w.Text(target, kCodeWidth).Text(role, kCodeWidth);
    return w.Str();
}

std::string BuildLogonVerifyRequest(std::string_view user, bool on, bool firm, std::string_view code)
{
    KvFieldWriter w = Head(user, kOprLogonVerify);
    w.Char(on ? 'Y' : 'N').Char(firm ? 'F' : 'U').Text(code, kCodeWidth);
    return w.Str();
}

std::string BuildReplayRequest(std::string_view user, KvReplayMode mode, std::string_view value)
{
    KvFieldWriter w = Head(user, kOprStepLog);
    switch (mode) {
    case KvReplayMode::Count: {
        const std::optional<std::string> count = Cur2Str(value, kReplayCountWidth, 0);
        // Only a whole, non-negative count of transactions means anything to the replay.
        if (!count || !AllDigitsNonEmpty(*count))
            return {};
        w.Char('T').Raw(*count);
        break;
    }
    case KvReplayMode::Interval:
    case KvReplayMode::StopAt:
        if (value.size() != 6 || !AllDigitsNonEmpty(value))
            return {};
        w.Char(mode == KvReplayMode::Interval ? 'A' : 'S').Raw(value);
        break;
    }
    std::string text = w.Str();
    if (text.empty() || text.size() > static_cast<size_t>(kReplayRequestLength))
        return {};
    text.resize(kReplayRequestLength, '\0');
    return text;
}

std::string BuildNetAddressRequest(std::string_view user, std::string_view target, char action,
    std::string_view newFrom, std::string_view newTo, std::string_view oldFrom, std::string_view oldTo)
{
    KvFieldWriter w = Head(user, kOprUserNetAddress);
    w.Text(target, kCodeWidth)
        .Char(action)
        .Text(newFrom, kAddressWidth)
        .Text(newTo, kAddressWidth)
        .Text(oldFrom, kAddressWidth)
        .Text(oldTo, kAddressWidth);
    return w.Str();
}

std::string BuildUserPasswordRequest(std::string_view user, std::string_view target, std::string_view digest)
{
    KvFieldWriter w = Head(user, kOprUserPassword);
    w.Text(target, kCodeWidth).Text(digest, kDigestWidth);
    return w.Str();
}

int SendOperatorRequest(const std::string& text)
{
    if (text.empty())
        return 0;
    std::string buffer = text;
    return VORLTransaction(kTrOperator, buffer.data(), static_cast<int>(buffer.size()), 1);
}

std::string NetAddressListKey(std::string_view user, std::string_view target)
{
    KvFieldWriter w;
    w.TextCut(user, kUserWidth).Raw("00000000").Text(target, kCodeWidth);
    return w.Str();
}

std::string NetAddressLine(std::string_view record)
{
    if (record.size() < 48)
        return {};
    return Stripped(record.substr(8, 20)) + "\t" + Stripped(record.substr(28, 20));
}

bool DecodeReplayStatistics(std::string_view record, KvReplayStatistics& out)
{
    if (record.size() < 252)
        return false;
    auto number = [&](size_t at) {
        CDouble value;
        value.SetVORL(record.data() + at, 8, 0);
        return value.Format(1, 0);
    };
    out.orders = number(214);
    out.trades = number(222);
    out.transactions = number(230);
    out.rejected = number(238);
    const std::string time(record.substr(246, 6));
    CDateTime t(2000, 1, 1, 0, 0, 0);
    out.lastTime = t.SetTimeVORL(time.c_str()) ? t.FormatTime() : std::string();
    return true;
}
