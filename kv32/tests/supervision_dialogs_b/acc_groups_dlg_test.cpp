// The trading account groups dialog offscreen over the scripted router: the
// members on both tabs, the question before changes are dropped, Apply and
// its report, a new group and a deleted one.
#include <gtest/gtest.h>

#include "kv32/dialogs/supervision/acc_groups_dlg.h"
#include "kv32/res/supervision_b_ids.h"
#include "supervision_dialogs_b/account_dialogs_fixture.h"

namespace {

using namespace acctest;

Msg Groups60(const std::vector<std::pair<std::string, std::string>>& groups)
{
    std::string text = "00000001" + Pad("FIRM1", 12) + "1" + Digits(static_cast<int>(groups.size()), 8);
    for (const auto& [code, name] : groups)
        text += Pad(code, 12) + Pad(name, 30);
    return { 60, text };
}

const std::string kEcho = "00000001" + std::string(24, ' ') + "1";

Msg Users62(const std::vector<std::string>& users)
{
    std::string text = kEcho + Digits(static_cast<int>(users.size()), 8);
    for (const std::string& u : users)
        text += Pad(u, 12) + "A";
    return { 62, text };
}

Msg Accounts61(const std::vector<std::string>& accounts)
{
    std::string text = kEcho + Digits(static_cast<int>(accounts.size()), 8);
    for (const std::string& a : accounts)
        text += Pad(a, 12) + Pad("Account " + a, 30);
    return { 61, text };
}

class GroupsDialog : public AccountDialogs {
protected:
    void QueueGroups() { router.Reply({ Groups60({ { "GRP1", "Clients" }, { "GRP2", "House" } }), End() }); }
    // The members of a group as the host holds them, and the firm's accounts.
    void QueueMembers(const std::vector<std::string>& users, const std::vector<std::string>& accounts)
    {
        router.Reply({ Users62(users), End() });
        router.Reply({ Accounts61(accounts), End() });
        router.Reply({ Page88("00000001", true, { "ACC1:A", "ACC2:A", "ACC3:S" }), End() });
    }
    static std::vector<std::string> Lines(fw::Dialog& d, uint32_t id)
    {
        std::vector<std::string> out;
        for (int i = 0; i < d.itemCount(id); ++i)
            out.push_back(d.itemString(id, i));
        return out;
    }
    // Selects the lines with these texts in a member list and moves them.
    static void Move(fw::Dialog& d, uint32_t list, const std::vector<std::string>& codes, uint32_t button)
    {
        d.setSel(list, -1, false);
        for (const std::string& code : codes)
            d.setSel(list, d.findStringExact(list, -1, code), true);
        d.userClick(button);
    }
    std::vector<std::string> Transactions() const
    {
        std::vector<std::string> out;
        for (const Msg& m : router.Requests())
            if (m.type == 166 || m.type == 167 || m.type == 168)
                out.push_back(std::to_string(m.type) + ":" + m.bytes);
        return out;
    }
};

TEST_F(GroupsDialog, BothTabsShowTheMembersAndKeepTheirChanges)
{
    QueueGroups();
    QueueMembers({ "TRADER01" }, { "ACC1" });
    CTrdAccGroupsDlg dlg;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        EXPECT_EQ(Lines(d, IDC_GRP_GROUPS), (std::vector<std::string> { "GRP1 - Clients", "GRP2 - House" }));
        EXPECT_EQ(d.curSel(IDC_GRP_GROUPS), 0);
        EXPECT_FALSE(d.isItemEnabled(IDC_GRP_APPLY));
        EXPECT_EQ(d.itemText(IDC_GRP_AVAILABLE_TITLE), "Available Users:");
        EXPECT_EQ(Lines(d, IDC_GRP_SELECTED), std::vector<std::string> { "TRADER01" });
        EXPECT_EQ(Lines(d, IDC_GRP_AVAILABLE), (std::vector<std::string> { "TRADER02", "TRADER03" }))
            << "only the users of the own firm";
        Move(d, IDC_GRP_AVAILABLE, { "TRADER03" }, IDC_GRP_ADD);
        EXPECT_TRUE(d.isItemEnabled(IDC_GRP_APPLY));
        dlg.SelectTab(kGroupAccounts);
        EXPECT_EQ(d.itemText(IDC_GRP_SELECTED_TITLE), "Selected Trading Accounts:");
        EXPECT_EQ(Lines(d, IDC_GRP_SELECTED), std::vector<std::string> { "ACC1" });
        EXPECT_EQ(Lines(d, IDC_GRP_AVAILABLE), (std::vector<std::string> { "ACC2", "ACC3" }));
        d.userClick(IDC_GRP_ADD_ALL);
        EXPECT_EQ(Lines(d, IDC_GRP_AVAILABLE), std::vector<std::string> {});
        EXPECT_FALSE(d.isItemEnabled(IDC_GRP_ADD));
        dlg.SelectTab(kGroupUsers);
        EXPECT_EQ(Lines(d, IDC_GRP_SELECTED), (std::vector<std::string> { "TRADER01", "TRADER03" }))
            << "a tab switch loses nothing";
        d.userClick(fw::kIdCancel);
    });
    EXPECT_TRUE(Transactions().empty());
}

