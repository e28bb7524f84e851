// The "Toolbars" and "Commands" pages of the main frame's "Customize" sheet. Both edit one
// KvToolBarCustomize; the first page to apply puts the whole edit in force.
#pragma once

#include <functional>

#include "fw/ui/propertysheet.h"
#include "kvcore/dialogs/shortcut_keys_page_logic.h"
#include "kvcore/dialogs/toolbar_pages_logic.h"
#include "kvcore/kvcore_api.h"

enum KvToolBarPageId : unsigned {
    IDD_TOOLBARS = 20487,
    IDD_TOOLBAR_COMMANDS = 20490,
    IDS_TOOLBAR_SEPARATOR = 20614,
    // "Toolbars" page.
    IDC_TOOLBARS_LIST = 20560,
    IDC_TOOLBARS_VISIBLE = 20561,
    IDC_TOOLBARS_RESET = 20562,
    IDC_TOOLBARS_TOOLTIPS = 20563,
    IDC_TOOLBARS_FLYBY = 20564,
    IDC_TOOLBARS_LARGE = 20565,
    // "Commands" page.
    IDC_TOOLBAR_GROUPS = 20566,
    IDC_TOOLBAR_COMMANDS = 20567,
    IDC_TOOLBAR_DESCRIPTION = 20568,
    IDC_TOOLBAR_BAR = 20569,
    IDC_TOOLBAR_BUTTONS = 20570,
    IDC_TOOLBAR_ADD = 20571,
    IDC_TOOLBAR_REMOVE = 20572,
};

using KvToolBarApply = std::function<void(const KvToolBarCustomize&)>;

class KVCORE_API CToolBarsPage : public fw::PropertyPage {
    Q_OBJECT
public:
    CToolBarsPage(KvToolBarCustomize& edit, KvToolBarApply apply);
    bool onInitDialog() override;
    bool onApply() override;

private:
    void ShowBar();
    void Changed();

    KvToolBarCustomize& m_edit;
    KvToolBarApply m_apply;
};

class KVCORE_API CToolBarCmdPage : public fw::PropertyPage {
    Q_OBJECT
public:
    // commands: names and descriptions of the commands (the sheet's command list); a command
    // it lacks is named by its tool tip.
    CToolBarCmdPage(KvToolBarCustomize& edit, const KvCommandList& commands, KvToolBarApply apply);
    bool onInitDialog() override;
    bool onSetActive() override;
    bool onApply() override;

    void OnAdd();
    void OnRemove();

private:
    std::string NameOf(std::uint32_t command) const;
    void ShowGroup();
    void ShowCommand();
    void ShowButtons(int select);
    int SelectedBar() const;

    KvToolBarCustomize& m_edit;
    const KvCommandList& m_commands;
    KvToolBarApply m_apply;
};
