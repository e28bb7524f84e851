// The market by order window's document: the single orders in one security's
// book as the trading engine lists them for the standing request 70, a buy
// and a sell order per row.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "kv32/lists/list_columns.h"
#include "kv32/lists/security_request_doc.h"
#include "kvcore/values/cdouble.h"

struct MarketOrderRow {
    int32_t nRow = 0;
    char szBidInfo[2] = {};
    char szBuyer[13] = {};
    CDouble dBidSize;
    CDouble dBid;
    CDouble dOffer;
    CDouble dOfferSize;
    char szSeller[13] = {};
    char szOfferInfo[2] = {};
};

// The rows of one reply of request 70; only the whole entries within the
// text are taken (a count beyond them, or a cut entry, ends the reply there).
std::vector<MarketOrderRow> DecodeMarketOrdersReply(std::string_view text, int priceDecimals);

class CMktOrdDoc : public CSecurityRequestDoc {
public:
    static constexpr std::uint32_t kTableId = 12;
    static constexpr int kRequestCode = 70;
    static constexpr int kFirstColumn = 540;
    static constexpr int kColumns = 8;

    CMktOrdDoc();

    const std::uint8_t* GetRowData(int row) const override;
    int GetRowCount() const override { return static_cast<int>(m_records.size()); }
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    KvBookRow BookRowAt(int row) const override;
    const MarketOrderRow* GetOrderRow(int row) const;

    std::span<const KvListColumn> Columns() const override;

protected:
    void ClearRows() override { m_records.clear(); }
    void DecodeReply(std::string_view text) override;

private:
    std::vector<MarketOrderRow> m_records;
};
