#include "kv32/lists/indices_list.h"

#include <cstddef>

#include "kv32/res/indices_strings.h"
#include "kv32/tables/security_table.h"

using kvcore::kGXDouble;
using kvcore::kGXText;

namespace {

#define KV_AT(field) static_cast<std::uint16_t>(offsetof(SecurityRec, field))

constexpr KvListColumn kColumnTable[] = {
    { 690, KV_AT(szShortName), kJustLeft, kGXText },
    { 691, KV_AT(szBoardName), kJustLeft, kGXText },
    { 692, KV_AT(dLast), kJustRight, kGXDouble },
    { 693, KV_AT(dClose), kJustRight, kGXDouble },
    { 694, KV_AT(dPrevPrice), kJustRight, kGXDouble },
    { 695, KV_AT(dChangeToday), kJustRight, kGXDouble },
    { 696, KV_AT(dHigh), kJustRight, kGXDouble },
    { 697, KV_AT(dLow), kJustRight, kGXDouble },
};

#undef KV_AT

// Accepts the securities the host marks as indices.
class IndexFlagCriteria : public CListCriteria {
public:
    void Reset() override { }
    bool Match(const std::uint8_t* record) override
    {
        return reinterpret_cast<const SecurityRec*>(record)->nIndexFlag != 0;
    }
    void GetDescription(std::string&) override { }
    void Serialize(fw::Archive&) override { }
};

} // namespace

CIndicesDoc::CIndicesDoc()
    : CTableIndexDoc(std::make_unique<IndexFlagCriteria>())
{
    Kv32RegisterIndicesStrings();
}

std::span<const KvListColumn> CIndicesDoc::Columns() const
{
    return kColumnTable;
}

int CIndicesDoc::HostCount() const
{
    return SecurityTable().GetCount();
}

const std::uint8_t* CIndicesDoc::HostRecord(int i) const
{
    return reinterpret_cast<const std::uint8_t*>(SecurityTable().GetRec(i));
}

int CIndicesDoc::ApplyFilter(bool retitle)
{
    if (m_bOpened == 0)
        return CTableIndexDoc::ApplyFilter(retitle);
    Retitle();
    return 1;
}
