#include "kv32/shell/frame_work.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fw/core/msgbox.h"
#include "kv32/res/shell_strings.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/local_orders_port.h"
#include "kv32/shell/print_log.h"
#include "kv32/shell/session.h"
#include "kv32/shell/text_format.h"
#include "kv32/shell/ui_port.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/logon_checks.h"
#include "kvcore/app/message_box.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/router/vorl_target.h"
#include "kvcore/values/field_writer.h"

namespace {

// The host keeps answering "PW" only while the change did not take; the
// check gives up after this many rounds.
constexpr int kMaxPasswordRounds = 8;

enum class CheckReply { Failed, Password, SecurityCode, Start };

CheckReply AskPasswordState()
{
    const std::string user = pvorl == nullptr ? std::string() : pvorl->User();
    const std::string key = KvFieldWriter().TextCut(user, 12).Str();
    // The accepted reply's text comes back over the request text.
    std::vector<char> buffer(key.begin(), key.end());
    buffer.resize(key.size() + 1, '\0');
    if (!VORLTransaction(kTrSecurityQuery, buffer.data(), static_cast<int>(key.size()), 1))
        return CheckReply::Failed;
    std::string reply(buffer.data(), strnlen(buffer.data(), key.size()));
    while (!reply.empty() && reply.back() == ' ')
        reply.pop_back();
    if (reply == "PW")
        return CheckReply::Password;
    return reply == "YES" ? CheckReply::SecurityCode : CheckReply::Start;
}

std::string TradingDateTimeText()
{
    const CDateTime now = CDateTime::GetTickCount();
    return now.FormatDate() + " " + now.FormatTime();
}

// The tables whose subscriptions start again from the first change at logon:
// orders, trades, negotiated deals, last trades.
constexpr std::uint16_t kRestartedTables[] = { 8, 9, 10, 30 };

} // namespace

int KvDoCheck()
{
    for (int round = 0; round < kMaxPasswordRounds; ++round) {
        switch (AskPasswordState()) {
        case CheckReply::Failed:
            KvMessageBox(Kv32ShellString(IDS_LOGON_NETWORK_ERROR), fw::MB_ICONSTOP);
            return 0;
        case CheckReply::Password:
            if (!KvRunPasswordChange(true))
                return 0;
            continue;
        case CheckReply::SecurityCode:
            return CheckSecurityCode() != 0 ? 1 : 0;
        case CheckReply::Start:
            return 1;
        }
    }
    return 0;
}

bool CKvTradingEndWatch::Crossed(const CDateTime& now, const CDateTime& warnAt)
{
    // The first poll counts as following one a second earlier, so a poll
    // exactly at the moment warns and a logon after it does not.
    const CDateTime previous = m_previous.value_or(now + -1);
    m_previous = now;
    if (!now.IsValid() || !warnAt.IsValid())
        return false;
    if (!(previous < warnAt) || now < warnAt)
        return false;
    const std::string day = warnAt.FormatDateVORL();
    if (day == m_sWarnedDay)
        return false;
    m_sWarnedDay = day;
    return true;
}

void CKvTradingEndWatch::Reset()
{
    m_previous.reset();
}

void CKvPollWork::Run(CSession& s)
{
    const CKvAppSettings& app = KvAppSettings();
    const CDateTime now = CDateTime::GetTickCount();
    if (app.tradingEnd.IsValid()) {
        // The moment of today's trading date, so a run past midnight warns again the next day.
        CDateTime end;
        end.SetDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), app.tradingEnd.GetHour(),
            app.tradingEnd.GetMinute(), 0);
        const CDateTime warnAt = end + -static_cast<int64_t>(s.m_nETNotify) * 60;
        if (m_watch.Crossed(now, warnAt)) {
            KvSetStatusText(
                KvFillText(Kv32ShellString(IDS_TRADING_END_WARNING), { std::to_string(s.m_nETNotify) }));
            s.m_nBeepCount = s.m_nETBeeps;
        }
    }
    if (s.m_nBeepCount > 0) {
        KvBeep(0);
        --s.m_nBeepCount;
    }
    SecurityTable().ApplyPendingChanges();
    if (app.nPOBStoreTimeOut > 0) {
        const int64_t every = static_cast<int64_t>(app.nPOBStoreTimeOut) * 60;
        if (++s.m_nPOBStoreCount >= every) {
            if (const auto& store = KvLocalOrdersPort().store)
                store();
            s.m_nPOBStoreCount = 0;
        }
    }
}

int KvResetTables()
{
    if (pvorl != nullptr)
        KvPrintLogLine(KvFillText(Kv32ShellString(IDS_USER_LOGGED_IN), { pvorl->User(), TradingDateTimeText() }));
    for (CVorlPermTarget* target : CVorlPermTarget::apPermTargets) {
        if (std::find(std::begin(kRestartedTables), std::end(kRestartedTables), target->GetID())
            == std::end(kRestartedTables))
            continue;
        if (auto* table = dynamic_cast<CHostTableState*>(target))
            table->ResetSeqNum();
    }
    return 1;
}

void KvPrintLogoff(const std::string& user)
{
    if (KvPrintLogLine(KvFillText(Kv32ShellString(IDS_USER_LOGGED_OFF), { user, TradingDateTimeText() })))
        KvPrintLog()->EndDocument();
}

namespace {
constexpr std::uint32_t kSessionGroup[] = { 35940, 35941 };
constexpr std::uint32_t kTradingGroup[] = { 32994, 32995, 32786, 32789 };
constexpr std::uint32_t kViewGroup[] = { 32911, 32944, 32945, 32796, 32932, 32919, 32797, 32798, 33146, 32946, 32799,
    32977, 32841, 32842, 32790, 33172, 33170, 33171, 32895, 33017, 32967, 32920, 32981, 33144 };
constexpr std::uint32_t kGridGroup[] = { 35946, 35948, 35988, 35989, 35994, 35995, 35987, 35985, 35984, 35986, 57607 };
constexpr std::uint32_t kWorkspaceGroup[] = { 35978, 35979, 35980, 35981, 35982 };
const CKvButtonGroup kButtonGroups[] = {
    { "Session", kSessionGroup, true, true },
    { "Trading", kTradingGroup, false, true },
    { "View", kViewGroup, false, true },
    { "Grid", kGridGroup, false, true },
    { "Workspace", kWorkspaceGroup, false, false },
};
} // namespace

std::span<const CKvButtonGroup> KvDefaultButtonGroups()
{
    return kButtonGroups;
}
