// The filter dialogs of the list windows. Each is built on its window's
// criteria, runs modally and, on OK, has handed the window its choices;
// Cancel changes nothing.
#pragma once

#include <string>
#include <vector>

#include "kv32/filters/all_filters.h"
#include "kv32/filters/dialogs/filter_dlg.h"
#include "kv32/filters/letter_filter.h"
#include "kvcore/router/vorl_target.h"

class CFilterOrderDlg : public CFilterDlgOf<COrdersFilter> {
    Q_OBJECT
public:
    explicit CFilterOrderDlg(COrdersFilter& criteria, QWidget* parent = nullptr);
};

class CFilterAuditDlg : public CFilterDlgOf<CAuditsFilter> {
    Q_OBJECT
public:
    explicit CFilterAuditDlg(CAuditsFilter& criteria, QWidget* parent = nullptr);
};

class CFilterLogDlg : public CFilterDlgOf<CLogsFilter> {
    Q_OBJECT
public:
    explicit CFilterLogDlg(CLogsFilter& criteria, QWidget* parent = nullptr);
};

class CFilterLastNDlg : public CFilterDlgOf<CLastNFilter> {
    Q_OBJECT
public:
    explicit CFilterLastNDlg(CLastNFilter& criteria, QWidget* parent = nullptr);

protected:
    void FillOwnControls() override;
    void StoreOwnControls() override;
};

class CFilterNDealDlg : public CFilterDlgOf<CNDealsFilter> {
    Q_OBJECT
public:
    explicit CFilterNDealDlg(CNDealsFilter& criteria, QWidget* parent = nullptr);
};

class CFilterNewsDlg : public CFilterDlgOf<CNewsFilter> {
    Q_OBJECT
public:
    explicit CFilterNewsDlg(CNewsFilter& criteria, QWidget* parent = nullptr);
};

class CFilterOrdCountDlg : public CFilterDlgOf<COrdCountFilter> {
    Q_OBJECT
public:
    explicit CFilterOrdCountDlg(COrdCountFilter& criteria, QWidget* parent = nullptr);
};

class CFilterPrivateOrderDlg : public CFilterDlgOf<CPrivateOrderFilter> {
    Q_OBJECT
public:
    explicit CFilterPrivateOrderDlg(CPrivateOrderFilter& criteria, QWidget* parent = nullptr);
};

class CFilterTradeDlg : public CFilterDlgOf<CTradesFilter> {
    Q_OBJECT
public:
    explicit CFilterTradeDlg(CTradesFilter& criteria, QWidget* parent = nullptr);
};

class CFilterFirmDlg : public CFilterDlgOf<CFirmsFilter> {
    Q_OBJECT
public:
    explicit CFilterFirmDlg(CFirmsFilter& criteria, QWidget* parent = nullptr);
};

// The messages window's letter filter: all, delivered or waiting messages.
class CFilterMsgDlg : public CKvDialog {
    Q_OBJECT
public:
    explicit CFilterMsgDlg(CLetterFilter& filter, QWidget* parent = nullptr);
    void doDataExchange(fw::DataExchange& dx) override;
    void onOK() override;

private:
    CLetterFilter& m_target;
    int m_nState;
};

// The cash positions window's request: the firm, the user and the trading
// account, each shown as the window's kind asks for it.
class CFilterCurPosDlg : public CKvDialog {
    Q_OBJECT
public:
    explicit CFilterCurPosDlg(CCurPosFilter& criteria, QWidget* parent = nullptr);
    bool onInitDialog() override;
    void doDataExchange(fw::DataExchange& dx) override;
    void onOK() override;

private:
    void UserChosen();
    void FirmChosen();

    CCurPosFilter& m_target;
    CCurPosFilter m_copy;
};

// The firm and trading account whose security positions a window shows. The
// accounts of the chosen firm come from the host.
class CFilterSecPosDlg : public CKvDialog, public CVorlTarget {
    Q_OBJECT
public:
    explicit CFilterSecPosDlg(CSecPosFilter& criteria, QWidget* parent = nullptr);
    ~CFilterSecPosDlg() override;
    bool onInitDialog() override;
    void onOK() override;
    int StoreDataItem(tagTMSG* message) override;
    int Decode(CRecordReader& reader) override;

    // Asks the host for the firm's trading accounts, page by page, and fills
    // the account combo with them.
    void FetchAccounts(const std::string& firmCode);

private:
    void FirmChosen();

    CSecPosFilter& m_target;
    std::vector<KvTrAccRow> m_rows;
    KvTrAccPage m_page;
    bool m_bPageRead = false;
};
