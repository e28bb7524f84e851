// The supervisor's request dialogs: a user's access level, default role,
// logon verification of a user or firm, the market replay, the network
// addresses a user may log on from, and a user's password. Each sends one
// operator transaction (kv32/dialogs/supervisor_requests.h).
#pragma once

#include <string>
#include <vector>

#include "kv32/dialogs/kv_dialog.h"
#include "kvcore/router/vorl_target.h"

class KvDateTimePicker;

class CAccessDlg : public CKvDialog {
    Q_OBJECT
public:
    explicit CAccessDlg(QWidget* parent = nullptr);
    bool onInitDialog() override;
    void onOK() override;
};

class CDefaultRoleDlg : public CKvDialog {
    Q_OBJECT
public:
    CDefaultRoleDlg(std::string targetUser, std::string role, QWidget* parent = nullptr);
    bool onInitDialog() override;
    void onOK() override;

private:
    std::string m_sTarget;
    std::string m_sRole;
};

// Opened over the Traders (16) or the Firms (17) window: its users or firms,
// the selected row's entry chosen.
class CLogonVerDlg : public CKvDialog {
    Q_OBJECT
public:
    static constexpr unsigned kTradersTable = 16;
    static constexpr unsigned kFirmsTable = 17;
    CLogonVerDlg(unsigned activeTableId, std::string selectedCode, QWidget* parent = nullptr);
    bool onInitDialog() override;
    void onOK() override;

private:
    struct Entry {
        std::string code;
        bool verify;
    };
    void ShowFlag();
    bool OverFirms() const { return m_nTableId == kFirmsTable; }
    unsigned m_nTableId;
    std::string m_sSelected;
    std::vector<Entry> m_entries;
};

class CMarketReplayDlg : public CKvDialog, public CVorlTarget {
    Q_OBJECT
public:
    explicit CMarketReplayDlg(QWidget* parent = nullptr);
    ~CMarketReplayDlg() override;
    bool onInitDialog() override;
    int StoreDataItem(tagTMSG* message) override;
    int Decode(CRecordReader& reader) override;

    int RequestStatistics();
    void Execute();

private:
    void ModeClicked(int mode);
    int m_nMode = -1;
    std::unique_ptr<KvDateTimePicker> m_interval;
    std::unique_ptr<KvDateTimePicker> m_stopAt;
};

class CNetAddressDlg : public CKvDialog, public CVorlTarget {
    Q_OBJECT
public:
    CNetAddressDlg(std::string selectedUser, QWidget* parent = nullptr);
    bool onInitDialog() override;
    int StoreDataItem(tagTMSG* message) override;
    int Decode(CRecordReader& reader) override;

    void RequestList();

private:
    void ListSelected();
    void Edited();
    void Send(char action);
    std::string m_sSelected;
    std::string m_sOldFrom, m_sOldTo;
    std::vector<std::string> m_codes; // user codes in combo order
};

class CUserPassDlg : public CKvDialog {
    Q_OBJECT
public:
    CUserPassDlg(std::string selectedUser, QWidget* parent = nullptr);
    bool onInitDialog() override;
    void onOK() override;

private:
    std::string m_sSelected;
    std::vector<std::string> m_codes;
};

// Fills a combo with the users of the trader table (their codes), choosing the selected one.
std::vector<std::string> FillUserCombo(fw::Dialog& dialog, uint32_t comboId, const std::string& selected);
