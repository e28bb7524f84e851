// The security selection dialog: boards or security names in the chooser,
// the matching securities beside it, and the ordered selection, which the
// user reorders by dragging. The caller's index array changes only on OK.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/res/alert_dialog_ids.h"
#include "kv32/shell/alert_select_form.h"
#include "kvcore/ui/drag_list_box.h"

class KvListWidgetPort;

// The selection list: the Delete key asks the dialog to remove the marked lines.
class CAlertSelectionList : public CDnDListBox {
    Q_OBJECT
public:
    using CDnDListBox::CDnDListBox;

signals:
    void removeRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class CAlertSelectDlg : public CKvDialog {
    Q_OBJECT
public:
    CAlertSelectDlg(unsigned captionId, std::vector<uint32_t>& indices,
        uint32_t templateId = IDD_ALERT_SELECT, QWidget* parent = nullptr, bool singleChoice = false);
    ~CAlertSelectDlg() override;
    bool onInitDialog() override;
    void onOK() override;

    KvAlertSelectForm& Form() { return *m_form; }

private:
    void ShowState();

    unsigned m_nCaptionId;
    std::vector<uint32_t>& m_indices;
    bool m_bSingleChoice;
    std::unique_ptr<KvListWidgetPort> m_chooser;
    std::unique_ptr<KvListWidgetPort> m_available;
    CAlertSelectionList* m_selection = nullptr;
    std::unique_ptr<KvAlertSelectForm> m_form;
};
