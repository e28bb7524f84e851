// The order book window's document: the price levels of one security as the
// trading engine lists them for the standing request 36, a bid level and an
// offer level per row, coloured by the levels' marks, with the figures its
// status bar shows (the security's last trade and the orders on the other
// side).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/lists/list_columns.h"
#include "kv32/lists/security_request_doc.h"
#include "kvcore/values/cdouble.h"

struct OrderBookLevel {
    static constexpr std::size_t kInfoWidth = 64;
    int32_t nRow = 0;
    char cBidMark = 0;
    char szBidInfo[kInfoWidth + 1] = {};
    CDouble dUserBidQty;
    CDouble dBidSize;
    CDouble dBidYield;
    CDouble dBid;
    CDouble dOffer;
    CDouble dOfferYield;
    CDouble dOfferSize;
    CDouble dUserOfferQty;
    char szOfferInfo[kInfoWidth + 1] = {};
    char cOfferMark = 0;
    int32_t nColor = 0;
};

// One reply of request 36: the levels and the count of orders on the other
// side. Only complete entries within the text are taken: a count beyond the
// entries present, an entry cut short, without its "#" or with an info text
// wider than the level keeps ends the reply there.
struct OrderBookReply {
    std::vector<OrderBookLevel> levels;
    long long otherSide = 0;
};
OrderBookReply DecodeOrderBookReply(std::string_view text, int priceDecimals, int yieldDecimals);
// 2 when a mark is "!", else 0 when one is "*", else 1 when one is "N", else 0.
int32_t OrderBookColorIndex(char bidMark, char offerMark);

class COrdBkDoc : public CSecurityRequestDoc {
public:
    static constexpr std::uint32_t kTableId = 11;
    static constexpr int kRequestCode = 36;
    static constexpr int kFirstColumn = 2580;
    static constexpr int kColumns = 10;
    // Status bar panes of the window's frame.
    static constexpr int kLastTradePane = 1;
    static constexpr int kOtherSidePane = 2;

    COrdBkDoc();

    const std::uint8_t* GetRowData(int row) const override;
    int GetRowCount() const override { return static_cast<int>(m_records.size()); }
    int GetColorOffset() const override;
    std::vector<std::uint32_t>& GetColorRefArray() override { return m_aColors; }
    std::vector<std::uint16_t>& GetColorElemArray() override { return m_aColorNames; }
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    KvBookRow BookRowAt(int row) const override;
    const OrderBookLevel* GetLevel(int row) const;
    long long OtherSideCount() const { return m_nOtherSide; }

    std::span<const KvListColumn> Columns() const override;

    // What the frames' status bars show: pane -> text. A window showing the
    // document adds itself and is told each change; it removes itself when it goes.
    using PaneSink = std::function<void(int pane, const std::string& text)>;
    void AddPaneSink(const void* owner, PaneSink sink);
    void RemovePaneSink(const void* owner);
    const std::string& PaneText(int pane) const;

    std::vector<std::uint32_t> m_aColors;
    std::vector<std::uint16_t> m_aColorNames;

protected:
    void ClearRows() override { m_records.clear(); }
    void DecodeReply(std::string_view text) override;
    // The window's colours follow the security code.
    void SerializeExtra(fw::Archive& ar) override;
    // The status bar shows the security's last trade and the other side's count.
    void OnRequest() override;

private:
    void SetPane(int pane, std::string text);

    std::vector<OrderBookLevel> m_records;
    long long m_nOtherSide = 0;
    std::optional<double> m_dShownPrice;
    std::optional<double> m_dShownQty;
    std::optional<long long> m_nShownOtherSide;
    std::string m_sPanes[3];
    std::map<const void*, PaneSink> m_sinks;
};
