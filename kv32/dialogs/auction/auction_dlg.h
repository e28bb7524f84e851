// The primary and the buy-back auction calculation dialogs: the state of
// CAuctionForm on the screen and the user's actions handed to it; the result
// table is a CAuctionGrid.
#pragma once

#include "kv32/dialogs/auction/auction_form.h"
#include "kv32/dialogs/auction/auction_grid.h"
#include "kv32/dialogs/kv_dialog.h"

class CAuctionDlg : public CKvDialog {
    Q_OBJECT
public:
    CAuctionDlg(KvAuctionKind kind, QWidget* parent = nullptr);
    ~CAuctionDlg() override;

    bool onInitDialog() override;
    // "&Close" ends the dialog as Cancel does.
    void onOK() override;

    CAuctionForm& Form() { return m_form; }
    CAuctionGrid& Grid() { return m_grid; }

private:
    void After();
    void Show();
    void OpenDeal();

    CAuctionForm m_form;
    CAuctionGrid m_grid;
    bool m_bSyncing = false;
};

class CPrimaryAuctionDlg : public CAuctionDlg {
    Q_OBJECT
public:
    explicit CPrimaryAuctionDlg(QWidget* parent = nullptr);
    ~CPrimaryAuctionDlg() override;
};

class CBuyBackAuctionDlg : public CAuctionDlg {
    Q_OBJECT
public:
    explicit CBuyBackAuctionDlg(QWidget* parent = nullptr);
    ~CBuyBackAuctionDlg() override;
};

// The commands' work: the dialog of the kind, with no parent, run modally.
int KvRunAuctionDialog(KvAuctionKind kind);