TEST_F(GroupsDialog, SwitchingGroupsWithUnappliedChangesAsksFirst)
{
    QueueGroups();
    QueueMembers({ "TRADER01" }, {});
    script.answerMessageBox(fw::IDNO);
    script.answerMessageBox(fw::IDYES);
    CTrdAccGroupsDlg dlg;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        Move(d, IDC_GRP_SELECTED, { "TRADER01" }, IDC_GRP_REMOVE);
        router.ClearRecord();
        d.userSelect(IDC_GRP_GROUPS, 1);
        EXPECT_EQ(d.curSel(IDC_GRP_GROUPS), 0) << "No keeps the group";
        EXPECT_TRUE(d.isItemEnabled(IDC_GRP_APPLY));
        EXPECT_EQ(Lines(d, IDC_GRP_AVAILABLE), (std::vector<std::string> { "TRADER01", "TRADER02", "TRADER03" }));
        EXPECT_TRUE(router.Requests().empty());
        QueueMembers({ "TRADER02" }, {});
        d.userSelect(IDC_GRP_GROUPS, 1);
        EXPECT_FALSE(d.isItemEnabled(IDC_GRP_APPLY));
        EXPECT_EQ(Lines(d, IDC_GRP_SELECTED), std::vector<std::string> { "TRADER02" });
        d.userClick(fw::kIdCancel);
    });
    const std::string question = "You have made modifications to group GRP1 if you proceed you will loose your "
                                 "changes. Do you still wish to proceed ?";
    EXPECT_EQ(script.messageBoxes(), (std::vector<std::string> { question, question }));
    EXPECT_EQ(Sent(62), std::vector<std::string> { kUser + "00000000FIRM1       GRP2        " });
}

TEST_F(GroupsDialog, ApplySendsTheOtherTabFirstAndStopsAtTheFirstRefusal)
{
    QueueGroups();
    QueueMembers({ "TRADER01" }, { "ACC1" });
    script.answerMessageBox(fw::IDOK);
    script.answerMessageBox(fw::IDOK);
    CTrdAccGroupsDlg dlg;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        Move(d, IDC_GRP_AVAILABLE, { "TRADER02" }, IDC_GRP_ADD);
        Move(d, IDC_GRP_SELECTED, { "TRADER01" }, IDC_GRP_REMOVE);
        dlg.SelectTab(kGroupAccounts);
        Move(d, IDC_GRP_AVAILABLE, { "ACC3" }, IDC_GRP_ADD);
        dlg.SelectTab(kGroupUsers);
        router.Reply({ Accepted() }); // 167 add ACC3
        router.Reply({ Refused("Not a user of the firm.") }); // 168 remove TRADER01
        QueueMembers({ "TRADER01" }, { "ACC1", "ACC3" });
        d.userClick(IDC_GRP_APPLY);
        EXPECT_FALSE(d.isItemEnabled(IDC_GRP_APPLY));
        EXPECT_EQ(Lines(d, IDC_GRP_SELECTED), std::vector<std::string> { "TRADER01" }) << "read again";
        d.userClick(fw::kIdOk);
    });
    const std::string head = kUser;
    EXPECT_EQ(Transactions(), (std::vector<std::string> {
                                  "167:" + head + "AFIRM1       GRP1        00000001ACC3        ",
                                  "168:" + head + "DFIRM1       GRP1        TRADER01    ",
                              }));
    EXPECT_EQ(script.messageBoxes(), (std::vector<std::string> { "Not a user of the firm.", "Update of group failed!" }));
}

