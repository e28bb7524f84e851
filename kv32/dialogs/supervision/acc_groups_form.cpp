#include "kv32/dialogs/supervision/acc_groups_form.h"

#include <algorithm>

#include "kv32/dialogs/supervision/tr_acc_form.h"
#include "kv32/tables/account_group_tables.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/trader_table.h"
#include "kvcore/values/field_writer.h"

namespace {

constexpr int kUserWidth = 12;
constexpr int kCodeWidth = 12;
constexpr int kGroupTailWidth = 30;

KvFieldWriter Head(std::string_view user, char action, std::string_view firm, std::string_view group)
{
    KvFieldWriter w;
    w.TextCut(user, kUserWidth).Char(action).Text(firm, kCodeWidth).Text(group, kCodeWidth);
    return w;
}

bool Contains(const std::vector<std::string>& list, const std::string& code)
{
    return std::find(list.begin(), list.end(), code) != list.end();
}

// Moves the codes that `from` holds to the end of `to`.
bool Move(std::vector<std::string>& from, std::vector<std::string>& to, const std::vector<std::string>& codes)
{
    bool moved = false;
    for (const std::string& code : codes) {
        const auto it = std::find(from.begin(), from.end(), code);
        if (it == from.end())
            continue;
        from.erase(it);
        to.push_back(code);
        moved = true;
    }
    return moved;
}

} // namespace

std::string BuildGroupRecord(std::string_view user, char action, std::string_view firm, std::string_view group)
{
    KvFieldWriter w = Head(user, action, firm, group);
    w.Text("", kGroupTailWidth);
    return w.Str();
}

std::string BuildGroupAccountRecord(
    std::string_view user, char action, std::string_view firm, std::string_view group, std::string_view account)
{
    KvFieldWriter w = Head(user, action, firm, group);
    w.Number(1, 8).Text(account, kCodeWidth);
    return w.Str();
}

std::string BuildGroupUserRecord(
    std::string_view user, char action, std::string_view firm, std::string_view group, std::string_view member)
{
    KvFieldWriter w = Head(user, action, firm, group);
    w.Text(member, kCodeWidth);
    return w.Str();
}

std::string GroupLine(const KvGroup& group)
{
    return group.name.empty() ? group.code : group.code + " - " + group.name;
}

CAccGroupsForm::CAccGroupsForm(std::string user)
    : m_user(std::move(user))
{
}

int CAccGroupsForm::LoadGroups()
{
    CCodeTable60 table;
    const int result = table.Request();
    m_groups.clear();
    for (int i = 0; i < table.GetCount(); ++i) {
        const GroupRec& g = *table.GetRec(i);
        m_groups.push_back({ g.szCode, g.szName, g.szOwner });
    }
    return result;
}

int CAccGroupsForm::LoadMembers(int group)
{
    for (int tab = 0; tab < kGroupTabCount; ++tab) {
        m_current[tab].clear();
        m_selected[tab].clear();
    }
    m_firmAccounts.clear();
    m_changed = false;
    m_shown = group >= 0 && group < static_cast<int>(m_groups.size()) ? group : -1;
    if (m_shown < 0)
        return 1;
    const std::string& code = m_groups[static_cast<size_t>(m_shown)].code;
    CCodeTable62 users;
    int result = users.Request(code);
    for (int i = 0; i < users.GetCount(); ++i)
        m_current[kGroupUsers].emplace_back(users.GetRec(i)->szCode);
    CCodeTable61 accounts;
    result &= accounts.Request(code);
    for (int i = 0; i < accounts.GetCount(); ++i)
        m_current[kGroupAccounts].emplace_back(accounts.GetRec(i)->szCode);
    CTrAccHostList firmAccounts;
    result &= firmAccounts.Request(OwnFirmCode());
    for (const KvHostAccount& a : firmAccounts.Rows())
        m_firmAccounts.push_back(a.code);
    for (int tab = 0; tab < kGroupTabCount; ++tab)
        m_selected[tab] = m_current[tab];
    return result;
}

std::vector<std::string> CAccGroupsForm::Available(int tab) const
{
    std::vector<std::string> out;
    if (m_shown < 0)
        return out;
    if (tab == kGroupUsers) {
        const std::string firm = OwnFirmCode();
        CTraderTable& traders = TraderTable();
        for (int i = 0; i < traders.GetCount(); ++i) {
            const TraderRec& t = *traders.GetRec(i);
            if (firm == t.szFirm && !Contains(m_selected[tab], t.szCode) && !Contains(out, t.szCode))
                out.emplace_back(t.szCode);
        }
        return out;
    }
    for (const std::string& code : m_firmAccounts)
        if (!Contains(m_selected[tab], code) && !Contains(out, code))
            out.push_back(code);
    return out;
}

void CAccGroupsForm::Add(int tab, const std::vector<std::string>& codes)
{
    std::vector<std::string> available = Available(tab);
    std::vector<std::string> wanted;
    for (const std::string& code : codes)
        if (Contains(available, code))
            wanted.push_back(code);
    if (Move(available, m_selected[tab], wanted))
        m_changed = true;
}

void CAccGroupsForm::Remove(int tab, const std::vector<std::string>& codes)
{
    std::vector<std::string> removed;
    if (Move(m_selected[tab], removed, codes))
        m_changed = true;
}

std::vector<KvGroupTransaction> CAccGroupsForm::Changes(int tab) const
{
    std::vector<KvGroupTransaction> out;
    if (m_shown < 0)
        return out;
    const KvGroup& g = m_groups[static_cast<size_t>(m_shown)];
    const auto record = [&](char action, const std::string& member) {
        if (tab == kGroupUsers)
            return KvGroupTransaction { kTrGroupUser, BuildGroupUserRecord(m_user, action, g.firm, g.code, member) };
        return KvGroupTransaction { kTrGroupAccount, BuildGroupAccountRecord(m_user, action, g.firm, g.code, member) };
    };
    for (const std::string& member : m_current[tab])
        if (!Contains(m_selected[tab], member))
            out.push_back(record('D', member));
    for (const std::string& member : m_selected[tab])
        if (!Contains(m_current[tab], member))
            out.push_back(record('A', member));
    return out;
}

bool CAccGroupsForm::Apply(int shownTab, const std::function<int(KvGroupTransaction&)>& send) const
{
    const int order[] = { shownTab == kGroupUsers ? kGroupAccounts : kGroupUsers, shownTab };
    for (int tab : order) {
        for (KvGroupTransaction& t : Changes(tab)) {
            // A record that cannot be built is a refusal too: nothing half-sent goes out.
            if (t.record.empty() || send(t) == 0)
                return false;
        }
    }
    return true;
}

std::string CAccGroupsForm::DeleteRecord() const
{
    if (m_shown < 0)
        return {};
    const KvGroup& g = m_groups[static_cast<size_t>(m_shown)];
    return BuildGroupRecord(m_user, 'D', g.firm, g.code);
}
