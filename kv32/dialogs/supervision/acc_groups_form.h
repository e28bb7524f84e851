// The rules of the trading account groups dialog without its window: the
// groups of the user's firm, the members of the group shown on its two tabs
// (users, trading accounts), the changes waiting on each tab, and Apply, which
// turns them into exactly one transaction per removed and per added member.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum KvGroupTab : int { kGroupUsers = 0, kGroupAccounts = 1, kGroupTabCount = 2 };

inline constexpr int kTrGroup = 166;
inline constexpr int kTrGroupAccount = 167;
inline constexpr int kTrGroupUser = 168;

struct KvGroup {
    std::string code;
    std::string name;
    std::string firm; // the firm that owns the group
};

struct KvGroupTransaction {
    int code = 0;
    std::string record;
    bool operator==(const KvGroupTransaction&) const = default;
};

// 67 bytes: user 12, action 'A' or 'D', firm 12, group 12, 30 blanks.
std::string BuildGroupRecord(std::string_view user, char action, std::string_view firm, std::string_view group);
// 57 bytes: user 12, action, firm 12, group 12, "00000001", account 12.
std::string BuildGroupAccountRecord(
    std::string_view user, char action, std::string_view firm, std::string_view group, std::string_view account);
// 49 bytes: user 12, action, firm 12, group 12, member user 12.
std::string BuildGroupUserRecord(
    std::string_view user, char action, std::string_view firm, std::string_view group, std::string_view member);

// What a list line of a group shows: its code and its name.
std::string GroupLine(const KvGroup& group);

class CAccGroupsForm {
public:
    explicit CAccGroupsForm(std::string user);

    // Request 60 for the user's firm; the groups replace the list.
    int LoadGroups();
    const std::vector<KvGroup>& Groups() const { return m_groups; }

    // Reads the group's users (62) and accounts (61) and the firm's accounts
    // (88); every waiting change is dropped. -1 shows no group.
    int LoadMembers(int group);
    int Shown() const { return m_shown; }

    const std::vector<std::string>& Current(int tab) const { return m_current[tab]; }
    const std::vector<std::string>& Selected(int tab) const { return m_selected[tab]; }
    // The users of the user's firm, or the firm's accounts, that are not selected.
    std::vector<std::string> Available(int tab) const;

    // Moves members between the two lists of a tab (codes not on the source
    // list are ignored); a move marks the group as changed.
    void Add(int tab, const std::vector<std::string>& codes);
    void Remove(int tab, const std::vector<std::string>& codes);
    bool Changed() const { return m_changed; }

    // The transactions that make the host's members of the tab what the
    // selected list holds: removals ('D') first, then additions ('A').
    std::vector<KvGroupTransaction> Changes(int tab) const;
    // Sends the other tab's changes, then the shown tab's, and stops at the
    // first that `send` refuses (returns 0). True when every one was accepted
    // (also when there was nothing to send).
    bool Apply(int shownTab, const std::function<int(KvGroupTransaction&)>& send) const;

    // Transaction 166 for the shown group with action 'D'; empty without one.
    std::string DeleteRecord() const;

private:
    std::string m_user;
    std::vector<KvGroup> m_groups;
    int m_shown = -1;
    std::vector<std::string> m_current[kGroupTabCount];
    std::vector<std::string> m_selected[kGroupTabCount];
    std::vector<std::string> m_firmAccounts;
    bool m_changed = false;
};
