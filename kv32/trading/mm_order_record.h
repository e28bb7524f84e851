// The market maker's two-sided quote (transaction 140) as the host reads it:
// a buy block and a sell block in one 299-character record, built beside the
// order record with the same field rules.
#pragma once

#include <string>

inline constexpr int kMMOrderTransaction = 140;
inline constexpr size_t kMMOrderLength = 299;

// Which block the user sends; the other goes empty.
enum class KvMMSend { Buy, Sell, Both };

// One side as the user sees it; numbers are display texts (an empty price is
// no price, an empty quantity zero).
struct KvMMSide {
    std::string account;
    bool yield = false; // the price text is a yield
    std::string priceText;
    std::string quantityText;
    std::string topUpText;
    bool useTopUp = false; // the host's top-up marker instead of a quantity
    std::string reference;
    bool session = false;
    bool day = false;
};

struct KvMMOrder {
    std::string user;
    std::string securityKey;
    KvMMSend send = KvMMSend::Both;
    int priceDecimals = 2;
    int yieldDecimals = 2;
    KvMMSide buy;
    KvMMSide sell;
};

enum class KvMMField { None, Security, BuyPrice, SellPrice, BuyAccount, SellAccount, BuyQuantity, SellQuantity,
    BuyTopUp, SellTopUp, BuyReference, SellReference };
struct KvMMRecordResult {
    std::string text; // empty when a field failed
    KvMMField failed = KvMMField::None;
};
KvMMRecordResult BuildMarketMakerRecord(const KvMMOrder& order);

// The 32 order flags of a side: limit and market maker always, then yield,
// a top-up quantity given, session and day validity.
std::string KvMarketMakerFlags(const KvMMSide& side);
