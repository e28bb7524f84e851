// The selection dialogs of the list windows: Go To, the market and board
// selection of the market windows, and the order-method viewer of a board.
#pragma once

#include <string>
#include <vector>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/dialogs/selection_rules.h"

// The text typed is read by the window after OK.
class CGotoDlg : public CKvDialog {
    Q_OBJECT
public:
    CGotoDlg(unsigned activeTableId, QWidget* parent = nullptr);
    bool onInitDialog() override;
    void onOK() override;
    const std::string& Text() const { return m_sText; }
    bool IsNumeric() const { return m_mode.numeric; }

private:
    KvGotoMode m_mode;
    std::string m_sText;
};

class CMktBrd11Dlg : public CKvDialog {
    Q_OBJECT
public:
    explicit CMktBrd11Dlg(QWidget* parent = nullptr);
    // With one market and one board nothing is asked: the dialog ends as if OK
    // were pressed (after telling that there are no securities, if so).
    int Run();
    bool onInitDialog() override;
    void onOK() override;
    // The security table's rows on the chosen combination.
    const std::vector<int>& Securities() const { return m_rows; }

private:
    std::vector<int> m_rows;
};

class CBrdOrMetDlg : public CKvDialog {
    Q_OBJECT
public:
    // selectedBoard: the board table's index of the active window's row (-1: none).
    explicit CBrdOrMetDlg(int selectedBoard, QWidget* parent = nullptr);
    bool onInitDialog() override;

private:
    void ShowBoard();
    int m_nSelected;
};
