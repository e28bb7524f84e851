#include "kvcore/dialogs/shortcut_keys_page.h"

#include <memory>

#include "fw/core/msgbox.h"
#include "kvcore/app/message_box.h"
#include "kvcore/dialogs/chooser_ids.h"
#include "kvcore/ui/hot_key_edit.h"

CShortcutKeysPage::CShortcutKeysPage(const KvCommandList& commandList, KvShortcutTable& table,
    std::vector<fw::AccelRecord> defaults, std::function<void(const KvShortcutTable&)> putInForce)
    : fw::PropertyPage(IDD_SHORTCUT_KEYS)
    , m_keys(commandList, table.m_entries, std::move(defaults))
    , m_table(table)
    , m_putInForce(std::move(putInForce))
{
    commands().onNotify(IDC_SHORTCUT_MACROS, fw::Notify::SelChange, [this] { ShowCommand(); });
    commands().onNotify(IDC_SHORTCUT_MACROS, fw::Notify::DblClk, [this] { OnCreate(); });
    commands().onNotify(IDC_SHORTCUT_CREATE, fw::Notify::Clicked, [this] { OnCreate(); });
    commands().onNotify(IDC_SHORTCUT_REMOVE, fw::Notify::Clicked, [this] { OnRemove(); });
    commands().onNotify(IDC_SHORTCUT_RESET_ALL, fw::Notify::Clicked, [this] { OnResetAll(); });
}

bool CShortcutKeysPage::onInitDialog()
{
    fw::PropertyPage::onInitDialog();
    showItem(fw::kIdOk, false);
    showItem(fw::kIdCancel, false);
    resetContent(IDC_SHORTCUT_MACROS);
    for (const KvCustomizeCommand& entry : m_keys.Macros()) {
        const int index = addString(IDC_SHORTCUT_MACROS, entry.name);
        setItemData(IDC_SHORTCUT_MACROS, index, entry.id);
    }
    ShowCommand();
    return true;
}

std::uint32_t CShortcutKeysPage::SelectedCommand() const
{
    const int index = curSel(IDC_SHORTCUT_MACROS);
    if (index < 0 || !isSelected(IDC_SHORTCUT_MACROS, index))
        return 0;
    return static_cast<std::uint32_t>(itemData(IDC_SHORTCUT_MACROS, index));
}

void CShortcutKeysPage::ShowCommand()
{
    const std::uint32_t command = SelectedCommand();
    const KvCustomizeCommand* entry = command != 0 ? m_keys.Find(command) : nullptr;
    setItemText(IDC_SHORTCUT_DESCRIPTION, entry != nullptr ? entry->description : std::string());
    resetContent(IDC_SHORTCUT_ASSIGNED);
    if (entry == nullptr)
        return;
    for (const KvShortcutKeys::Assigned& key : m_keys.AssignedTo(command)) {
        const int index = addString(IDC_SHORTCUT_ASSIGNED, key.keyName);
        if (index < 0)
            break;
        setItemData(IDC_SHORTCUT_ASSIGNED, index, static_cast<std::uint64_t>(key.index));
    }
}

void CShortcutKeysPage::Changed()
{
    setModified(true);
    ShowCommand();
}

void CShortcutKeysPage::OnCreate()
{
    const std::uint32_t command = SelectedCommand();
    if (command == 0) {
        KvMessageBoxId(IDS_SHORTCUT_SELECT_MACRO, fw::MB_ICONEXCLAMATION);
        gotoItem(IDC_SHORTCUT_MACROS);
        return;
    }
    CAssignShortcutDlg dlg(m_keys, this);
    if (dlg.doModal() != fw::IDOK)
        return;
    if (m_keys.Assign(command, dlg.m_key))
        Changed();
}

void CShortcutKeysPage::OnRemove()
{
    const int index = curSel(IDC_SHORTCUT_ASSIGNED);
    if (index < 0 || !isSelected(IDC_SHORTCUT_ASSIGNED, index)) {
        KvMessageBoxId(IDS_SHORTCUT_SELECT_SHORTCUT, fw::MB_ICONEXCLAMATION);
        return;
    }
    if (m_keys.Remove(static_cast<int>(itemData(IDC_SHORTCUT_ASSIGNED, index))))
        Changed();
}

void CShortcutKeysPage::OnResetAll()
{
    if (KvMessageBoxId(IDS_SHORTCUT_RESET_ALL, fw::MB_OKCANCEL | fw::MB_ICONQUESTION) != fw::IDOK)
        return;
    m_keys.ResetAll();
    Changed();
}

bool CShortcutKeysPage::onApply()
{
    if (m_keys.Modified()) {
        m_table.m_entries = m_keys.Table();
        if (m_putInForce)
            m_putInForce(m_table);
    }
    return true;
}

CAssignShortcutDlg::CAssignShortcutDlg(const KvShortcutKeys& keys, QWidget* parent)
    : fw::Dialog(IDD_ASSIGN_SHORTCUT, parent)
    , m_keys(keys)
{
}

bool CAssignShortcutDlg::onInitDialog()
{
    fw::Dialog::onInitDialog();
    auto edit = std::make_unique<KvHotKeyEdit>();
    KvHotKeyEdit* field = edit.get();
    connect(field, &KvHotKeyEdit::keyChanged, this, [this] { ShowCurrent(); });
    setItemWidget(IDC_SHORTCUT_NEW_KEY, std::move(edit));
    ShowCurrent();
    gotoItem(IDC_SHORTCUT_NEW_KEY);
    return false;
}

void CAssignShortcutDlg::ShowCurrent()
{
    auto* field = itemAs<KvHotKeyEdit>(IDC_SHORTCUT_NEW_KEY);
    m_key = field != nullptr ? field->Key() : fw::AccelRecord {};
    std::string current;
    if (m_key.key != 0)
        if (const std::uint32_t command = m_keys.CommandOfKey(m_key); command != 0) {
            const KvCustomizeCommand* entry = m_keys.Find(command);
            current = entry != nullptr ? entry->name : std::to_string(command);
        }
    setItemText(IDC_SHORTCUT_CURRENT, current);
    enableItem(fw::kIdOk, m_key.key != 0);
}

void CAssignShortcutDlg::onOK()
{
    if (m_key.key == 0) {
        gotoItem(IDC_SHORTCUT_NEW_KEY);
        return;
    }
    endDialog(fw::IDOK);
}
