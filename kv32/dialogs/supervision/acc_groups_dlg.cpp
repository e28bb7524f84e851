#include "kv32/dialogs/supervision/acc_groups_dlg.h"

#include <QTabBar>

#include "fw/core/msgbox.h"
#include "fw/ui/commondlg.h"
#include "fw/ui/text.h"
#include "kv32/dialogs/supervisor_requests.h"
#include "kv32/res/supervision_b_ids.h"
#include "kv32/shell/text_format.h"
#include "kv32/tables/trader_table.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/prompts.h"
#include "kvcore/app/session_core.h"

namespace {

struct TabTitles {
    uint32_t tab, available, selected;
};
constexpr TabTitles kTitles[kGroupTabCount] = {
    { IDS_ACC_TAB_USERS, IDS_ACC_AVAILABLE_USERS, IDS_ACC_SELECTED_USERS },
    { IDS_ACC_TAB_ACCOUNTS, IDS_ACC_AVAILABLE_ACCOUNTS, IDS_ACC_SELECTED_ACCOUNTS },
};

int SendGroupTransaction(int code, std::string& record)
{
    if (record.empty())
        return 0;
    return VORLTransaction(code, record.data(), static_cast<int>(record.size()), 1);
}

} // namespace

CTrdAccGroups_NewGroup::CTrdAccGroups_NewGroup(QWidget* parent)
    : CKvDialog(Kv32AccountDialog(IDD_ACC_GROUPS_NEW), parent)
{
    commands().onNotify(IDC_GRP_NAME, fw::Notify::Change, [this] { OkRule(); });
    commands().onNotify(IDC_GRP_FIRM, fw::Notify::Change, [this] { OkRule(); });
}

bool CTrdAccGroups_NewGroup::onInitDialog()
{
    CKvDialog::onInitDialog();
    setItemText(IDC_GRP_FIRM, OwnFirmCode());
    OkRule();
    return true;
}

void CTrdAccGroups_NewGroup::OkRule()
{
    enableItem(fw::kIdOk, !itemText(IDC_GRP_NAME).empty() && !itemText(IDC_GRP_FIRM).empty());
}

void CTrdAccGroups_NewGroup::onOK()
{
    const std::string name = itemText(IDC_GRP_NAME);
    const std::string firm = itemText(IDC_GRP_FIRM);
    if (name.empty() || firm.empty())
        return;
    std::string record = BuildGroupRecord(KvRequestUser(), 'A', firm, name);
    if (record.empty()) {
        KvMessageBox(Kv32AccountDialogString(IDS_ACC_INVALID_VALUE), fw::MB_ICONSTOP);
        gotoItem(name.size() > 12 ? IDC_GRP_NAME : IDC_GRP_FIRM);
        return;
    }
    if (SendGroupTransaction(kTrGroup, record) != 0)
        endDialog(fw::IDOK);
}

CTrdAccGroupsDlg::CTrdAccGroupsDlg(QWidget* parent)
    : CKvDialog(Kv32AccountDialog(IDD_ACC_GROUPS), parent)
    , m_form(KvRequestUser())
{
    commands().onNotify(IDC_GRP_GROUPS, fw::Notify::SelChange, [this] {
        if (!m_bFilling)
            GroupChanged();
    });
    for (uint32_t list : { IDC_GRP_AVAILABLE, IDC_GRP_SELECTED })
        commands().onNotify(list, fw::Notify::SelChange, [this] {
            if (!m_bFilling)
                ButtonRules();
        });
    commands().onNotify(IDC_GRP_ADD, fw::Notify::Clicked, [this] { MoveMembers(true, false); });
    commands().onNotify(IDC_GRP_ADD_ALL, fw::Notify::Clicked, [this] { MoveMembers(true, true); });
    commands().onNotify(IDC_GRP_REMOVE, fw::Notify::Clicked, [this] { MoveMembers(false, false); });
    commands().onNotify(IDC_GRP_REMOVE_ALL, fw::Notify::Clicked, [this] { MoveMembers(false, true); });
    commands().onNotify(IDC_GRP_UNSELECT_AVAILABLE, fw::Notify::Clicked, [this] {
        setSel(IDC_GRP_AVAILABLE, -1, false);
        ButtonRules();
    });
    commands().onNotify(IDC_GRP_UNSELECT_SELECTED, fw::Notify::Clicked, [this] {
        setSel(IDC_GRP_SELECTED, -1, false);
        ButtonRules();
    });
    commands().onNotify(IDC_GRP_NEW, fw::Notify::Clicked, [this] { OnNew(); });
    commands().onNotify(IDC_GRP_DELETE, fw::Notify::Clicked, [this] { OnDelete(); });
    commands().onNotify(IDC_GRP_APPLY, fw::Notify::Clicked, [this] { OnApply(); });
}

