#include "kv32/lists/firms_list.h"

#include <cstddef>
#include <string_view>

#include "kv32/filters/party_filters.h"
#include "kv32/lists/users_list.h"
#include "kv32/res/party_window_strings.h"
#include "kv32/res/shell_strings.h"
#include "kv32/res/table_strings.h"
#include "kv32/shell/session.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/host_table.h"
#include "kvcore/values/field_writer.h"

using kvcore::kGXDouble;
using kvcore::kGXSigned;
using kvcore::kGXText;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(ParticipantRec, field))
#define KV_STAT(id, i) { id, KV_AT(aStats[i]), kJustRight, kGXDouble }

constexpr KvListColumn kColumnTable[] = {
    { 840, KV_AT(szCode), kJustLeft, kGXText },
    { 841, KV_AT(szName), kJustLeft, kGXText },
    { 842, KV_AT(szStatus), kJustLeft, kGXText },
    { 843, KV_AT(nActiveCount), kJustRight, kGXSigned },
    { 844, KV_AT(szPhone), kJustLeft, kGXText },
    { 845, KV_AT(szText), kJustLeft, kGXText },
    KV_STAT(846, 0), KV_STAT(847, 1), KV_STAT(848, 2), KV_STAT(849, 3),
    KV_STAT(850, 4), KV_STAT(851, 5), KV_STAT(852, 6), KV_STAT(853, 7),
    KV_STAT(854, 8), KV_STAT(855, 9), KV_STAT(856, 10), KV_STAT(857, 11),
    KV_STAT(858, 12), KV_STAT(859, 13), KV_STAT(860, 14), KV_STAT(861, 15),
};

#undef KV_STAT
#undef KV_AT

bool IsIssuer(const ParticipantRec& firm)
{
    return std::string_view(firm.szType) == "ISSR";
}

} // namespace

CFirmsDoc::CFirmsDoc()
    : CTableIndexDocT(ParticipantTable(), KvMakeFirmsCriteria())
{
    Kv32RegisterPartyWindowResources();
}

std::span<const KvListColumn> CFirmsDoc::Columns() const
{
    return kColumnTable;
}

int CFirmsDoc::ColorIndexOffset() const
{
    return static_cast<int>(offsetof(ParticipantRec, nActive));
}

void CFirmsDoc::MakeTitle(std::string& title)
{
    title = Kv32ShellString(GetDocID());
    m_filter->GetDescription(title);
}

std::unique_ptr<CListCriteria> KvMakeFirmsCriteria()
{
    return std::make_unique<CCriteriaOf<CFirmsFilter, ParticipantRec>>();
}

bool FirmCommandAllowed(unsigned commandId, const ParticipantRec* firm)
{
    if (commandId == ID_FIRM_ALERTS_VIEW)
        return true;
    if (firm == nullptr)
        return false;
    switch (commandId) {
    case ID_FIRM_SUSPEND: return KvTableTextIs(firm->szStatus, IDS_STATE_ACTIVE);
    case ID_FIRM_UNSUSPEND: return KvTableTextIs(firm->szStatus, IDS_STATE_SUSPENDED);
    case ID_ISSUER_SUSPEND: return IsIssuer(*firm) && KvTableTextIs(firm->szStatus, IDS_STATE_ACTIVE);
    case ID_ISSUER_UNSUSPEND: return IsIssuer(*firm) && KvTableTextIs(firm->szStatus, IDS_STATE_SUSPENDED);
    default: return true;
    }
}

std::string BuildFirmOperatorText(char operatorCode, std::string_view firm, char notify, char display)
{
    // The firm record has the user record's layout.
    return BuildUserOperatorText(operatorCode, firm, notify, display);
}

std::optional<KvRowTransaction> FirmTransaction(unsigned commandId, const ParticipantRec& firm)
{
    if (commandId != ID_FIRM_SUSPEND && commandId != ID_FIRM_UNSUSPEND)
        return std::nullopt;
    KvRowTransaction t;
    t.code = kTrUserOperator;
    // The firm record has the user record's layout.
    t.text = BuildSuspendText(commandId == ID_FIRM_SUSPEND ? kOprFirmSuspend : kOprFirmUnsuspend, firm.szCode);
    if (t.text.empty())
        return std::nullopt;
    t.identifier = firm.szName;
    return t;
}
