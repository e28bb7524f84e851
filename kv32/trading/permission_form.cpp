#include "kv32/trading/permission_form.h"

#include <algorithm>
#include <cstring>

#include "kv32/tables/all_tables.h"
#include "kvcore/values/field_writer.h"

namespace {

constexpr int kUserWidth = 12;
constexpr int kCodeWidth = 4;
constexpr int kInstrumentIdWidth = 12;
constexpr int kPriorityWidth = 12;

template <class Table> std::vector<KvPermissionItem> CodesAndNames(Table& table)
{
    std::vector<KvPermissionItem> items;
    for (int i = 0; i < table.GetCount(); ++i) {
        const auto& rec = *table.GetRec(i);
        items.push_back({ rec.szName, rec.szCode });
    }
    return items;
}

} // namespace

std::vector<KvPermissionItem> PermissionScopeItems(int scope)
{
    switch (scope) {
    case kScopeBoard:
        return CodesAndNames(BoardTable());
    case kScopeMarket:
        return CodesAndNames(MarketTable());
    case kScopeInstrument:
        return CodesAndNames(InstrumentTable());
    case kScopeSector:
        return CodesAndNames(SectorTable());
    case kScopeSecurity: {
        std::vector<KvPermissionItem> items;
        CSecurityTable& securities = SecurityTable();
        for (int row : securities.GetDistinctList()) {
            if (row < 0 || row >= securities.GetCount())
                continue;
            const SecurityRec& s = *securities.GetRec(row);
            const std::string key(s.szCode, strnlen(s.szCode, sizeof s.szCode));
            items.push_back({ s.szShortName, key.size() > 5 ? key.substr(5, kInstrumentIdWidth) : std::string() });
        }
        return items;
    }
    default:
        return {};
    }
}

KvPermissionRecord BuildPermissionRecord(const KvPermissionInput& in)
{
    const auto fail = [](KvPermissionField f) { return KvPermissionRecord { std::string(), f }; };
    if (in.firm.size() > static_cast<size_t>(kUserWidth))
        return fail(KvPermissionField::Firm);
    if (in.userText.size() > static_cast<size_t>(kUserWidth))
        return fail(KvPermissionField::User);
    if (in.priority.size() > static_cast<size_t>(kPriorityWidth))
        return fail(KvPermissionField::Priority);
    if (in.role.size() > 2 || !std::all_of(in.role.begin(), in.role.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return fail(KvPermissionField::Role);
    if (in.scope < kScopeBoard || in.scope > kScopeSecurity)
        return fail(KvPermissionField::Item);
    // The industry is typed: only its first four characters travel.
    const std::string code = in.scope == kScopeIndustry ? in.code.substr(0, kCodeWidth) : in.code;
    const int codeWidth = in.scope == kScopeSecurity ? kInstrumentIdWidth : kCodeWidth;
    if (code.size() > static_cast<size_t>(codeWidth))
        return fail(KvPermissionField::Item);

    KvFieldWriter w;
    w.TextCut(in.user, kUserWidth);
    w.Char(in.deleteMode ? kPermissionDelete : kPermissionSet);
    w.Text(in.firm, kUserWidth);
    w.Text(in.userText, kUserWidth);
    for (int scope : { kScopeBoard, kScopeMarket, kScopeInstrument, kScopeIndustry, kScopeSector })
        w.Text(scope == in.scope ? code : std::string(), kCodeWidth);
    w.Text(in.scope == kScopeSecurity ? code : std::string(), kInstrumentIdWidth);
    w.Char(in.negated ? 'Y' : 'N');
    w.Text(in.priority, kPriorityWidth);
    w.Text(std::string(2 - in.role.size(), '0') + in.role, 2);
    if (!w.Ok() || w.Size() != kPermissionLength)
        return fail(KvPermissionField::Item);
    return { w.Str(), KvPermissionField::None };
}
