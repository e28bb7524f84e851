// The auction calculation dialogs without their window: the primary and the
// buy-back auction differ only by the traits below. The form keeps the state
// of every control, fetches the auction's summary, converts the limit between
// price and yield through the host, checks the range of sizes, and runs the
// calculation: result requests until the host's rows cover the range, each
// row written into the result table.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "kv32/dialogs/auction/auction_cells.h"
#include "kv32/shell/neg_deal_form.h"
#include "kv32/shell/price_yield.h"
#include "kv32/trading/order_entry_form.h"
#include "kvcore/router/vorl_target.h"

enum class KvAuctionKind { Primary, BuyBack };

// Everything the twins do differently.
struct KvAuctionTraits {
    uint32_t captionId; // 0: the template's caption
    int summaryCode; // request and reply
    int resultCode; // request and reply
    bool signedPrice; // the limit may be negative
    uint32_t firstTitleId; // of the result columns and the CSV titles
    int side; // of the orders a row opens and of the negotiated deal
    unsigned commandId;
    int permissionType; // message type of the command permission
};
const KvAuctionTraits& AuctionTraits(KvAuctionKind kind);

inline constexpr size_t kAuctionSummaryKeyLength = 29;
inline constexpr size_t kAuctionResultKeyLength = 113;
inline constexpr int kAuctionSizeDigits = 16;
inline constexpr int kAuctionLimitWidth = 9;
inline constexpr int kAuctionMaxSizes = 10000;

std::string BuildAuctionSummaryKey(std::string_view securityCode);

struct KvAuctionResultRequest {
    std::string securityCode;
    uint64_t minimum = 0;
    uint64_t maximum = 0;
    std::string key; // continuation key, 16 characters
    uint64_t increment = 0;
    std::string limit; // 9 characters, as Cur2Str gives it
    bool yield = false;
    std::string auctionId;
};
// Empty when a field does not fit its width.
std::string BuildAuctionResultKey(const KvAuctionResultRequest& request);

struct KvAuctionSummary {
    std::string auctionId;
    CDouble orders;
    CDouble bidQuantity;
    CDouble marketQuantity;
};
std::optional<KvAuctionSummary> DecodeAuctionSummary(CRecordReader& reader);

struct KvAuctionRowReply {
    bool valid = false; // false: the market has changed
    std::string key;
    CDouble averagePrice, averageYield, marketSize, limitSize, totalValue, priceReached, yieldReached;
};
std::optional<KvAuctionRowReply> DecodeAuctionRow(CRecordReader& reader, unsigned priceDecimals, unsigned yieldDecimals);

// The sizes of a calculation: whole numbers from the edits' digits.
struct KvAuctionRange {
    uint64_t minimum = 0;
    uint64_t maximum = 0;
    uint64_t increment = 0;
    int sizes = 0; // how many sizes the range holds
};
struct KvAuctionRangeCheck {
    uint32_t messageId = 0; // 0: the range is good
    uint32_t focusId = 0;
    KvAuctionRange range;
};
KvAuctionRangeCheck CheckAuctionRange(std::string_view minimum, std::string_view maximum, std::string_view increment);

namespace fw {
class CommandMap;
}

// Binds "Primary Auction Window..." and "Buy-back Auction Window...": each
// runs its dialog when the session's rights allow the command.
void KvBindAuctionCommands(fw::CommandMap& map, std::function<void(KvAuctionKind kind)> run);

class CAuctionForm : public CVorlTarget {
public:
    explicit CAuctionForm(KvAuctionKind kind);

    // Boards, and the security of the securities window when that is the
    // active list window (its summary is fetched at once).
    void Init();

    // What the user does.
    void SelectBoard(int index);
    void SelectSecurity(int index);
    void Type(uint32_t id, const std::string& text);
    void Leave(uint32_t id);
    void Click(uint32_t id);

    const KvFormControl& Control(uint32_t id) const;
    const std::map<uint32_t, KvFormControl>& Controls() const { return m_controls; }
    std::string Caption() const;
    // The control the focus goes to after the last action; 0: leave it.
    uint32_t TakeFocus() { return std::exchange(m_nFocus, 0U); }
    const KvAuctionTraits& Traits() const { return m_traits; }
    CAuctionCells& Cells() { return m_cells; }
    const CAuctionCells& Cells() const { return m_cells; }
    int CurrentSecurity() const { return m_nSecurity; }
    const std::string& AuctionId() const { return m_sAuctionId; }
    // The order of a result row (the row's click).
    std::optional<KvAuctionOrderPreset> RowOrder(int row) const;

    // The host's price and yield conversion; tests put their own in.
    std::function<PriceYieldResult(const PriceYieldInput&, CDouble&)> convert = PriceYieldConversion;

    int UpdateReq() override { return 1; }
    int StoreDataItem(tagTMSG* message) override;
    int Decode(CRecordReader& reader) override;

private:
    KvFormControl& C(uint32_t id) { return m_controls[id]; }
    std::string Selected(uint32_t id) const;
    void BoardChanged();
    void SecurityChanged();
    void Reset();
    void SizeChanged();
    void ShowSummary(const KvAuctionSummary& summary);
    void YieldSwitch();
    void Convert();
    void Calculate();
    void TakeRow(const KvAuctionRowReply& row);
    void MarketChanged();
    void Refuse(uint32_t messageId, uint32_t focusId);
    unsigned PriceDecimals() const;
    unsigned YieldDecimals() const;

    KvAuctionKind m_kind;
    const KvAuctionTraits& m_traits;
    std::map<uint32_t, KvFormControl> m_controls;
    CAuctionCells m_cells;
    int m_nSecurity = -1;
    std::string m_sSecurityCode;
    std::string m_sAuctionId;
    KvAuctionRange m_range;
    int m_nRows = 0;
    bool m_bMarketChanged = false;
    bool m_bStop = false; // a row beyond the range or repeating its key
    std::string m_sKey;
    int m_nType = 0;
    KvPriceYieldSwap m_swap;
    uint32_t m_nFocus = 0;
};
