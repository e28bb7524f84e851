#include "kvcore/dialogs/toolbar_pages.h"

#include <algorithm>

#include "fw/core/strings.h"
#include "fw/ui/text.h"
#include "kvcore/app/main_frame_logic.h"

namespace {
const std::pair<std::uint32_t, KvToolBarCustomize::Display> kDisplayChecks[] = {
    { IDC_TOOLBARS_TOOLTIPS, KvToolBarCustomize::ToolTips },
    { IDC_TOOLBARS_FLYBY, KvToolBarCustomize::FlyBy },
    { IDC_TOOLBARS_LARGE, KvToolBarCustomize::LargeButtons },
};

bool ApplyOnce(KvToolBarCustomize& edit, const KvToolBarApply& apply)
{
    if (edit.Modified() && apply)
        apply(edit);
    edit.Applied();
    return true;
}
} // namespace

CToolBarsPage::CToolBarsPage(KvToolBarCustomize& edit, KvToolBarApply apply)
    : fw::PropertyPage(IDD_TOOLBARS)
    , m_edit(edit)
    , m_apply(std::move(apply))
{
    commands().onNotify(IDC_TOOLBARS_LIST, fw::Notify::SelChange, [this] { ShowBar(); });
    commands().onNotify(IDC_TOOLBARS_VISIBLE, fw::Notify::Clicked, [this] {
        if (m_edit.SetVisible(static_cast<std::size_t>(curSel(IDC_TOOLBARS_LIST)), isButtonChecked(IDC_TOOLBARS_VISIBLE) != 0))
            Changed();
    });
    commands().onNotify(IDC_TOOLBARS_RESET, fw::Notify::Clicked, [this] {
        if (m_edit.Reset(static_cast<std::size_t>(curSel(IDC_TOOLBARS_LIST))))
            Changed();
    });
    for (const auto& [id, which] : kDisplayChecks) {
        commands().onNotify(id, fw::Notify::Clicked, [this, id = id, which = which] {
            if (m_edit.SetDisplay(which, isButtonChecked(id) != 0))
                Changed();
        });
    }
}

bool CToolBarsPage::onInitDialog()
{
    fw::PropertyPage::onInitDialog();
    showItem(fw::kIdOk, false);
    showItem(fw::kIdCancel, false);
    resetContent(IDC_TOOLBARS_LIST);
    for (const KvBarEdit& bar : m_edit.Bars())
        addString(IDC_TOOLBARS_LIST, bar.name);
    if (!m_edit.Bars().empty())
        setCurSel(IDC_TOOLBARS_LIST, 0);
    for (const auto& [id, which] : kDisplayChecks)
        checkButton(id, m_edit.DisplaySettings()[which] != 0 ? 1 : 0);
    ShowBar();
    return true;
}

void CToolBarsPage::ShowBar()
{
    const int index = curSel(IDC_TOOLBARS_LIST);
    const bool any = index >= 0 && static_cast<std::size_t>(index) < m_edit.Bars().size();
    enableItem(IDC_TOOLBARS_VISIBLE, any);
    enableItem(IDC_TOOLBARS_RESET, any);
    checkButton(IDC_TOOLBARS_VISIBLE, any && m_edit.Bars()[static_cast<std::size_t>(index)].visible ? 1 : 0);
}

void CToolBarsPage::Changed()
{
    setModified(true);
    ShowBar();
}

bool CToolBarsPage::onApply()
{
    return ApplyOnce(m_edit, m_apply);
}

CToolBarCmdPage::CToolBarCmdPage(KvToolBarCustomize& edit, const KvCommandList& commands, KvToolBarApply apply)
    : fw::PropertyPage(IDD_TOOLBAR_COMMANDS)
    , m_edit(edit)
    , m_commands(commands)
    , m_apply(std::move(apply))
{
    setWindowTitle(fw::toQt(fw::loadString(IDS_COMMANDS_PAGE)));
    this->commands().onNotify(IDC_TOOLBAR_GROUPS, fw::Notify::SelChange, [this] { ShowGroup(); });
    this->commands().onNotify(IDC_TOOLBAR_COMMANDS, fw::Notify::SelChange, [this] { ShowCommand(); });
    this->commands().onNotify(IDC_TOOLBAR_COMMANDS, fw::Notify::DblClk, [this] { OnAdd(); });
    this->commands().onNotify(IDC_TOOLBAR_BAR, fw::Notify::SelChange, [this] { ShowButtons(-1); });
    this->commands().onNotify(IDC_TOOLBAR_ADD, fw::Notify::Clicked, [this] { OnAdd(); });
    this->commands().onNotify(IDC_TOOLBAR_REMOVE, fw::Notify::Clicked, [this] { OnRemove(); });
}

