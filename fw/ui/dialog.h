#pragma once
// Dialogs built from a template table: controls are laid out in a grid and addressed by id. The
// dialog code relies on when controls notify it: an edit reports every text set or typed (also a
// text equal to the one it holds, so handlers that recompute on a change always run), buttons
// report clicks, and list and combo boxes report only selections the user makes. A label's '&'
// gives the next control of the template its mnemonic key.
#include "fw/core/command.h"
#include "fw/core/resources.h"
#include "fw/ui/fw_ui_api.h"
#include "fw/ui/msgbox.h"

#include <QDialog>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QButtonGroup;

namespace fw {

class DataExchange;

class FW_UI_API Dialog : public QDialog, public CmdTarget {
    Q_OBJECT
public:
    // Builds the controls of the registered template id (an empty dialog when it is unknown).
    explicit Dialog(uint32_t templateId, QWidget* parent = nullptr);
    Dialog(const DialogTemplate& tmpl, QWidget* parent = nullptr);
    ~Dialog() override;

    uint32_t templateId() const { return templateId_; }

    // Runs the dialog modally: onInitDialog, then the loop until endDialog. Returns the result.
    int doModal();
    void endDialog(int result);
    // onInitDialog without running (modeless use, previews); runs at most once.
    void initialize();

    virtual bool onInitDialog();
    // OK: data exchange from the controls; the dialog closes only when it succeeds.
    virtual void onOK();
    virtual void onCancel();
    virtual void doDataExchange(DataExchange& dx);
    // False when a control's value was refused; the focus is then on that control.
    bool updateData(bool saveAndValidate = true);

    // Controls.
    QWidget* item(uint32_t id) const;
    template <class T> T* itemAs(uint32_t id) const { return qobject_cast<T*>(item(id)); }
    std::vector<uint32_t> itemIds() const;
    // An edit reports one Change for every call, also when the text is the one it holds; a text
    // longer than the template's limit is kept whole (the limit bounds typing).
    void setItemText(uint32_t id, const std::string& text);
    // A date or time control gives its shown text ("" when blank).
    std::string itemText(uint32_t id) const;
    void setItemInt(uint32_t id, long long value);
    void checkButton(uint32_t id, int state);
    int isButtonChecked(uint32_t id) const;
    void enableItem(uint32_t id, bool enable = true);
    bool isItemEnabled(uint32_t id) const;
    void showItem(uint32_t id, bool show = true);
    void gotoItem(uint32_t id);
    // The control that has (or will get) the focus; 0 for none.
    uint32_t focusId() const;
    // The push button that Enter presses.
    void setDefaultItem(uint32_t id);
    uint32_t defaultItem() const;
    // A picture control shows one of the standard message icons.
    enum class StdIcon { Question, Exclamation, Information, Stop, Application };
    void setItemIcon(uint32_t id, StdIcon icon);
    // Replaces a Custom or Grid cell's placeholder with the dialog's own widget.
    void setItemWidget(uint32_t id, std::unique_ptr<QWidget> widget);

    // List and combo boxes; changes made here never notify. Indexes count from 0; -1 is "none"
    // (and the answer of a failed call).
    int addString(uint32_t id, const std::string& text);
    // Inserts before index (-1: at the end); returns the new item's index.
    int insertString(uint32_t id, int index, const std::string& text);
    // Returns the count left, -1 when there is no such item.
    int deleteString(uint32_t id, int index);
    void resetContent(uint32_t id);
    int itemCount(uint32_t id) const;
    std::string itemString(uint32_t id, int index) const;
    // A number kept with each item (0 until set).
    bool setItemData(uint32_t id, int index, uint64_t data);
    uint64_t itemData(uint32_t id, int index) const;
    // The first item after startAfter (-1: from the top) whose text starts with / equals text,
    // ignoring case; the search wraps round to the top and stops where it began.
    int findString(uint32_t id, int startAfter, const std::string& prefix) const;
    int findStringExact(uint32_t id, int startAfter, const std::string& text) const;
    // Finds the prefix like findString and selects that item; returns its index or -1.
    int selectString(uint32_t id, int startAfter, const std::string& prefix);
    int curSel(uint32_t id) const;
    void setCurSel(uint32_t id, int index);
    // Multi-selection lists: one item's state, all selected indexes (ascending), the count.
    bool setSel(uint32_t id, int index, bool select = true);
    bool isSelected(uint32_t id, int index) const;
    std::vector<int> selectedItems(uint32_t id) const;
    int selCount(uint32_t id) const;
    // The focused item of a list (the caret) and the first item shown.
    int caretIndex(uint32_t id) const;
    void setCaretIndex(uint32_t id, int index);
    int topIndex(uint32_t id) const;
    void setTopIndex(uint32_t id, int index);
    // Off stops a control repainting while many items change; on repaints it once.
    void setRedraw(uint32_t id, bool redraw);

    // A control notified the dialog. The default runs the notify handler of the map, then for
    // clicks: OK and Cancel end the dialog, any other button runs its command route.
    virtual void onNotify(uint32_t id, Notify code);
    // A control the dialog's code placed in a cell (setItemWidget, registerItem) reports to its
    // dialog through this; any code, also one of the control's own numbers, may be sent. False
    // when the control is not an item of a dialog.
    static bool notifyFromControl(QWidget* control, Notify code);

    // What a user does, for scripts and tests: each notifies exactly like the real action.
    void userType(uint32_t id, const std::string& text);
    void userClick(uint32_t id);
    void userSelect(uint32_t id, int index);
    void userDoubleClick(uint32_t id, int index);
    void userLeave(uint32_t id);

    // Tests take over modal loops here: the hook runs inside the loop, once per doModal.
    using ModalHook = std::function<void(Dialog&)>;
    static void setModalHook(ModalHook hook);

protected:
    // Makes a widget that the dialog built itself addressable by id (with notifications).
    void registerItem(uint32_t id, QWidget* widget);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;
    void accept() override;

private:
    void build(const DialogTemplate& tmpl);
    QWidget* makeControl(const ControlDef& c, QButtonGroup*& group);
    void linkMnemonics(const DialogTemplate& tmpl, std::map<const ControlDef*, QWidget*>& widgetOf);
    void connectNotifications(uint32_t id, QWidget* w);
    void notify(uint32_t id, Notify code);

    uint32_t templateId_ = 0;
    std::map<uint32_t, QWidget*> items_;
    std::map<QObject*, uint32_t> ids_;
    std::vector<QButtonGroup*> radioGroups_;
    std::map<uint32_t, int> limits_; // text limits of the template's edits
    bool initialised_ = false;
    bool silent_ = false;
    bool settingText_ = false; // setItemText sends the one change notification itself
};

} // namespace fw