bool CTrdAccGroupsDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    auto tabs = std::make_unique<QTabBar>();
    for (const TabTitles& t : kTitles)
        tabs->addTab(fw::toQt(Kv32AccountDialogString(t.tab)));
    m_pTabs = tabs.get();
    setItemWidget(IDC_GRP_TAB, std::move(tabs));
    connect(m_pTabs, &QTabBar::currentChanged, this, [this](int tab) { TabChanged(tab); });
    enableItem(IDC_GRP_APPLY, false);
    LoadGroups(0);
    return true;
}

void CTrdAccGroupsDlg::SelectTab(int tab)
{
    if (m_pTabs != nullptr)
        m_pTabs->setCurrentIndex(tab);
}

void CTrdAccGroupsDlg::LoadGroups(int select)
{
    {
        fw::WaitCursor wait;
        m_form.LoadGroups();
    }
    m_bFilling = true;
    resetContent(IDC_GRP_GROUPS);
    for (const KvGroup& g : m_form.Groups())
        addString(IDC_GRP_GROUPS, GroupLine(g));
    const int count = static_cast<int>(m_form.Groups().size());
    setCurSel(IDC_GRP_GROUPS, count == 0 ? -1 : std::min(std::max(select, 0), count - 1));
    m_bFilling = false;
    ShowGroup(curSel(IDC_GRP_GROUPS));
}

bool CTrdAccGroupsDlg::MayDropChanges()
{
    const int shown = m_form.Shown();
    if (!isItemEnabled(IDC_GRP_APPLY) || shown < 0)
        return true;
    const std::string text = KvFillText(Kv32AccountDialogString(IDS_ACC_GROUP_DISCARD),
        { m_form.Groups()[static_cast<size_t>(shown)].code });
    return KvMessageBox(text, fw::MB_YESNO | fw::MB_ICONQUESTION) == fw::IDYES;
}

void CTrdAccGroupsDlg::GroupChanged()
{
    const int group = curSel(IDC_GRP_GROUPS);
    if (group == m_form.Shown())
        return;
    if (!MayDropChanges()) {
        m_bFilling = true;
        setCurSel(IDC_GRP_GROUPS, m_form.Shown());
        m_bFilling = false;
        return;
    }
    ShowGroup(group);
}

void CTrdAccGroupsDlg::ShowGroup(int group)
{
    enableItem(IDC_GRP_APPLY, false);
    {
        fw::WaitCursor wait;
        m_form.LoadMembers(group);
    }
    enableItem(IDC_GRP_DELETE, m_form.Shown() >= 0);
    m_bFilling = true;
    resetContent(IDC_GRP_AVAILABLE);
    resetContent(IDC_GRP_SELECTED);
    m_bFilling = false;
    Refill();
}

void CTrdAccGroupsDlg::TabChanged(int tab)
{
    if (tab < 0 || tab >= kGroupTabCount)
        return;
    m_nTab = tab;
    Refill();
}

std::set<std::string> CTrdAccGroupsDlg::SelectedCodes(uint32_t list) const
{
    std::set<std::string> codes;
    for (int i : selectedItems(list))
        codes.insert(itemString(list, i));
    return codes;
}

