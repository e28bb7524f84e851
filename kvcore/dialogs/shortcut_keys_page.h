// The "Shortcut Keys" page of the main frame's "Customize" sheet, and the dialog in which the
// user presses a new key. The page edits a copy of the caller's table; applying the sheet
// writes the copy back and has the frame put it in force, cancelling drops it.
#pragma once

#include <functional>
#include <vector>

#include "fw/ui/dialog.h"
#include "fw/ui/propertysheet.h"
#include "kvcore/dialogs/shortcut_keys_page_logic.h"
#include "kvcore/kvcore_api.h"
#include "kvcore/session/shortcut_table.h"

class KVCORE_API CShortcutKeysPage : public fw::PropertyPage {
    Q_OBJECT
public:
    // commandList: the sheet's command list (CCustomizeCmdList::Entries()); table: the
    // shortcuts in force, rewritten only on apply; defaults: what "Reset All"
    // returns to; putInForce runs after an apply wrote the table (the frame installs it).
    CShortcutKeysPage(const KvCommandList& commandList, KvShortcutTable& table, std::vector<fw::AccelRecord> defaults,
        std::function<void(const KvShortcutTable&)> putInForce = {});

    bool onInitDialog() override;
    bool onApply() override;

    // The buttons' work, also reached by double-click and by scripts.
    void OnCreate();
    void OnRemove();
    void OnResetAll();

    const KvShortcutKeys& Keys() const { return m_keys; }

private:
    std::uint32_t SelectedCommand() const;
    void ShowCommand();
    void Changed();

    KvShortcutKeys m_keys;
    KvShortcutTable& m_table;
    std::function<void(const KvShortcutTable&)> m_putInForce;
};

// Asks for the key of one command and names the command the key reaches now.
class KVCORE_API CAssignShortcutDlg : public fw::Dialog {
    Q_OBJECT
public:
    CAssignShortcutDlg(const KvShortcutKeys& keys, QWidget* parent = nullptr);

    bool onInitDialog() override;
    void onOK() override;

    // The key pressed (command 0); key 0 when none was.
    fw::AccelRecord m_key;

private:
    void ShowCurrent();

    const KvShortcutKeys& m_keys;
};
