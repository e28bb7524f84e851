#include "kv32/shell/app_commands.h"

#include <charconv>
#include <cctype>
#include <cmath>
#include <cstring>

#include "fw/core/archive.h"
#include "fw/core/msgbox.h"
#include "kv32/res/shell_strings.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/order_withdraw_record.h"
#include "kv32/shell/print_log.h"
#include "kv32/shell/session.h"
#include "kv32/shell/text_format.h"
#include "kv32/shell/ui_port.h"
#include "kv32/tables/all_tables.h"
#include "kv32/trading/order_record.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/prompts.h"
#include "kvcore/router/cvorl.h"
#include "kvcore/values/cdouble.h"
#include "kvcore/values/field_writer.h"

namespace {

constexpr int kUserWidth = 12;
constexpr char kOprLogonVerify = '6';

std::string SessionUser()
{
    return pvorl == nullptr ? std::string() : pvorl->User();
}

// The value in units of `decimals`, as the host reads it; false when it has no such form.
bool ScaledUnits(double value, int decimals, int64_t& units)
{
    if (!std::isfinite(value))
        return false;
    const std::string text = CDouble(value, static_cast<unsigned>(decimals)).FormatVORL();
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), units);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

// A whole, non-negative amount.
bool WholeAmount(double value, int64_t& amount)
{
    if (!std::isfinite(value) || value < 0 || value != std::floor(value) || value >= 1e16)
        return false;
    amount = static_cast<int64_t>(value);
    return true;
}

std::string Refuse(std::string* why, const char* reason)
{
    if (why != nullptr)
        *why = reason;
    return {};
}

} // namespace

int KvSendLogonVerify(bool on)
{
    if (ps == nullptr || AreYouShure(0u) != fw::IDYES)
        return 0;
    KvFieldWriter w;
    w.TextCut(SessionUser(), kUserWidth).Char(kOprLogonVerify).Char(on ? 'Y' : 'N').Char('S').Text("", 12);
    std::string text = w.Str();
    return VORLTransaction(kTrOperator, text.data(), static_cast<int>(text.size()), 1);
}

std::uint64_t KvTrafficAverage(std::uint64_t bytes, std::int64_t seconds)
{
    // A session that began this second has no whole second to divide by: count one.
    return bytes / static_cast<std::uint64_t>(seconds < 1 ? 1 : seconds);
}

void KvShowTrafficAverage()
{
    if (ps == nullptr || pvorl == nullptr)
        return;
    const std::uint64_t average
        = KvTrafficAverage(pvorl->GetSendCount() + pvorl->GetRecvCount(), pvorl->GetSessionTime());
    KvSetStatusText(KvFillText(Kv32ShellString(IDS_TRAFFIC_AVERAGE), { std::to_string(average) }));
}

void KvEndPrintLog()
{
    if (ps != nullptr && KvPrintLog() != nullptr && KvAppSettings().bPrintLog != 0)
        KvPrintLog()->EndDocument();
}

std::string KvDiagnosticText(const std::vector<CKvFrameDiagnosis>& frames, std::string_view documentsState)
{
    std::string text;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        text += "Frame #" + std::to_string(i) + "\r\n";
        text += "   Locked = " + std::to_string(frames[i].locked ? 1 : 0) + "\r\n";
    }
    text += documentsState;
    return text;
}

std::filesystem::path KvDiagnosticFile()
{
    const std::string user = ps != nullptr ? ps->m_sUser : std::string("kv32");
    return sSettingsPath + user + ".LOG";
}

bool KvWriteDiagnosticFile(const std::vector<CKvFrameDiagnosis>& frames, std::string_view documentsState)
{
    const std::string text = KvDiagnosticText(frames, documentsState);
    fw::Archive ar;
    ar.writeBytes({ reinterpret_cast<const std::uint8_t*>(text.data()), text.size() });
    const bool written = ar.saveFile(KvDiagnosticFile());
    KvBeep(0);
    return written;
}

std::string KvAutomationOrderRecord(const CKvAutomationOrder& o, std::string* why)
{
    const char side = o.side.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(o.side[0])));
    if (side != 'B' && side != 'S')
        return Refuse(why, "side");
    if (o.security.size() > 20 || o.board.size() > 30)
        return Refuse(why, "security or board name too long");
    const int row = SecurityTable().FindOnBoard(o.security, o.board.c_str());
    if (row < 0)
        return Refuse(why, "unknown security");
    const SecurityRec& sec = *SecurityTable().GetRec(row);
    int64_t quantity = 0, hidden = 0, price = 0, trigger = 0;
    if (!WholeAmount(o.quantity, quantity) || quantity == 0 || !WholeAmount(o.hiddenQuantity, hidden))
        return Refuse(why, "quantity");
    if (!ScaledUnits(o.price, sec.nPriceDec, price) || !ScaledUnits(o.triggerPrice, sec.nPriceDec, trigger))
        return Refuse(why, "price");

    KvOrderDescription order;
    order.user = SessionUser();
    order.account = o.account;
    order.side = side;
    order.flags = KvOrderFlags({ o.price == 0 ? kFlagMarket : kFlagLimit, kFlagSession });
    if (hidden != 0)
        order.flags[kFlagHidden] = '1';
    order.securityKey = std::string(sec.szCode, strnlen(sec.szCode, sizeof sec.szCode));
    // The numbers are already whole units of their fields: no decimals left to apply.
    order.price = std::to_string(price);
    order.quantity = std::to_string(quantity);
    order.hidden = std::to_string(hidden);
    order.trigger = std::to_string(trigger);
    const KvOrderRecordResult record = BuildOrderRecord(order);
    if (!record.Ok())
        return Refuse(why, "a text or number does not fit its field");
    return record.text;
}

std::string KvWithdrawOrderRecord(std::int64_t orderNumber)
{
    if (orderNumber < 0)
        return {};
    COrderWithdrawCriteria criteria;
    criteria.orderNo = static_cast<uint64_t>(orderNumber);
    return KvOrderWithdrawRecord(SessionUser(), criteria);
}

namespace {

// A call from outside can arrive while a message box of a request under way
// runs its own event loop; it waits for no one and sends nothing then.
class CAutomationCall {
public:
    CAutomationCall()
        : m_bBusy(s_bInCall || fPacket != 0 || fTrPacket != 0)
    {
        if (!m_bBusy)
            s_bInCall = true;
    }
    ~CAutomationCall()
    {
        if (!m_bBusy)
            s_bInCall = false;
    }
    bool Busy() const { return m_bBusy; }

private:
    static inline bool s_bInCall = false;
    bool m_bBusy;
};

} // namespace

bool KvAutomationLoggedOn()
{
    return ps != nullptr;
}

bool KvAutomationSendOrder(const CKvAutomationOrder& order)
{
    const CAutomationCall call;
    if (ps == nullptr || call.Busy())
        return false;
    std::string record = KvAutomationOrderRecord(order);
    if (record.empty())
        return false;
    return VORLTransaction(kTrOrder, record.data(), static_cast<int>(record.size()), 1) != 0;
}

bool KvAutomationWithdrawOrder(std::int64_t orderNumber)
{
    const CAutomationCall call;
    if (ps == nullptr || call.Busy())
        return false;
    std::string record = KvWithdrawOrderRecord(orderNumber);
    if (record.empty())
        return false;
    return VORLTransaction(kTrOrderWithdraw, record.data(), static_cast<int>(record.size()), 1) != 0;
}
