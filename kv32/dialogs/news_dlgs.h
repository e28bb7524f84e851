// The news dialogs: publishing or changing a news item, reading one item, and
// the title of the latest urgent item. Their rules live in shell/news_form.h.
// (No meta-object of their own: nothing connects to them by signal.)
#pragma once

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/dialogs/msg_dlgs.h"
#include "kv32/shell/news_form.h"
#include "kvcore/ui/date_picker_widget.h"

class CNewsDlg : public CKvDialog {
public:
    explicit CNewsDlg(QWidget* parent = nullptr);
    // Before the dialog is shown: 1 a new item, 3 a change of the head at that row.
    void SetMode(int mode, int row = -1)
    {
        m_nMode = mode;
        m_nRow = row;
    }
    bool onInitDialog() override;
    void onOK() override;
    const CNewsForm& Form() const { return m_form; }

private:
    void OpenFile();
    void GetHeader();
    void View();
    // The dialog's fields into the form; false (the user told) for a text that cannot be sent.
    bool Collect();
    int m_nMode = 1;
    int m_nRow = -1;
    CNewsForm m_form;
    KvDateTimePicker m_time;
    KvTypingLimit m_limit;
};

class CNewsItemDlg : public CKvDialog {
public:
    // row: the news table's row of the item.
    explicit CNewsItemDlg(int row, QWidget* parent = nullptr);
    bool onInitDialog() override;

private:
    int m_nRow;
};

class CNewsRecvDlg : public CKvDialog {
public:
    explicit CNewsRecvDlg(QWidget* parent = nullptr);
    bool onInitDialog() override;
};
