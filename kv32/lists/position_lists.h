// The windows of a firm's and of a trading account's security positions: each
// asks the host for its rows (45 by firm, 126 by firm and account) and keeps a
// row per security with the traded quantities and values, their netts and
// the weighted average prices.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "kv32/filters/party_filters.h"
#include "kv32/lists/request_doc.h"
#include "kvcore/values/cdouble.h"

struct KvSecPositionRow {
    std::uint32_t nRow = 0;
    char szShortName[21] = {};
    char szCode[13] = {}; // the instrument id, the row's key
    CDouble dOpen;
    CDouble dCurrent;
    CDouble dPlannedBuy;
    CDouble dPlannedSell;
    CDouble dBuyQty;
    CDouble dSellQty;
    CDouble dNettQty;
    CDouble dBuyValue;
    CDouble dSellValue;
    CDouble dNettValue;
    CDouble dBuyWap;
    CDouble dSellWap;
    CDouble dWap;
    CDouble dMultiplier;
};

// Takes the quantities and values: the netts, the short name of the
// instrument (its code when the security table lacks it) and, unless the
// multiplier is 0, the averages with the security's price decimals + 2 (2 for
// an unknown instrument), each 0 without its quantity.
void KvSetPositionFigures(KvSecPositionRow& row, const CDouble& buyValue, const CDouble& sellValue,
    const CDouble& buyQty, const CDouble& sellQty, const CDouble& multiplier);

// Rows of security positions by instrument id.
class CSecPositionsDocBase : public CRequestDoc {
public:
    using CRequestDoc::CRequestDoc;
    const std::uint8_t* GetRowData(int row) const override;
    int GetRowCount() const override { return m_rows.Count(); }
    void ClearRows() override { m_rows.Clear(); }
    const KvSecPositionRow* Row(int row) const { return m_rows.At(row); }

protected:
    // The row of the instrument, appended when new.
    KvSecPositionRow& RowOf(const std::string& code);
    // After a reply that added rows: sorted (by short name or by code) and renumbered.
    void SortRows(bool byShortName);
    // The firm asked for: the user's own when none is set.
    static std::string FirmOrOwn(const std::string& firm);
    static std::string FirmName(const std::string& firm);

    CKeyedRows<KvSecPositionRow> m_rows;
    bool m_bAdded = false;
};

// Table 14: a firm's holdings.
class CCurPosSecsDoc : public CSecPositionsDocBase {
public:
    static constexpr std::uint32_t kTableId = 14;
    static constexpr int kRequest = 45;

    CCurPosSecsDoc();
    int GetMaxColumns() override { return 14; }
    int GetFirstColumnID() override { return 30440; }
    std::span<const KvListColumn> Columns() const override;
    std::string RequestKey() override;
    void DecodeRecord(CRecordReader& reader) override;
    void OnReplyDone() override { SortRows(true); }
    // The table's title, then the firm's name when a firm is set.
    void MakeTitle(std::string& title) override;
    // The layout, then the firm.
    void Serialize(fw::Archive& ar) override;
    // True when the firm asked for is this window's: the key's (a const
    // std::string*) or, without one, the firm at the current row of the
    // active firms window.
    int CheckTable(void* key) override;
    // The dropped rows' firm (the drag-and-drop overload) stays reachable beside the window's own.
    using CSecPositionsDocBase::SetFirm;
    // A negative open, current, planned buy or planned sell in red.
    void GetColorCell(const std::uint8_t* record, int col, kvcore::COLORREF& back, kvcore::COLORREF& text) const override;
    void SetFirm(const std::string& firm);
    const std::string& Firm() const { return m_sFirm; }

private:
    std::string m_sFirm;
};

// Table 39: one trading account's positions, by the security-position criteria.
class CTrdAccSummDoc : public CSecPositionsDocBase {
public:
    static constexpr std::uint32_t kTableId = 39;
    static constexpr int kRequest = 126;

    CTrdAccSummDoc();
    int GetMaxColumns() override { return 10; }
    int GetFirstColumnID() override { return 30499; }
    std::span<const KvListColumn> Columns() const override;
    std::string RequestKey() override;
    void DecodeRecord(CRecordReader& reader) override;
    void OnReplyDone() override { SortRows(false); }
    // The table's title; with a firm " <account> - <firm's name>".
    void MakeTitle(std::string& title) override;
    // The layout, then the firm and the account.
    void Serialize(fw::Archive& ar) override;
    int CheckTable(void*) override { return 0; }
    // New criteria: the rows go and the window asks from the start.
    void TakeFilter();
    CSecPosFilter& Criteria() { return m_filter; }

private:
    CSecPosFilter m_filter;
    std::string m_sFirm;
    std::string m_sAccount;
};

// One trading account's cash position.
struct KvTradingAccountRow {
    std::uint32_t nRow = 0;
    char szSeq[11] = {}; // the sequence number of the account's own request
    char szAccount[13] = {};
    char szDepository[13] = {};
    char szClient[49] = {}; // the text the user's list gives the account
    CDouble dOpen;
    CDouble dCurrent;
    CDouble dPlannedBuy;
    CDouble dPlannedSell;
};

// Table 15: the positions of the user's own trading accounts, optionally for
// one security; each account is asked with the sequence number of its row.
class CTrAccDoc : public CRequestDoc {
public:
    static constexpr std::uint32_t kTableId = 15;
    static constexpr int kRequest = 47;

    CTrAccDoc();
    int GetMaxColumns() override { return 7; }
    int GetFirstColumnID() override { return 320; }
    std::span<const KvListColumn> Columns() const override;
    const std::uint8_t* GetRowData(int row) const override;
    int GetRowCount() const override { return m_rows.Count(); }
    const KvTradingAccountRow* Row(int row) const { return m_rows.At(row); }
    void ClearRows() override { m_rows.Clear(); }
    // One request per account of the user's list, until the router refuses one.
    int UpdateReq() override;
    std::string RequestKey() override { return {}; }
    void DecodeRecord(CRecordReader& reader) override;
    // Accounts in ascending order, equal ones in arrival order.
    void OnReplyDone() override;
    // The table's title, then the security's short name when it has one.
    void MakeTitle(std::string& title) override;
    // The layout, then the security.
    void Serialize(fw::Archive& ar) override;
    // True for a key naming this window's security (a const std::string*).
    int CheckTable(void* key) override;
    void SetSecurity(const std::string& code);
    const std::string& Security() const { return m_sSecurity; }
    // How many accounts the last cycle asked about.
    int RequestsSent() const { return m_nReqCount; }

private:
    CKeyedRows<KvTradingAccountRow> m_rows;
    std::string m_sSecurity;
    bool m_bFirstReply = false;
    bool m_bResort = false;
};
