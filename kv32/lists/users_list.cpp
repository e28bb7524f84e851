#include "kv32/lists/users_list.h"

#include <cstddef>
#include <string_view>

#include "kv32/filters/party_filters.h"
#include "kv32/res/party_window_strings.h"
#include "kv32/res/table_strings.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/host_table.h"
#include "kvcore/values/field_writer.h"

using kvcore::kGXDouble;
using kvcore::kGXText;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(TraderRec, field))
#define KV_STAT(id, i) { id, KV_AT(aStats[i]), kJustRight, kGXDouble }

constexpr KvListColumn kColumnTable[] = {
    { 800, KV_AT(szCode), kJustLeft, kGXText },
    { 801, KV_AT(szName), kJustLeft, kGXText },
    { 802, KV_AT(szFirm), kJustLeft, kGXText },
    { 803, KV_AT(szRole), kJustLeft, kGXText },
    { 804, KV_AT(szStatus), kJustLeft, kGXText },
    { 805, KV_AT(szActive), kJustLeft, kGXText },
    { 806, KV_AT(szApprove), kJustLeft, kGXText },
    { 807, KV_AT(szGateway), kJustLeft, kGXText },
    { 808, KV_AT(szWorkstation), kJustLeft, kGXText },
    { 809, KV_AT(szPhone), kJustLeft, kGXText },
    { 810, KV_AT(szText), kJustLeft, kGXText },
    KV_STAT(811, 0), KV_STAT(812, 1), KV_STAT(813, 2), KV_STAT(814, 3),
    KV_STAT(815, 4), KV_STAT(816, 5), KV_STAT(817, 6), KV_STAT(818, 7),
    KV_STAT(819, 8), KV_STAT(820, 9), KV_STAT(821, 10), KV_STAT(822, 11),
    KV_STAT(823, 12), KV_STAT(824, 13), KV_STAT(825, 14), KV_STAT(826, 15),
};

#undef KV_STAT
#undef KV_AT

} // namespace

CTradersDoc::CTradersDoc()
    : CTableIndexDocT(TraderTable(), KvMakeUsersCriteria())
{
    Kv32RegisterPartyWindowResources();
}

std::span<const KvListColumn> CTradersDoc::Columns() const
{
    return kColumnTable;
}

int CTradersDoc::ColorIndexOffset() const
{
    return static_cast<int>(offsetof(TraderRec, nActive));
}

std::unique_ptr<CListCriteria> KvMakeUsersCriteria()
{
    // The users the logged-on user's rights show; turned on, only the text's firm.
    return std::make_unique<CCriteriaOf<CTradersFilter, TraderRec>>();
}

bool KvTableTextIs(const char* field, std::uint32_t stringId)
{
    return std::string_view(field) == Kv32TableString(stringId);
}

char KvSuspendNotifyFlag()
{
    const CSession* session = KvSession();
    return session == nullptr || session->m_bSuspendNotify != 0 ? 'Y' : 'N';
}

bool UserCommandAllowed(unsigned commandId, const TraderRec* user)
{
    switch (commandId) {
    case ID_USER_ORDERS:
    case ID_USER_TRADES:
    case ID_USER_DEALS:
    case ID_USER_CASH_POSITIONS:
    case ID_USER_ALERTS_VIEW: return true;
    default: break;
    }
    if (user == nullptr)
        return false;
    switch (commandId) {
    case ID_USER_SUSPEND: return KvTableTextIs(user->szStatus, IDS_STATE_ACTIVE);
    case ID_USER_UNSUSPEND: return KvTableTextIs(user->szStatus, IDS_STATE_SUSPENDED);
    case ID_USER_APPROVE_ON: return !KvTableTextIs(user->szApprove, IDS_YES);
    case ID_USER_APPROVE_OFF: return KvTableTextIs(user->szApprove, IDS_YES);
    default: return true;
    }
}

std::string BuildUserOperatorText(char operatorCode, std::string_view target, char notify, char display)
{
    KvFieldWriter w;
    AppendUserField(w);
    w.Char(operatorCode);
    w.Text(target, 12);
    w.Char(notify);
    w.Char(display);
    return w.Str();
}

std::string BuildSuspendText(char operatorCode, std::string_view target)
{
    return BuildUserOperatorText(operatorCode, target, KvSuspendNotifyFlag(), KvDisplayType());
}

std::string BuildApproveText(std::string_view target)
{
    KvFieldWriter w;
    AppendUserField(w);
    w.Text(target, 12);
    return w.Str();
}

std::optional<KvRowTransaction> UserTransaction(unsigned commandId, const TraderRec& user)
{
    KvRowTransaction t;
    t.code = kTrUserOperator;
    switch (commandId) {
    case ID_USER_LOGOFF: t.text = BuildUserOperatorText(kOprUserLogoff, user.szCode, 'Y', 'N'); break;
    case ID_USER_SUSPEND: t.text = BuildSuspendText(kOprUserSuspend, user.szCode); break;
    case ID_USER_UNSUSPEND: t.text = BuildSuspendText(kOprUserUnsuspend, user.szCode); break;
    case ID_USER_APPROVE_ON:
    case ID_USER_APPROVE_OFF:
        t.code = commandId == ID_USER_APPROVE_ON ? kTrApproveOn : kTrApproveOff;
        t.text = BuildApproveText(user.szCode);
        break;
    default: return std::nullopt;
    }
    if (t.text.empty())
        return std::nullopt;
    t.identifier = user.szCode;
    return t;
}