std::string CToolBarCmdPage::NameOf(std::uint32_t command) const
{
    if (command == 0)
        return fw::loadString(IDS_TOOLBAR_SEPARATOR);
    for (const KvCustomizeCommand& entry : m_commands)
        if (entry.id == command)
            return entry.name;
    const std::string prompt = fw::loadString(command);
    const std::size_t nl = prompt.find('\n');
    return nl != std::string::npos ? prompt.substr(nl + 1) : !prompt.empty() ? prompt : std::to_string(command);
}

bool CToolBarCmdPage::onInitDialog()
{
    fw::PropertyPage::onInitDialog();
    showItem(fw::kIdOk, false);
    showItem(fw::kIdCancel, false);
    resetContent(IDC_TOOLBAR_GROUPS);
    for (const KvButtonGroupEdit& group : m_edit.Groups())
        addString(IDC_TOOLBAR_GROUPS, group.name);
    if (!m_edit.Groups().empty())
        setCurSel(IDC_TOOLBAR_GROUPS, 0);
    ShowGroup();
    return true;
}

bool CToolBarCmdPage::onSetActive()
{
    // The other page may have renamed nothing but may have reset a bar: show the bars afresh.
    const int bar = SelectedBar();
    resetContent(IDC_TOOLBAR_BAR);
    for (const KvBarEdit& b : m_edit.Bars())
        addString(IDC_TOOLBAR_BAR, b.name);
    if (!m_edit.Bars().empty())
        setCurSel(IDC_TOOLBAR_BAR, bar >= 0 ? bar : 0);
    ShowButtons(-1);
    return true;
}

void CToolBarCmdPage::ShowGroup()
{
    resetContent(IDC_TOOLBAR_COMMANDS);
    const int group = curSel(IDC_TOOLBAR_GROUPS);
    if (group >= 0 && static_cast<std::size_t>(group) < m_edit.Groups().size()) {
        for (const std::uint32_t command : m_edit.Groups()[static_cast<std::size_t>(group)].commands) {
            if (command == 0)
                continue;
            const int index = addString(IDC_TOOLBAR_COMMANDS, NameOf(command));
            setItemData(IDC_TOOLBAR_COMMANDS, index, command);
        }
    }
    ShowCommand();
}

void CToolBarCmdPage::ShowCommand()
{
    const int index = curSel(IDC_TOOLBAR_COMMANDS);
    std::string description;
    if (index >= 0) {
        const auto command = static_cast<std::uint32_t>(itemData(IDC_TOOLBAR_COMMANDS, index));
        for (const KvCustomizeCommand& entry : m_commands)
            if (entry.id == command)
                description = entry.description;
        if (description.empty()) {
            const std::string prompt = fw::loadString(command);
            description = prompt.substr(0, prompt.find('\n'));
        }
    }
    setItemText(IDC_TOOLBAR_DESCRIPTION, description);
}

int CToolBarCmdPage::SelectedBar() const
{
    const int bar = curSel(IDC_TOOLBAR_BAR);
    return bar >= 0 && static_cast<std::size_t>(bar) < m_edit.Bars().size() ? bar : -1;
}

void CToolBarCmdPage::ShowButtons(int select)
{
    resetContent(IDC_TOOLBAR_BUTTONS);
    const int bar = SelectedBar();
    if (bar < 0)
        return;
    for (const std::uint32_t command : m_edit.Bars()[static_cast<std::size_t>(bar)].buttons)
        addString(IDC_TOOLBAR_BUTTONS, NameOf(command));
    if (select >= 0 && select < itemCount(IDC_TOOLBAR_BUTTONS))
        setCurSel(IDC_TOOLBAR_BUTTONS, select);
}

void CToolBarCmdPage::OnAdd()
{
    const int bar = SelectedBar();
    const int index = curSel(IDC_TOOLBAR_COMMANDS);
    if (bar < 0 || index < 0)
        return;
    const auto command = static_cast<std::uint32_t>(itemData(IDC_TOOLBAR_COMMANDS, index));
    // Before the selected button, or at the end.
    const int at = curSel(IDC_TOOLBAR_BUTTONS);
    const std::size_t position = at >= 0 ? static_cast<std::size_t>(at) : m_edit.Bars()[static_cast<std::size_t>(bar)].buttons.size();
    if (!m_edit.AddButton(static_cast<std::size_t>(bar), command, position))
        return;
    setModified(true);
    const auto& buttons = m_edit.Bars()[static_cast<std::size_t>(bar)].buttons;
    ShowButtons(static_cast<int>(std::find(buttons.begin(), buttons.end(), command) - buttons.begin()));
}

void CToolBarCmdPage::OnRemove()
{
    const int bar = SelectedBar();
    const int at = curSel(IDC_TOOLBAR_BUTTONS);
    if (bar < 0 || at < 0 || !m_edit.RemoveButton(static_cast<std::size_t>(bar), static_cast<std::size_t>(at)))
        return;
    setModified(true);
    ShowButtons(std::min(at, static_cast<int>(m_edit.Bars()[static_cast<std::size_t>(bar)].buttons.size()) - 1));
}

bool CToolBarCmdPage::onApply()
{
    return ApplyOnce(m_edit, m_apply);
}
