// The cash positions window: the cash-pool positions and limits of a firm, a
// user or a trading account, asked of the host by the window's criteria (46
// by firm, 90 by user, 86 by trading account) and kept a row per cash pool,
// user and trading account.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "kv32/filters/party_filters.h"
#include "kv32/lists/request_doc.h"
#include "kvcore/values/cdouble.h"

// A limit and whether it is set: a limit that is not set shows nothing.
struct KvLimitCell {
    CDouble value;
    std::int32_t set = 0;
};

// The limits dialog reads account, user and firm at offsets 0, 13 and 26.
struct KvCashPositionRow {
    char szAccount[13] = {};
    char szUser[13] = {};
    char szFirm[13] = {};
    char szCashPool[5] = {};
    char szCurrency[4] = {};
    CDouble dOpen;
    CDouble dCurrent;
    CDouble dPlanned;
    KvLimitCell warn;
    KvLimitCell hard;
    KvLimitCell order;
};

struct CCashLimitRow;
// What the limits dialog is given for a row.
CCashLimitRow KvLimitRowOf(const KvCashPositionRow& row);

// Table 13.
class CCurPosDoc : public CRequestDoc {
public:
    static constexpr std::uint32_t kTableId = 13;
    static constexpr int kFirmRequest = 46;
    static constexpr int kUserRequest = 90;
    static constexpr int kAccountRequest = 86;

    CCurPosDoc();
    int GetMaxColumns() override { return 11; }
    int GetFirstColumnID() override { return 350; }
    std::span<const KvListColumn> Columns() const override;
    const std::uint8_t* GetRowData(int row) const override;
    int GetRowCount() const override { return m_rows.Count(); }
    const KvCashPositionRow* Row(int row) const { return m_rows.At(row); }
    void ClearRows() override { m_rows.Clear(); }

    // The request of the criteria's kind: nothing for another kind or a code
    // too long for its field.
    int UpdateReq() override;
    std::string RequestKey() override { return {}; }
    // Takes the record's type, which decides its layout.
    int StoreDataItem(tagTMSG* message) override;
    void DecodeRecord(CRecordReader& reader) override;
    // Sorted by cash pool, user and trading account after a reply that added rows.
    void OnReplyDone() override;

    // Open, current and planned as numbers painted red when negative; the
    // limits empty when not set, else grouped with zeros shown.
    void OwnerDrawCell(const std::uint8_t* value, int col, int row, fw::CellStyle& style) const override;
    // Greater first 1, equal 0, less -1.
    int OwnerDrawSort(const std::uint8_t* a, const std::uint8_t* b, int col) const override;

    // The table's title followed by the criteria's description.
    void MakeTitle(std::string& title) override;
    // The layout, then the criteria.
    void Serialize(fw::Archive& ar) override;
    // True for criteria (a const CCurPosFilter*) equal to this window's.
    int CheckTable(void* key) override;
    // New criteria: the rows go and the window asks from the start.
    void TakeFilter(const CCurPosFilter& criteria);
    const CCurPosFilter& Criteria() const { return m_filter; }

private:
    CKeyedRows<KvCashPositionRow> m_rows;
    CCurPosFilter m_filter;
    int m_nRecordType = 0;
    bool m_bAdded = false;
};
