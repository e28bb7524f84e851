// The user's own trading accounts ("Session > Trading Accounts > User..."):
// the list with each account's comment, one account added or changed in a
// small dialog of its own, saved to "<user>.tra" on OK. The rules are in
// tr_acc_form.h.
#pragma once

#include <filesystem>
#include <string>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/dialogs/supervision/tr_acc_form.h"

class CTrAccAddDlg : public CKvDialog {
    Q_OBJECT
public:
    // Empty texts add an account; given ones change it.
    CTrAccAddDlg(std::string account, std::string comment, QWidget* parent = nullptr);

    bool onInitDialog() override;
    void onOK() override;

    const std::string& Account() const { return m_sAccount; }
    const std::string& Comment() const { return m_sComment; }

private:
    void OkRule();
    std::string m_sAccount;
    std::string m_sComment;
};

class CTrAccDlg : public CKvDialog {
    Q_OBJECT
public:
    // The session's list and file.
    explicit CTrAccDlg(QWidget* parent = nullptr);
    CTrAccDlg(CTrAccLocalArray& list, std::filesystem::path file, QWidget* parent = nullptr);

    bool onInitDialog() override;
    void onOK() override;
    void onCancel() override;

private:
    void Refill(int selection);
    void SelectionChanged();
    void OnAdd();
    void OnChange();
    void OnDelete();

    CTrAccEditForm m_form;
    std::filesystem::path m_file;
};

// Opens the dialog on the session's list (main menu command 32856); nothing without a session.
int KvRunTrAccDialog();
