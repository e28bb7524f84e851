#pragma once
// A listed security and its market figures. Prices are integers in units of
// the security's price decimals, yields in its yield decimals, values in its
// value decimals; kNoValue marks a figure not set.
#include <cstdint>
#include <string>

namespace exchange {

constexpr int64_t kNoValue = -99999999;

struct SecurityFigures {
    int64_t bid = kNoValue, offer = kNoValue;
    int64_t last = kNoValue, open = kNoValue, high = kNoValue, low = kNoValue, close = kNoValue;
    int64_t lastQuantity = 0, lastValue = 0;
    std::string lastTime; // HHMMSS or empty
    int64_t volumeToday = 0, valueToday = 0;
    int64_t trades = 0, orders = 0, openOrders = 0;
    int64_t bidDepth = 0, offerDepth = 0, bidCount = 0, offerCount = 0;
    int64_t reference = kNoValue, upperLimit = kNoValue, lowerLimit = kNoValue;
    // Off-market trades (matched negotiated deals): the last one's price,
    // yield and quantity, and the day's volume and value (in price decimals).
    int64_t offMarketLast = kNoValue, offMarketYield = kNoValue, offMarketQuantity = 0;
    int64_t offMarketVolume = 0, offMarketValue = 0;
};

struct Security {
    char kind = '0';
    std::string board; // 4
    std::string instrumentId; // 12
    std::string name;
    std::string remarks;
    std::string shortName;
    char status = 'A'; // kind letter of a status
    std::string session;
    std::string market;
    std::string sector;
    std::string instrument; // instrument type code (table 21)
    int priceDecimals = 2;
    int yieldDecimals = 3;
    int valueDecimals = 2;
    int64_t lot = 1;
    int64_t tick = 1; // price step in price units
    std::string previousDate;
    int64_t previousPrice = kNoValue;
    int64_t yield = kNoValue;
    char distribution = 'N'; // 'P': primary distribution
    bool index = false;
    std::string issuer; // participant code
    std::string isin;
    std::string methods; // order-method permission string, 32 '0'/'1'
    std::string maturity;
    int64_t issueSize = 0;
    SecurityFigures figures;

    // The 17-character key: kind, board padded to 4, instrument id padded to 12.
    std::string key() const;
};

} // namespace exchange
