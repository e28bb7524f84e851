// The trading account groups of the user's firm ("Session > Trading Accounts >
// Groups..."): a group's users and trading accounts on two tabs, moved between
// the available and the selected list and sent with Apply; a new group in a
// small dialog of its own. The rules are in acc_groups_form.h.
#pragma once

#include <set>
#include <string>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/dialogs/supervision/acc_groups_form.h"

class QTabBar;

class CTrdAccGroups_NewGroup : public CKvDialog {
    Q_OBJECT
public:
    explicit CTrdAccGroups_NewGroup(QWidget* parent = nullptr);

    bool onInitDialog() override;
    // Sends transaction 166 'A'; closes only when the host accepted it.
    void onOK() override;

private:
    void OkRule();
};

class CTrdAccGroupsDlg : public CKvDialog {
    Q_OBJECT
public:
    explicit CTrdAccGroupsDlg(QWidget* parent = nullptr);

    bool onInitDialog() override;
    void onOK() override;

    const CAccGroupsForm& Form() const { return m_form; }
    int Tab() const { return m_nTab; }
    void SelectTab(int tab);

private:
    void LoadGroups(int select);
    void GroupChanged();
    void ShowGroup(int group);
    void TabChanged(int tab);
    void Refill();
    void ButtonRules();
    void MoveMembers(bool add, bool all);
    void OnNew();
    void OnDelete();
    void OnApply();
    // The question before unapplied changes are dropped; true to go on.
    bool MayDropChanges();
    std::set<std::string> SelectedCodes(uint32_t list) const;

    CAccGroupsForm m_form;
    QTabBar* m_pTabs = nullptr;
    int m_nTab = kGroupUsers;
    bool m_bFilling = false; // the lists are being filled by the dialog itself
};

// Runs the dialog (main menu command 60020); nothing without a session.
int KvRunAccGroupsDialog();