void CTrdAccGroupsDlg::Refill()
{
    const std::set<std::string> keepAvailable = SelectedCodes(IDC_GRP_AVAILABLE);
    const std::set<std::string> keepSelected = SelectedCodes(IDC_GRP_SELECTED);
    setItemText(IDC_GRP_AVAILABLE_TITLE, Kv32AccountDialogString(kTitles[m_nTab].available));
    setItemText(IDC_GRP_SELECTED_TITLE, Kv32AccountDialogString(kTitles[m_nTab].selected));
    m_bFilling = true;
    const auto fill = [this](uint32_t list, const std::vector<std::string>& codes, const std::set<std::string>& keep) {
        resetContent(list);
        for (const std::string& code : codes) {
            const int line = addString(list, code);
            if (keep.count(code) != 0)
                setSel(list, line, true);
        }
    };
    fill(IDC_GRP_AVAILABLE, m_form.Available(m_nTab), keepAvailable);
    fill(IDC_GRP_SELECTED, m_form.Selected(m_nTab), keepSelected);
    m_bFilling = false;
    ButtonRules();
}

void CTrdAccGroupsDlg::ButtonRules()
{
    const bool shown = m_form.Shown() >= 0;
    const bool available = shown && itemCount(IDC_GRP_AVAILABLE) > 0;
    const bool selected = shown && itemCount(IDC_GRP_SELECTED) > 0;
    enableItem(IDC_GRP_ADD, available);
    enableItem(IDC_GRP_ADD_ALL, available);
    enableItem(IDC_GRP_REMOVE, selected);
    enableItem(IDC_GRP_REMOVE_ALL, selected);
    enableItem(IDC_GRP_UNSELECT_AVAILABLE, available);
    enableItem(IDC_GRP_UNSELECT_SELECTED, selected);
}

void CTrdAccGroupsDlg::MoveMembers(bool add, bool all)
{
    const uint32_t from = add ? IDC_GRP_AVAILABLE : IDC_GRP_SELECTED;
    std::vector<std::string> codes;
    for (int i = 0; i < itemCount(from); ++i)
        if (all || isSelected(from, i))
            codes.push_back(itemString(from, i));
    if (codes.empty())
        return;
    if (add)
        m_form.Add(m_nTab, codes);
    else
        m_form.Remove(m_nTab, codes);
    enableItem(IDC_GRP_APPLY, true);
    Refill();
}

void CTrdAccGroupsDlg::OnNew()
{
    // A new group reloads the lists: unapplied changes would go with them.
    if (!MayDropChanges())
        return;
    CTrdAccGroups_NewGroup dlg(this);
    if (dlg.doModal() != fw::IDOK)
        return;
    LoadGroups(curSel(IDC_GRP_GROUPS));
}

void CTrdAccGroupsDlg::OnDelete()
{
    if (m_form.Shown() < 0 || !MayDropChanges())
        return;
    if (AreYouShure(0u) != fw::IDYES)
        return;
    enableItem(IDC_GRP_APPLY, false);
    std::string record = m_form.DeleteRecord();
    SendGroupTransaction(kTrGroup, record);
    LoadGroups(0);
}

void CTrdAccGroupsDlg::OnApply()
{
    const bool done = m_form.Apply(m_nTab, [](KvGroupTransaction& t) { return SendGroupTransaction(t.code, t.record); });
    if (done)
        KvMessageBox(Kv32AccountDialogString(IDS_ACC_GROUP_UPDATED), fw::MB_ICONINFORMATION);
    else
        KvMessageBox(Kv32AccountDialogString(IDS_ACC_GROUP_FAILED), fw::MB_ICONSTOP);
    // What the host holds now, whichever transactions went through.
    ShowGroup(m_form.Shown());
}

void CTrdAccGroupsDlg::onOK()
{
    if (!MayDropChanges())
        return;
    endDialog(fw::IDOK);
}

int KvRunAccGroupsDialog()
{
    if (ps == nullptr)
        return fw::IDCANCEL;
    CTrdAccGroupsDlg dlg;
    return dlg.doModal();
}