TEST_F(GroupsDialog, ApplyWithNothingChangedSendsNothingAndReportsSuccess)
{
    QueueGroups();
    QueueMembers({ "TRADER01" }, {});
    script.answerMessageBox(fw::IDOK);
    CTrdAccGroupsDlg dlg;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        Move(d, IDC_GRP_AVAILABLE, { "TRADER02" }, IDC_GRP_ADD);
        Move(d, IDC_GRP_SELECTED, { "TRADER02" }, IDC_GRP_REMOVE);
        EXPECT_TRUE(d.isItemEnabled(IDC_GRP_APPLY));
        QueueMembers({ "TRADER01" }, {});
        d.userClick(IDC_GRP_APPLY);
        d.userClick(fw::kIdOk);
    });
    EXPECT_TRUE(Transactions().empty());
    EXPECT_EQ(script.messageBoxes(), std::vector<std::string> { "Update of group completed successfully!" });
}

TEST_F(GroupsDialog, NewGroupIsSentAndListedAndDeleteConfirmsFirst)
{
    QueueGroups();
    QueueMembers({}, {});
    script.expectDialog(IDD_ACC_GROUPS_NEW, [&](fw::Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_GRP_FIRM), "FIRM1");
        EXPECT_FALSE(d.isItemEnabled(fw::kIdOk));
        d.userType(IDC_GRP_NAME, "GRP3");
        d.userClick(fw::kIdOk);
        EXPECT_TRUE(d.isVisible()) << "a refusal keeps the name";
        EXPECT_EQ(d.itemText(IDC_GRP_NAME), "GRP3");
        d.userClick(fw::kIdOk);
    });
    script.answerMessageBox(fw::IDOK);
    session.m_bConfirm = 1;
    script.answerMessageBox(fw::IDYES);
    CTrdAccGroupsDlg dlg;
    fw::test::runModal(dlg, [&](fw::Dialog& d) {
        // Replies answer the requests in order: the two adds, then the reload.
        router.Reply({ Refused("Group exists.") });
        router.Reply({ Accepted() });
        router.Reply({ Groups60({ { "GRP1", "Clients" }, { "GRP2", "House" }, { "GRP3", "" } }), End() });
        QueueMembers({}, {});
        d.userClick(IDC_GRP_NEW);
        EXPECT_EQ(d.itemCount(IDC_GRP_GROUPS), 3);
        d.setCurSel(IDC_GRP_GROUPS, 2);
        QueueMembers({}, {});
        d.userSelect(IDC_GRP_GROUPS, 2);
        router.Reply({ Accepted() });
        router.Reply({ Groups60({ { "GRP1", "Clients" }, { "GRP2", "House" } }), End() });
        QueueMembers({}, {});
        d.userClick(IDC_GRP_DELETE);
        EXPECT_EQ(d.itemCount(IDC_GRP_GROUPS), 2);
        d.userClick(fw::kIdOk);
    });
    const std::string head = kUser;
    EXPECT_EQ(Transactions(), (std::vector<std::string> { "166:" + head + "AFIRM1       GRP3        " + std::string(30, ' '),
                                  "166:" + head + "AFIRM1       GRP3        " + std::string(30, ' '),
                                  "166:" + head + "DFIRM1       GRP3        " + std::string(30, ' ') }));
    EXPECT_EQ(script.messageBoxes(),
        (std::vector<std::string> { "Group exists.", "Press \"Yes\" button to confirm operation." }));
}

} // namespace
